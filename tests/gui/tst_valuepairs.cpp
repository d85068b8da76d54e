#include "simulator_control.h"
#include "windowtest.h"

#include <QSignalSpy>

#include <limits>

// The ten slider/spin box pairs keep each other in step with fixed conversions, never
// talk to the camera, and the four ROI checks correct a crossed corner with a box.
class tst_ValuePairs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void eitherSideDrivesTheOther_data();
    void eitherSideDrivesTheOther();
    void sliderClampedBySpinBoxComesBackOnce();
    void gmsBeyondIntRangeSaturates();
    void sameValueEmitsNothing();
    void draggedSliderTracksEveryPosition();
    void movingControlsNeverReachesCameraOrLog();
    void roiSlotsCorrectCrossedCorners_data();
    void roiSlotsCorrectCrossedCorners();
};

void tst_ValuePairs::init()
{
    nivaro_sim::reset();
    // Wide Expert bounds so every row below fits the sliders.
    nivaro_sdk::INivaroConfig &config = nivaro_sim::configuration();
    config.gskMin = config.gfidMin = config.tintMin = config.gmsMin = 0;
    config.gskMax = config.gfidMax = config.tintMax = config.gmsMax = 5000;
}

void tst_ValuePairs::eitherSideDrivesTheOther_data()
{
    QTest::addColumn<QStringList>("moves"); // in this order; the last one must change its control
    QTest::addColumn<QStringList>("shown"); // both sides afterwards

    // Each row "name: moves => shown".
    const QStringList rows = {
        // The echo from the spin box leaves the slider where it was moved.
        "gamma slider 7: gammaSlider=7 => gammaSlider=7, gammaEdit=1.2",
        "gamma slider 0: gammaSlider=3, gammaSlider=0 => gammaSlider=0, gammaEdit=0.5",
        "gamma slider 20: gammaSlider=20 => gammaSlider=20, gammaEdit=2.5",
        "sharpening slider 15: sharpeningSlider=15 => sharpeningSlider=15, sharpeningEdit=1.5",
        "sharpening slider 40: sharpeningSlider=40 => sharpeningSlider=40, sharpeningEdit=4",
        "clhe slider: clheSlider=29999 => clheSlider=29999, clheEdit=29999",
        "gsk slider: gskSlider=3 => gskSlider=3, gskEdit=3",
        "gfid slider: gfidSlider=777 => gfidSlider=777, gfidEdit=777",
        "gms slider: gmsSlider=4321 => gmsSlider=4321, gmsEdit=4321",
        "tint slider: tintSlider=2 => tintSlider=2, tintEdit=2",
        "boxes slider: nbBoxesSlider=42 => nbBoxesSlider=42, nbBoxesSpinBox=42",
        "sensitivity slider: iASensitivitySlider=100 => iASensitivitySlider=100, "
        "iASensitivitySpinBox=100",
        "iou slider: interOverUnionSlider=1 => interOverUnionSlider=1, interOverUnionSpinBox=1",
        "gamma spin box 2.5: gammaEdit=2.5 => gammaEdit=2.5, gammaSlider=20",
        "gamma spin box 0.5: gammaEdit=1.5, gammaEdit=0.5 => gammaEdit=0.5, gammaSlider=0",
        "gamma spin box 1.3: gammaEdit=1.3 => gammaEdit=1.3, gammaSlider=8",
        // (0.6 - 0.5) * 10 and (0.7 - 0.5) * 10 fall just short of 1 and 2: rounded, not cut.
        "gamma spin box 0.6: gammaEdit=0.6 => gammaEdit=0.6, gammaSlider=1",
        "gamma spin box 0.7: gammaEdit=0.7 => gammaEdit=0.7, gammaSlider=2",
        "sharpening spin box 0.3: sharpeningEdit=0.3 => sharpeningEdit=0.3, sharpeningSlider=3",
        // Although the slider steps by 300, typed values land exactly.
        "clhe spin box 1234: clheEdit=1234 => clheEdit=1234, clheSlider=1234",
        "gfid spin box: gfidEdit=999 => gfidEdit=999, gfidSlider=999",
        "tint spin box: tintEdit=2, tintEdit=1 => tintEdit=1, tintSlider=1",
        "boxes spin box: nbBoxesSpinBox=7 => nbBoxesSpinBox=7, nbBoxesSlider=7",
        "sensitivity spin box: iASensitivitySpinBox=1, iASensitivitySpinBox=0 => "
        "iASensitivitySpinBox=0, iASensitivitySlider=0",
        "iou spin box: interOverUnionSpinBox=55 => interOverUnionSpinBox=55, "
        "interOverUnionSlider=55",
        "gms typed above the slider pulls back: gmsSlider=100, gmsEdit=70000 => gmsSlider=5000, "
        "gmsEdit=5000",
        // The slider already stands at its maximum: it does not move, so nothing pulls back.
        "gms typed above the slider at its maximum stays: gmsSlider=100, gmsEdit=70000, "
        "gmsEdit=80000 => gmsSlider=5000, gmsEdit=80000",
        // Crossed corners typed in the spin boxes stay as typed.
        "ROI edits run no check: x2RoiEdit=400, x1RoiEdit=900 => x2RoiEdit=400, x1RoiEdit=900",
    };
    for (const QString &row : rows) {
        QStringList parts;
        newTextRow(row, parts) << settings(parts[0]) << settings(parts[1]);
    }
}

