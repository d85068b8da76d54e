#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include <cmath>
#include <limits>

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
    void readNamesContrastType_data();
    void readNamesContrastType();
    void readLogsZoomFactorInSixDigits_data();
    void readLogsZoomFactorInSixDigits();
    void readKeepsZoomControlsWhenRecordUnfilled();
    void readOfSilentCameraStopsAfterVersions();
    void readWithoutCameraShowsOnlyTheBox_data();
    void readWithoutCameraShowsOnlyTheBox();

    void writeSendsEveryControlInOrder();
    void writeReportsRefusedStepAndGoesOn_data();
    void writeReportsRefusedStepAndGoesOn();
    void writeCorrectsCrossedRoiBeforeSending_data();
    void writeCorrectsCrossedRoiBeforeSending();
    void writeAndResetWithoutCameraDoNothing();

    void resetAnsweredNoChangesNothing();
    void resetAnsweredYesAppliesDefaultsAndWrites();
    void resetSaturatesUnusableDefaults_data();
    void resetSaturatesUnusableDefaults();
};

namespace {

const QString port = QStringLiteral("COM3");

const QStringList writeLinesOk = {
    "Set GAMMA value OK",
    "Set CLHE value OK",
    "Set SHARPENING value OK",
    "Set ROI X1 value OK",
    "Set ROI Y1 value OK",
    "Set ROI X2 value OK",
    "Set ROI Y2 value OK",
    "Set POLARITY value OK",
    "Configure Zoom OK",
    "Configure contrast type OK",
    "Enable NUC OK",
    "Set IMAGE horizontal FLIP value OK",
    "Set IMAGE vertical FLIP value OK",
    "Set vignetting correction value OK",
    "Set column correction value OK",
};

const QStringList writeOperations = {
    "SetGamma",
    "SetClhe",
    "SetSharpening",
    "SetRoiX1",
    "SetRoiY1",
    "SetRoiX2",
    "SetRoiY2",
    "SetPolarity",
    "ConfigureZoom",
    "SetContrastType",
    "SetNucEnabled",
    "SetHorizontalFlip",
    "SetVerticalFlip",
    "SetVignettingCorrection",
    "SetColumnCorrection",
};

QStringList cameraOperations(const QStringList &names)
{
    QStringList result;
    for (const QString &name : names)
        result << QStringLiteral("camera[%1].%2").arg(port, name);
    return result;
}

// The User read's own entries, from its start line to its end line.
QStringList userReadEntries(const QStringList &log)
{
    const int start = log.indexOf(QStringLiteral("Start Read camera parameters"));
    const int end = log.indexOf(QRegularExpression(QStringLiteral("End Read camera parameters.*")));
    return start < 0 || end < start ? QStringList() : log.mid(start, end - start + 1);
}

} // namespace

void tst_UserParameters::readShowsCameraNumbers_data()
{
    QTest::addColumn<uint>("gammaRaw");
    QTest::addColumn<uint>("sharpeningRaw");
    QTest::addColumn<uint>("clheRaw");
    QTest::addColumn<QString>("gammaLine");
    QTest::addColumn<QString>("sharpeningLine");
    QTest::addColumn<QString>("clheLine");
    QTest::addColumn<int>("gammaPosition");
    QTest::addColumn<double>("gammaShown");
    QTest::addColumn<int>("sharpeningPosition");
    QTest::addColumn<double>("sharpeningShown");
    QTest::addColumn<int>("clhePosition");

    QTest::newRow("gamma 1.5, sharpening 300/256, contrast 1500")
        << uint(1.5 * 65536) << 300u << 1500u << "Gamma value = 1.5"
        << "Sharpening value = 1.17188"
        << "CLHE value = 1500" << 10 << 1.5 << 12 << 1.2 << 1500;
    QTest::newRow("contrast of two million, beyond the slider")
        << 65536u << 256u << 2000000u << "Gamma value = 1"
        << "Sharpening value = 1"
        << "CLHE value = 2e+06" << 5 << 1.0 << 10 << 1.0 << 30000;
    QTest::newRow("all zero") << 0u << 0u << 0u << "Gamma value = 0"
                              << "Sharpening value = 0"
                              << "CLHE value = 0" << 0 << 0.5 << 0 << 0.0 << 0;
    QTest::newRow("largest words")
        << 0xFFFFFFFFu << 0xFFFFFFFFu << 0xFFFFFFFFu << "Gamma value = 65536"
        << "Sharpening value = 1.67772e+07"
        << "CLHE value = 4.29497e+09" << 20 << 2.5 << 40 << 4.0 << 30000;
    // Words whose single-precision value prints otherwise than their exact quotient.
    QTest::newRow("single precision")
        << 3961248153u << 2407691557u << 1500u << "Gamma value = 60443.9"
        << "Sharpening value = 9.40504e+06"
        << "CLHE value = 1500" << 20 << 2.5 << 40 << 4.0 << 1500;
}

