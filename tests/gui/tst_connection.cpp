#include "device/portsources.h"
#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <memory>

// Scanning the ports, connecting (link type, port, camera type, first reads, IA tab) and
// disconnecting.
class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void scanListsPortsThenNone();
    void standInScanAddsConfiguredPorts_data();
    void standInScanAddsConfiguredPorts();
    void vendorScanListsSystemPortsAlone();
    void demoPortsShowTheirDocumentedRoads_data();
    void demoPortsShowTheirDocumentedRoads();
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

// Where the stand-in looks when NIVARO_SDK_CONFIG is empty. Its ports script default cameras,
// so another test program of this folder that starts meanwhile sees no difference.
const QString besideTheProgram = QStringLiteral("nivaro-sdk-config.json");
const QByteArray besideMark = "<beside the program>";

// A configuration file in a folder of its own; a few names stand for files no text can make.
QString configurationFile(const QTemporaryDir &folder, const QByteArray &text)
{
    QString path = folder.filePath(QStringLiteral("config.json"));
    if (text.startsWith(besideMark)) {
        path = QDir(QCoreApplication::applicationDirPath()).filePath(besideTheProgram);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.mid(besideMark.size())) < 0)
            qFatal("cannot write %s", qPrintable(path));
        return {};
    }
    if (text == "<missing>")
        return path;
    if (text == "<folder>") {
        QDir(folder.path()).mkdir(QStringLiteral("config.json"));
        return path;
    }
#ifdef Q_OS_UNIX
    // A FIFO with no writer would block whoever opens it for reading.
    if (text == "<fifo>") {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return path;
    }
#endif
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_Connection::standInScanAddsConfiguredPorts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("configured");

    QTest::newRow("the file's order, not sorted")
        << QByteArray(R"({"ports": {"COM10": {}, "COM9": {"present": false}, "COM2": {}}})")
        << QStringList {"COM10", "COM9", "COM2"};
    QTest::newRow("only the top-level ports")
        << QByteArray(R"({"linkType": "U}\"[", "defaults": {"ports": {"X": {}}},)"
                      R"( "ports": {"COM3": {"refusedSetters": ["SetGamma"]}, "COM4": {}}})")
        << QStringList {"COM3", "COM4"};
    QTest::newRow("a port named twice")
        << QByteArray(R"({"ports": {"COM5": {}, "COM5": {}}})") << QStringList {"COM5"};
    QTest::newRow("escaped names; empty and NUL names left out")
        << QByteArray(R"({"ports": {"COM\u00e9": {}, "": {}, "A\u0000B": {}, "/dev/tty\/S9": {}}})")
        << QStringList {QStringLiteral("COM\u00e9"), "/dev/tty/S9"};
    QTest::newRow("a byte-order mark before the text") << QByteArray("\xEF\xBB\xBF"
                                                                     R"({"ports": {"COM3": {}}})")
                                                       << QStringList {"COM3"};
    QTest::newRow("names with control characters left out")
        << QByteArray(R"({"ports": {"COM\n3": {}, "\u001b[2J": {}, "COM\u007f": {}, "COM4": {}}})")
        << QStringList {"COM4"};
    QTest::newRow("nested deeper than 64") << QByteArray(R"({"ports": {"COM3": {}}, "deep": )")
            + QByteArray(100000, '[') + QByteArray(100000, ']')
            + '}' << QStringList {};
    QTest::newRow("beside the program when NIVARO_SDK_CONFIG is empty")
        << QByteArray(R"(<beside the program>{"ports": {"COM-beside": {}}})")
        << QStringList {"COM-beside"};
    QTest::newRow("no ports") << QByteArray(R"({"linkType": "UART"})") << QStringList {};
    QTest::newRow("ports not an object") << QByteArray(R"({"ports": ["COM3"]})") << QStringList {};
    QTest::newRow("malformed") << QByteArray(R"({"ports": {"COM3": {})") << QStringList {};
    QTest::newRow("not an object") << QByteArray("[1, 2]") << QStringList {};
    QTest::newRow("larger than 4 MiB")
        << QByteArray(R"({"ports": {"COM3": {}}, "pad": ")" + QByteArray(4 << 20, 'x') + R"("})")
        << QStringList {};
    QTest::newRow("missing") << QByteArray("<missing>") << QStringList {};
    QTest::newRow("a folder") << QByteArray("<folder>") << QStringList {};
#ifdef Q_OS_UNIX
    QTest::newRow("a FIFO") << QByteArray("<fifo>") << QStringList {};
#endif
}

