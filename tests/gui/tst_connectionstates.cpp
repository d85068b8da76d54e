#include "windowtest.h"

// Scanning the ports, connecting (link type, port, camera type, first reads, IA tab),
// disconnecting, and what the operations do while no camera is held.
class tst_ConnectionStates : public QObject
{
    Q_OBJECT

private slots:
    void scanListsPortsThenNoneAndConnectTriesEmptyName();
    void linkTypeOtherThanUartIsRefused_data();
    void linkTypeOtherThanUartIsRefused();
    void unopenedPortThenNewAttemptReleasesHeldConnection();
    void failedTypeQueryDisconnects();
    void failedFirstReadHoldsCameraUntilNextConnect();
    void wholeConnectionCallsSdkInOrder();
    void connectionAndDisconnectionSwitchControls();
    void cameraTypeDecidesIaTab_data();
    void cameraTypeDecidesIaTab();
    void withoutCameraNothingHappens_data();
    void withoutCameraNothingHappens();
};

namespace {

const QString port = QStringLiteral("COM3");

const QString noPort = box::warning("No COM port found!\nPlease, plug a COM port ans scan again.");
const QString invalidCommunication
    = box::about("Invalid communication", "Select an other serial port");

} // namespace

void tst_ConnectionStates::scanListsPortsThenNoneAndConnectTriesEmptyName()
{
    SimulatedSdk sdk;
    QStringList ports;
    MainWindow window;
    window.setPortSource([&ports] { return ports; });
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(answerer.shown(), QStringList {noPort});
    QCOMPARE(comboItems(window, "selectDeviceComboBox"), QStringList());
    QCOMPARE(barState(window), beforeAnyScan);

    ports = QStringList {"COM4", "COM1", "COM7"};
    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(comboItems(window, "selectDeviceComboBox"), ports);
    QCOMPARE(showing(window, {"selectDeviceComboBox=COM4"}),
             QStringList {"selectDeviceComboBox=COM4"});
    QCOMPARE(barState(window), portsListed);

    ports = QStringList {"COM7"};
    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(comboItems(window, "selectDeviceComboBox"), ports);

    ports.clear();
    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(answerer.shown(), (QStringList {noPort, noPort}));
    QCOMPARE(comboItems(window, "selectDeviceComboBox"), QStringList());
    QCOMPARE(barState(window), portsListed);

    QCOMPARE(sdk.logTextsSince(mark), QStringList());
    QCOMPARE(sdk.traceSince(mark), QStringList());

    // The emptied list leaves Connect offered, and it tries a port of no name.
    SimulatedSdk::click(window, "connectDeviceButton");
    QCOMPARE(sdk.logTextsSince(mark), QStringList {"ALTERNATIVE SERIAL PORT : "});
    QVERIFY(sdk.traceSince(mark).contains(QStringLiteral("connection#1.OpenCamera(\"\") -> null")));
    QCOMPARE(answerer.shown(), (QStringList {noPort, noPort, invalidCommunication}));
}

void tst_ConnectionStates::linkTypeOtherThanUartIsRefused_data()
{
    QTest::addColumn<QString>("linkType");
    QTest::addColumn<bool>("isNull");

    QTest::newRow("lower case") << "uart" << false;
    QTest::newRow("trailing blank") << "UART " << false;
    QTest::newRow("other link") << "USB" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("null pointer") << "" << true;
}

void tst_ConnectionStates::linkTypeOtherThanUartIsRefused()
{
    QFETCH(QString, linkType);
    QFETCH(bool, isNull);

    SimulatedSdk sdk;
    sdk.configuration().linkType = linkType.toStdString();
    sdk.configuration().linkTypeIsNull = isNull;
    sdk.scriptPort(port);
    auto window = SimulatedSdk::makeWindow({port});
    SimulatedSdk::click(*window, "scanDeviceButton");
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "connectDeviceButton");

    QCOMPARE(answerer.shown(), QStringList {invalidCommunication});
    QCOMPARE(sdk.logTextsSince(mark), QStringList());
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)),
             QStringList({"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType"}));
    QCOMPARE(barState(*window), portsListed);
}

void tst_ConnectionStates::unopenedPortThenNewAttemptReleasesHeldConnection()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript absent;
    absent.present = false;
    sdk.scriptPort(QStringLiteral("COM1"), absent);
    sdk.scriptPort(port);
    auto window = SimulatedSdk::makeWindow({"COM1", port});
    SimulatedSdk::click(*window, "scanDeviceButton");
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "connectDeviceButton");
    QCOMPARE(sdk.logTexts(), QStringList {"ALTERNATIVE SERIAL PORT : COM1"});
    QCOMPARE(answerer.shown(), QStringList {invalidCommunication});
    QCOMPARE(barState(*window), portsListed);

    child<QComboBox>(*window, "selectDeviceComboBox")->setCurrentText(port);
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(*window, "connectDeviceButton");

    const QStringList operations = SimulatedSdk::operations(sdk.traceSince(mark));
    QCOMPARE(
        operations.mid(0, 6),
        QStringList({"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType",
                     "sdk.ReleaseConnection", "sdk.CreateConnection", "connection#2.OpenCamera"}));
    QVERIFY(sdk.traceSince(mark).contains(QStringLiteral("sdk.ReleaseConnection(&connection#1)")));
    QVERIFY(!operations.contains(QStringLiteral("connection#1.CloseCamera")));
    QCOMPARE(barState(*window), connected);
    QCOMPARE(answerer.shown(), QStringList {invalidCommunication});
}

