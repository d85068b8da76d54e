#include "windowtest.h"

#include <QRegularExpression>

// Scanning the ports, connecting (link type, port, camera type, first reads, IA tab),
// disconnecting, and what the operations do while no camera is held.
class tst_ConnectionStates : public QObject
{
    Q_OBJECT

private slots:
    void scanListsPortsThenNoneAndConnectTriesEmptyName();
    void linkTypeOtherThanUartIsRefused_data();
    void linkTypeOtherThanUartIsRefused();
    void failedTypeQueryDisconnects();
    void heldAttemptIsHandedBackBeforeTheNext_data();
    void heldAttemptIsHandedBackBeforeTheNext();
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
    QCOMPARE(child<QComboBox>(window, "selectDeviceComboBox")->currentText(), ports.first());
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

    const SimulatedSdk::Clicked connect = sdk.clickAndCollect(*window, "connectDeviceButton");

    QCOMPARE(connect.boxes, QStringList {invalidCommunication});
    QCOMPARE(connect.log, QStringList());
    QCOMPARE(connect.operations(),
             QStringList({"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType"}));
    QCOMPARE(barState(*window), portsListed);
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

void tst_ConnectionStates::heldAttemptIsHandedBackBeforeTheNext_data()
{
    QTest::addColumn<bool>("cameraOnPort"); // else its versions are zero: no answer to the read
    QTest::addColumn<QStringList>("log"); // in order among the first attempt's lines
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("handBack"); // the second attempt's calls before its own

    QTest::newRow("no camera on the port")
        << false << QStringList {"ALTERNATIVE SERIAL PORT : COM3"} << invalidCommunication
        << QStringList {"sdk.ReleaseConnection"};
    // The rest of the connection still ran on the held camera.
    QTest::newRow("camera silent on the first read")
        << true
        << QStringList {"ALTERNATIVE SERIAL PORT : COM3", "End Read camera parameters : COM Error",
                        "End Read camera Expert parameters", "End read IA parameters"}
        << box::about("Camera not connected", "Unable to connect to COM3")
        << QStringList {"connection#1.CloseCamera", "sdk.ReleaseConnection"};
}

void tst_ConnectionStates::heldAttemptIsHandedBackBeforeTheNext()
{
    QFETCH(bool, cameraOnPort);
    QFETCH(QStringList, log);
    QFETCH(QString, box);
    QFETCH(QStringList, handBack);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript first;
    first.present = cameraOnPort;
    first.riscvVersion = first.fpgaVersion = 0;
    ModalAnswerer answerer;
    auto window = sdk.makeConnectedWindow(port, first);

    QCOMPARE(answerer.shown(), QStringList {box});
    QCOMPARE(barState(*window), portsListed);
    QCOMPARE(sdk.logTexts().filter(QRegularExpression("^(ALTERNATIVE|End)")), log);
    QCOMPARE(child<QWidget>(*window, "IAControl")->isEnabled(), cameraOnPort);

    sdk.scriptPort(port);
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(*window, "connectDeviceButton");

    const QStringList operations = SimulatedSdk::operations(sdk.traceSince(mark));
    QCOMPARE(operations.mid(0, 5 + handBack.size()),
             QStringList({"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType"}) + handBack
                 + QStringList({"sdk.CreateConnection", "connection#2.OpenCamera"}));
    QVERIFY(sdk.traceSince(mark).contains(QStringLiteral("sdk.ReleaseConnection(&connection#1)")));
    QCOMPARE(barState(*window), connected);
    QCOMPARE(answerer.shown(), QStringList {box});
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

    const SimulatedSdk::Clicked disconnect = sdk.clickAndCollect(*window, "disconnectDeviceButton");

    QCOMPARE(barState(*window), portsListed);
    QVERIFY(!child<QWidget>(*window, "IAControl")->isEnabled());
    QCOMPARE(comboItems(*window, "selectDeviceComboBox"), QStringList {port});
    QCOMPARE(disconnect.log, QStringList());
    QCOMPARE(disconnect.boxes, QStringList());
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
    const Settings shown = everyControl(*window);
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
