#include "windowtest.h"

#include <QRegularExpression>

#include <limits>

// The User tab's Read, Write and Reset against a scripted camera.
class tst_UserParameters : public QObject
{
    Q_OBJECT

private slots:
    void readShowsAndLogsCameraValues_data();
    void readShowsAndLogsCameraValues();
    void readKeepsZoomControlsWhenRecordUnfilled();
    void readOfSilentCameraStopsAfterVersions();

    void writeSendsEveryControlInOrder_data();
    void writeSendsEveryControlInOrder();
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

} // namespace

void tst_UserParameters::readShowsAndLogsCameraValues_data()
{
    QTest::addColumn<QStringList>("camera"); // its registers and firmware words
    QTest::addColumn<int>("first"); // the read entry the lines start at, the start line being 0
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("every value in order")
        << settings("gamma=131072, clhe=1234, sharpening=512, roiX1=10, roiY1=20, roiX2=1000, "
                    "roiY2=900, polarity=1, zoomFactor=2.5, zoomCenterX=700, zoomCenterY=400, "
                    "zoomMethod=1, contrastType=1, nucEnabled=2, horizontalFlip=1, verticalFlip=0, "
                    "vignettingCorrection=1, columnCorrection=0")
        << 0
        << QStringList {"Start Read camera parameters",
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
                        "End Read camera parameters"}
        << settings("x1RoiEdit=10, y1RoiEdit=20, x2RoiEdit=1000, y2RoiEdit=900, "
                    "polarityCheckBox=checked, factorZoomEdit=2.5, methodZoomEdit=Bilinear, "
                    "xCenterZoomEdit=700, yCenterZoomEdit=400, contrastTypeEdit=CLAHE (Local), "
                    "userNucCheckBox=checked, horizontalFlipCheckBox=checked, "
                    "verticalFlipCheckBox=unchecked, VignettingCorrectionCheckBox=checked, "
                    "ColumnCorrectionCheckBox=unchecked");

    // Gamma, contrast strength and sharpening: the line holds the camera's number, the form the
    // slider position nearest to it.
    const auto numbers
        = [](const char *name, const char *camera, const QStringList &lines, const char *shown) {
              QTest::newRow(name) << settings(camera) << 2 << lines << settings(shown);
          };
    numbers("gamma 1.5, sharpening 300/256, contrast 1500",
            "gamma=98304, sharpening=300, clhe=1500",
            {"Gamma value = 1.5", "CLHE value = 1500", "Sharpening value = 1.17188"},
            "gammaSlider=10, gammaEdit=1.5, sharpeningSlider=12, sharpeningEdit=1.2, "
            "clheSlider=1500, clheEdit=1500");
    numbers("contrast of two million, beyond the slider",
            "gamma=65536, sharpening=256, clhe=2000000",
            {"Gamma value = 1", "CLHE value = 2e+06", "Sharpening value = 1"},
            "gammaSlider=5, gammaEdit=1, sharpeningSlider=10, sharpeningEdit=1, "
            "clheSlider=30000, clheEdit=30000");
    numbers("all zero", "gamma=0, sharpening=0, clhe=0",
            {"Gamma value = 0", "CLHE value = 0", "Sharpening value = 0"},
            "gammaSlider=0, gammaEdit=0.5, sharpeningSlider=0, sharpeningEdit=0, clheSlider=0, "
            "clheEdit=0");
    numbers("largest words", "gamma=0xFFFFFFFF, sharpening=0xFFFFFFFF, clhe=0xFFFFFFFF",
            {"Gamma value = 65536", "CLHE value = 4.29497e+09", "Sharpening value = 1.67772e+07"},
            "gammaSlider=20, gammaEdit=2.5, sharpeningSlider=40, sharpeningEdit=4, "
            "clheSlider=30000, clheEdit=30000");
    // Words whose single-precision value prints otherwise than their exact quotient.
    numbers("single precision", "gamma=3961248153, sharpening=2407691557, clhe=1500",
            {"Gamma value = 60443.9", "CLHE value = 1500", "Sharpening value = 9.40504e+06"},
            "gammaSlider=20, gammaEdit=2.5, sharpeningSlider=40, sharpeningEdit=4, "
            "clheSlider=1500, clheEdit=1500");

    // One SDK record holding both version lines; the pane shows them as two.
    const auto line = [](const char *name, const char *camera, int first, const QString &line) {
        QTest::newRow(name) << settings(camera) << first << QStringList {line} << QStringList {};
    };
    line("versions, hexadecimal digit a", "riscvVersion=0x1230, fpgaVersion=0x04A0", 1,
         "RISC-V version = 1.2.3\nFPGA version = 0.4.a");
    line("versions, one word zero still reads", "riscvVersion=0, fpgaVersion=0x0120", 1,
         "RISC-V version = 0.0.0\nFPGA version = 0.1.2");
    line("versions, low nibble not shown", "riscvVersion=0xFEDC, fpgaVersion=0xBA98", 1,
         "RISC-V version = f.e.d\nFPGA version = b.a.9");
    line("zoom factor, six digits", "zoomFactor=123456", 10, "ZOOM factor value = 123456");
    line("zoom factor, seven digits", "zoomFactor=1234567", 10, "ZOOM factor value = 1.23457e+06");
    line("zoom factor, smallest fixed form", "zoomFactor=0.0001", 10, "ZOOM factor value = 0.0001");
    line("zoom factor, exponent below -4", "zoomFactor=0.00001", 10, "ZOOM factor value = 1e-05");
    line("zoom factor, trailing zeros dropped", "zoomFactor=2.5", 10, "ZOOM factor value = 2.5");
    line("contrast type 0", "contrastType=0", 11, "Contrast type = CLHE (ROI)");
    line("contrast type 1", "contrastType=1", 11, "Contrast type = CLAHE (LOCAL)");
    line("contrast type 2, beyond the items", "contrastType=2", 11,
         "Contrast type = CLAHE (LOCAL)");
}

