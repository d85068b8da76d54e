#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QtTest>

#include <limits>

// The Expert tab's Write and Read, with and without a camera, and the NUC request
// from either tab.
class tst_ExpertParameters : public QObject
{
    Q_OBJECT

private slots:
    void writeSendsEverySettingThenNotifies();
    void writeReportsRefusals_data();
    void writeReportsRefusals();
    void writeSaturatesGmsToSignedWord_data();
    void writeSaturatesGmsToSignedWord();
    void writeWithoutCameraStoresIntoConfiguration();

    void readShowsAndLogsCameraValues();
    void readWithoutCameraShowsOnlyTheBox();

    void nucRequestUpdatesOnlyUserBox_data();
    void nucRequestUpdatesOnlyUserBox();
    void nucRequestShowsWhatTheCameraAnswers();
    void refusedNucRequestShowsWarning();
    void nucRequestWithoutCameraDoesNothing();
};

namespace {

const QString port = QStringLiteral("COM3");

const QStringList writeLinesOk = {
    "Set GSK value OK",
    "Set GFID value OK",
    "Set TINT value OK",
    "Set GMS value OK",
    "Set BPR value OK",
    "Set Offset correction value OK",
    "Set Gain correction value OK",
    "Enable NUC OK",
};

const QString notify = QStringLiteral("sdk.NotifyParametersApplied");

// A GMS beyond the slider's maximum stays in the spin box only while the slider
// already stands at that maximum.
void typeGms(MainWindow &window, double value)
{
    auto *slider = child<QSlider>(window, "gmsSlider");
    slider->setValue(slider->maximum());
    child<QDoubleSpinBox>(window, "gmsEdit")->setValue(value);
}

} // namespace

void tst_ExpertParameters::writeSendsEverySettingThenNotifies()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    child<QDoubleSpinBox>(*window, "gskEdit")->setValue(3);
    child<QDoubleSpinBox>(*window, "gfidEdit")->setValue(700);
    child<QDoubleSpinBox>(*window, "tintEdit")->setValue(2);
    child<QDoubleSpinBox>(*window, "gmsEdit")->setValue(60000);
    child<QCheckBox>(*window, "BPRCheckBox")->setChecked(false);
    child<QCheckBox>(*window, "offsetCheckBox")->setChecked(true);
    child<QCheckBox>(*window, "gainCheckBox")->setChecked(false);
    child<QCheckBox>(*window, "nucCheckBox")->setChecked(true);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonExpert");

    QCOMPARE(sdk.logTextsSince(mark), writeLinesOk);
    const QStringList expectedCalls = {
        "camera[COM3].SetGsk",
        "camera[COM3].SetGfid",
        "camera[COM3].SetTint",
        "camera[COM3].SetGms",
        "camera[COM3].SetBpr",
        "camera[COM3].SetOffsetCorrection",
        "camera[COM3].SetGainCorrection",
        "camera[COM3].SetNucEnabled",
        notify,
    };
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)), expectedCalls);
    QVERIFY(answerer.seen().isEmpty());

    const nivaro_sim::Registers sent = sdk.registers(port);
    QCOMPARE(sent.gsk, 3);
    QCOMPARE(sent.gfid, 700);
    QCOMPARE(sent.tint, 2);
    QCOMPARE(sent.gms, 60000);
    QVERIFY(!sent.bpr);
    QVERIFY(sent.offsetCorrection);
    QVERIFY(!sent.gainCorrection);
    QCOMPARE(int(sent.nucEnabled), 2);
}

void tst_ExpertParameters::writeReportsRefusals_data()
{
    QTest::addColumn<QString>("refused");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("notifies");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("only GFID fails") << "SetGfid" << 1 << true << QStringList {};
    QTest::newRow("only NUC fails")
        << "SetNucEnabled" << 7 << false
        << QStringList {"Problem transmitting expert parameters values\n"};
}

