#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QAbstractSpinBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

// The ten slider/spin box pairs keep each other in step with fixed conversions, never
// talk to the camera, and the four ROI checks correct a crossed corner with a box.
class tst_ValuePairs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sliderDrivesSpinBox_data();
    void sliderDrivesSpinBox();
    void spinBoxDrivesSlider_data();
    void spinBoxDrivesSlider();
    void sliderClampedBySpinBoxComesBackOnce();
    void gmsTypedAboveSliderPullsBackUnlessSliderAtMaximum();
    void gmsBeyondIntRangeSaturates();
    void sameValueEmitsNothing();
    void draggedSliderTracksEveryPosition();
    void movingControlsNeverReachesCameraOrLog();
    void roiSlotsCorrectCrossedCorners_data();
    void roiSlotsCorrectCrossedCorners();
    void roiEditsRunNoCheck();

private:
    void setSpinValue(QWidget *spinBox, double value);
};

static double spinValue(QWidget *spinBox)
{
    if (auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(spinBox))
        return doubleSpin->value();
    return qobject_cast<QSpinBox *>(spinBox)->value();
}

void tst_ValuePairs::setSpinValue(QWidget *spinBox, double value)
{
    if (auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(spinBox))
        doubleSpin->setValue(value);
    else
        qobject_cast<QSpinBox *>(spinBox)->setValue(int(value));
}

void tst_ValuePairs::init()
{
    nivaro_sim::reset();
    // Wide Expert bounds so every row below fits the sliders.
    nivaro_sdk::INivaroConfig &config = nivaro_sim::configuration();
    config.gskMin = config.gfidMin = config.tintMin = config.gmsMin = 0;
    config.gskMax = config.gfidMax = config.tintMax = config.gmsMax = 5000;
}

void tst_ValuePairs::sliderDrivesSpinBox_data()
{
    QTest::addColumn<QByteArray>("slider");
    QTest::addColumn<QByteArray>("spinBox");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("shown");

    QTest::newRow("gamma 7") << QByteArray("gammaSlider") << QByteArray("gammaEdit") << 7 << 1.2;
    QTest::newRow("gamma 0") << QByteArray("gammaSlider") << QByteArray("gammaEdit") << 0 << 0.5;
    QTest::newRow("gamma 20") << QByteArray("gammaSlider") << QByteArray("gammaEdit") << 20 << 2.5;
    QTest::newRow("sharpening 15")
        << QByteArray("sharpeningSlider") << QByteArray("sharpeningEdit") << 15 << 1.5;
    QTest::newRow("sharpening 40")
        << QByteArray("sharpeningSlider") << QByteArray("sharpeningEdit") << 40 << 4.0;
    QTest::newRow("clhe") << QByteArray("clheSlider") << QByteArray("clheEdit") << 29999 << 29999.0;
    QTest::newRow("gsk") << QByteArray("gskSlider") << QByteArray("gskEdit") << 3 << 3.0;
    QTest::newRow("gfid") << QByteArray("gfidSlider") << QByteArray("gfidEdit") << 777 << 777.0;
    QTest::newRow("gms") << QByteArray("gmsSlider") << QByteArray("gmsEdit") << 4321 << 4321.0;
    QTest::newRow("tint") << QByteArray("tintSlider") << QByteArray("tintEdit") << 2 << 2.0;
    QTest::newRow("boxes") << QByteArray("nbBoxesSlider") << QByteArray("nbBoxesSpinBox") << 42
                           << 42.0;
    QTest::newRow("sensitivity") << QByteArray("iASensitivitySlider")
                                 << QByteArray("iASensitivitySpinBox") << 100 << 100.0;
    QTest::newRow("iou") << QByteArray("interOverUnionSlider")
                         << QByteArray("interOverUnionSpinBox") << 1 << 1.0;
}

void tst_ValuePairs::sliderDrivesSpinBox()
{
    QFETCH(QByteArray, slider);
    QFETCH(QByteArray, spinBox);
    QFETCH(int, position);
    QFETCH(double, shown);

    MainWindow window;
    auto *pairSlider = child<QSlider>(window, slider.constData());
    auto *pairSpin = child<QAbstractSpinBox>(window, spinBox.constData());
    pairSlider->setValue(position);
    QCOMPARE(spinValue(pairSpin), shown);
    QCOMPARE(pairSlider->value(), position); // the echo did not move the slider
}

