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
    void clampedValueComesBackOnce();
    void onlyChangesEmitAndDraggingTracksEveryPosition();
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
    QTest::addColumn<Settings>("moves"); // in this order; the last one must change its control
    QTest::addColumn<Settings>("shown"); // both sides afterwards

    const auto row = [](const char *name, const Settings &moves, const Settings &shown) {
        QTest::newRow(name) << moves << shown;
    };
    // One side moved, and what the other shows then.
    const auto pair = [&row](const char *name, const char *moved, double value, const char *other,
                             double shown) {
        row(name, {{moved, value}}, {{moved, value}, {other, shown}});
    };
    // The echo from the spin box leaves the slider where it was moved.
    pair("gamma slider 7", "gammaSlider", 7, "gammaEdit", 1.2);
    row("gamma slider 0", {{"gammaSlider", 3}, {"gammaSlider", 0}},
        {{"gammaSlider", 0}, {"gammaEdit", 0.5}});
    pair("gamma slider 20", "gammaSlider", 20, "gammaEdit", 2.5);
    pair("sharpening slider 15", "sharpeningSlider", 15, "sharpeningEdit", 1.5);
    pair("sharpening slider 40", "sharpeningSlider", 40, "sharpeningEdit", 4);
    pair("clhe slider", "clheSlider", 29999, "clheEdit", 29999);
    pair("gsk slider", "gskSlider", 3, "gskEdit", 3);
    pair("gfid slider", "gfidSlider", 777, "gfidEdit", 777);
    pair("gms slider", "gmsSlider", 4321, "gmsEdit", 4321);
    pair("tint slider", "tintSlider", 2, "tintEdit", 2);
    pair("boxes slider", "nbBoxesSlider", 42, "nbBoxesSpinBox", 42);
    pair("sensitivity slider", "iASensitivitySlider", 100, "iASensitivitySpinBox", 100);
    pair("iou slider", "interOverUnionSlider", 1, "interOverUnionSpinBox", 1);
    pair("gamma spin box 2.5", "gammaEdit", 2.5, "gammaSlider", 20);
    row("gamma spin box 0.5", {{"gammaEdit", 1.5}, {"gammaEdit", 0.5}},
        {{"gammaEdit", 0.5}, {"gammaSlider", 0}});
    pair("gamma spin box 1.3", "gammaEdit", 1.3, "gammaSlider", 8);
    // (0.6 - 0.5) * 10 and (0.7 - 0.5) * 10 fall just short of 1 and 2: rounded, not cut.
    pair("gamma spin box 0.6", "gammaEdit", 0.6, "gammaSlider", 1);
    pair("gamma spin box 0.7", "gammaEdit", 0.7, "gammaSlider", 2);
    pair("sharpening spin box 0.3", "sharpeningEdit", 0.3, "sharpeningSlider", 3);
    // Although the slider steps by 300, typed values land exactly.
    pair("clhe spin box 1234", "clheEdit", 1234, "clheSlider", 1234);
    pair("gsk spin box", "gskEdit", 4, "gskSlider", 4);
    pair("gfid spin box", "gfidEdit", 999, "gfidSlider", 999);
    pair("gms spin box", "gmsEdit", 1234, "gmsSlider", 1234);
    row("tint spin box", {{"tintEdit", 2}, {"tintEdit", 1}}, {{"tintEdit", 1}, {"tintSlider", 1}});
    pair("boxes spin box", "nbBoxesSpinBox", 7, "nbBoxesSlider", 7);
    row("sensitivity spin box", {{"iASensitivitySpinBox", 1}, {"iASensitivitySpinBox", 0}},
        {{"iASensitivitySpinBox", 0}, {"iASensitivitySlider", 0}});
    pair("iou spin box", "interOverUnionSpinBox", 55, "interOverUnionSlider", 55);
    row("gms typed above the slider pulls back", {{"gmsSlider", 100}, {"gmsEdit", 70000}},
        {{"gmsSlider", 5000}, {"gmsEdit", 5000}});
    // The slider already stands at its maximum: it does not move, so nothing pulls back.
    row("gms typed above the slider at its maximum stays",
        {{"gmsSlider", 100}, {"gmsEdit", 70000}, {"gmsEdit", 80000}},
        {{"gmsSlider", 5000}, {"gmsEdit", 80000}});
    // Crossed corners typed in the spin boxes stay as typed.
    row("ROI edits run no check", {{"x2RoiEdit", 400}, {"x1RoiEdit", 900}},
        {{"x2RoiEdit", 400}, {"x1RoiEdit", 900}});
}

void tst_ValuePairs::eitherSideDrivesTheOther()
{
    QFETCH(Settings, moves);
    QFETCH(Settings, shown);

    MainWindow window;
    ModalAnswerer answerer;
    QVERIFY(setControls(window, moves.mid(0, moves.size() - 1)));
    QVERIFY2(showing(window, {moves.last()}) != Settings {moves.last()},
             "the last move must be a change");
    QVERIFY(setControls(window, {moves.last()}));
    QCOMPARE(showing(window, shown), shown);
    // A check connected to a spin box would have opened its modal box inside setValue.
    QCOMPARE(answerer.shown(), QStringList());
}