void tst_ConnectionStates::failedTypeQueryDisconnects()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.typeQueryFails = true;
    auto window = sdk.makeConnectedWindow(port, script);

    QCOMPARE(sdk.logTexts(),
             QStringList({"ALTERNATIVE SERIAL PORT : COM3", "No camera type found"}));
    const QStringList operations = SimulatedSdk::operations(sdk.traceSince({}));
    const int typeQuery = operations.indexOf(QStringLiteral("camera[COM3].GetCameraType"));
    QCOMPARE(operations.mid(typeQuery),
             QStringList({"camera[COM3].GetCameraType", "connection#1.CloseCamera",
                          "sdk.ReleaseConnection"}));
    QCOMPARE(barState(*window), portsListed);
    QVERIFY(!child<QWidget>(*window, "IAControl")->isEnabled());
}

void tst_ConnectionStates::failedFirstReadHoldsCameraUntilNextConnect()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript silentVersions;
    silentVersions.riscvVersion = 0;
    silentVersions.fpgaVersion = 0;
    ModalAnswerer answerer;
    auto window = sdk.makeConnectedWindow(port, silentVersions);

    const QStringList notConnected {
        box::about("Camera not connected", "Unable to connect to COM3")};
    QCOMPARE(answerer.shown(), notConnected);
    QCOMPARE(barState(*window), portsListed);
    // The rest of the connection still ran on the held camera.
    for (const char *line : {"End Read camera parameters : COM Error",
                             "End Read camera Expert parameters", "End read IA parameters"})
        QVERIFY2(sdk.logTexts().contains(QLatin1String(line)), line);
    QVERIFY(child<QWidget>(*window, "IAControl")->isEnabled());

    sdk.scriptPort(port);
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(*window, "connectDeviceButton");

    const QStringList operations = SimulatedSdk::operations(sdk.traceSince(mark));
    QCOMPARE(operations.mid(0, 7),
             QStringList({"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType",
                          "connection#1.CloseCamera", "sdk.ReleaseConnection",
                          "sdk.CreateConnection", "connection#2.OpenCamera"}));
    QCOMPARE(barState(*window), connected);
    QCOMPARE(answerer.shown(), notConnected);
}

void tst_ConnectionStates::wholeConnectionCallsSdkInOrder()
{
    SimulatedSdk sdk;
    sdk.scriptPort(port);
    auto window = SimulatedSdk::makeWindow({port});
    SimulatedSdk::click(*window, "scanDeviceButton");
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(*window, "connectDeviceButton");
    SimulatedSdk::click(*window, "disconnectDeviceButton");

    const auto onCamera = [](QString operations) {
        return operations.prepend("camera[COM3].").replace(' ', " camera[COM3].").split(' ');
    };
    const QStringList expected
        = QStringList {"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType",
                       "sdk.CreateConnection", "connection#1.OpenCamera"}
        + onCamera("GetCameraType GetVersions BeginRead GetGamma GetClhe GetSharpening GetRoiX1 "
                   "GetRoiY1 GetRoiX2 GetRoiY2 GetPolarity GetZoom GetContrastType GetNucEnabled "
                   "GetHorizontalFlip GetVerticalFlip GetVignettingCorrection GetColumnCorrection")
        + QStringList {"sdk.GetConfig", "config.IsExpertModeEnabled"} // InitParamsExpert
        + onCamera("GetGsk GetGfid GetGms GetTint GetBpr GetOffsetCorrection GetGainCorrection "
                   "GetNucEnabled GetIaConfig")
        + QStringList {"connection#1.CloseCamera", "sdk.ReleaseConnection"};
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)), expected);

    const QStringList trace = sdk.traceSince(mark);
    QCOMPARE(trace[2], QStringLiteral("config.GetLinkType() -> \"UART\""));
    QCOMPARE(trace[4], QStringLiteral("connection#1.OpenCamera(\"COM3\") -> camera[COM3]"));
    QCOMPARE(trace[trace.size() - 2], QStringLiteral("connection#1.CloseCamera(camera[COM3])"));
    QCOMPARE(trace.last(), QStringLiteral("sdk.ReleaseConnection(&connection#1)"));
}