void tst_UserParameters::readNamesContrastType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("line");

    QTest::newRow("0") << 0 << "Contrast type = CLHE (ROI)";
    QTest::newRow("1") << 1 << "Contrast type = CLAHE (LOCAL)";
    QTest::newRow("2, beyond the items") << 2 << "Contrast type = CLAHE (LOCAL)";
}

void tst_UserParameters::readNamesContrastType()
{
    QFETCH(int, type);
    QFETCH(QString, line);

    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.contrastType = static_cast<uint8_t>(type);
    sdk.makeConnectedWindow(port, scriptWithRegisters(registers));
    QVERIFY(userReadEntries(sdk.logTexts()).contains(line));
}

void tst_UserParameters::readShowsCameraNumbers()
{
    QFETCH(uint, gammaRaw);
    QFETCH(uint, sharpeningRaw);
    QFETCH(uint, clheRaw);
    QFETCH(QString, gammaLine);
    QFETCH(QString, sharpeningLine);
    QFETCH(QString, clheLine);
    QFETCH(int, gammaPosition);
    QFETCH(double, gammaShown);
    QFETCH(int, sharpeningPosition);
    QFETCH(double, sharpeningShown);
    QFETCH(int, clhePosition);

    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.gamma = gammaRaw;
    registers.sharpening = sharpeningRaw;
    registers.clhe = clheRaw;
    auto window = sdk.makeConnectedWindow(port, scriptWithRegisters(registers));
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(*window, "readParamButtonUser");

    const QStringList log = sdk.logTextsSince(mark);
    QCOMPARE(log.value(2), gammaLine);
    QCOMPARE(log.value(3), clheLine);
    QCOMPARE(log.value(4), sharpeningLine);
    QCOMPARE(child<QSlider>(*window, "gammaSlider")->value(), gammaPosition);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gammaEdit")->value(), gammaShown);
    QCOMPARE(child<QSlider>(*window, "sharpeningSlider")->value(), sharpeningPosition);
    QCOMPARE(child<QDoubleSpinBox>(*window, "sharpeningEdit")->value(), sharpeningShown);
    QCOMPARE(child<QSlider>(*window, "clheSlider")->value(), clhePosition);
    QCOMPARE(child<QDoubleSpinBox>(*window, "clheEdit")->value(), double(clhePosition));
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

    QCOMPARE(child<QSpinBox>(*window, "x1RoiEdit")->value(), 10);
    QCOMPARE(child<QSpinBox>(*window, "y1RoiEdit")->value(), 20);
    QCOMPARE(child<QSpinBox>(*window, "x2RoiEdit")->value(), 1000);
    QCOMPARE(child<QSpinBox>(*window, "y2RoiEdit")->value(), 900);
    QCOMPARE(child<QCheckBox>(*window, "polarityCheckBox")->checkState(), Qt::Checked);
    QCOMPARE(child<QDoubleSpinBox>(*window, "factorZoomEdit")->value(), 2.5);
    QCOMPARE(child<QComboBox>(*window, "methodZoomEdit")->currentText(),
             QStringLiteral("Bilinear"));
    QCOMPARE(child<QSpinBox>(*window, "xCenterZoomEdit")->value(), 700);
    QCOMPARE(child<QSpinBox>(*window, "yCenterZoomEdit")->value(), 400);
    QCOMPARE(child<QComboBox>(*window, "contrastTypeEdit")->currentText(),
             QStringLiteral("CLAHE (Local)"));
    QCOMPARE(child<QCheckBox>(*window, "userNucCheckBox")->checkState(), Qt::Checked);
    QCOMPARE(child<QCheckBox>(*window, "horizontalFlipCheckBox")->checkState(), Qt::Checked);
    QCOMPARE(child<QCheckBox>(*window, "verticalFlipCheckBox")->checkState(), Qt::Unchecked);
    QCOMPARE(child<QCheckBox>(*window, "VignettingCorrectionCheckBox")->checkState(), Qt::Checked);
    QCOMPARE(child<QCheckBox>(*window, "ColumnCorrectionCheckBox")->checkState(), Qt::Unchecked);
}

