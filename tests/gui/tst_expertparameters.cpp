#include "windowtest.h"

#include <limits>

// The Expert tab's Write and Read, with and without a camera, and the NUC request
// from either tab.
class tst_ExpertParameters : public QObject
{
    Q_OBJECT

private slots:
    void writeSendsEverySettingThenNotifies_data();
    void writeSendsEverySettingThenNotifies();
    void writeSaturatesGmsToSignedWord_data();
    void writeSaturatesGmsToSignedWord();
    void writeWithoutCameraStoresIntoConfiguration();

    void readShowsAndLogsCameraValues();

    void nucRequestUpdatesOnlyUserBox_data();
    void nucRequestUpdatesOnlyUserBox();
};

namespace {

const QString port = QStringLiteral("COM3");

// A GMS beyond the slider's maximum stays in the spin box only while the slider
// already stands at that maximum.
void typeGms(MainWindow &window, double value)
{
    auto *slider = child<QSlider>(window, "gmsSlider");
    slider->setValue(slider->maximum());
    child<QDoubleSpinBox>(window, "gmsEdit")->setValue(value);
}

} // namespace

void tst_ExpertParameters::writeSendsEverySettingThenNotifies_data()
{
    QTest::addColumn<QString>("refused"); // the one setter that answers false
    QTest::addColumn<bool>("notifies");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("every setter accepts") << QString() << true << QStringList {};
    // Only the last step, NUC, decides the notification and the box.
    for (const WriteStep &step : expertWriteSteps) {
        const bool last = &step == &expertWriteSteps.last();
        QTest::addRow("only %s fails", qPrintable(step.setter))
            << step.setter << !last
            << (last ? QStringList {box::warning("Problem transmitting expert parameters values\n")}
                     : QStringList {});
    }
}

void tst_ExpertParameters::writeSendsEverySettingThenNotifies()
{
    QFETCH(QString, refused);
    QFETCH(bool, notifies);
    QFETCH(QStringList, boxes);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port, scriptRefusing(refused));
    setControls(
        *window,
        settings("gskEdit=3, gfidEdit=700, tintEdit=2, gmsEdit=60000, BPRCheckBox=unchecked, "
                 "offsetCheckBox=checked, gainCheckBox=unchecked, nucCheckBox=checked"));

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, "applyParamsButtonExpert");

    QCOMPARE(write.log, writeLines(expertWriteSteps, refused));
    QStringList calls = writeCalls(expertWriteSteps, port);
    if (notifies)
        calls << QStringLiteral("sdk.NotifyParametersApplied");
    QCOMPARE(write.operations(), calls);
    QCOMPARE(write.boxes, boxes);
    const QStringList sent = settings("gsk=3, gfid=700, tint=2, gms=60000, bpr=0, "
                                      "offsetCorrection=1, gainCorrection=0, nucEnabled=2");
    if (refused.isEmpty())
        QCOMPARE(holding(sdk.registers(port), sent), sent);
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

    const QStringList trace = sdk.clickAndCollect(*window, "applyParamsButtonExpert").trace;
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
    setControls(*window, {"gskSlider=3", "gfidSlider=800", "tintSlider=0"});
    typeGms(*window, 3e9);

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, "applyParamsButtonExpert");

    QCOMPARE(write.boxes, QStringList());
    QCOMPARE(write.log, QStringList());
    QCOMPARE(write.operations(), QStringList {"sdk.GetConfig"});
    nivaro_sdk::INivaroConfig &configuration = nivaro_sim::configuration();
    QCOMPARE(configuration.currentGsk, 3);
    QCOMPARE(configuration.currentGfid, 800);
    QCOMPARE(configuration.currentTint, 0);
    QCOMPARE(configuration.currentGms, std::numeric_limits<int32_t>::max());

    setControls(*window, {"gskSlider=1"});
    window->InitParamsExpert();
    const QStringList shown = {"gskSlider=3", "gfidEdit=800", "gmsEdit=2147483647"};
    QCOMPARE(showing(*window, shown), shown);
}

