#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

// Scanning the ports, connecting (link type, port, camera type, first reads, IA tab) and
// disconnecting.
class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void scanListsPortsThenNone();
    void connectAfterEmptyScanTriesEmptyName();
    void linkTypeOtherThanUartIsRefused_data();
    void linkTypeOtherThanUartIsRefused();
    void unopenedPortThenNewAttemptReleasesHeldConnection();
    void failedTypeQueryDisconnects();
    void failedFirstReadHoldsCameraUntilNextConnect();
    void wholeConnectionCallsSdkInOrder();
    void connectionAndDisconnectionSwitchControls();
    void cameraTypeDecidesIaTab_data();
    void cameraTypeDecidesIaTab();
    void reconnectingKeepsTabBar();
};

namespace {

const QString port = QStringLiteral("COM3");

// What the connection bar lets the user do.
struct BarState
{
    bool scan;
    bool combo;
    bool connect;
    bool disconnect;
    bool userButtons;
    bool userPage;

    bool operator==(const BarState &other) const
    {
        return scan == other.scan && combo == other.combo && connect == other.connect
            && disconnect == other.disconnect && userButtons == other.userButtons
            && userPage == other.userPage;
    }
};

BarState barState(const MainWindow &window)
{
    const bool read = child<QPushButton>(window, "readParamButtonUser")->isEnabled();
    const bool write = child<QPushButton>(window, "applyParamsButtonUser")->isEnabled();
    const bool reset = child<QPushButton>(window, "resetParamButtonUser")->isEnabled();
    if (read != write || write != reset)
        qFatal("the three User buttons disagree");
    return {child<QPushButton>(window, "scanDeviceButton")->isEnabled(),
            child<QComboBox>(window, "selectDeviceComboBox")->isEnabled(),
            child<QPushButton>(window, "connectDeviceButton")->isEnabled(),
            child<QPushButton>(window, "disconnectDeviceButton")->isEnabled(),
            read,
            child<QWidget>(window, "UserMode")->isEnabled()};
}

char *toString(const BarState &state)
{
    return qstrdup(qPrintable(QStringLiteral("scan %1 combo %2 connect %3 disconnect %4 "
                                             "user buttons %5 user page %6")
                                  .arg(state.scan)
                                  .arg(state.combo)
                                  .arg(state.connect)
                                  .arg(state.disconnect)
                                  .arg(state.userButtons)
                                  .arg(state.userPage)));
}

constexpr BarState portsListed {true, true, true, false, false, false};
constexpr BarState connected {false, false, false, true, true, true};

QStringList tabTexts(const MainWindow &window)
{
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QStringList texts;
    for (int index = 0; index < tabs->count(); ++index)
        texts << tabs->tabText(index);
    return texts;
}

QStringList comboItems(const MainWindow &window)
{
    auto *combo = child<QComboBox>(window, "selectDeviceComboBox");
    QStringList items;
    for (int index = 0; index < combo->count(); ++index)
        items << combo->itemText(index);
    return items;
}

} // namespace

void tst_Connection::scanListsPortsThenNone()
{
    SimulatedSdk sdk;
    QStringList ports;
    MainWindow window;
    window.setPortSource([&ports] { return ports; });
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(answerer.texts(),
             QStringList {"No COM port found!\nPlease, plug a COM port ans scan again."});
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QVERIFY(box.title.isEmpty());
    QVERIFY(box.hasParent);
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(comboItems(window).isEmpty());
    QVERIFY(!child<QPushButton>(window, "connectDeviceButton")->isEnabled());

    ports = QStringList {"COM4", "COM1", "COM7"};
    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(comboItems(window), ports);
    QCOMPARE(child<QComboBox>(window, "selectDeviceComboBox")->currentText(),
             QStringLiteral("COM4"));
    QCOMPARE(barState(window), portsListed);

    ports = QStringList {"COM7"};
    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(comboItems(window), ports);

    ports.clear();
    SimulatedSdk::click(window, "scanDeviceButton");
    QCOMPARE(answerer.seen().size(), 2);
    QVERIFY(comboItems(window).isEmpty());
    QVERIFY(child<QPushButton>(window, "connectDeviceButton")->isEnabled());

    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
}

void tst_Connection::connectAfterEmptyScanTriesEmptyName()
{
    SimulatedSdk sdk;
    QStringList ports {port};
    MainWindow window;
    window.setPortSource([&ports] { return ports; });
    ModalAnswerer answerer;
    SimulatedSdk::click(window, "scanDeviceButton");
    ports.clear();
    SimulatedSdk::click(window, "scanDeviceButton");
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(window, "connectDeviceButton");

    QCOMPARE(sdk.logTextsSince(mark), QStringList {"ALTERNATIVE SERIAL PORT : "});
    QVERIFY(sdk.traceSince(mark).contains(QStringLiteral("connection#1.OpenCamera(\"\") -> null")));
    QCOMPARE(answerer.texts().last(), QStringLiteral("Select an other serial port"));
}

void tst_Connection::linkTypeOtherThanUartIsRefused_data()
{
    QTest::addColumn<QString>("linkType");
    QTest::addColumn<bool>("isNull");

    QTest::newRow("lower case") << "uart" << false;
    QTest::newRow("trailing blank") << "UART " << false;
    QTest::newRow("other link") << "USB" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("null pointer") << "" << true;
}

void tst_Connection::linkTypeOtherThanUartIsRefused()
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

    QCOMPARE(answerer.texts(), QStringList {"Select an other serial port"});
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Invalid communication"));
    QVERIFY(box.hasParent);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)),
             QStringList({"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType"}));
    QCOMPARE(barState(*window), portsListed);
}

