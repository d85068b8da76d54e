#include "device/portsources.h"
#include "windowtest.h"

#include <cstdlib>
#include <iostream>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Where a scan takes its port names from: the system's ports, then those the stand-in SDK's
// configuration file names.
class tst_PortSources : public QObject
{
    Q_OBJECT

public:
    // Run by configuredPortsBesideTheProgram from a folder of its own: lists the configured
    // ports and ends.
    static void initMain();

private slots:
    void configuredPortsFollowTheFile_data();
    void configuredPortsFollowTheFile();
    void configuredPortsBesideTheProgram();
    void systemPortsComeFirstAndOnce_data();
    void systemPortsComeFirstAndOnce();
    void standInScanListsSystemThenConfigured();
    void vendorScanListsSystemPortsAlone();
};

namespace {

const char listingVariable[] = "VELMORA_LIST_CONFIGURED_PORTS";

// A configuration file in a folder of its own, and the path to hand the stand-in; a few names
// stand for files no text can make.
QString configurationFile(const QTemporaryDir &folder, const QByteArray &text,
                          const QString &name = QStringLiteral("config.json"))
{
    QString path = folder.filePath(name);
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

} // namespace

void tst_PortSources::initMain()
{
    if (qEnvironmentVariableIsEmpty(listingVariable))
        return;
    for (const QString &name : portsources::configuredPorts())
        std::cout << name.toStdString() << '\n';
    std::exit(0);
}

void tst_PortSources::configuredPortsFollowTheFile_data()
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
    QTest::newRow("a byte-order mark before the text")
        << QByteArray("\xEF\xBB\xBF{\"ports\": {\"COM3\": {}}}") << QStringList {"COM3"};
    QTest::newRow("names with control characters left out")
        << QByteArray(R"({"ports": {"COM\n3": {}, "\u001b[2J": {}, "COM\u007f": {}, "COM4": {}}})")
        << QStringList {"COM4"};
    QTest::newRow("the first of two ports objects, as the SDK takes it")
        << QByteArray(R"({"ports": {"COM3": {}}, "ports": {"COM7": {}}})") << QStringList {"COM3"};
    QTest::newRow("names that hide, turn or split the text, or of 65 characters, left out")
        << R"({"ports": {"C\u0085": {}, "C\u009b": {}, "C\u2028": {}, "C\u2029": {}, "C\u202e": {},)"
           R"( "C\u200b": {}, ")"
            + QByteArray(65, 'B') + R"(": {}, ")" + QByteArray(64, 'A') + R"(": {}}})"
        << QStringList {QString(64, 'A')};
    QByteArray manyPorts = R"({"ports": {)";
    QStringList manyNames;
    for (int port = 0; port < 100000; ++port) {
        manyNames << QStringLiteral("COM%1").arg(port);
        manyPorts += (port ? ", \"" : "\"") + manyNames.last().toLatin1() + "\": {}";
    }
    QTest::newRow("100,000 ports, in the file's order") << manyPorts + "}}" << manyNames;
    QTest::newRow("nested deeper than 64") << QByteArray(R"({"ports": {"COM3": {}}, "deep": )")
            + QByteArray(100000, '[') + QByteArray(100000, ']')
            + '}' << QStringList {};
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

void tst_PortSources::configuredPortsFollowTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, configured);

    QTemporaryDir folder;
    qputenv("NIVARO_SDK_CONFIG", QFile::encodeName(configurationFile(folder, file)));
    const QStringList listed = portsources::configuredPorts();
    qunsetenv("NIVARO_SDK_CONFIG");
    QCOMPARE(listed, configured);
}

void tst_PortSources::configuredPortsBesideTheProgram()
{
    // Read from the running program's folder when NIVARO_SDK_CONFIG is empty: this program
    // runs again from a folder of its own, where no other test looks, and which goes with the
    // row whatever the copy does.
    QTemporaryDir folder;
    const QString copy
        = folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    configurationFile(folder, R"({"ports": {"COM-beside": {}}})", "nivaro-sdk-config.json");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(listingVariable), QStringLiteral("1"));
    environment.remove(QStringLiteral("NIVARO_SDK_CONFIG"));
    // Windows looks for the program's DLLs in its folder, and then along the path.
    environment.insert(QStringLiteral("PATH"),
                       QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                           + QDir::listSeparator() + environment.value(QStringLiteral("PATH")));
    QProcess listing;
    listing.setProcessEnvironment(environment);
    // Read as text: a Windows program ends its lines with a carriage return too.
    listing.start(copy, QStringList(), QIODevice::ReadOnly | QIODevice::Text);
    QVERIFY2(listing.waitForFinished(60000), qPrintable(listing.errorString()));
    QCOMPARE(listing.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(listing.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
             QStringList {"COM-beside"});
}

void tst_PortSources::systemPortsComeFirstAndOnce_data()
{
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<QStringList>("configured");
    QTest::addColumn<QStringList>("listed");

    // A configured port the system lists too is listed once, where the system has it.
    using Ports = QStringList;
    QTest::newRow("after") << Ports {"COM4", "COM1"} << Ports {"COM9"}
                           << Ports {"COM4", "COM1", "COM9"};
    QTest::newRow("once") << Ports {"COM1", "COM2"} << Ports {"COM3", "COM2", "COM3"}
                          << Ports {"COM1", "COM2", "COM3"};
    QTest::newRow("no system port") << Ports {} << Ports {"COM3"} << Ports {"COM3"};
}

void tst_PortSources::systemPortsComeFirstAndOnce()
{
    QFETCH(QStringList, system);
    QFETCH(QStringList, configured);
    QFETCH(QStringList, listed);

    QCOMPARE(portsources::systemThenConfigured(system, configured), listed);
}

void tst_PortSources::standInScanListsSystemThenConfigured()
{
    // A name no serial port of any system has.
    QTemporaryDir folder;
    qputenv("NIVARO_SDK_CONFIG",
            QFile::encodeName(configurationFile(folder, R"({"ports": {"simulated camera": {}}})")));
    const QStringList listed = portsources::sdkPorts()();
    qunsetenv("NIVARO_SDK_CONFIG");
    QCOMPARE(listed, portsources::systemPorts() << "simulated camera");
}
void tst_PortSources::vendorScanListsSystemPortsAlone()
{
    // A build against the maker's SDK keeps the window's own scan, whatever file lies around.
    QTemporaryDir folder;
    qputenv("NIVARO_SDK_CONFIG",
            QFile::encodeName(configurationFile(folder, R"({"ports": {"COM42": {}}})")));
    SimulatedSdk sdk;
    MainWindow window;
    ModalAnswerer answerer; // "No COM port found!" on a computer without any
    SimulatedSdk::click(window, "scanDeviceButton");
    qunsetenv("NIVARO_SDK_CONFIG");
    QCOMPARE(comboItems(window, "selectDeviceComboBox"), portsources::systemPorts());
}

QTEST_MAIN(tst_PortSources)
#include "tst_portsources.moc"