void tst_ValuePairs::eitherSideDrivesTheOther()
{
    QFETCH(QStringList, moves);
    QFETCH(QStringList, shown);

    MainWindow window;
    ModalAnswerer answerer;
    setControls(window, moves.mid(0, moves.size() - 1));
    QVERIFY2(showing(window, {moves.last()}) != QStringList {moves.last()},
             "the last move must be a change");
    setControls(window, {moves.last()});
    QCOMPARE(showing(window, shown), shown);
    // A check connected to a spin box would have opened its modal box inside setValue.
    QCOMPARE(answerer.shown(), QStringList());
}

void tst_ValuePairs::sliderClampedBySpinBoxComesBackOnce()
{
    // GSK's spin box takes the configured bounds; a narrower slider range on the
    // spin box side pulls the slider back to the spin box's maximum.
    nivaro_sim::configuration().gskMax = 3;
    MainWindow window;
    setControls(window, {"gskSlider=1"});
    child<QDoubleSpinBox>(window, "gskEdit")->setMaximum(2);
    setControls(window, {"gskSlider=3"});
    QCOMPARE(showing(window, {"gskEdit=2", "gskSlider=2"}),
             QStringList({"gskEdit=2", "gskSlider=2"}));
}

void tst_ValuePairs::gmsBeyondIntRangeSaturates()
{
    nivaro_sim::configuration().gmsMax = std::numeric_limits<int32_t>::max();
    MainWindow window;
    setControls(window, {"gmsEdit=4294967296"});
    const QStringList shown = {"gmsSlider=2147483647", "gmsEdit=2147483647"};
    QCOMPARE(showing(window, shown), shown);
}

void tst_ValuePairs::sameValueEmitsNothing()
{
    MainWindow window;
    auto *gammaSlider = child<QSlider>(window, "gammaSlider");
    auto *gammaEdit = child<QDoubleSpinBox>(window, "gammaEdit");
    gammaSlider->setValue(5);
    QSignalSpy sliderMoves(gammaSlider, &QSlider::valueChanged);
    QSignalSpy editChanges(gammaEdit, qOverload<double>(&QDoubleSpinBox::valueChanged));
    gammaSlider->setValue(5);
    gammaEdit->setValue(1.0);
    QCOMPARE(sliderMoves.count(), 0);
    QCOMPARE(editChanges.count(), 0);
}

