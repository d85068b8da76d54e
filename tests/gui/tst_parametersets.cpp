#include "windowtest.h"

#include <QRegularExpression>

#include <limits>

// The User, Expert and IA parameter sets and the NUC request against a scripted camera: what
// each read shows and logs, what each write sends and logs, what each reset asks and applies.
class tst_ParameterSets : public QObject
{
    Q_OBJECT

private slots:
    void userReadShowsAndLogsCameraValues_data();
    void userReadShowsAndLogsCameraValues();
    void userReadKeepsZoomControlsWhenRecordUnfilled();
    void userReadOfSilentCameraStopsAfterVersions();
    void expertAndIaReadsShowAndLogCameraValues_data();
    void expertAndIaReadsShowAndLogCameraValues();

    void writeSendsEveryStepAndNeverStops_data();
    void writeSendsEveryStepAndNeverStops();
    void expertWriteWithoutCameraStoresIntoConfiguration();

    void resetAppliesDefaultsOnlyWhenAnsweredYes_data();
    void resetAppliesDefaultsOnlyWhenAnsweredYes();

    void nucRequestUpdatesOnlyUserBox_data();
    void nucRequestUpdatesOnlyUserBox();
};

namespace {

const QString port = QStringLiteral("COM3");

// What each set's Write does with the form set below: the calls it sends, one a step, and the
// line it logs for each; 1.1 x 65536 = 72089.6 and 2.3 x 256 = 588.8 lose their fractions.
// clang-format off
const Settings userForm = {
    {"gammaEdit", 1.1}, {"clheEdit", 1234}, {"sharpeningEdit", 2.3}, {"x1RoiEdit", 10},
    {"y1RoiEdit", 20}, {"x2RoiEdit", 1000}, {"y2RoiEdit", 900}, {"polarityCheckBox", true},
    {"factorZoomEdit", 2.5}, {"xCenterZoomEdit", 700}, {"yCenterZoomEdit", 400},
    {"methodZoomEdit", 1}, {"contrastTypeEdit", 1}, {"userNucCheckBox", true},
    {"horizontalFlipCheckBox", true}, {"verticalFlipCheckBox", false},
    {"VignettingCorrectionCheckBox", true}, {"ColumnCorrectionCheckBox", true}};
const QStringList userCalls = {
    "camera[COM3].SetGamma(72089) -> true", "camera[COM3].SetClhe(1234) -> true",
    "camera[COM3].SetSharpening(588) -> true", "camera[COM3].SetRoiX1(10) -> true",
    "camera[COM3].SetRoiY1(20) -> true", "camera[COM3].SetRoiX2(1000) -> true",
    "camera[COM3].SetRoiY2(900) -> true", "camera[COM3].SetPolarity(true) -> true",
    "camera[COM3].ConfigureZoom({zoomFactor=2.5, centerX=700, centerY=400, "
    "interpolationMethod=1}) -> true",
    "camera[COM3].SetContrastType(1) -> true", "camera[COM3].SetNucEnabled(2) -> true",
    "camera[COM3].SetHorizontalFlip(true) -> true", "camera[COM3].SetVerticalFlip(false) -> true",
    "camera[COM3].SetVignettingCorrection(true) -> true",
    "camera[COM3].SetColumnCorrection(true) -> true"};
const QStringList userLines = {
    "Set GAMMA value OK", "Set CLHE value OK", "Set SHARPENING value OK", "Set ROI X1 value OK",
    "Set ROI Y1 value OK", "Set ROI X2 value OK", "Set ROI Y2 value OK", "Set POLARITY value OK",
    "Configure Zoom OK", "Configure contrast type OK", "Enable NUC OK",
    "Set IMAGE horizontal FLIP value OK", "Set IMAGE vertical FLIP value OK",
    "Set vignetting correction value OK", "Set column correction value OK"};
const Settings expertForm = {
    {"gskEdit", 3}, {"gfidEdit", 700}, {"tintEdit", 2}, {"gmsEdit", 60000}, {"BPRCheckBox", false},
    {"offsetCheckBox", true}, {"gainCheckBox", false}, {"nucCheckBox", true}};
const QStringList expertCalls = {
    "camera[COM3].SetGsk(3) -> true", "camera[COM3].SetGfid(700) -> true",
    "camera[COM3].SetTint(2) -> true", "camera[COM3].SetGms(60000) -> true",
    "camera[COM3].SetBpr(false) -> true", "camera[COM3].SetOffsetCorrection(true) -> true",
    "camera[COM3].SetGainCorrection(false) -> true", "camera[COM3].SetNucEnabled(2) -> true"};
const QStringList expertLines = {
    "Set GSK value OK", "Set GFID value OK", "Set TINT value OK", "Set GMS value OK",
    "Set BPR value OK", "Set Offset correction value OK", "Set Gain correction value OK",
    "Enable NUC OK"};
// clang-format on

// The five IA values in the record's order, as the controls show them, and as the camera's
// registers and the configuration's defaults, which share their names.
Settings iaControls(const QList<int> &v)
{
    return {{"iAResizeModeComboBox", v[0]},
            {"nbBoxesSpinBox", v[1]},
            {"iASensitivitySpinBox", v[2]},
            {"interOverUnionSpinBox", v[3]},
            {"iAOutputTypeComboBox", v[4]}};
}

Settings record(const QList<int> &v)
{
    return {{"iaResizeMode", v[0]},
            {"iaMaxBoxes", v[1]},
            {"iaSensitivity", v[2]},
            {"iaIou", v[3]},
            {"iaOutputType", v[4]}};
}

// The User read's own entries, from its start line to its end line.
QStringList userReadEntries(const QStringList &log)
{
    const int start = log.indexOf(QStringLiteral("Start Read camera parameters"));
    const int end = log.indexOf(QRegularExpression(QStringLiteral("End Read camera parameters.*")));
    return start < 0 || end < start ? QStringList() : log.mid(start, end - start + 1);
}

} // namespace