void tst_UserParameters::readLogsZoomFactorInSixDigits_data()
{
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("line");

    QTest::newRow("six digits") << 123456.0f << "ZOOM factor value = 123456";
    QTest::newRow("seven digits") << 1234567.0f << "ZOOM factor value = 1.23457e+06";
    QTest::newRow("smallest fixed form") << 0.0001f << "ZOOM factor value = 0.0001";
    QTest::newRow("exponent below -4") << 0.00001f << "ZOOM factor value = 1e-05";
    QTest::newRow("trailing zeros dropped") << 2.5f << "ZOOM factor value = 2.5";
}

void tst_UserParameters::readLogsZoomFactorInSixDigits()
{
    QFETCH(float, factor);
    QFETCH(QString, line);

    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    registers.zoom.zoomFactor = factor;
    auto window = sdk.makeConnectedWindow(port, scriptWithRegisters(registers));

    QCOMPARE(userReadEntries(sdk.logTexts()).value(10), line);
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
    QCOMPARE(child<QDoubleSpinBox>(*window, "factorZoomEdit")->value(), 1.0);
    QCOMPARE(child<QComboBox>(*window, "methodZoomEdit")->currentIndex(), 0);
    QCOMPARE(child<QSpinBox>(*window, "xCenterZoomEdit")->value(), 640);
    QCOMPARE(child<QSpinBox>(*window, "yCenterZoomEdit")->value(), 512);
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
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen().first().title, QStringLiteral("Camera not connected"));
    QCOMPARE(answerer.seen().first().text, QStringLiteral("Unable to connect to COM3"));
    const QStringList operations = SimulatedSdk::operations(sdk.traceSince({}));
    QVERIFY(operations.contains(QStringLiteral("camera[COM3].GetVersions")));
    QVERIFY(!operations.contains(QStringLiteral("camera[COM3].BeginRead")));
    QVERIFY(!operations.contains(QStringLiteral("camera[COM3].GetGamma")));
    QCOMPARE(child<QDoubleSpinBox>(*window, "gammaEdit")->value(), 0.5);
    QCOMPARE(child<QSpinBox>(*window, "x1RoiEdit")->value(), 5);
}

void tst_UserParameters::readWithoutCameraShowsOnlyTheBox_data()
{
    QTest::addColumn<bool>("connectFirst");
    QTest::addColumn<QString>("text");

    QTest::newRow("never connected") << false << "Unable to connect to ";
    QTest::newRow("after a disconnection") << true << "Unable to connect to COM3";
}

