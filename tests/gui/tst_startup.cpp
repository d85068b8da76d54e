#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QVersionNumber>
#include <QtTest>

// The built program, started as a user would with its standard output sent to a file:
// what it writes there and to the SDK log before the event loop runs.
class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writesItsStartupLinesAndNothingElse_data();
    void writesItsStartupLinesAndNothingElse();
    void opensScaledWithinAShortScreen();

private:
    QStringList readLines(const QString &name) const;
    void startUntilWindowBuilt();

    QTemporaryDir folder;
    QProcess program;
};

// The window's constructor ends by loading the Expert controls from the configuration:
// once that call is in the trace, every start-up line has been written and flushed.
static const QStringList startupTrace
    = {"sdk.Init() -> true", "sdk.Init() -> true", "sdk.GetConfig() -> config",
       "config.IsExpertModeEnabled() -> true", "sdk.GetConfig() -> config"};

void tst_Startup::init()
{
    QVERIFY(folder.isValid());
    // A run must not find the files of the one before: its wait for the trace would end at once.
    for (const char *name : {"stdout", "stderr", "sdk.log", "trace"})
        QFile::remove(folder.filePath(QLatin1String(name)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Qt's offscreen screen has 800 x 600 pixels at 100 dpi; scaled by 0.75 besides, a program
    // that follows the display's scale sees 1024 x 768 at a ratio of 0.78125, too short for it.
    environment.insert("QT_SCALE_FACTOR", "0.75");
    environment.insert("QT_LOGGING_RULES", "qt.scaling=true;qt.widgets.painting=true");
    environment.insert(QStringLiteral("NIVARO_SDK_LOG"),
                       folder.filePath(QStringLiteral("sdk.log")));
    environment.insert(QStringLiteral("NIVARO_SDK_TRACE"),
                       folder.filePath(QStringLiteral("trace")));
    environment.remove(QStringLiteral("NIVARO_SDK_CONFIG"));
    program.setProcessEnvironment(environment);
    program.setStandardOutputFile(folder.filePath(QStringLiteral("stdout")));
    program.setStandardErrorFile(folder.filePath(QStringLiteral("stderr")));
}

void tst_Startup::cleanup()
{
    program.kill();
    program.waitForFinished();
}

QStringList tst_Startup::readLines(const QString &name) const
{
    QFile file(folder.filePath(name));
    // Text mode: on Windows the standard output's lines end in CR LF.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void tst_Startup::startUntilWindowBuilt()
{
    program.start(QStringLiteral(VELMORA_EXECUTABLE), QStringList());
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(readLines(QStringLiteral("trace")).size() >= startupTrace.size(),
                             60000);
    QCOMPARE(program.state(), QProcess::Running);
}

void tst_Startup::writesItsStartupLinesAndNothingElse_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");

    const QString qtVersion = QLibraryInfo::version().toString();
    const QString buildKind = QLibraryInfo::isDebugBuild() ? "DEBUG" : "RELEASE";
    QTest::newRow("SDK calls") << "trace" << startupTrace;
    QTest::newRow("standard output")
        << "stdout"
        << QStringList {"Start QT nivaro command application", "QT Version " + qtVersion,
                        "QT Built in " + buildKind, "Test log in debug"};
    // No line end inside a record, and nothing from the log pane: it starts empty.
    QTest::newRow("SDK log, severity and text")
        << "sdk.log" << QStringList {"0 QT Version " + qtVersion, "0 QT Built in " + buildKind};
}

void tst_Startup::writesItsStartupLinesAndNothingElse()
{
    QFETCH(QString, file);
    QFETCH(QStringList, lines);

    startUntilWindowBuilt();
    QStringList written = readLines(file);
    if (file == "sdk.log") {
        for (QString &line : written) {
            const QJsonObject record = QJsonDocument::fromJson(line.toUtf8()).object();
            line = QString::number(record.value("severity").toInt()) + ' '
                + record.value("text").toString();
        }
    }
    QCOMPARE(written, lines);
}

void tst_Startup::opensScaledWithinAShortScreen()
{
    startUntilWindowBuilt();
    // Qt reports the ratio of the window's pixels and the size it draws the whole window at.
    const auto reported = [this](const QString &pattern) {
        const QRegularExpression report(pattern);
        return readLines("stderr").filter(report).value(0).section(report, 1);
    };
    QTRY_VERIFY_WITH_TIMEOUT(!reported("top level QRegion\\(0,0 960x").isEmpty(), 60000);
    QCOMPARE(reported("destination size .* dpr "), QStringLiteral("0.78125"));
    QVERIFY(reported("top level QRegion\\(0,0 960x").section(')', 0, 0).toInt() <= 768);
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