void tst_ExpertParameters::writeReportsRefusals()
{
    QFETCH(QString, refused);
    QFETCH(int, step);
    QFETCH(bool, notifies);
    QFETCH(QStringList, boxes);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.refusedSetters = {refused.toStdString()};
    auto window = sdk.makeConnectedWindow(port, script);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonExpert");

    QStringList expected = writeLinesOk;
    expected[step].replace(QStringLiteral(" OK"), QStringLiteral(" KO"));
    QCOMPARE(sdk.logTextsSince(mark), expected);
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)).contains(notify), notifies);
    QCOMPARE(answerer.texts(), boxes);
    for (const ModalAnswerer::Seen &box : answerer.seen()) {
        QVERIFY(box.title.isEmpty());
        QVERIFY(box.hasParent);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

void tst_ExpertParameters::writeSaturatesGmsToSignedWord_data()
{
    QTest::addColumn<double>("typed");
    QTest::addColumn<QString>("sentArgument");

    QTest::newRow("within the bounds") << 99999.0 << "99999";
    QTest::newRow("largest signed word") << 2147483647.0 << "2147483647";
    QTest::newRow("one above") << 2147483648.0 << "2147483647";
    QTest::newRow("spin box maximum") << 4294967296.0 << "2147483647";
}

void tst_ExpertParameters::writeSaturatesGmsToSignedWord()
{
    QFETCH(double, typed);
    QFETCH(QString, sentArgument);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    typeGms(*window, typed);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gmsEdit")->value(), typed);
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(*window, "applyParamsButtonExpert");

    const QStringList trace = sdk.traceSince(mark);
    const int setGms
        = SimulatedSdk::operations(trace).indexOf(QStringLiteral("camera[COM3].SetGms"));
    QVERIFY(setGms >= 0);
    QVERIFY2(trace[setGms].startsWith(QStringLiteral("camera[COM3].SetGms(%1)").arg(sentArgument)),
             qPrintable(trace[setGms]));
}

void tst_ExpertParameters::writeWithoutCameraStoresIntoConfiguration()
{
    SimulatedSdk sdk;
    auto window = SimulatedSdk::makeWindow();
    child<QSlider>(*window, "gskSlider")->setValue(3);
    child<QSlider>(*window, "gfidSlider")->setValue(800);
    child<QSlider>(*window, "tintSlider")->setValue(0);
    typeGms(*window, 3e9);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonExpert");

    QVERIFY(answerer.seen().isEmpty());
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)), QStringList {"sdk.GetConfig"});
    nivaro_sdk::INivaroConfig &configuration = nivaro_sim::configuration();
    QCOMPARE(configuration.currentGsk, 3);
    QCOMPARE(configuration.currentGfid, 800);
    QCOMPARE(configuration.currentTint, 0);
    QCOMPARE(configuration.currentGms, std::numeric_limits<int32_t>::max());

    child<QSlider>(*window, "gskSlider")->setValue(1);
    window->InitParamsExpert();
    QCOMPARE(child<QSlider>(*window, "gskSlider")->value(), 3);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gfidEdit")->value(), 800.0);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gmsEdit")->value(), 2147483647.0);
}