void tst_UserParameters::readWithoutCameraShowsOnlyTheBox()
{
    QFETCH(bool, connectFirst);
    QFETCH(QString, text);

    SimulatedSdk sdk;
    auto window = connectFirst ? sdk.makeConnectedWindow(port) : SimulatedSdk::makeWindow();
    if (connectFirst)
        SimulatedSdk::click(*window, "disconnectDeviceButton");
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    QVERIFY(!window->ReadParamsUser());

    QCOMPARE(answerer.seen().size(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Camera not connected"));
    QCOMPARE(box.text, text);
    QVERIFY(box.hasParent);
    QCOMPARE(box.icon, QMessageBox::NoIcon); // an about box shows the window's icon
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
}

void tst_UserParameters::writeSendsEveryControlInOrder()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    child<QDoubleSpinBox>(*window, "gammaEdit")->setValue(1.1);
    child<QDoubleSpinBox>(*window, "clheEdit")->setValue(1234);
    child<QDoubleSpinBox>(*window, "sharpeningEdit")->setValue(2.3);
    child<QSpinBox>(*window, "x1RoiEdit")->setValue(10);
    child<QSpinBox>(*window, "y1RoiEdit")->setValue(20);
    child<QSpinBox>(*window, "x2RoiEdit")->setValue(1000);
    child<QSpinBox>(*window, "y2RoiEdit")->setValue(900);
    child<QCheckBox>(*window, "polarityCheckBox")->setChecked(true);
    child<QDoubleSpinBox>(*window, "factorZoomEdit")->setValue(2.5);
    child<QSpinBox>(*window, "xCenterZoomEdit")->setValue(700);
    child<QSpinBox>(*window, "yCenterZoomEdit")->setValue(400);
    child<QComboBox>(*window, "methodZoomEdit")->setCurrentIndex(1);
    child<QComboBox>(*window, "contrastTypeEdit")->setCurrentIndex(1);
    child<QCheckBox>(*window, "userNucCheckBox")->setChecked(true);
    child<QCheckBox>(*window, "horizontalFlipCheckBox")->setChecked(true);
    child<QCheckBox>(*window, "verticalFlipCheckBox")->setChecked(false);
    child<QCheckBox>(*window, "VignettingCorrectionCheckBox")->setChecked(true);
    child<QCheckBox>(*window, "ColumnCorrectionCheckBox")->setChecked(true);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QCOMPARE(sdk.logTextsSince(mark), writeLinesOk);
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)),
             cameraOperations(writeOperations) << "sdk.NotifyParametersApplied");
    QVERIFY(answerer.seen().isEmpty());

    const nivaro_sim::Registers sent = sdk.registers(port);
    QCOMPARE(sent.gamma, 72089u); // 1.1 x 65536 = 72089.6, the fraction dropped
    QCOMPARE(sent.clhe, 1234u);
    QCOMPARE(sent.sharpening, 588u); // 2.3 x 256 = 588.8
    QCOMPARE(sent.roiX1, 10u);
    QCOMPARE(sent.roiY1, 20u);
    QCOMPARE(sent.roiX2, 1000u);
    QCOMPARE(sent.roiY2, 900u);
    QVERIFY(sent.polarity);
    QCOMPARE(sent.zoom.zoomFactor, 2.5f);
    QCOMPARE(sent.zoom.centerX, 700);
    QCOMPARE(sent.zoom.centerY, 400);
    QCOMPARE(int(sent.zoom.interpolationMethod), 1);
    QCOMPARE(int(sent.contrastType), 1);
    QCOMPARE(int(sent.nucEnabled), 2);
    QVERIFY(sent.horizontalFlip);
    QVERIFY(!sent.verticalFlip);
    QVERIFY(sent.vignettingCorrection);
    QVERIFY(sent.columnCorrection);
}

void tst_UserParameters::writeReportsRefusedStepAndGoesOn_data()
{
    QTest::addColumn<int>("step");
    for (int step = 0; step < writeOperations.size(); ++step)
        QTest::newRow(qPrintable(writeOperations[step])) << step;
}