void tst_ParameterSets::userReadShowsAndLogsCameraValues_data()
{
    QTest::addColumn<Settings>("camera"); // its registers and firmware words
    QTest::addColumn<int>("first"); // the read entry the lines start at, the start line being 0
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Settings>("shown");

    // clang-format off
    QTest::newRow("every value in order")
        << Settings {{"gamma", 131072}, {"clhe", 1234}, {"sharpening", 512}, {"roiX1", 10},
                     {"roiY1", 20}, {"roiX2", 1000}, {"roiY2", 900}, {"polarity", 1},
                     {"zoomFactor", 2.5}, {"zoomCenterX", 700}, {"zoomCenterY", 400},
                     {"zoomMethod", 1}, {"contrastType", 1}, {"nucEnabled", 2},
                     {"horizontalFlip", 1}, {"verticalFlip", 0}, {"vignettingCorrection", 1},
                     {"columnCorrection", 0}}
        << 0
        << QStringList {"Start Read camera parameters",
                        "RISC-V version = 1.2.3\nFPGA version = 0.4.a",
                        "Gamma value = 2", "CLHE value = 1234", "Sharpening value = 2",
                        "ROI X1 value = 10", "ROI Y1 value = 20", "ROI X2 value = 1000",
                        "ROI Y2 value = 900", "Polarity value = 1", "ZOOM factor value = 2.5",
                        "Contrast type = CLAHE (LOCAL)", "NUC state = Enabled",
                        "Horizontal value = 1", "vertical value = 0",
                        "Vignetting Correction state = Enabled",
                        "Column Correction state = Disabled", "End Read camera parameters"}
        << Settings {{"x1RoiEdit", 10}, {"y1RoiEdit", 20}, {"x2RoiEdit", 1000},
                     {"y2RoiEdit", 900}, {"polarityCheckBox", true}, {"factorZoomEdit", 2.5},
                     {"methodZoomEdit", "Bilinear"}, {"xCenterZoomEdit", 700},
                     {"yCenterZoomEdit", 400}, {"contrastTypeEdit", "CLAHE (Local)"},
                     {"userNucCheckBox", true}, {"horizontalFlipCheckBox", true},
                     {"verticalFlipCheckBox", false}, {"VignettingCorrectionCheckBox", true},
                     {"ColumnCorrectionCheckBox", false}};

    // Gamma, contrast strength and sharpening: the camera's words, the numbers their lines
    // hold, and the slider positions and spin box values nearest to them.
    const auto numbers = [](const char *name, const QList<double> &words,
                            const QStringList &logged, const QList<int> &at,
                            const QList<double> &values) {
        QTest::newRow(name)
            << Settings {{"gamma", words[0]}, {"clhe", words[1]}, {"sharpening", words[2]}} << 2
            << QStringList {"Gamma value = " + logged[0], "CLHE value = " + logged[1],
                            "Sharpening value = " + logged[2]}
            << Settings {{"gammaSlider", at[0]}, {"clheSlider", at[1]}, {"sharpeningSlider", at[2]},
                         {"gammaEdit", values[0]}, {"clheEdit", values[1]},
                         {"sharpeningEdit", values[2]}};
    };
    numbers("gamma 1.5, sharpening 300/256, contrast 1500", {98304, 1500, 300},
            {"1.5", "1500", "1.17188"}, {10, 1500, 12}, {1.5, 1500, 1.2});
    numbers("contrast of two million, beyond the slider", {65536, 2000000, 256},
            {"1", "2e+06", "1"}, {5, 30000, 10}, {1, 30000, 1});
    numbers("all zero", {0, 0, 0}, {"0", "0", "0"}, {0, 0, 0}, {0.5, 0, 0});
    numbers("largest words", {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
            {"65536", "4.29497e+09", "1.67772e+07"}, {20, 30000, 40}, {2.5, 30000, 4});
    // Words whose single-precision value prints otherwise than their exact quotient.
    numbers("single precision", {3961248153, 1500, 2407691557}, {"60443.9", "1500", "9.40504e+06"},
            {20, 1500, 40}, {2.5, 1500, 4});

    // One SDK record holding both version lines; the pane shows them as two.
    const auto line = [](const char *name, const Settings &camera, int first, const QString &line) {
        QTest::newRow(name) << camera << first << QStringList {line} << Settings {};
    };
    line("versions, hexadecimal digit a", {{"riscvVersion", 0x1230}, {"fpgaVersion", 0x04A0}}, 1,
         "RISC-V version = 1.2.3\nFPGA version = 0.4.a");
    line("versions, one word zero still reads", {{"riscvVersion", 0}, {"fpgaVersion", 0x0120}}, 1,
         "RISC-V version = 0.0.0\nFPGA version = 0.1.2");
    line("versions, low nibble not shown", {{"riscvVersion", 0xFEDC}, {"fpgaVersion", 0xBA98}}, 1,
         "RISC-V version = f.e.d\nFPGA version = b.a.9");
    const auto zoom = [&line](const char *name, double factor, const QString &shown) {
        line(name, {{"zoomFactor", factor}}, 10, "ZOOM factor value = " + shown);
    };
    zoom("zoom factor, six digits", 123456, "123456");
    zoom("zoom factor, seven digits", 1234567, "1.23457e+06");
    zoom("zoom factor, smallest fixed form", 0.0001, "0.0001");
    zoom("zoom factor, exponent below -4", 0.00001, "1e-05");
    zoom("zoom factor, trailing zeros dropped", 2.5, "2.5");
    const auto contrast = [&line](const char *name, int type, const QString &shown) {
        line(name, {{"contrastType", type}}, 11, "Contrast type = " + shown);
    };
    contrast("contrast type 0", 0, "CLHE (ROI)");
    contrast("contrast type 1", 1, "CLAHE (LOCAL)");
    contrast("contrast type 2, beyond the items", 2, "CLAHE (LOCAL)");
    // clang-format on
}

void tst_ParameterSets::userReadShowsAndLogsCameraValues()
{
    QFETCH(Settings, camera);
    QFETCH(int, first);
    QFETCH(QStringList, lines);
    QFETCH(Settings, shown);

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

void tst_ParameterSets::userReadKeepsZoomControlsWhenRecordUnfilled()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script = scriptWith(
        {{"zoomFactor", 4}, {"zoomCenterX", 100}, {"zoomCenterY", 200}, {"zoomMethod", 1}});
    // The camera stops answering right before GetZoom of the connection's read: after the type
    // query, the versions, BeginRead, three numbers, four corners and the polarity.
    script.silentAfterCalls = 11;
    auto window = sdk.makeConnectedWindow(port, script);

    QVERIFY(sdk.traceSince({}).contains(QStringLiteral("camera[COM3].GetZoom(out unfilled)")));
    QVERIFY(userReadEntries(sdk.logTexts()).contains(QStringLiteral("ZOOM factor value = 1")));
    const Settings shown = {{"factorZoomEdit", 1},
                            {"methodZoomEdit", 0},
                            {"xCenterZoomEdit", 640},
                            {"yCenterZoomEdit", 512}};
    QCOMPARE(showing(*window, shown), shown);
}

void tst_ParameterSets::userReadOfSilentCameraStopsAfterVersions()
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
    const Settings unchanged = {{"gammaEdit", 0.5}, {"x1RoiEdit", 5}};
    QCOMPARE(showing(*window, unchanged), unchanged);
}

