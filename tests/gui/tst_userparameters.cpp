#include "windowtest.h"

#include <QRegularExpression>

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
        << QStringList(
               {"Start Read camera parameters", "RISC-V version = 1.2.3\nFPGA version = 0.4.a",
                "Gamma value = 2", "CLHE value = 1234", "Sharpening value = 2", "ROI X1 value = 10",
                "ROI Y1 value = 20", "ROI X2 value = 1000", "ROI Y2 value = 900",
                "Polarity value = 1", "ZOOM factor value = 2.5", "Contrast type = CLAHE (LOCAL)",
                "NUC state = Enabled", "Horizontal value = 1", "vertical value = 0",
                "Vignetting Correction state = Enabled", "Column Correction state = Disabled",
                "End Read camera parameters"})
        << settings("x1RoiEdit=10, y1RoiEdit=20, x2RoiEdit=1000, y2RoiEdit=900, "
                    "polarityCheckBox=checked, factorZoomEdit=2.5, methodZoomEdit=Bilinear, "
                    "xCenterZoomEdit=700, yCenterZoomEdit=400, contrastTypeEdit=CLAHE (Local), "
                    "userNucCheckBox=checked, horizontalFlipCheckBox=checked, "
                    "verticalFlipCheckBox=unchecked, VignettingCorrectionCheckBox=checked, "
                    "ColumnCorrectionCheckBox=unchecked");

    // Gamma, contrast strength and sharpening, each as the camera's word, the number its line
    // holds and the slider and spin box position nearest to it.
    const auto numbers = [](const char *name, const char *words, const char *logged,
                            const char *slid, const char *typed) {
        const auto each = [](const char *values) { return QString(values).split(' '); };
        const QStringList word = each(words), line = each(logged), slider = each(slid),
                          edit = each(typed);
        QTest::newRow(name) << settings(
            QStringLiteral("gamma=%1, clhe=%2, sharpening=%3").arg(word[0], word[1], word[2]))
                            << 2
                            << QStringList {"Gamma value = " + line[0], "CLHE value = " + line[1],
                                            "Sharpening value = " + line[2]}
                            << settings(QStringLiteral(
                                            "gammaSlider=%1, clheSlider=%2, sharpeningSlider=%3, "
                                            "gammaEdit=%4, clheEdit=%5, sharpeningEdit=%6")
                                            .arg(slider[0], slider[1], slider[2], edit[0], edit[1],
                                                 edit[2]));
    };
    numbers("gamma 1.5, sharpening 300/256, contrast 1500", "98304 1500 300", "1.5 1500 1.17188",
            "10 1500 12", "1.5 1500 1.2");
    numbers("contrast of two million, beyond the slider", "65536 2000000 256", "1 2e+06 1",
            "5 30000 10", "1 30000 1");
    numbers("all zero", "0 0 0", "0 0 0", "0 0 0", "0.5 0 0");
    numbers("largest words", "0xFFFFFFFF 0xFFFFFFFF 0xFFFFFFFF", "65536 4.29497e+09 1.67772e+07",
            "20 30000 40", "2.5 30000 4");
    // Words whose single-precision value prints otherwise than their exact quotient.
    numbers("single precision", "3961248153 1500 2407691557", "60443.9 1500 9.40504e+06",
            "20 1500 40", "2.5 1500 4");

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
    const QStringList read
        = userReadEntries(sdk.clickAndCollect(*window, "readParamButtonUser").log);
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
    QCOMPARE(
        SimulatedSdk::operations(sdk.traceSince({}))
            .filter(QRegularExpression(QStringLiteral("\\.(GetVersions|BeginRead|GetGamma)$"))),
        QStringList {"camera[COM3].GetVersions"});
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
    auto window = sdk.makeConnectedWindow(port, scriptRefusing(refused));
    setControls(*window,
                settings("gammaEdit=1.1, clheEdit=1234, sharpeningEdit=2.3, x1RoiEdit=10, "
                         "y1RoiEdit=20, x2RoiEdit=1000, y2RoiEdit=900, polarityCheckBox=checked, "
                         "factorZoomEdit=2.5, xCenterZoomEdit=700, yCenterZoomEdit=400, "
                         "methodZoomEdit=1, contrastTypeEdit=1, userNucCheckBox=checked, "
                         "horizontalFlipCheckBox=checked, verticalFlipCheckBox=unchecked, "
                         "VignettingCorrectionCheckBox=checked, ColumnCorrectionCheckBox=checked"));

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, "applyParamsButtonUser");

    QCOMPARE(write.log, writeLines(userWriteSteps, refused));
    QCOMPARE(write.operations(), writeCalls(userWriteSteps, port) << "sdk.NotifyParametersApplied");
    QCOMPARE(write.boxes, QStringList());

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

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, "applyParamsButtonUser");

    QStringList expectedBoxes;
    for (const QString &text : boxes)
        expectedBoxes << box::about("ROI", text);
    QCOMPARE(write.boxes, expectedBoxes);
    QStringList corrected;
    for (int corner = 0; corner < 4; ++corner)
        corrected << corners[corner].section('=', 0, 0) + '=' + sent[corner].section('=', 1);
    QCOMPARE(showing(*window, corrected), corrected);
    QCOMPARE(holding(sdk.registers(port), sent), sent);
    QCOMPARE(write.log, writeLines(userWriteSteps));
}

