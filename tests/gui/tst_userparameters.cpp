#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"
#include "writesteps.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QtTest>

#include <functional>
#include <limits>

Q_DECLARE_METATYPE(nivaro_sim::Registers)

// The User tab's Read, Write and Reset against a scripted camera.
class tst_UserParameters : public QObject
{
    Q_OBJECT

private slots:
    void readShowsCameraNumbers_data();
    void readShowsCameraNumbers();
    void readShowsVersionDigits_data();
    void readShowsVersionDigits();
    void readLogsEveryValueInOrder();
    void readLogsEachValueAsItsLine_data();
    void readLogsEachValueAsItsLine();
    void readKeepsZoomControlsWhenRecordUnfilled();
    void readOfSilentCameraStopsAfterVersions();

    void writeSendsEveryControlInOrder();
    void writeReportsRefusedStepAndGoesOn_data();
    void writeReportsRefusedStepAndGoesOn();
    void writeCorrectsCrossedRoiBeforeSending_data();
    void writeCorrectsCrossedRoiBeforeSending();

    void resetAppliesDefaultsOnlyWhenAnsweredYes_data();
    void resetAppliesDefaultsOnlyWhenAnsweredYes();
    void resetSaturatesUnusableDefaults_data();
    void resetSaturatesUnusableDefaults();
};

namespace {

const QString port = QStringLiteral("COM3");

// The User read's own entries, from its start line to its end line.
QStringList userReadEntries(const QStringList &log)
{
    const int start = log.indexOf(QStringLiteral("Start Read camera parameters"));
    const int end = log.indexOf(QRegularExpression(QStringLiteral("End Read camera parameters.*")));
    return start < 0 || end < start ? QStringList() : log.mid(start, end - start + 1);
}

nivaro_sim::Registers registersWith(const std::function<void(nivaro_sim::Registers &)> &change)
{
    nivaro_sim::Registers registers;
    change(registers);
    return registers;
}

} // namespace

void tst_UserParameters::readShowsCameraNumbers_data()
{
    QTest::addColumn<uint>("gammaRaw");
    QTest::addColumn<uint>("sharpeningRaw");
    QTest::addColumn<uint>("clheRaw");
    QTest::addColumn<QStringList>("lines"); // gamma, contrast strength, sharpening
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("gamma 1.5, sharpening 300/256, contrast 1500")
        << uint(1.5 * 65536) << 300u << 1500u
        << QStringList {"Gamma value = 1.5", "CLHE value = 1500", "Sharpening value = 1.17188"}
        << QStringList {"gammaSlider=10",     "gammaEdit=1.5",   "sharpeningSlider=12",
                        "sharpeningEdit=1.2", "clheSlider=1500", "clheEdit=1500"};
    QTest::newRow("contrast of two million, beyond the slider")
        << 65536u << 256u << 2000000u
        << QStringList {"Gamma value = 1", "CLHE value = 2e+06", "Sharpening value = 1"}
        << QStringList {"gammaSlider=5",    "gammaEdit=1",      "sharpeningSlider=10",
                        "sharpeningEdit=1", "clheSlider=30000", "clheEdit=30000"};
    QTest::newRow("all zero") << 0u << 0u << 0u
                              << QStringList {"Gamma value = 0", "CLHE value = 0",
                                              "Sharpening value = 0"}
                              << QStringList {"gammaSlider=0",      "gammaEdit=0.5",
                                              "sharpeningSlider=0", "sharpeningEdit=0",
                                              "clheSlider=0",       "clheEdit=0"};
    QTest::newRow("largest words")
        << 0xFFFFFFFFu << 0xFFFFFFFFu << 0xFFFFFFFFu
        << QStringList {"Gamma value = 65536", "CLHE value = 4.29497e+09",
                        "Sharpening value = 1.67772e+07"}
        << QStringList {"gammaSlider=20",   "gammaEdit=2.5",    "sharpeningSlider=40",
                        "sharpeningEdit=4", "clheSlider=30000", "clheEdit=30000"};
    // Words whose single-precision value prints otherwise than their exact quotient.
    QTest::newRow("single precision")
        << 3961248153u << 2407691557u << 1500u
        << QStringList {"Gamma value = 60443.9", "CLHE value = 1500",
                        "Sharpening value = 9.40504e+06"}
        << QStringList {"gammaSlider=20",   "gammaEdit=2.5",   "sharpeningSlider=40",
                        "sharpeningEdit=4", "clheSlider=1500", "clheEdit=1500"};
}