void tst_Connection::standInScanAddsConfiguredPorts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, configured);

    QTemporaryDir folder;
    qputenv("NIVARO_SDK_CONFIG", QFile::encodeName(configurationFile(folder, file)));
    const QStringList listed = portsources::forSdk(portsources::Sdk::StandIn)();
    qunsetenv("NIVARO_SDK_CONFIG");
    QFile::remove(QDir(QCoreApplication::applicationDirPath()).filePath(besideTheProgram));
    QCOMPARE(listed, portsources::systemThenConfigured(portsources::systemPorts(), configured));

    // A configured port the system lists too is listed once, where the system has it.
    QCOMPARE(portsources::systemThenConfigured({"COM1", "COM2"}, {"COM3", "COM2", "COM3"}),
             QStringList({"COM1", "COM2", "COM3"}));
}

void tst_Connection::vendorScanListsSystemPortsAlone()
{
    QTemporaryDir folder;
    qputenv("NIVARO_SDK_CONFIG",
            QFile::encodeName(configurationFile(folder, R"({"ports": {"COM42": {}}})")));
    const QStringList listed = portsources::forSdk(portsources::Sdk::Vendor)();
    qunsetenv("NIVARO_SDK_CONFIG");
    QCOMPARE(listed, portsources::systemPorts());
}

void tst_Connection::demoPortsShowTheirDocumentedRoads_data()
{
    QTest::addColumn<QString>("demoPort");
    QTest::addColumn<QStringList>("clicks"); // after Connect
    QTest::addColumn<bool>("isConnected");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("logLines"); // among the log's lines, in this order

    const QStringList allTabs {"User", "IA control", "Expert"};
    QTest::newRow("COM1: no camera") << "COM1" << QStringList {} << false << allTabs
                                     << QStringList {"Select an other serial port"}
                                     << QStringList {"ALTERNATIVE SERIAL PORT : COM1"};
    QTest::newRow("COM3: slow link, registers of its own")
        << "COM3" << QStringList {} << true << allTabs << QStringList {}
        << QStringList {"Gamma value = 1.5", "Polarity value = 1", "ZOOM factor value = 2",
                        "IA max boxes = 20", "IA Output type = 1"};
    QTest::newRow("COM4: no IA tab, refusing setters")
        << "COM4" << QStringList {"applyParamsButtonUser", "applyParamsButtonExpert"} << true
        << QStringList {"User", "Expert"} << QStringList {}
        << QStringList {"Configure Zoom KO", "Set GFID value KO", "Set GMS value OK"};
    QTest::newRow("COM5: unplugged after 40 calls")
        << "COM5" << QStringList {"applyParamsButtonUser", "readParamButtonUser"} << true << allTabs
        << QStringList {"Unable to connect to COM5"}
        << QStringList {"Set IMAGE vertical FLIP value OK", "Set vignetting correction value KO",
                        "Set column correction value KO", "End Read camera parameters : COM Error"};
    QTest::newRow("COM6: failing IA read and NUC request")
        << "COM6" << QStringList {"userNucRequest"} << true << allTabs
        << QStringList {"Error on processing the NUC request"}
        << QStringList {"Unable to read IA configuration", "End read IA parameters"};
    QTest::newRow("COM7: values of its own")
        << "COM7" << QStringList {} << true << allTabs << QStringList {}
        << QStringList {"Gamma value = 1.10001",
                        "CLHE value = 2000",
                        "Sharpening value = 1.25",
                        "ROI X1 value = 300",
                        "Contrast type = CLAHE (LOCAL)",
                        "NUC state = Enabled",
                        "GSK value = 3",
                        "IA Output type = 3"};
}

void tst_Connection::demoPortsShowTheirDocumentedRoads()
{
    QFETCH(QString, demoPort);
    QFETCH(QStringList, clicks);
    QFETCH(bool, isConnected);
    QFETCH(QStringList, tabs);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, logLines);

    SimulatedSdk sdk;
    const std::vector<std::string> problems
        = nivaro_sim::loadConfigurationFile(VELMORA_DEMO_CONFIG);
    QVERIFY(problems.empty());
    qputenv("NIVARO_SDK_CONFIG", VELMORA_DEMO_CONFIG);
    MainWindow window;
    window.setPortSource(portsources::forSdk(portsources::Sdk::StandIn));
    ModalAnswerer answerer;

    SimulatedSdk::click(window, "scanDeviceButton");
    qunsetenv("NIVARO_SDK_CONFIG");
    QVERIFY(comboItems(window).contains(demoPort));
    child<QComboBox>(window, "selectDeviceComboBox")->setCurrentText(demoPort);
    SimulatedSdk::click(window, "connectDeviceButton");
    for (const QString &button : clicks)
        SimulatedSdk::click(window, button.toLatin1().constData());

    QCOMPARE(barState(window) == connected, isConnected);
    QCOMPARE(tabTexts(window), tabs);
    QCOMPARE(answerer.texts(), boxes);
    const QStringList log = sdk.logTexts().join(QLatin1Char('\n')).split(QLatin1Char('\n'));
    int from = 0;
    for (const QString &line : logLines) {
        from = log.indexOf(line, from);
        QVERIFY2(from >= 0, qPrintable(line + " not in order in:\n" + log.join('\n')));
    }
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