void tst_ExpertParameters::readShowsAndLogsCameraValues()
{
    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.gsk = 3;
    registers.gfid = 700;
    registers.gms = -1294967296; // the word 3000000000: above the int32 range, shown unsigned
    registers.tint = 2;
    registers.bpr = false;
    registers.offsetCorrection = false;
    registers.gainCorrection = true;
    registers.nucEnabled = 2;
    auto window = sdk.makeConnectedWindow(port, scriptWithRegisters(registers));
    child<QCheckBox>(*window, "BPRCheckBox")->setChecked(true);
    child<QCheckBox>(*window, "offsetCheckBox")->setChecked(true);
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(*window, "readParamButtonExpert");

    const QStringList expected = {
        "Start Read camera Expert parameters",
        "GSK value = 3",
        "GFID value = 700",
        "GMS value = 3000000000",
        "TINT value = 2",
        "BPR state = Disabled",
        "OFFSET state = Disabled",
        "GAIN state = Enabled",
        "NUC state = Enabled",
        "End Read camera Expert parameters",
    };
    QCOMPARE(sdk.logTextsSince(mark), expected);
    QCOMPARE(child<QSlider>(*window, "gskSlider")->value(), 3);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gskEdit")->value(), 3.0);
    QCOMPARE(child<QSlider>(*window, "gfidSlider")->value(), 700);
    QCOMPARE(child<QSlider>(*window, "tintSlider")->value(), 2);
    // The slider stops at its configured maximum; the spin box shows the camera's value.
    QCOMPARE(child<QSlider>(*window, "gmsSlider")->value(),
             child<QSlider>(*window, "gmsSlider")->maximum());
    QCOMPARE(child<QDoubleSpinBox>(*window, "gmsEdit")->value(), 3000000000.0);
    QVERIFY(!child<QCheckBox>(*window, "BPRCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>(*window, "offsetCheckBox")->isChecked());
    QVERIFY(child<QCheckBox>(*window, "gainCheckBox")->isChecked());
    QVERIFY(child<QCheckBox>(*window, "nucCheckBox")->isChecked());
}

void tst_ExpertParameters::readWithoutCameraShowsOnlyTheBox()
{
    SimulatedSdk sdk;
    auto window = SimulatedSdk::makeWindow();
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "readParamButtonExpert");

    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen().first().title, QStringLiteral("Camera not connected"));
    QCOMPARE(answerer.seen().first().text, QStringLiteral("Unable to connect to "));
    QVERIFY(answerer.seen().first().hasParent);
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
}

void tst_ExpertParameters::nucRequestUpdatesOnlyUserBox_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("Expert tab") << QByteArray("nucRequest");
    QTest::newRow("User tab") << QByteArray("userNucRequest");
}

void tst_ExpertParameters::nucRequestUpdatesOnlyUserBox()
{
    QFETCH(QByteArray, button);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    QVERIFY(!child<QCheckBox>(*window, "userNucCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>(*window, "nucCheckBox")->isChecked());
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, button.constData());

    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)),
             QStringList({"camera[COM3].RequestNuc", "camera[COM3].GetNucEnabled"}));
    QVERIFY(child<QCheckBox>(*window, "userNucCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>(*window, "nucCheckBox")->isChecked());
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(answerer.seen().isEmpty());
}

void tst_ExpertParameters::nucRequestShowsWhatTheCameraAnswers()
{
    // The camera keeps NUC on after a request unless it stops answering right after
    // taking it: then the state read back is "disabled" and the box must say so.
    long callsUntilRequest = 0;
    {
        SimulatedSdk counting;
        auto window = counting.makeConnectedWindow(port);
        const QStringList operations = SimulatedSdk::operations(counting.traceSince({}));
        callsUntilRequest = operations.filter(QStringLiteral("camera[COM3].")).size();
    }
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.silentAfterCalls = callsUntilRequest + 1;
    auto window = sdk.makeConnectedWindow(port, script);
    auto *userNuc = child<QCheckBox>(*window, "userNucCheckBox");
    userNuc->setChecked(true);
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "nucRequest");

    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(userNuc->checkState(), Qt::Unchecked);
}

void tst_ExpertParameters::refusedNucRequestShowsWarning()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.nucRequestFails = true;
    auto window = sdk.makeConnectedWindow(port, script);
    child<QCheckBox>(*window, "nucCheckBox")->setChecked(true);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "userNucRequest");

    QCOMPARE(answerer.texts(), QStringList {"Error on processing the NUC request"});
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QVERIFY(box.title.isEmpty());
    QVERIFY(box.hasParent);
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(!child<QCheckBox>(*window, "userNucCheckBox")->isChecked());
    QVERIFY(child<QCheckBox>(*window, "nucCheckBox")->isChecked());
}

void tst_ExpertParameters::nucRequestWithoutCameraDoesNothing()
{
    SimulatedSdk sdk;
    auto window = SimulatedSdk::makeWindow();
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "nucRequest");
    window->ApplyNucRequest();

    QVERIFY(answerer.seen().isEmpty());
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
    QVERIFY(!child<QCheckBox>(*window, "userNucCheckBox")->isChecked());
}

QTEST_MAIN(tst_ExpertParameters)
#include "tst_expertparameters.moc"