void tst_ParameterSets::expertAndIaReadsShowAndLogCameraValues_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<Settings>("camera"); // its registers
    QTest::addColumn<bool>("iaReadFails");
    QTest::addColumn<Settings>("before"); // the form before the read
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<Settings>("shown");

    // clang-format off
    // GMS 3000000000 is above the int32 range: the register holds its word, shown unsigned. The
    // GMS slider stops at its configured maximum; the spin box shows the camera's value.
    QTest::newRow("Expert")
        << QByteArray("readParamButtonExpert")
        << Settings {{"gsk", 3}, {"gfid", 700}, {"gms", -1294967296}, {"tint", 2}, {"bpr", 0},
                     {"offsetCorrection", 0}, {"gainCorrection", 1}, {"nucEnabled", 2}}
        << false << Settings {{"BPRCheckBox", true}, {"offsetCheckBox", true}}
        << QStringList {"Start Read camera Expert parameters", "GSK value = 3", "GFID value = 700",
                        "GMS value = 3000000000", "TINT value = 2", "BPR state = Disabled",
                        "OFFSET state = Disabled", "GAIN state = Enabled", "NUC state = Enabled",
                        "End Read camera Expert parameters"}
        << Settings {{"gskSlider", 3}, {"gskEdit", 3}, {"gfidSlider", 700}, {"tintSlider", 2},
                     {"gmsEdit", 3000000000.0}, {"gmsSlider", nivaro_sim::configuration().gmsMax},
                     {"BPRCheckBox", false},
                     {"offsetCheckBox", false}, {"gainCheckBox", true}, {"nucCheckBox", true}};
    // 65 would print as "A" if a byte were streamed as a character.
    QTest::newRow("IA")
        << QByteArray("readIAControls") << record({3, 65, 60, 70, 2}) << false
        << iaControls({0, 0, 0, 0, 0})
        << QStringList {"Start read IA parameters", "IA resize mode = 3", "IA max boxes = 65",
                        "IA sensitivity = 60", "IA InterOU = 70", "IA Output type = 2",
                        "End read IA parameters"}
        << iaControls({3, 65, 60, 70, 2})
               + Settings {{"iAResizeModeComboBox",
                            "IA Enabled 1280x1024 to 416x332 aspect ratio kept"},
                           {"iAOutputTypeComboBox", "OSD informations"}, {"nbBoxesSlider", 65},
                           {"iASensitivitySlider", 60}, {"interOverUnionSlider", 70}};
    QTest::newRow("IA, failed read leaves the controls")
        << QByteArray("readIAControls") << record({3, 65, 60, 70, 2}) << true
        << iaControls({4, 11, 22, 33, 3})
        << QStringList {"Start read IA parameters", "Unable to read IA configuration",
                        "End read IA parameters"}
        << iaControls({4, 11, 22, 33, 3});
    // clang-format on
}

