#include "device/portsources.h"
#include "windowtest.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Where a scan takes its port names from: the system's ports, then those the stand-in SDK's
// configuration file names.
class tst_PortSources : public QObject
{
    Q_OBJECT

private slots:
    void standInScanAddsConfiguredPorts_data();
    void standInScanAddsConfiguredPorts();
    void vendorScanListsSystemPortsAlone();
};

// Where the stand-in looks when NIVARO_SDK_CONFIG is empty. Its ports script default cameras,
// so another test program of this folder that starts meanwhile sees no difference.
const QString besideTheProgram = QStringLiteral("nivaro-sdk-config.json");
const QByteArray besideMark = "<beside the program>";

// A configuration file in a folder of its own, and the path to hand the stand-in; a few names
// stand for files no text can make.
QString configurationFile(const QTemporaryDir &folder, const QByteArray &text)
{
    QString path = folder.filePath(QStringLiteral("config.json"));
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
    const bool beside = text.startsWith(besideMark);
    QFile file(beside ? QDir(QCoreApplication::applicationDirPath()).filePath(besideTheProgram)
                      : path);
    const QByteArray content = beside ? text.mid(besideMark.size()) : text;
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return beside ? QString() : path;
}

void tst_PortSources::standInScanAddsConfiguredPorts_data()
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

void tst_PortSources::standInScanAddsConfiguredPorts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, configured);

    QTemporaryDir folder;
    qputenv("NIVARO_SDK_CONFIG", QFile::encodeName(configurationFile(folder, file)));
    const QStringList listed = portsources::standInPorts()();
    qunsetenv("NIVARO_SDK_CONFIG");
    QFile::remove(QDir(QCoreApplication::applicationDirPath()).filePath(besideTheProgram));
    QCOMPARE(listed, portsources::systemThenConfigured(portsources::systemPorts(), configured));

    // A configured port the system lists too is listed once, where the system has it.
    QCOMPARE(portsources::systemThenConfigured({"COM1", "COM2"}, {"COM3", "COM2", "COM3"}),
             QStringList({"COM1", "COM2", "COM3"}));
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