void tst_UserParameters::readShowsAndLogsCameraValues()
{
    QFETCH(QStringList, camera);
    QFETCH(int, first);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shown);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port, scriptWith(camera));
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(*window, "readParamButtonUser");

    const QStringList read = userReadEntries(sdk.logTextsSince(mark));
    QCOMPARE(read.size(), 18);
    QCOMPARE(read.last(), QStringLiteral("End Read camera parameters"));
    QCOMPARE(read.mid(first, lines.size()), lines);
    QCOMPARE(showing(*window, shown), shown);
    const QString pane = child<QPlainTextEdit>(*window, "logView")->toPlainText();
    for (const QString &line : lines)
        QVERIFY2(pane.contains(line + "\n"), qPrintable(line));
}

void tst_UserParameters::readKeepsZoomControlsWhenRecordUnfilled()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script
        = scriptWith(settings("zoomFactor=4, zoomCenterX=100, zoomCenterY=200, zoomMethod=1"));
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
             QStringList {box::about("Camera not connected", "Unable to connect to COM3")});
    const QStringList operations = SimulatedSdk::operations(sdk.traceSince({}));
    QVERIFY(operations.contains(QStringLiteral("camera[COM3].GetVersions")));
    QVERIFY(!operations.contains(QStringLiteral("camera[COM3].BeginRead")));
    QVERIFY(!operations.contains(QStringLiteral("camera[COM3].GetGamma")));
    QCOMPARE(showing(*window, {"gammaEdit=0.5", "x1RoiEdit=5"}),
             QStringList({"gammaEdit=0.5", "x1RoiEdit=5"}));
}

void tst_UserParameters::writeSendsEveryControlInOrder_data()
{
    QTest::addColumn<QString>("refused"); // the one setter that answers false
    QTest::newRow("every setter accepts") << QString();
    for (const WriteStep &step : userWriteSteps)
        QTest::addRow("%s refuses", qPrintable(step.setter)) << step.setter;
}

void tst_UserParameters::writeSendsEveryControlInOrder()
{
    QFETCH(QString, refused);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.refusedSetters = {refused.toStdString()};
    auto window = sdk.makeConnectedWindow(port, script);
    setControls(*window,
                settings("gammaEdit=1.1, clheEdit=1234, sharpeningEdit=2.3, x1RoiEdit=10, "
                         "y1RoiEdit=20, x2RoiEdit=1000, y2RoiEdit=900, "
                         "polarityCheckBox=checked, factorZoomEdit=2.5, "
                         "xCenterZoomEdit=700, yCenterZoomEdit=400, methodZoomEdit=1, "
                         "contrastTypeEdit=1, userNucCheckBox=checked, "
                         "horizontalFlipCheckBox=checked, verticalFlipCheckBox=unchecked, "
                         "VignettingCorrectionCheckBox=checked, "
                         "ColumnCorrectionCheckBox=checked"));
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyParamsButtonUser");

    QCOMPARE(sdk.logTextsSince(mark), writeLines(userWriteSteps, refused));
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)),
             writeCalls(userWriteSteps, port) << "sdk.NotifyParametersApplied");
    QCOMPARE(answerer.shown(), QStringList());

    // 1.1 x 65536 = 72089.6 and 2.3 x 256 = 588.8: the fractions dropped.
    const QStringList sent = settings(
        "gamma=72089, clhe=1234, sharpening=588, roiX1=10, roiY1=20, roiX2=1000, roiY2=900, "
        "polarity=1, zoomFactor=2.5, zoomCenterX=700, zoomCenterY=400, zoomMethod=1, "
        "contrastType=1, nucEnabled=2, horizontalFlip=1, verticalFlip=0, vignettingCorrection=1, "
        "columnCorrection=1");
    // A refused step goes by with its KO line: the write neither stops nor rolls back.
    if (refused.isEmpty())
        QCOMPARE(holding(sdk.registers(port), sent), sent);
}