void tst_ParameterSets::expertAndIaReadsShowAndLogCameraValues()
{
    QFETCH(QByteArray, button);
    QFETCH(Settings, camera);
    QFETCH(bool, iaReadFails);
    QFETCH(Settings, before);
    QFETCH(QStringList, log);
    QFETCH(Settings, shown);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script = scriptWith(camera);
    script.iaReadFails = iaReadFails;
    auto window = sdk.makeConnectedWindow(port, script);
    QVERIFY(setControls(*window, before));

    const SimulatedSdk::Clicked read = sdk.clickAndCollect(*window, button.constData());

    QCOMPARE(read.log, log);
    QCOMPARE(read.boxes, QStringList());
    QCOMPARE(showing(*window, shown), shown);
}

void tst_ParameterSets::writeSendsEveryStepAndNeverStops_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<Settings>("form");
    QTest::addColumn<QStringList>("calls"); // what the write sends
    QTest::addColumn<QStringList>("lines"); // and logs, each step refused by its row alone
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<Settings>("after"); // the form

    // A refused step goes by with its KO line: the write neither stops nor rolls back. The
    // User write then tells the SDK; the Expert one only when its last step, NUC, was taken,
    // and a box says otherwise.
    const auto rows = [](const char *set, const char *button, const Settings &form,
                         const QStringList &calls, const QStringList &lines, bool expert) {
        const QString notified = QStringLiteral("sdk.NotifyParametersApplied()");
        const QString problem = box::warning("Problem transmitting expert parameters values\n");
        for (int refused = -1; refused < calls.size(); ++refused) {
            const bool nucRefused = refused == calls.size() - 1;
            QStringList sent = refusedAt(calls, refused);
            if (!expert || !nucRefused)
                sent << notified;
            QTest::addRow("%s, %s refuses", set,
                          refused < 0 ? "no setter" : qPrintable(setterIn(calls[refused])))
                << QByteArray(button) << form << sent << refusedAt(lines, refused)
                << (expert && nucRefused ? QStringList {problem} : QStringList {}) << form;
        }
    };
    rows("User", "applyParamsButtonUser", userForm, userCalls, userLines, false);
    rows("Expert", "applyParamsButtonExpert", expertForm, expertCalls, expertLines, true);
    // The IA write tells the SDK nothing.
    for (const int refused : {-1, 0}) {
        QTest::addRow("IA, %s", refused < 0 ? "accepted" : "refused")
            << QByteArray("applyIAControls") << iaControls({2, 99, 1, 100, 3})
            << refusedAt({"camera[COM3].SetIaConfig({resizeMode=2, maxBoxes=99, sensitivity=1, "
                          "iouThreshold=100, outputType=3}) -> true"},
                         refused)
            << refusedAt({"Set IA config OK"}, refused) << QStringList {}
            << iaControls({2, 99, 1, 100, 3});
    }
    // Each ROI corner is checked against the other right before it is sent: a crossed one is
    // brought onto the other, a box says why, and the corrected value is sent.
    const auto roi = [](const char *name, const QList<int> &corners, const QList<int> &sent,
                        const QStringList &boxes) {
        Settings form = userForm, after = userForm;
        QStringList calls = userCalls;
        for (int corner = 0; corner < 4; ++corner) {
            const int step = 3 + corner; // x1, y1, x2, y2 in the form and in the write
            form[step].value = corners[corner];
            after[step].value = sent[corner];
            calls[step] = QStringLiteral("camera[COM3].SetRoi%1(%2) -> true")
                              .arg(QStringList {"X1", "Y1", "X2", "Y2"}[corner])
                              .arg(sent[corner]);
        }
        QTest::newRow(name) << QByteArray("applyParamsButtonUser") << form
                            << calls + QStringList {"sdk.NotifyParametersApplied()"} << userLines
                            << boxes << after;
    };
    // A GMS beyond the slider's maximum stays in the spin box only while the slider already
    // stands there. The camera gets at most the largest signed word, and refuses what lies
    // beyond its bounds.
    const auto gms = [](const char *name, double typed, const char *sent, bool accepted) {
        Settings form = expertForm;
        form[3] = {"gmsEdit", typed};
        form.insert(3, {"gmsSlider", std::numeric_limits<int>::max()});
        QStringList calls = expertCalls, lines = expertLines;
        calls[3] = QStringLiteral("camera[COM3].SetGms(%1) -> true").arg(sent);
        const int refused = accepted ? -1 : 3;
        QTest::newRow(name) << QByteArray("applyParamsButtonExpert") << form
                            << refusedAt(calls, refused)
                + QStringList {"sdk.NotifyParametersApplied()"}
                            << refusedAt(lines, refused) << QStringList {}
                            << Settings {{"gmsEdit", typed}};
    };
    gms("Expert, GMS within the bounds", 99999, "99999", true);
    gms("Expert, GMS the largest signed word", 2147483647, "2147483647", false);
    gms("Expert, GMS one above", 2147483648.0, "2147483647", false);
    gms("Expert, GMS at the spin box maximum", 4294967296.0, "2147483647", false);
    const QString x1 = box::about("ROI", "ROI X1 must be lower than ROI X2");
    const QString y1 = box::about("ROI", "ROI Y1 must be lower than ROI Y2");
    roi("User, X1 above X2", {900, 20, 400, 900}, {400, 20, 400, 900}, {x1});
    roi("User, Y1 above Y2", {10, 800, 1000, 300}, {10, 300, 1000, 300}, {y1});
    roi("User, both crossed", {900, 800, 400, 300}, {400, 300, 400, 300}, {x1, y1});
    roi("User, equal corners pass", {500, 600, 500, 600}, {500, 600, 500, 600}, {});
}