void tst_ValuePairs::draggedSliderTracksEveryPosition()
{
    MainWindow window;
    auto *sharpeningSlider = child<QSlider>(window, "sharpeningSlider");
    auto *sharpeningEdit = child<QDoubleSpinBox>(window, "sharpeningEdit");
    window.findChild<QWidget *>(QStringLiteral("UserMode"))->setEnabled(true);
    QSignalSpy editChanges(sharpeningEdit, qOverload<double>(&QDoubleSpinBox::valueChanged));

    sharpeningSlider->setSliderDown(true);
    for (int position = 1; position <= 3; ++position)
        sharpeningSlider->setSliderPosition(position);
    sharpeningSlider->setSliderDown(false);

    QCOMPARE(editChanges.count(), 3);
    QCOMPARE(editChanges.at(0).at(0).toDouble(), 0.1);
    QCOMPARE(sharpeningEdit->value(), 0.3);
}

void tst_ValuePairs::movingControlsNeverReachesCameraOrLog()
{
    MainWindow window;
    const size_t callsBefore = nivaro_sim::traceLineCount();
    for (QSlider *slider : window.findChildren<QSlider *>())
        slider->setValue(slider->maximum());
    for (QDoubleSpinBox *spinBox : window.findChildren<QDoubleSpinBox *>())
        spinBox->setValue(spinBox->minimum());
    for (QSpinBox *spinBox : window.findChildren<QSpinBox *>())
        spinBox->setValue(spinBox->maximum());

    QCOMPARE(nivaro_sim::traceLineCount(), callsBefore);
    QVERIFY(nivaro_sim::logRecords().empty());
    QVERIFY(child<QPlainTextEdit>(window, "logView")->toPlainText().isEmpty());
}

void tst_ValuePairs::roiSlotsCorrectCrossedCorners_data()
{
    QTest::addColumn<QStringList>("corners"); // the opposite corner, then the guarded one
    QTest::addColumn<QString>("corrected"); // the guarded corner afterwards
    QTest::addColumn<QString>("message");

    // Each row "name: corners => corrected => message", with no message where none shows.
    for (const char *row : {"x1 above x2: x2RoiEdit=500, x1RoiEdit=600 => x1RoiEdit=500 => "
                            "ROI X1 must be lower than ROI X2",
                            "x1 equal x2: x2RoiEdit=500, x1RoiEdit=500 => x1RoiEdit=500",
                            "x2 below x1: x1RoiEdit=700, x2RoiEdit=300 => x2RoiEdit=700 => "
                            "ROI X2 must be higher than ROI X1",
                            "x2 above x1: x1RoiEdit=700, x2RoiEdit=800 => x2RoiEdit=800",
                            "y1 above y2: y2RoiEdit=100, y1RoiEdit=900 => y1RoiEdit=100 => "
                            "ROI Y1 must be lower than ROI Y2",
                            "y1 equal y2: y2RoiEdit=100, y1RoiEdit=100 => y1RoiEdit=100",
                            "y2 below y1: y1RoiEdit=7, y2RoiEdit=6 => y2RoiEdit=7 => "
                            "ROI Y2 must be higher than ROI Y1",
                            "y2 equal y1: y1RoiEdit=7, y2RoiEdit=7 => y2RoiEdit=7"}) {
        QStringList parts;
        newTextRow(row, parts) << settings(parts[0]) << parts[1] << parts.value(2);
    }
}

void tst_ValuePairs::roiSlotsCorrectCrossedCorners()
{
    QFETCH(QStringList, corners);
    QFETCH(QString, corrected);
    QFETCH(QString, message);

    MainWindow window;
    setControls(window, corners);
    ModalAnswerer answerer;
    QStringList behindBox;
    answerer.setWhileOpen([&] { behindBox = showing(window, {corrected}); });
    const QString guarded = corners.last();
    const QByteArray slot = guarded.left(2).toLatin1() + "RoiUserValueChanged";
    QVERIFY(QMetaObject::invokeMethod(&window, slot.constData(),
                                      Q_ARG(int, guarded.section('=', 1).toInt())));

    QCOMPARE(showing(window, {corrected}), QStringList {corrected});
    QCOMPARE(answerer.shown(),
             message.isEmpty() ? QStringList() : QStringList {box::about("ROI", message)});
    if (!message.isEmpty())
        QCOMPARE(behindBox, QStringList {corrected}); // corrected before the box tells why
}

QTEST_MAIN(tst_ValuePairs)
#include "tst_valuepairs.moc"