void tst_Connection::unopenedPortThenNewAttemptReleasesHeldConnection()
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
    QCOMPARE(answerer.texts(), QStringList {"Select an other serial port"});
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
    QCOMPARE(answerer.seen().size(), 1);
}

void tst_Connection::failedTypeQueryDisconnects()
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

void tst_Connection::failedFirstReadHoldsCameraUntilNextConnect()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript silentVersions;
    silentVersions.riscvVersion = 0;
    silentVersions.fpgaVersion = 0;
    ModalAnswerer answerer;
    auto window = sdk.makeConnectedWindow(port, silentVersions);

    QCOMPARE(answerer.texts(), QStringList {"Unable to connect to COM3"});
    QCOMPARE(answerer.seen().first().title, QStringLiteral("Camera not connected"));
    QCOMPARE(barState(*window), portsListed);
    // The rest of the connection still ran on the held camera.
    const QStringList log = sdk.logTexts();
    QVERIFY(log.contains(QStringLiteral("End Read camera parameters : COM Error")));
    QVERIFY(log.contains(QStringLiteral("End Read camera Expert parameters")));
    QVERIFY(log.contains(QStringLiteral("End read IA parameters")));
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
    QCOMPARE(answerer.seen().size(), 1);
}

void tst_Connection::wholeConnectionCallsSdkInOrder()
{
    SimulatedSdk sdk;
    sdk.scriptPort(port);
    auto window = SimulatedSdk::makeWindow({port});
    SimulatedSdk::click(*window, "scanDeviceButton");
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(*window, "connectDeviceButton");
    SimulatedSdk::click(*window, "disconnectDeviceButton");

    const QStringList camera = {"GetCameraType",
                                "GetVersions",
                                "BeginRead",
                                "GetGamma",
                                "GetClhe",
                                "GetSharpening",
                                "GetRoiX1",
                                "GetRoiY1",
                                "GetRoiX2",
                                "GetRoiY2",
                                "GetPolarity",
                                "GetZoom",
                                "GetContrastType",
                                "GetNucEnabled",
                                "GetHorizontalFlip",
                                "GetVerticalFlip",
                                "GetVignettingCorrection",
                                "GetColumnCorrection"};
    const QStringList expert = {"GetGsk",
                                "GetGfid",
                                "GetGms",
                                "GetTint",
                                "GetBpr",
                                "GetOffsetCorrection",
                                "GetGainCorrection",
                                "GetNucEnabled"};
    QStringList expected = {"sdk.GetConfig", "sdk.GetConfig", "config.GetLinkType",
                            "sdk.CreateConnection", "connection#1.OpenCamera"};
    for (const QString &operation : camera)
        expected << "camera[COM3]." + operation;
    expected << "sdk.GetConfig" // InitParamsExpert
             << "config.IsExpertModeEnabled";
    for (const QString &operation : expert)
        expected << "camera[COM3]." + operation;
    expected << "camera[COM3].GetIaConfig"
             << "connection#1.CloseCamera"
             << "sdk.ReleaseConnection";
    QCOMPARE(SimulatedSdk::operations(sdk.traceSince(mark)), expected);

    const QStringList trace = sdk.traceSince(mark);
    QCOMPARE(trace[2], QStringLiteral("config.GetLinkType() -> \"UART\""));
    QCOMPARE(trace[4], QStringLiteral("connection#1.OpenCamera(\"COM3\") -> camera[COM3]"));
    QCOMPARE(trace[trace.size() - 2], QStringLiteral("connection#1.CloseCamera(camera[COM3])"));
    QCOMPARE(trace.last(), QStringLiteral("sdk.ReleaseConnection(&connection#1)"));
}

void tst_Connection::connectionAndDisconnectionSwitchControls()
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
    QCOMPARE(comboItems(*window), QStringList {port});
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(answerer.seen().isEmpty());
}

void tst_Connection::cameraTypeDecidesIaTab_data()
{
    QTest::addColumn<int>("cameraType");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<bool>("iaRead");

    QTest::newRow("type 12") << 12 << true << QStringList {"User", "IA control", "Expert"} << true;
    QTest::newRow("type 5") << 5 << true << QStringList {"User", "Expert"} << false;
    QTest::newRow("type 12, expert mode off")
        << 12 << false << QStringList {"User", "IA control"} << true;
    QTest::newRow("type 0, expert mode off") << 0 << false << QStringList {"User"} << false;
}

void tst_Connection::cameraTypeDecidesIaTab()
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
}

void tst_Connection::reconnectingKeepsTabBar()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.cameraType = 5;
    auto window = sdk.makeConnectedWindow(port, script);
    QCOMPARE(tabTexts(*window), QStringList({"User", "Expert"}));

    for (int attempt = 0; attempt < 2; ++attempt) {
        SimulatedSdk::click(*window, "disconnectDeviceButton");
        SimulatedSdk::click(*window, "connectDeviceButton");
        QCOMPARE(barState(*window), connected);
        QCOMPARE(tabTexts(*window), QStringList({"User", "Expert"}));
    }

    // A camera of type 12 afterwards does not bring the IA tab back.
    script.cameraType = 12;
    sdk.scriptPort(port, script);
    SimulatedSdk::click(*window, "disconnectDeviceButton");
    SimulatedSdk::click(*window, "connectDeviceButton");
    QCOMPARE(tabTexts(*window), QStringList({"User", "Expert"}));
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