void tst_ExpertParameters::readShowsAndLogsCameraValues()
{
    SimulatedSdk sdk;
    // GMS 3000000000 is above the int32 range: the register holds its word, shown unsigned.
    auto window = sdk.makeConnectedWindow(
        port,
        scriptWith(settings("gsk=3, gfid=700, gms=-1294967296, tint=2, bpr=0, "
                            "offsetCorrection=0, gainCorrection=1, nucEnabled=2")));
    setControls(*window, {"BPRCheckBox=checked", "offsetCheckBox=checked"});

    const SimulatedSdk::Clicked read = sdk.clickAndCollect(*window, "readParamButtonExpert");

    QCOMPARE(read.log,
             QStringList({"Start Read camera Expert parameters", "GSK value = 3",
                          "GFID value = 700", "GMS value = 3000000000", "TINT value = 2",
                          "BPR state = Disabled", "OFFSET state = Disabled", "GAIN state = Enabled",
                          "NUC state = Enabled", "End Read camera Expert parameters"}));
    // The GMS slider stops at its configured maximum; the spin box shows the camera's value.
    const QStringList shown
        = settings("gskSlider=3, gskEdit=3, gfidSlider=700, tintSlider=2, gmsEdit=3000000000, "
                   "BPRCheckBox=unchecked, offsetCheckBox=unchecked, gainCheckBox=checked, "
                   "nucCheckBox=checked")
        << "gmsSlider=" + QString::number(child<QSlider>(*window, "gmsSlider")->maximum());
    QCOMPARE(showing(*window, shown), shown);
}

void tst_ExpertParameters::nucRequestUpdatesOnlyUserBox_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("camera"); // how it answers the request
    QTest::addColumn<QStringList>("set"); // before the request
    QTest::addColumn<QStringList>("before"); // the two NUC boxes then
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("boxes");

    // The two NUC boxes are written "user expert", each "on" or "off". A request the camera
    // takes is followed by reading the state back; a refused one by its box alone.
    const auto row = [](const char *name, const char *button, const char *camera, const char *set,
                        const char *before, const char *after, const QStringList &boxes) {
        const auto boxesShowing = [](const QString &states) {
            const QStringList on = states.split(' ');
            return QStringList {"userNucCheckBox="
                                    + QString(on[0] == "on" ? "checked" : "unchecked"),
                                "nucCheckBox=" + QString(on[1] == "on" ? "checked" : "unchecked")};
        };
        QTest::newRow(name) << QByteArray(button) << QByteArray(camera) << settings(set)
                            << boxesShowing(before) << boxesShowing(after)
                            << (boxes.isEmpty() ? QStringList {"camera[COM3].RequestNuc",
                                                               "camera[COM3].GetNucEnabled"}
                                                : QStringList {"camera[COM3].RequestNuc"})
                            << boxes;
    };
    row("Expert tab", "nucRequest", "accepts", "", "off off", "on off", {});
    row("User tab", "userNucRequest", "accepts", "", "off off", "on off", {});
    // The camera keeps NUC on after a request unless it stops answering right after taking
    // it: then the state read back is "disabled" and the box must say so.
    row("camera silent after taking the request", "nucRequest", "goes silent",
        "userNucCheckBox=checked", "on off", "off off", {});
    row("refused, from the User tab", "userNucRequest", "refuses", "nucCheckBox=checked", "off on",
        "off on", {box::warning("Error on processing the NUC request")});
}

void tst_ExpertParameters::nucRequestUpdatesOnlyUserBox()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, camera);
    QFETCH(QStringList, set);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QStringList, calls);
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
    setControls(*window, set);
    QCOMPARE(showing(*window, before), before);

    const SimulatedSdk::Clicked request = sdk.clickAndCollect(*window, button.constData());

    QCOMPARE(request.operations(), calls);
    QCOMPARE(showing(*window, after), after);
    QCOMPARE(request.log, QStringList());
    QCOMPARE(request.boxes, boxes);
}

QTEST_MAIN(tst_ExpertParameters)
#include "tst_expertparameters.moc"