void tst_UserParameters::readShowsCameraNumbers()
{
    QFETCH(uint, gammaRaw);
    QFETCH(uint, sharpeningRaw);
    QFETCH(uint, clheRaw);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shown);

    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.gamma = gammaRaw;
    registers.sharpening = sharpeningRaw;
    registers.clhe = clheRaw;
    auto window = sdk.makeConnectedWindow(port, scriptWithRegisters(registers));
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(*window, "readParamButtonUser");

    QCOMPARE(sdk.logTextsSince(mark).mid(2, 3), lines);
    QCOMPARE(showing(*window, shown), shown);
}

void tst_UserParameters::readShowsVersionDigits_data()
{
    QTest::addColumn<int>("riscv");
    QTest::addColumn<int>("fpga");
    QTest::addColumn<QString>("entry");

    QTest::newRow("hexadecimal digit a")
        << 0x1230 << 0x04A0 << "RISC-V version = 1.2.3\nFPGA version = 0.4.a";
    QTest::newRow("one word zero still reads")
        << 0x0000 << 0x0120 << "RISC-V version = 0.0.0\nFPGA version = 0.1.2";
    QTest::newRow("low nibble not shown")
        << 0xFEDC << 0xBA98 << "RISC-V version = f.e.d\nFPGA version = b.a.9";
}

void tst_UserParameters::readShowsVersionDigits()
{
    QFETCH(int, riscv);
    QFETCH(int, fpga);
    QFETCH(QString, entry);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.riscvVersion = uint16_t(riscv);
    script.fpgaVersion = uint16_t(fpga);
    auto window = sdk.makeConnectedWindow(port, script);

    // One SDK record holding both lines; the pane shows them as two.
    const QStringList read = userReadEntries(sdk.logTexts());
    QCOMPARE(read.size(), 18);
    QCOMPARE(read.value(1), entry);
    QCOMPARE(read.value(17), QStringLiteral("End Read camera parameters"));
    QVERIFY(child<QPlainTextEdit>(*window, "logView")->toPlainText().contains(entry + "\n"));
}

void tst_UserParameters::readLogsEveryValueInOrder()
{
    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.gamma = 2 * 65536;
    registers.clhe = 1234;
    registers.sharpening = 512;
    registers.roiX1 = 10;
    registers.roiY1 = 20;
    registers.roiX2 = 1000;
    registers.roiY2 = 900;
    registers.polarity = true;
    registers.zoom = {2.5f, 700, 400, 1};
    registers.contrastType = 1;
    registers.nucEnabled = 2;
    registers.horizontalFlip = true;
    registers.verticalFlip = false;
    registers.vignettingCorrection = true;
    registers.columnCorrection = false;
    auto window = sdk.makeConnectedWindow(port, scriptWithRegisters(registers));

    const QStringList expected = {
        "Start Read camera parameters",
        "RISC-V version = 1.2.3\nFPGA version = 0.4.a",
        "Gamma value = 2",
        "CLHE value = 1234",
        "Sharpening value = 2",
        "ROI X1 value = 10",
        "ROI Y1 value = 20",
        "ROI X2 value = 1000",
        "ROI Y2 value = 900",
        "Polarity value = 1",
        "ZOOM factor value = 2.5",
        "Contrast type = CLAHE (LOCAL)",
        "NUC state = Enabled",
        "Horizontal value = 1",
        "vertical value = 0",
        "Vignetting Correction state = Enabled",
        "Column Correction state = Disabled",
        "End Read camera parameters",
    };
    QCOMPARE(userReadEntries(sdk.logTexts()), expected);

    const QStringList shown = {"x1RoiEdit=10",
                               "y1RoiEdit=20",
                               "x2RoiEdit=1000",
                               "y2RoiEdit=900",
                               "polarityCheckBox=checked",
                               "factorZoomEdit=2.5",
                               "methodZoomEdit=Bilinear",
                               "xCenterZoomEdit=700",
                               "yCenterZoomEdit=400",
                               "contrastTypeEdit=CLAHE (Local)",
                               "userNucCheckBox=checked",
                               "horizontalFlipCheckBox=checked",
                               "verticalFlipCheckBox=unchecked",
                               "VignettingCorrectionCheckBox=checked",
                               "ColumnCorrectionCheckBox=unchecked"};
    QCOMPARE(showing(*window, shown), shown);
}