void tst_ValuePairs::spinBoxDrivesSlider_data()
{
    QTest::addColumn<QByteArray>("spinBox");
    QTest::addColumn<QByteArray>("slider");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("position");

    QTest::newRow("gamma 2.5") << QByteArray("gammaEdit") << QByteArray("gammaSlider") << 2.5 << 20;
    QTest::newRow("gamma 0.5") << QByteArray("gammaEdit") << QByteArray("gammaSlider") << 0.5 << 0;
    QTest::newRow("gamma 1.3") << QByteArray("gammaEdit") << QByteArray("gammaSlider") << 1.3 << 8;
    // (0.6 - 0.5) * 10 and (0.7 - 0.5) * 10 fall just short of 1 and 2: rounded, not cut.
    QTest::newRow("gamma 0.6") << QByteArray("gammaEdit") << QByteArray("gammaSlider") << 0.6 << 1;
    QTest::newRow("gamma 0.7") << QByteArray("gammaEdit") << QByteArray("gammaSlider") << 0.7 << 2;
    QTest::newRow("sharpening 0.3")
        << QByteArray("sharpeningEdit") << QByteArray("sharpeningSlider") << 0.3 << 3;
    // Although the slider steps by 300, typed values land exactly.
    QTest::newRow("clhe 1234") << QByteArray("clheEdit") << QByteArray("clheSlider") << 1234.0
                               << 1234;
    QTest::newRow("gfid") << QByteArray("gfidEdit") << QByteArray("gfidSlider") << 999.0 << 999;
    QTest::newRow("tint") << QByteArray("tintEdit") << QByteArray("tintSlider") << 1.0 << 1;
    QTest::newRow("boxes") << QByteArray("nbBoxesSpinBox") << QByteArray("nbBoxesSlider") << 7.0
                           << 7;
    QTest::newRow("sensitivity") << QByteArray("iASensitivitySpinBox")
                                 << QByteArray("iASensitivitySlider") << 0.0 << 0;
    QTest::newRow("iou") << QByteArray("interOverUnionSpinBox")
                         << QByteArray("interOverUnionSlider") << 55.0 << 55;
}

void tst_ValuePairs::spinBoxDrivesSlider()
{
    QFETCH(QByteArray, spinBox);
    QFETCH(QByteArray, slider);
    QFETCH(double, value);
    QFETCH(int, position);

    MainWindow window;
    auto *pairSpin = child<QAbstractSpinBox>(window, spinBox.constData());
    auto *pairSlider = child<QSlider>(window, slider.constData());
    if (value == spinValue(pairSpin)) // start elsewhere so the change is real
        setSpinValue(pairSpin, value + 1);
    setSpinValue(pairSpin, value);
    QCOMPARE(pairSlider->value(), position);
    QCOMPARE(spinValue(pairSpin), value);
}

void tst_ValuePairs::sliderClampedBySpinBoxComesBackOnce()
{
    // GSK's spin box takes the configured bounds; a narrower slider range on the
    // spin box side pulls the slider back to the spin box's maximum.
    nivaro_sim::configuration().gskMax = 3;
    MainWindow window;
    auto *gskEdit = child<QDoubleSpinBox>(window, "gskEdit");
    auto *gskSlider = child<QSlider>(window, "gskSlider");
    gskSlider->setValue(1);
    gskEdit->setMaximum(2);
    gskSlider->setValue(3);
    QCOMPARE(gskEdit->value(), 2.0);
    QCOMPARE(gskSlider->value(), 2);
}

void tst_ValuePairs::gmsTypedAboveSliderPullsBackUnlessSliderAtMaximum()
{
    MainWindow window;
    auto *gmsEdit = child<QDoubleSpinBox>(window, "gmsEdit");
    auto *gmsSlider = child<QSlider>(window, "gmsSlider");
    gmsSlider->setValue(100);

    gmsEdit->setValue(70000);
    QCOMPARE(gmsSlider->value(), 5000);
    QCOMPARE(gmsEdit->value(), 5000.0);

    // The slider already stands at its maximum: it does not move, so nothing pulls back.
    gmsEdit->setValue(80000);
    QCOMPARE(gmsSlider->value(), 5000);
    QCOMPARE(gmsEdit->value(), 80000.0);
}

