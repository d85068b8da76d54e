#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
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
    void writesFourDiagnosticLinesAndNothingElse();
    void logsQtVersionAndBuildKindToSdkBeforeWindow();

private:
    QStringList readLines(const QString &name) const;
    void startUntilWindowBuilt();

    QTemporaryDir folder;
    QProcess program;
};

static QString buildKind()
{
    return QLibraryInfo::isDebugBuild() ? QStringLiteral("DEBUG") : QStringLiteral("RELEASE");
}

// The window's constructor ends by loading the Expert controls from the configuration:
// once that call is in the trace, every start-up line has been written and flushed.
static const QStringList startupTrace = {
    QStringLiteral("sdk.Init() -> true"),
    QStringLiteral("sdk.Init() -> true"),
    QStringLiteral("sdk.GetConfig() -> config"),
    QStringLiteral("config.IsExpertModeEnabled() -> true"),
    QStringLiteral("sdk.GetConfig() -> config"),
};

void tst_Startup::init()
{
    QVERIFY(folder.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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

void tst_Startup::writesFourDiagnosticLinesAndNothingElse()
{
    startUntilWindowBuilt();
    QCOMPARE(readLines(QStringLiteral("trace")), startupTrace);

    const QString qtVersion = QLibraryInfo::version().toString();
    const QStringList expected = {
        QStringLiteral("Start QT nivaro command application"),
        QStringLiteral("QT Version ") + qtVersion,
        QStringLiteral("QT Built in ") + buildKind(),
        QStringLiteral("Test log in debug"),
    };
    QCOMPARE(readLines(QStringLiteral("stdout")), expected);
}

void tst_Startup::logsQtVersionAndBuildKindToSdkBeforeWindow()
{
    startUntilWindowBuilt();

    QStringList records;
    for (const QString &line : readLines(QStringLiteral("sdk.log"))) {
        const QJsonObject record = QJsonDocument::fromJson(line.toUtf8()).object();
        records << QString::number(record.value(QStringLiteral("severity")).toInt())
                + QLatin1Char(' ') + record.value(QStringLiteral("text")).toString();
    }
    // No line end inside a record, and nothing from the log pane: it starts empty.
    QCOMPARE(records,
             (QStringList {
                 QStringLiteral("0 QT Version ") + QLibraryInfo::version().toString(),
                 QStringLiteral("0 QT Built in ") + buildKind(),
             }));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