void tst_ParameterSets::writeSendsEveryStepAndNeverStops()
{
    QFETCH(QByteArray, button);
    QFETCH(Settings, form);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, boxes);
    QFETCH(Settings, after);

    SimulatedSdk sdk;
    const QStringList refused = calls.filter(QStringLiteral(") -> false"));
    auto window = sdk.makeConnectedWindow(port, scriptRefusing(setterIn(refused.value(0))));
    QVERIFY(setControls(*window, form));

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, button.constData());

    QCOMPARE(write.trace, calls);
    QCOMPARE(write.log, lines);
    QCOMPARE(write.boxes, boxes);
    // The form keeps the values the user chose, whatever the camera answered.
    QCOMPARE(showing(*window, after), after);
}

void tst_ParameterSets::expertWriteWithoutCameraStoresIntoConfiguration()
{
    SimulatedSdk sdk;
    auto window = SimulatedSdk::makeWindow();
    QVERIFY(setControls(*window,
                        {{"gskSlider", 3},
                         {"gfidSlider", 800},
                         {"tintSlider", 0},
                         {"gmsSlider", std::numeric_limits<int>::max()},
                         {"gmsEdit", 3e9}}));

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, "applyParamsButtonExpert");

    QCOMPARE(write.boxes, QStringList());
    QCOMPARE(write.log, QStringList());
    QCOMPARE(write.operations(), QStringList {"sdk.GetConfig"});
    nivaro_sdk::INivaroConfig &configuration = nivaro_sim::configuration();
    QCOMPARE(QList<int>({configuration.currentGsk, configuration.currentGfid,
                         configuration.currentTint, configuration.currentGms}),
             QList<int>({3, 800, 0, std::numeric_limits<int32_t>::max()}));

    QVERIFY(setControls(*window, {{"gskSlider", 1}}));
    window->InitParamsExpert();
    const Settings shown = {{"gskSlider", 3}, {"gfidEdit", 800}, {"gmsEdit", 2147483647}};
    QCOMPARE(showing(*window, shown), shown);
}