void tst_UserParameters::readLogsEachValueAsItsLine_data()
{
    QTest::addColumn<nivaro_sim::Registers>("registers");
    QTest::addColumn<int>("entry"); // among the read's entries, its start line being 0
    QTest::addColumn<QString>("line");

    const auto zoom = [](float factor) {
        return registersWith([factor](nivaro_sim::Registers &r) { r.zoom.zoomFactor = factor; });
    };
    QTest::newRow("zoom factor, six digits")
        << zoom(123456.0f) << 10 << "ZOOM factor value = 123456";
    QTest::newRow("zoom factor, seven digits")
        << zoom(1234567.0f) << 10 << "ZOOM factor value = 1.23457e+06";
    QTest::newRow("zoom factor, smallest fixed form")
        << zoom(0.0001f) << 10 << "ZOOM factor value = 0.0001";
    QTest::newRow("zoom factor, exponent below -4")
        << zoom(0.00001f) << 10 << "ZOOM factor value = 1e-05";
    QTest::newRow("zoom factor, trailing zeros dropped")
        << zoom(2.5f) << 10 << "ZOOM factor value = 2.5";

    const auto contrast = [](uint8_t type) {
        return registersWith([type](nivaro_sim::Registers &r) { r.contrastType = type; });
    };
    QTest::newRow("contrast type 0") << contrast(0) << 11 << "Contrast type = CLHE (ROI)";
    QTest::newRow("contrast type 1") << contrast(1) << 11 << "Contrast type = CLAHE (LOCAL)";
    QTest::newRow("contrast type 2, beyond the items")
        << contrast(2) << 11 << "Contrast type = CLAHE (LOCAL)";
}

void tst_UserParameters::readLogsEachValueAsItsLine()
{
    QFETCH(nivaro_sim::Registers, registers);
    QFETCH(int, entry);
    QFETCH(QString, line);

    SimulatedSdk sdk;
    sdk.makeConnectedWindow(port, scriptWithRegisters(registers));
    QCOMPARE(userReadEntries(sdk.logTexts()).value(entry), line);
}

void tst_UserParameters::readKeepsZoomControlsWhenRecordUnfilled()
{
    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.zoom = {4.0f, 100, 200, 1};
    nivaro_sim::CameraScript script = scriptWithRegisters(registers);
    // The camera stops answering right before GetZoom of the connection's read.
    const QStringList answered
        = {"GetCameraType", "GetVersions", "BeginRead", "GetGamma", "GetClhe",    "GetSharpening",
           "GetRoiX1",      "GetRoiY1",    "GetRoiX2",  "GetRoiY2", "GetPolarity"};
    script.silentAfterCalls = answered.size();
    auto window = sdk.makeConnectedWindow(port, script);

    const QStringList trace = sdk.traceSince({});
    QVERIFY(trace.contains(QStringLiteral("camera[COM3].GetZoom(out unfilled)")));
    QVERIFY(userReadEntries(sdk.logTexts()).contains(QStringLiteral("ZOOM factor value = 1")));
    const QStringList shown
        = {"factorZoomEdit=1", "methodZoomEdit=0", "xCenterZoomEdit=640", "yCenterZoomEdit=512"};
    QCOMPARE(showing(*window, shown), shown);
}