void tst_ValuePairs::gmsBeyondIntRangeSaturates()
{
    nivaro_sim::configuration().gmsMax = std::numeric_limits<int32_t>::max();
    MainWindow window;
    auto *gmsEdit = child<QDoubleSpinBox>(window, "gmsEdit");
    auto *gmsSlider = child<QSlider>(window, "gmsSlider");

    gmsEdit->setValue(4294967296.0);
    QCOMPARE(gmsSlider->value(), std::numeric_limits<int>::max());
    QCOMPARE(gmsEdit->value(), double(std::numeric_limits<int>::max()));
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
    QTest::addColumn<QByteArray>("guarded");
    QTest::addColumn<QByteArray>("opposite");
    QTest::addColumn<int>("guardedValue");
    QTest::addColumn<int>("oppositeValue");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("message");

    QTest::newRow("x1 above x2") << QByteArray("x1RoiEdit") << QByteArray("x2RoiEdit") << 600 << 500
                                 << 500 << "ROI X1 must be lower than ROI X2";
    QTest::newRow("x1 equal x2") << QByteArray("x1RoiEdit") << QByteArray("x2RoiEdit") << 500 << 500
                                 << 500 << QString();
    QTest::newRow("x2 below x1") << QByteArray("x2RoiEdit") << QByteArray("x1RoiEdit") << 300 << 700
                                 << 700 << "ROI X2 must be higher than ROI X1";
    QTest::newRow("x2 above x1") << QByteArray("x2RoiEdit") << QByteArray("x1RoiEdit") << 800 << 700
                                 << 800 << QString();
    QTest::newRow("y1 above y2") << QByteArray("y1RoiEdit") << QByteArray("y2RoiEdit") << 900 << 100
                                 << 100 << "ROI Y1 must be lower than ROI Y2";
    QTest::newRow("y1 equal y2") << QByteArray("y1RoiEdit") << QByteArray("y2RoiEdit") << 100 << 100
                                 << 100 << QString();
    QTest::newRow("y2 below y1") << QByteArray("y2RoiEdit") << QByteArray("y1RoiEdit") << 6 << 7
                                 << 7 << "ROI Y2 must be higher than ROI Y1";
    QTest::newRow("y2 equal y1") << QByteArray("y2RoiEdit") << QByteArray("y1RoiEdit") << 7 << 7
                                 << 7 << QString();
}

void tst_ValuePairs::roiSlotsCorrectCrossedCorners()
{
    QFETCH(QByteArray, guarded);
    QFETCH(QByteArray, opposite);
    QFETCH(int, guardedValue);
    QFETCH(int, oppositeValue);
    QFETCH(int, expected);
    QFETCH(QString, message);

    MainWindow window;
    auto *guardedCorner = child<QSpinBox>(window, guarded.constData());
    child<QSpinBox>(window, opposite.constData())->setValue(oppositeValue);
    guardedCorner->setValue(guardedValue);

    ModalAnswerer answerer;
    int valueBehindBox = -1;
    answerer.setWhileOpen([&] { valueBehindBox = guardedCorner->value(); });
    const QByteArray slot = guarded.left(2) + "RoiUserValueChanged";
    QVERIFY(QMetaObject::invokeMethod(&window, slot.constData(), Q_ARG(int, guardedValue)));

    QCOMPARE(guardedCorner->value(), expected);
    if (message.isEmpty()) {
        QVERIFY(answerer.seen().isEmpty());
        return;
    }
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(valueBehindBox, expected); // corrected before the box tells why
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("ROI"));
    QCOMPARE(box.text, message);
    QVERIFY(box.hasParent);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void tst_ValuePairs::roiEditsRunNoCheck()
{
    MainWindow window;
    ModalAnswerer answerer;
    child<QSpinBox>(window, "x2RoiEdit")->setValue(400);
    child<QSpinBox>(window, "x1RoiEdit")->setValue(900);
    QCOMPARE(child<QSpinBox>(window, "x1RoiEdit")->value(), 900);
    QCOMPARE(child<QSpinBox>(window, "x2RoiEdit")->value(), 400);
    // A connected check would have opened its modal box inside setValue.
    QVERIFY(answerer.seen().isEmpty());
}

QTEST_MAIN(tst_ValuePairs)
#include "tst_valuepairs.moc"