void tst_UserParameters::writeReportsRefusedStepAndGoesOn()
{
    QFETCH(int, step);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.refusedSetters = {writeOperations[step].toStdString()};
    auto window = sdk.makeConnectedWindow(port, script);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QStringList expected = writeLinesOk;
    expected[step].replace(QStringLiteral(" OK"), QStringLiteral(" KO"));
    QCOMPARE(sdk.logTextsSince(mark), expected);
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)).last(),
             QStringLiteral("sdk.NotifyParametersApplied"));
    QVERIFY(answerer.seen().isEmpty());
}

void tst_UserParameters::writeCorrectsCrossedRoiBeforeSending_data()
{
    QTest::addColumn<QList<int>>("corners"); // x1, y1, x2, y2 in the form
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("X1 above X2") << QList<int> {900, 20, 400, 900} << QList<int> {400, 20, 400, 900}
                                 << QStringList {"ROI X1 must be lower than ROI X2"};
    QTest::newRow("Y1 above Y2") << QList<int> {10, 800, 1000, 300}
                                 << QList<int> {10, 300, 1000, 300}
                                 << QStringList {"ROI Y1 must be lower than ROI Y2"};
    QTest::newRow("both crossed") << QList<int> {900, 800, 400, 300}
                                  << QList<int> {400, 300, 400, 300}
                                  << QStringList {"ROI X1 must be lower than ROI X2",
                                                  "ROI Y1 must be lower than ROI Y2"};
    QTest::newRow("equal corners pass")
        << QList<int> {500, 600, 500, 600} << QList<int> {500, 600, 500, 600} << QStringList {};
}

void tst_UserParameters::writeCorrectsCrossedRoiBeforeSending()
{
    QFETCH(QList<int>, corners);
    QFETCH(QList<int>, sent);
    QFETCH(QStringList, boxes);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    const char *const edits[] = {"x1RoiEdit", "y1RoiEdit", "x2RoiEdit", "y2RoiEdit"};
    for (int corner = 0; corner < 4; ++corner)
        child<QSpinBox>(*window, edits[corner])->setValue(corners[corner]);
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QCOMPARE(answerer.texts(), boxes);
    for (const ModalAnswerer::Seen &box : answerer.seen()) {
        QCOMPARE(box.title, QStringLiteral("ROI"));
        QVERIFY(box.hasParent);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
    }
    for (int corner = 0; corner < 4; ++corner)
        QCOMPARE(child<QSpinBox>(*window, edits[corner])->value(), sent[corner]);
    const nivaro_sim::Registers camera = sdk.registers(port);
    QCOMPARE(
        QList<int>({int(camera.roiX1), int(camera.roiY1), int(camera.roiX2), int(camera.roiY2)}),
        sent);
    QCOMPARE(sdk.logTexts().mid(sdk.logTexts().size() - writeLinesOk.size()), writeLinesOk);
}

void tst_UserParameters::writeAndResetWithoutCameraDoNothing()
{
    SimulatedSdk sdk;
    auto window = SimulatedSdk::makeWindow();
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::Yes);

    window->ApplyParamsUser();
    window->ResetParamsUser();

    QVERIFY(answerer.seen().isEmpty());
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
}

void tst_UserParameters::resetAnsweredNoChangesNothing()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    child<QDoubleSpinBox>(*window, "gammaEdit")->setValue(2.0);
    child<QComboBox>(*window, "contrastTypeEdit")->setCurrentIndex(1);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::No);

    SimulatedSdk::click(*window, "resetParamButtonUser");

    QCOMPARE(answerer.seen().size(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.text, QStringLiteral("Do you really want to reset settings?"));
    QVERIFY(box.title.isEmpty());
    QVERIFY(!box.hasParent);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::No);
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
    QCOMPARE(child<QDoubleSpinBox>(*window, "gammaEdit")->value(), 2.0);
    QCOMPARE(child<QComboBox>(*window, "contrastTypeEdit")->currentIndex(), 1);
}