void tst_ParameterSets::resetAppliesDefaultsOnlyWhenAnsweredYes_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("question");
    QTest::addColumn<Settings>("defaults");
    QTest::addColumn<int>("answer");
    QTest::addColumn<Settings>("shown");
    QTest::addColumn<Settings>("held"); // by the camera afterwards
    QTest::addColumn<QStringList>("lines"); // the write's, after a Yes
    QTest::addColumn<QStringList>("calls"); // on the camera

    const auto row
        = [](const char *name, const char *button, const char *question, const Settings &defaults,
             QMessageBox::StandardButton answer, const Settings &shown, const Settings &held,
             const QStringList &lines, const QStringList &calls) {
              QTest::newRow(name) << QByteArray(button) << question << defaults << int(answer)
                                  << shown << held << lines << calls;
          };
    // clang-format off
    const char *userQuestion = "Do you really want to reset settings?";
    const Settings userDefaults = {
        {"gamma", 2.0}, {"clhe", 1234.6}, {"sharpening", 0.54}, {"gsk", 3}, {"gfid", 700},
        {"tint", 0}, {"gms", 60000}, {"roiX1", 100.7}, {"roiY1", 50}, {"roiX2", 1200},
        {"roiY2", 1000}, {"polarity", 1}, {"zoomFactor", 2.5}, {"zoomMethod", 1},
        {"zoomCenterX", 300}, {"zoomCenterY", 200}, {"contrastType", 1}, {"horizontalFlip", 1},
        {"verticalFlip", 1}, {"vignettingCorrection", 1}, {"columnCorrection", 1}};
    row("User, No changes nothing", "resetParamButtonUser", userQuestion, userDefaults,
        QMessageBox::No, {{"gammaEdit", 2}, {"contrastTypeEdit", 1}},
        {{"gamma", 65536}, {"clhe", 1500}, {"sharpening", 256}, {"contrastType", 0},
         {"nucEnabled", 0}, {"gsk", 2}, {"gms", 50}}, {}, {});
    // Whatever the default contrast type, the Reset ends on the ROI algorithm; the Expert
    // defaults reach the form only; the User NUC box is not reset.
    row("User, Yes applies the defaults and writes", "resetParamButtonUser", userQuestion,
        userDefaults, QMessageBox::Yes,
        {{"gammaSlider", 15}, {"gammaEdit", 2}, {"clheSlider", 1235}, {"sharpeningEdit", 0.5},
         {"x1RoiEdit", 100}, {"y1RoiEdit", 50}, {"x2RoiEdit", 1200}, {"y2RoiEdit", 1000},
         {"factorZoomEdit", 2.5}, {"methodZoomEdit", 1}, {"xCenterZoomEdit", 300},
         {"yCenterZoomEdit", 200}, {"contrastTypeEdit", "CLHE (ROI)"}, {"polarityCheckBox", true},
         {"horizontalFlipCheckBox", true}, {"verticalFlipCheckBox", true},
         {"VignettingCorrectionCheckBox", true}, {"ColumnCorrectionCheckBox", true},
         {"userNucCheckBox", true}, {"gskSlider", 3}, {"gfidSlider", 700}, {"tintSlider", 0},
         {"gmsSlider", 60000}, {"gmsEdit", 60000}},
        {{"gamma", 131072}, {"clhe", 1235}, {"sharpening", 128}, {"contrastType", 0},
         {"nucEnabled", 2}, {"gsk", 2}, {"gms", 50}},
        userLines, SimulatedSdk::operations(userCalls));
    // clang-format on
    // Defaults beyond what the controls hold come to their nearest end, not a wrapped value.
    const auto unusable = [&](const char *name, double value, const Settings &shown) {
        row(name, "resetParamButtonUser", userQuestion,
            {{"gamma", value},
             {"clhe", value},
             {"sharpening", value},
             {"roiX1", value},
             {"roiX2", value}},
            QMessageBox::Yes, shown, {}, userLines, SimulatedSdk::operations(userCalls));
    };
    const Settings lowest = {{"gammaSlider", 0},
                             {"clheSlider", 0},
                             {"sharpeningSlider", 0},
                             {"x1RoiEdit", 5},
                             {"x2RoiEdit", 5}};
    const Settings highest = {{"gammaSlider", 20},
                              {"clheSlider", 30000},
                              {"sharpeningSlider", 40},
                              {"x1RoiEdit", 1275},
                              {"x2RoiEdit", 1275}};
    unusable("User, defaults not a number", std::numeric_limits<double>::quiet_NaN(), lowest);
    unusable("User, defaults far above int", 1e300, highest);
    unusable("User, defaults far below int", -1e300, lowest);
    unusable("User, defaults just above int", 2147483648.0, highest);
    const char *iaQuestion = "Do you really want to reset IA settings?";
    row("IA, No changes nothing", "resetIAControls", iaQuestion, record({4, 7, 80, 30, 1}),
        QMessageBox::No, iaControls({2, 11, 22, 33, 3}), record({1, 10, 50, 50, 0}), {}, {});
    row("IA, Yes sends the defaults", "resetIAControls", iaQuestion, record({4, 7, 80, 30, 1}),
        QMessageBox::Yes, iaControls({4, 7, 80, 30, 1}) + Settings {{"iASensitivitySlider", 80}},
        record({4, 7, 80, 30, 1}), {"Set IA config OK"}, {"camera[COM3].SetIaConfig"});
}