void tst_UserParameters::writeCorrectsCrossedRoiBeforeSending_data()
{
    QTest::addColumn<QStringList>("corners"); // in the form before the Write
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("boxes");

    const auto row
        = [](const char *name, const char *corners, const char *sent, const QStringList &boxes) {
              QTest::newRow(name) << settings(corners) << settings(sent) << boxes;
          };
    row("X1 above X2", "x1RoiEdit=900, y1RoiEdit=20, x2RoiEdit=400, y2RoiEdit=900",
        "roiX1=400, roiY1=20, roiX2=400, roiY2=900", {"ROI X1 must be lower than ROI X2"});
    row("Y1 above Y2", "x1RoiEdit=10, y1RoiEdit=800, x2RoiEdit=1000, y2RoiEdit=300",
        "roiX1=10, roiY1=300, roiX2=1000, roiY2=300", {"ROI Y1 must be lower than ROI Y2"});
    row("both crossed", "x1RoiEdit=900, y1RoiEdit=800, x2RoiEdit=400, y2RoiEdit=300",
        "roiX1=400, roiY1=300, roiX2=400, roiY2=300",
        {"ROI X1 must be lower than ROI X2", "ROI Y1 must be lower than ROI Y2"});
    row("equal corners pass", "x1RoiEdit=500, y1RoiEdit=600, x2RoiEdit=500, y2RoiEdit=600",
        "roiX1=500, roiY1=600, roiX2=500, roiY2=600", {});
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

    QStringList expectedBoxes;
    for (const QString &text : boxes)
        expectedBoxes << box::about("ROI", text);
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
        << int(QMessageBox::No) << settings("gammaEdit=2, contrastTypeEdit=1") << QStringList {}
        << QStringList {}
        << settings("gamma=65536, clhe=1500, sharpening=256, contrastType=0, nucEnabled=0, gsk=2, "
                    "gms=50");
    // Whatever the default contrast type, the Reset ends on the ROI algorithm; the Expert
    // defaults reach the form only; the User NUC box is not reset.
    QTest::newRow("Yes applies the defaults and writes")
        << int(QMessageBox::Yes)
        << settings("gammaSlider=15, gammaEdit=2, clheSlider=1235, sharpeningEdit=0.5, "
                    "x1RoiEdit=100, y1RoiEdit=50, x2RoiEdit=1200, y2RoiEdit=1000, "
                    "factorZoomEdit=2.5, methodZoomEdit=1, xCenterZoomEdit=300, "
                    "yCenterZoomEdit=200, contrastTypeEdit=CLHE (ROI), polarityCheckBox=checked, "
                    "horizontalFlipCheckBox=checked, verticalFlipCheckBox=checked, "
                    "VignettingCorrectionCheckBox=checked, ColumnCorrectionCheckBox=checked, "
                    "userNucCheckBox=checked, gskSlider=3, gfidSlider=700, tintSlider=0, "
                    "gmsSlider=60000, gmsEdit=60000")
        << writeLines(userWriteSteps) << writeCalls(userWriteSteps, port)
        << settings("gamma=131072, clhe=1235, sharpening=128, contrastType=0, nucEnabled=2, "
                    "gsk=2, gms=50");
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

    QCOMPARE(answerer.shown(),
             QStringList {box::question("Do you really want to reset settings?")});
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
    QTest::addColumn<double>("value"); // every one of the defaults below
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("not a number")
        << nan
        << settings("gammaSlider=0, clheSlider=0, sharpeningSlider=0, x1RoiEdit=5, x2RoiEdit=5");
    QTest::newRow("far above int")
        << 1e300
        << settings("gammaSlider=20, clheSlider=30000, sharpeningSlider=40, x1RoiEdit=1275, "
                    "x2RoiEdit=1275");
    QTest::newRow("far below int")
        << -1e300
        << settings("gammaSlider=0, clheSlider=0, sharpeningSlider=0, x1RoiEdit=5, x2RoiEdit=5");
    QTest::newRow("just above int")
        << 2147483648.0
        << settings("gammaSlider=20, clheSlider=30000, sharpeningSlider=40, x1RoiEdit=1275, "
                    "x2RoiEdit=1275");
}

void tst_UserParameters::resetSaturatesUnusableDefaults()
{
    QFETCH(double, value);
    QFETCH(QStringList, shown);

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

    QCOMPARE(showing(*window, shown), shown);
}

QTEST_MAIN(tst_UserParameters)
#include "tst_userparameters.moc"