void tst_UserParameters::resetAnsweredYesAppliesDefaultsAndWrites()
{
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
    child<QCheckBox>(*window, "userNucCheckBox")->setChecked(true);
    const nivaro_sim::Registers before = sdk.registers(port);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::Yes);

    SimulatedSdk::click(*window, "resetParamButtonUser");

    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(sdk.logTextsSince(mark), writeLinesOk);
    QCOMPARE(child<QSlider>(*window, "gammaSlider")->value(), 15);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gammaEdit")->value(), 2.0);
    QCOMPARE(child<QSlider>(*window, "clheSlider")->value(), 1235);
    QCOMPARE(child<QDoubleSpinBox>(*window, "sharpeningEdit")->value(), 0.5);
    QCOMPARE(child<QSpinBox>(*window, "x1RoiEdit")->value(), 100);
    QCOMPARE(child<QSpinBox>(*window, "y1RoiEdit")->value(), 50);
    QCOMPARE(child<QSpinBox>(*window, "x2RoiEdit")->value(), 1200);
    QCOMPARE(child<QSpinBox>(*window, "y2RoiEdit")->value(), 1000);
    QCOMPARE(child<QDoubleSpinBox>(*window, "factorZoomEdit")->value(), 2.5);
    QCOMPARE(child<QComboBox>(*window, "methodZoomEdit")->currentIndex(), 1);
    QCOMPARE(child<QSpinBox>(*window, "xCenterZoomEdit")->value(), 300);
    QCOMPARE(child<QSpinBox>(*window, "yCenterZoomEdit")->value(), 200);
    // Whatever the default contrast type, the Reset ends on the ROI algorithm.
    QCOMPARE(child<QComboBox>(*window, "contrastTypeEdit")->currentText(),
             QStringLiteral("CLHE (ROI)"));
    for (const char *box : {"polarityCheckBox", "horizontalFlipCheckBox", "verticalFlipCheckBox",
                            "VignettingCorrectionCheckBox", "ColumnCorrectionCheckBox"})
        QVERIFY2(child<QCheckBox>(*window, box)->isChecked(), box);

    // The Expert defaults reach the form only.
    QCOMPARE(child<QSlider>(*window, "gskSlider")->value(), 3);
    QCOMPARE(child<QSlider>(*window, "gfidSlider")->value(), 700);
    QCOMPARE(child<QSlider>(*window, "tintSlider")->value(), 0);
    QCOMPARE(child<QSlider>(*window, "gmsSlider")->value(), 60000);
    QCOMPARE(child<QDoubleSpinBox>(*window, "gmsEdit")->value(), 60000.0);
    const QStringList operations = SimulatedSdk::operations(sdk.traceSince(mark));
    for (const char *expert : {"SetGsk", "SetGfid", "SetTint", "SetGms"})
        QVERIFY2(!operations.contains(QStringLiteral("camera[COM3].") + expert), expert);

    const nivaro_sim::Registers after = sdk.registers(port);
    QCOMPARE(after.gamma, 2u * 65536u);
    QCOMPARE(after.clhe, 1235u);
    QCOMPARE(after.sharpening, 128u);
    QCOMPARE(int(after.contrastType), 0);
    QCOMPARE(int(after.nucEnabled), 2); // the User NUC box is not reset
    QCOMPARE(after.gsk, before.gsk);
    QCOMPARE(after.gms, before.gms);
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

    QCOMPARE(child<QSlider>(*window, "gammaSlider")->value(), gammaPosition);
    QCOMPARE(child<QSlider>(*window, "clheSlider")->value(), clhePosition);
    QCOMPARE(child<QSlider>(*window, "sharpeningSlider")->value(), sharpeningPosition);
    QCOMPARE(child<QSpinBox>(*window, "x1RoiEdit")->value(), roiX);
    QCOMPARE(child<QSpinBox>(*window, "x2RoiEdit")->value(), roiX);
}

QTEST_MAIN(tst_UserParameters)
#include "tst_userparameters.moc"