void tst_ConnectionStates::connectionAndDisconnectionSwitchControls()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    QCOMPARE(barState(*window), connected);
    QVERIFY(child<QWidget>(*window, "IAControl")->isEnabled());
    QCOMPARE(sdk.logTexts().first(), QStringLiteral("ALTERNATIVE SERIAL PORT : COM3"));

    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;
    SimulatedSdk::click(*window, "disconnectDeviceButton");

    QCOMPARE(barState(*window), portsListed);
    QVERIFY(!child<QWidget>(*window, "IAControl")->isEnabled());
    QCOMPARE(comboItems(*window, "selectDeviceComboBox"), QStringList {port});
    QCOMPARE(sdk.logTextsSince(mark), QStringList());
    QCOMPARE(answerer.shown(), QStringList());
}

void tst_ConnectionStates::cameraTypeDecidesIaTab_data()
{
    QTest::addColumn<int>("cameraType");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<bool>("iaRead");

    QTest::newRow("type 12") << 12 << true << QStringList {"User", "IA control", "Expert"} << true;
    QTest::newRow("type 5") << 5 << true << QStringList {"User", "Expert"} << false;
    QTest::newRow("type 11") << 11 << true << QStringList {"User", "Expert"} << false;
    QTest::newRow("type 13, expert mode off") << 13 << false << QStringList {"User"} << false;
    QTest::newRow("type 12, expert mode off")
        << 12 << false << QStringList {"User", "IA control"} << true;
    QTest::newRow("type 0, expert mode off") << 0 << false << QStringList {"User"} << false;
}

void tst_ConnectionStates::cameraTypeDecidesIaTab()
{
    QFETCH(int, cameraType);
    QFETCH(bool, expertMode);
    QFETCH(QStringList, tabs);
    QFETCH(bool, iaRead);

    SimulatedSdk sdk;
    sdk.configuration().expertMode = expertMode;
    nivaro_sim::CameraScript script;
    script.cameraType = uint8_t(cameraType);
    auto window = sdk.makeConnectedWindow(port, script);

    QCOMPARE(tabTexts(*window), tabs);
    QCOMPARE(child<QWidget>(*window, "IAControl")->isEnabled(), iaRead);
    QCOMPARE(sdk.logTexts().contains(QStringLiteral("Start read IA parameters")), iaRead);
    QCOMPARE(sdk.logTexts().contains(QStringLiteral("Start Read camera Expert parameters")),
             expertMode);

    // Reconnecting keeps the tab bar: the same camera twice, then one of type 12, which does
    // not bring a removed IA tab back.
    for (const int again : {cameraType, cameraType, 12}) {
        script.cameraType = uint8_t(again);
        sdk.scriptPort(port, script);
        SimulatedSdk::click(*window, "disconnectDeviceButton");
        SimulatedSdk::click(*window, "connectDeviceButton");
        QCOMPARE(barState(*window), connected);
        QCOMPARE(tabTexts(*window), tabs);
    }
}

void tst_ConnectionStates::withoutCameraNothingHappens_data()
{
    QTest::addColumn<QByteArray>("operation"); // a button of the window, or a member of it
    QTest::addColumn<bool>("afterDisconnection");
    QTest::addColumn<QStringList>("boxes");

    for (const bool afterDisconnection : {false, true}) {
        const char *when = afterDisconnection ? "after a disconnection" : "never connected";
        const QStringList notConnected {box::about(
            "Camera not connected", "Unable to connect to " + (afterDisconnection ? port : ""))};
        const auto row = [&](const char *what, const char *operation, const QStringList &boxes) {
            QTest::addRow("%s, %s", what, when)
                << QByteArray(operation) << afterDisconnection << boxes;
        };
        row("User Read", "ReadParamsUser", notConnected);
        row("User Write", "ApplyParamsUser", {});
        row("User Reset", "ResetParamsUser", {});
        row("Expert Read", "readParamButtonExpert", notConnected);
        row("Expert NUC Request button", "nucRequest", {});
        row("NUC request", "ApplyNucRequest", {});
        row("IA Read", "ReadParamsIA", {});
        row("IA Apply", "ApplyParamsIA", {});
        row("IA Reset", "ResetParamsIA", {});
    }
}

void tst_ConnectionStates::withoutCameraNothingHappens()
{
    QFETCH(QByteArray, operation);
    QFETCH(bool, afterDisconnection);
    QFETCH(QStringList, boxes);

    SimulatedSdk sdk;
    auto window = afterDisconnection ? sdk.makeConnectedWindow(port) : SimulatedSdk::makeWindow();
    if (afterDisconnection)
        SimulatedSdk::click(*window, "disconnectDeviceButton");
    const QStringList shown = everyControl(*window);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::Yes);

    if (auto *button = window->findChild<QAbstractButton *>(operation))
        button->click();
    else if (operation == "ReadParamsUser")
        QVERIFY(!window->ReadParamsUser());
    else
        QVERIFY(QMetaObject::invokeMethod(window.get(), operation.constData()));

    QCOMPARE(answerer.shown(), boxes);
    QCOMPARE(sdk.logTextsSince(mark), QStringList());
    QCOMPARE(sdk.traceSince(mark), QStringList());
    QCOMPARE(everyControl(*window), shown);
}

QTEST_MAIN(tst_ConnectionStates)
#include "tst_connectionstates.moc"