void tst_ParameterSets::resetAppliesDefaultsOnlyWhenAnsweredYes()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, question);
    QFETCH(Settings, defaults);
    QFETCH(int, answer);
    QFETCH(Settings, shown);
    QFETCH(Settings, held);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, calls);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    sdk.setDefaults(defaults);
    const Settings before
        = Settings {{"gammaEdit", 2}, {"contrastTypeEdit", 1}, {"userNucCheckBox", true}}
        + iaControls({2, 11, 22, 33, 3});
    QVERIFY(setControls(*window, before));

    const SimulatedSdk::Clicked reset
        = sdk.clickAndCollect(*window, button.constData(), QMessageBox::StandardButton(answer));

    QCOMPARE(reset.boxes, QStringList {box::question(question)});
    QCOMPARE(showing(*window, shown), shown);
    // Yes writes as the Write button does; No makes no SDK call at all.
    QCOMPARE(reset.log, lines);
    QCOMPARE(reset.operations().filter(QRegularExpression(QStringLiteral("^camera\\["))), calls);
    if (answer == QMessageBox::No)
        QCOMPARE(reset.trace, QStringList());
    QCOMPARE(holding(sdk.registers(port), held), held);
}

void tst_ParameterSets::nucRequestUpdatesOnlyUserBox_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("camera"); // how it answers the request
    QTest::addColumn<bool>("userBefore"); // the User tab's NUC box before the request
    QTest::addColumn<bool>("expertBefore"); // the Expert tab's, which no request changes
    QTest::addColumn<bool>("userAfter");
    QTest::addColumn<QStringList>("boxes");

    const auto row = [](const char *name, const char *button, const char *camera, bool userBefore,
                        bool expertBefore, bool userAfter, const QStringList &boxes) {
        QTest::newRow(name) << QByteArray(button) << QByteArray(camera) << userBefore
                            << expertBefore << userAfter << boxes;
    };
    row("Expert tab", "nucRequest", "accepts", false, false, true, {});
    row("User tab", "userNucRequest", "accepts", false, false, true, {});
    // The camera keeps NUC on after a request unless it stops answering right after taking
    // it: then the state read back is "disabled" and the box must say so.
    row("camera silent after taking the request", "nucRequest", "goes silent", true, false, false,
        {});
    // A refused request is followed by its box alone, no state read back.
    row("refused, from the User tab", "userNucRequest", "refuses", false, true, false,
        {box::warning("Error on processing the NUC request")});
}