void tst_UserParameters::resetAppliesDefaultsOnlyWhenAnsweredYes_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("held");

    QTest::newRow("No changes nothing")
        << int(QMessageBox::No) << settings("gammaEdit=2, contrastTypeEdit=1")
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
        << settings("gamma=131072, clhe=1235, sharpening=128, contrastType=0, nucEnabled=2, "
                    "gsk=2, gms=50");
}

void tst_UserParameters::resetAppliesDefaultsOnlyWhenAnsweredYes()
{
    QFETCH(int, answer);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, held);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    sdk.setDefaults(
        settings("gamma=2.0, clhe=1234.6, sharpening=0.54, gsk=3, gfid=700, tint=0, "
                 "gms=60000, roiX1=100.7, roiY1=50, roiX2=1200, roiY2=1000, polarity=1, "
                 "zoomFactor=2.5, zoomMethod=1, zoomCenterX=300, zoomCenterY=200, "
                 "contrastType=1, horizontalFlip=1, verticalFlip=1, "
                 "vignettingCorrection=1, columnCorrection=1"));
    setControls(*window, {"gammaEdit=2", "contrastTypeEdit=1", "userNucCheckBox=checked"});

    const SimulatedSdk::Clicked reset
        = sdk.clickAndCollect(*window, "resetParamButtonUser", QMessageBox::StandardButton(answer));

    QCOMPARE(reset.boxes, QStringList {box::question("Do you really want to reset settings?")});
    QCOMPARE(showing(*window, shown), shown);
    // Yes writes as the Write button does; No makes no SDK call at all.
    if (answer == QMessageBox::Yes) {
        QCOMPARE(reset.log, writeLines(userWriteSteps));
        QCOMPARE(reset.operations().filter(QRegularExpression(QStringLiteral("^camera\\["))),
                 writeCalls(userWriteSteps, port));
    } else {
        QCOMPARE(reset.log, QStringList());
        QCOMPARE(reset.trace, QStringList());
    }
    QCOMPARE(holding(sdk.registers(port), held), held);
}

void tst_UserParameters::resetSaturatesUnusableDefaults_data()
{
    QTest::addColumn<QString>("value"); // every one of the defaults below
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("not a number")
        << "nan"
        << settings("gammaSlider=0, clheSlider=0, sharpeningSlider=0, x1RoiEdit=5, x2RoiEdit=5");
    QTest::newRow("far above int")
        << "1e300"
        << settings("gammaSlider=20, clheSlider=30000, sharpeningSlider=40, x1RoiEdit=1275, "
                    "x2RoiEdit=1275");
    QTest::newRow("far below int")
        << "-1e300"
        << settings("gammaSlider=0, clheSlider=0, sharpeningSlider=0, x1RoiEdit=5, x2RoiEdit=5");
    QTest::newRow("just above int")
        << "2147483648"
        << settings("gammaSlider=20, clheSlider=30000, sharpeningSlider=40, x1RoiEdit=1275, "
                    "x2RoiEdit=1275");
}

void tst_UserParameters::resetSaturatesUnusableDefaults()
{
    QFETCH(QString, value);
    QFETCH(QStringList, shown);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    sdk.setDefaults(settings(
        QStringLiteral("gamma=%1, clhe=%1, sharpening=%1, roiX1=%1, roiX2=%1").arg(value)));
    sdk.clickAndCollect(*window, "resetParamButtonUser", QMessageBox::Yes);

    QCOMPARE(showing(*window, shown), shown);
}

QTEST_MAIN(tst_UserParameters)
#include "tst_userparameters.moc"