void tst_ValuePairs::clampedValueComesBackOnce()
{
    // A side that cannot hold the value it is given pulls the other side onto what it holds:
    // the GSK spin box narrower than its slider, the GMS slider short of a typed 2^32.
    nivaro_sim::configuration().gskMax = 3;
    nivaro_sim::configuration().gmsMax = std::numeric_limits<int32_t>::max();
    MainWindow window;
    QVERIFY(setControls(window, {{"gskSlider", 1}}));
    child<QDoubleSpinBox>(window, "gskEdit")->setMaximum(2);
    QVERIFY(setControls(window, {{"gskSlider", 3}, {"gmsEdit", 4294967296.0}}));
    const Settings shown
        = {{"gskEdit", 2}, {"gskSlider", 2}, {"gmsSlider", 2147483647}, {"gmsEdit", 2147483647}};
    QCOMPARE(showing(window, shown), shown);
}

void tst_ValuePairs::onlyChangesEmitAndDraggingTracksEveryPosition()
{
    MainWindow window;
    auto *slider = child<QSlider>(window, "sharpeningSlider");
    auto *spinBox = child<QDoubleSpinBox>(window, "sharpeningEdit");
    window.findChild<QWidget *>(QStringLiteral("UserMode"))->setEnabled(true);
    slider->setValue(5);
    QSignalSpy sliderMoves(slider, &QSlider::valueChanged);
    QSignalSpy spinBoxChanges(spinBox, qOverload<double>(&QDoubleSpinBox::valueChanged));
    // Setting a side to the value it already has emits nothing.
    slider->setValue(5);
    spinBox->setValue(0.5);
    QCOMPARE(sliderMoves.count() + spinBoxChanges.count(), 0);

    // While dragged, the slider is followed at every position it passes.
    slider->setSliderDown(true);
    for (int position = 6; position <= 8; ++position)
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
    QCOMPARE(spinBoxChanges.count(), 3);
    QCOMPARE(spinBoxChanges.at(0).at(0).toDouble(), 0.6);
    QCOMPARE(spinBox->value(), 0.8);
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
    QTest::addColumn<QByteArray>("guarded"); // the corner whose slot runs
    QTest::addColumn<int>("opposite"); // the other corner's value
    QTest::addColumn<int>("value"); // the guarded corner's, and the slot's argument
    QTest::addColumn<int>("corrected"); // the guarded corner afterwards
    QTest::addColumn<QString>("message"); // none where no box shows

    const auto row = [](const char *name, const char *guarded, int opposite, int value,
                        int corrected, const char *message) {
        QTest::newRow(name) << QByteArray(guarded) << opposite << value << corrected
                            << QString(message);
    };
    row("x1 above x2", "x1", 500, 600, 500, "ROI X1 must be lower than ROI X2");
    row("x1 equal x2", "x1", 500, 500, 500, "");
    row("x2 below x1", "x2", 700, 300, 700, "ROI X2 must be higher than ROI X1");
    row("x2 above x1", "x2", 700, 800, 800, "");
    row("y1 above y2", "y1", 100, 900, 100, "ROI Y1 must be lower than ROI Y2");
    row("y1 equal y2", "y1", 100, 100, 100, "");
    row("y2 below y1", "y2", 7, 6, 7, "ROI Y2 must be higher than ROI Y1");
    row("y2 equal y1", "y2", 7, 7, 7, "");
}

void tst_ValuePairs::roiSlotsCorrectCrossedCorners()
{
    QFETCH(QByteArray, guarded);
    QFETCH(int, opposite);
    QFETCH(int, value);
    QFETCH(int, corrected);
    QFETCH(QString, message);

    // x1 and x2 guard each other, y1 and y2 likewise.
    QByteArray other = guarded;
    other[1] = guarded[1] == '1' ? '2' : '1';
    MainWindow window;
    QVERIFY(setControls(window, {{other + "RoiEdit", opposite}, {guarded + "RoiEdit", value}}));
    ModalAnswerer answerer;
    const Settings after = {{guarded + "RoiEdit", corrected}};
    Settings behindBox;
    answerer.setWhileOpen([&] { behindBox = showing(window, after); });
    const QByteArray slot = guarded + "RoiUserValueChanged";
    QVERIFY(QMetaObject::invokeMethod(&window, slot.constData(), Q_ARG(int, value)));

    QCOMPARE(showing(window, after), after);
    QCOMPARE(answerer.shown(),
             message.isEmpty() ? QStringList() : QStringList {box::about("ROI", message)});
    if (!message.isEmpty())
        QCOMPARE(behindBox, after); // corrected before the box tells why
}

QTEST_MAIN(tst_ValuePairs)
#include "tst_valuepairs.moc"