void tst_ParameterSets::nucRequestUpdatesOnlyUserBox()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, camera);
    QFETCH(bool, userBefore);
    QFETCH(bool, expertBefore);
    QFETCH(bool, userAfter);
    QFETCH(QStringList, boxes);

    nivaro_sim::CameraScript script;
    script.nucRequestFails = camera == "refuses";
    if (camera == "goes silent") {
        SimulatedSdk counting;
        auto window = counting.makeConnectedWindow(port);
        const QStringList operations = SimulatedSdk::operations(counting.traceSince({}));
        script.silentAfterCalls = operations.filter(QStringLiteral("camera[COM3].")).size() + 1;
    }
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port, script);
    QVERIFY(setControls(*window, {{"userNucCheckBox", userBefore}, {"nucCheckBox", expertBefore}}));

    const SimulatedSdk::Clicked request = sdk.clickAndCollect(*window, button.constData());

    const QStringList calls {"camera[COM3].RequestNuc", "camera[COM3].GetNucEnabled"};
    QCOMPARE(request.operations(), calls.mid(0, boxes.isEmpty() ? 2 : 1));
    const Settings after = {{"userNucCheckBox", userAfter}, {"nucCheckBox", expertBefore}};
    QCOMPARE(showing(*window, after), after);
    QCOMPARE(request.log, QStringList());
    QCOMPARE(request.boxes, boxes);
}

QTEST_MAIN(tst_ParameterSets)
#include "tst_parametersets.moc"