void tst_UserParameters::readOfSilentCameraStopsAfterVersions()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.silentAfterCalls = 1; // the camera type still answers
    ModalAnswerer answerer;
    auto window = sdk.makeConnectedWindow(port, script);

    QCOMPARE(
        userReadEntries(sdk.logTexts()),
        QStringList({"Start Read camera parameters", "End Read camera parameters : COM Error"}));
    QCOMPARE(answerer.shown(),
             QList<Box> {Box::about("Camera not connected", "Unable to connect to COM3")});
    const QStringList operations = SimulatedSdk::operations(sdk.traceSince({}));
    QVERIFY(operations.contains(QStringLiteral("camera[COM3].GetVersions")));
    QVERIFY(!operations.contains(QStringLiteral("camera[COM3].BeginRead")));
    QVERIFY(!operations.contains(QStringLiteral("camera[COM3].GetGamma")));
    QCOMPARE(showing(*window, {"gammaEdit=0.5", "x1RoiEdit=5"}),
             QStringList({"gammaEdit=0.5", "x1RoiEdit=5"}));
}

void tst_UserParameters::writeSendsEveryControlInOrder()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    setControls(*window,
                {"gammaEdit=1.1", "clheEdit=1234", "sharpeningEdit=2.3", "x1RoiEdit=10",
                 "y1RoiEdit=20", "x2RoiEdit=1000", "y2RoiEdit=900", "polarityCheckBox=checked",
                 "factorZoomEdit=2.5", "xCenterZoomEdit=700", "yCenterZoomEdit=400",
                 "methodZoomEdit=1", "contrastTypeEdit=1", "userNucCheckBox=checked",
                 "horizontalFlipCheckBox=checked", "verticalFlipCheckBox=unchecked",
                 "VignettingCorrectionCheckBox=checked", "ColumnCorrectionCheckBox=checked"});
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QCOMPARE(sdk.logTextsSince(mark), writeLines(userWriteSteps));
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)),
             writeCalls(userWriteSteps, port) << "sdk.NotifyParametersApplied");
    QCOMPARE(answerer.shown(), QList<Box>());

    const QStringList sent = {"gamma=72089", // 1.1 x 65536 = 72089.6, the fraction dropped
                              "clhe=1234",
                              "sharpening=588", // 2.3 x 256 = 588.8
                              "roiX1=10",
                              "roiY1=20",
                              "roiX2=1000",
                              "roiY2=900",
                              "polarity=1",
                              "zoom=2.5 700 400 1",
                              "contrastType=1",
                              "nucEnabled=2",
                              "horizontalFlip=1",
                              "verticalFlip=0",
                              "vignettingCorrection=1",
                              "columnCorrection=1"};
    QCOMPARE(holding(sdk.registers(port), sent), sent);
}

void tst_UserParameters::writeReportsRefusedStepAndGoesOn_data()
{
    QTest::addColumn<QString>("refused");
    for (const WriteStep &step : userWriteSteps)
        QTest::newRow(qPrintable(step.setter)) << step.setter;
}

void tst_UserParameters::writeReportsRefusedStepAndGoesOn()
{
    QFETCH(QString, refused);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.refusedSetters = {refused.toStdString()};
    auto window = sdk.makeConnectedWindow(port, script);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QCOMPARE(sdk.logTextsSince(mark), writeLines(userWriteSteps, refused));
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)).last(),
             QStringLiteral("sdk.NotifyParametersApplied"));
    QCOMPARE(answerer.shown(), QList<Box>());
}

void tst_UserParameters::writeCorrectsCrossedRoiBeforeSending_data()
{
    QTest::addColumn<QStringList>("corners"); // in the form before the Write
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("X1 above X2") << QStringList {"x1RoiEdit=900", "y1RoiEdit=20", "x2RoiEdit=400",
                                                 "y2RoiEdit=900"}
                                 << QStringList {"roiX1=400", "roiY1=20", "roiX2=400", "roiY2=900"}
                                 << QStringList {"ROI X1 must be lower than ROI X2"};
    QTest::newRow("Y1 above Y2") << QStringList {"x1RoiEdit=10", "y1RoiEdit=800", "x2RoiEdit=1000",
                                                 "y2RoiEdit=300"}
                                 << QStringList {"roiX1=10", "roiY1=300", "roiX2=1000", "roiY2=300"}
                                 << QStringList {"ROI Y1 must be lower than ROI Y2"};
    QTest::newRow("both crossed")
        << QStringList {"x1RoiEdit=900", "y1RoiEdit=800", "x2RoiEdit=400", "y2RoiEdit=300"}
        << QStringList {"roiX1=400", "roiY1=300", "roiX2=400", "roiY2=300"}
        << QStringList {"ROI X1 must be lower than ROI X2", "ROI Y1 must be lower than ROI Y2"};
    QTest::newRow("equal corners pass")
        << QStringList {"x1RoiEdit=500", "y1RoiEdit=600", "x2RoiEdit=500", "y2RoiEdit=600"}
        << QStringList {"roiX1=500", "roiY1=600", "roiX2=500", "roiY2=600"} << QStringList {};
}

void tst_UserParameters::writeCorrectsCrossedRoiBeforeSending()
{
    QFETCH(QStringList, corners);
    QFETCH(QStringList, sent);
    QFETCH(QStringList, boxes);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    setControls(*window, corners);
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QList<Box> expectedBoxes;
    for (const QString &text : boxes)
        expectedBoxes << Box::about("ROI", text);
    QCOMPARE(answerer.shown(), expectedBoxes);
    QStringList corrected;
    for (int corner = 0; corner < 4; ++corner)
        corrected << corners[corner].section('=', 0, 0) + '=' + sent[corner].section('=', 1);
    QCOMPARE(showing(*window, corrected), corrected);
    QCOMPARE(holding(sdk.registers(port), sent), sent);
    QCOMPARE(sdk.logTexts().mid(sdk.logTexts().size() - userWriteSteps.size()),
             writeLines(userWriteSteps));
}

void tst_UserParameters::resetAppliesDefaultsOnlyWhenAnsweredYes_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("cameraCalls");
    QTest::addColumn<QStringList>("held");

    QTest::newRow("No changes nothing")
        << int(QMessageBox::No) << QStringList {"gammaEdit=2", "contrastTypeEdit=1"}
        << QStringList {} << QStringList {}
        << QStringList {"gamma=65536",  "clhe=1500", "sharpening=256", "contrastType=0",
                        "nucEnabled=0", "gsk=2",     "gms=50"};
    // Whatever the default contrast type, the Reset ends on the ROI algorithm; the Expert
    // defaults reach the form only; the User NUC box is not reset.
    QTest::newRow("Yes applies the defaults and writes")
        << int(QMessageBox::Yes)
        << QStringList {"gammaSlider=15",
                        "gammaEdit=2",
                        "clheSlider=1235",
                        "sharpeningEdit=0.5",
                        "x1RoiEdit=100",
                        "y1RoiEdit=50",
                        "x2RoiEdit=1200",
                        "y2RoiEdit=1000",
                        "factorZoomEdit=2.5",
                        "methodZoomEdit=1",
                        "xCenterZoomEdit=300",
                        "yCenterZoomEdit=200",
                        "contrastTypeEdit=CLHE (ROI)",
                        "polarityCheckBox=checked",
                        "horizontalFlipCheckBox=checked",
                        "verticalFlipCheckBox=checked",
                        "VignettingCorrectionCheckBox=checked",
                        "ColumnCorrectionCheckBox=checked",
                        "userNucCheckBox=checked",
                        "gskSlider=3",
                        "gfidSlider=700",
                        "tintSlider=0",
                        "gmsSlider=60000",
                        "gmsEdit=60000"}
        << writeLines(userWriteSteps) << writeCalls(userWriteSteps, port)
        << QStringList {"gamma=131072", "clhe=1235", "sharpening=128", "contrastType=0",
                        "nucEnabled=2", "gsk=2",     "gms=50"};
}

void tst_UserParameters::resetAppliesDefaultsOnlyWhenAnsweredYes()
{
    QFETCH(int, answer);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, log);
    QFETCH(QStringList, cameraCalls);
    QFETCH(QStringList, held);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    nivaro_sim::ConfigurationValues &defaults = sdk.configuration();
    defaults.gamma = 2.0;
    defaults.clhe = 1234.6;
    defaults.sharpening = 0.54;
    defaults.gsk = 3;
    defaults.gfid = 700;
    defaults.tint = 0;
    defaults.gms = 60000;
    defaults.roiX1 = 100.7;
    defaults.roiY1 = 50;
    defaults.roiX2 = 1200;
    defaults.roiY2 = 1000;
    defaults.polarity = true;
    defaults.zoomFactor = 2.5f;
    defaults.zoomMethod = 1;
    defaults.zoomCenterX = 300;
    defaults.zoomCenterY = 200;
    defaults.contrastType = 1;
    defaults.horizontalFlip = true;
    defaults.verticalFlip = true;
    defaults.vignettingCorrection = true;
    defaults.columnCorrection = true;
    setControls(*window, {"gammaEdit=2", "contrastTypeEdit=1", "userNucCheckBox=checked"});
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer {QMessageBox::StandardButton(answer)};

    SimulatedSdk::click(*window, "resetParamButtonUser");

    QCOMPARE(answerer.shown(), QList<Box> {Box::question("Do you really want to reset settings?")});
    QCOMPARE(showing(*window, shown), shown);
    QCOMPARE(sdk.logTextsSince(mark), log);
    const QStringList operations = SimulatedSdk::operations(sdk.traceSince(mark));
    QCOMPARE(operations.filter(QRegularExpression(QStringLiteral("^camera\\["))), cameraCalls);
    if (answer == QMessageBox::No)
        QCOMPARE(operations, QStringList());
    QCOMPARE(holding(sdk.registers(port), held), held);
}

void tst_UserParameters::resetSaturatesUnusableDefaults_data()
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("gammaPosition");
    QTest::addColumn<int>("clhePosition");
    QTest::addColumn<int>("sharpeningPosition");
    QTest::addColumn<int>("roiX");

    QTest::newRow("not a number") << nan << 0 << 0 << 0 << 5;
    QTest::newRow("far above int") << 1e300 << 20 << 30000 << 40 << 1275;
    QTest::newRow("far below int") << -1e300 << 0 << 0 << 0 << 5;
    QTest::newRow("just above int") << 2147483648.0 << 20 << 30000 << 40 << 1275;
}

void tst_UserParameters::resetSaturatesUnusableDefaults()
{
    QFETCH(double, value);
    QFETCH(int, gammaPosition);
    QFETCH(int, clhePosition);
    QFETCH(int, sharpeningPosition);
    QFETCH(int, roiX);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    nivaro_sim::ConfigurationValues &defaults = sdk.configuration();
    defaults.gamma = value;
    defaults.clhe = value;
    defaults.sharpening = value;
    defaults.roiX1 = value;
    defaults.roiX2 = value;
    ModalAnswerer answerer(QMessageBox::Yes);

    SimulatedSdk::click(*window, "resetParamButtonUser");

    const QStringList shown
        = {QStringLiteral("gammaSlider=%1").arg(gammaPosition),
           QStringLiteral("clheSlider=%1").arg(clhePosition),
           QStringLiteral("sharpeningSlider=%1").arg(sharpeningPosition),
           QStringLiteral("x1RoiEdit=%1").arg(roiX), QStringLiteral("x2RoiEdit=%1").arg(roiX)};
    QCOMPARE(showing(*window, shown), shown);
}

QTEST_MAIN(tst_UserParameters)
#include "tst_userparameters.moc"
