#include "simulator_control.h"
#include "ui/logpane.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

// The log pane: one line per message at the very end of the pane, mirrored unchanged to the
// SDK log at severity 2.
class tst_MessageLog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void messagesAppendInOrderAndReachSdkLog_data();
    void messagesAppendInOrderAndReachSdkLog();
    void appendsAtEndWhateverTheUserDid_data();
    void appendsAtEndWhateverTheUserDid();
    void keepsNewestLineInView();
};

void tst_MessageLog::init()
{
    nivaro_sim::reset();
}

void tst_MessageLog::messagesAppendInOrderAndReachSdkLog_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("paneText");

    QTest::newRow("two lines") << QStringList {"A", "B"} << "A\nB\n";
    QTest::newRow("embedded line feeds")
        << QStringList {"RISC-V version = 1.2.3\nFPGA version = 0.4.a"}
        << "RISC-V version = 1.2.3\nFPGA version = 0.4.a\n";
    QTest::newRow("empty message") << QStringList {"first", "", "third"} << "first\n\nthird\n";
    QTest::newRow("non-ASCII") << QStringList {QStringLiteral("Température = 25 °C – ok")}
                               << QStringLiteral("Température = 25 °C – ok\n");
}

void tst_MessageLog::messagesAppendInOrderAndReachSdkLog()
{
    QFETCH(QStringList, messages);
    QFETCH(QString, paneText);

    QPlainTextEdit pane;
    LogPane log(&pane);
    for (const QString &message : messages)
        log.add(message.toStdString());

    QCOMPARE(pane.toPlainText(), paneText);
    const std::vector<nivaro_sim::LogRecord> records = nivaro_sim::logRecords();
    QCOMPARE(int(records.size()), messages.size());
    for (int index = 0; index < messages.size(); ++index) {
        QCOMPARE(records[size_t(index)].severity, 2);
        // The SDK receives the caller's UTF-8 bytes, with no line end added.
        QCOMPARE(QByteArray::fromStdString(records[size_t(index)].text), messages[index].toUtf8());
    }
}

void tst_MessageLog::appendsAtEndWhateverTheUserDid_data()
{
    // Before the next message the user selected from anchor to position, or typed.
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("added"); // after "Start Read camera parameters\nGamma value = 1.5\n"

    QTest::newRow("selected text") << 0 << 5 << ""
                                   << "End Read camera parameters\n";
    QTest::newRow("clicked elsewhere, nothing selected") << 3 << 3 << ""
                                                         << "End Read camera parameters\n";
    QTest::newRow("typed without a line end") << 0 << 0 << "note: "
                                              << "note: End Read camera parameters\n";
}

void tst_MessageLog::appendsAtEndWhateverTheUserDid()
{
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(QString, added);

    QPlainTextEdit pane;
    LogPane log(&pane);
    log.add("Start Read camera parameters");
    log.add("Gamma value = 1.5");
    if (typed.isEmpty()) {
        QTextCursor cursor = pane.textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
        QCOMPARE(pane.textCursor().hasSelection(), anchor != position);
    } else {
        pane.setFocus();
        QTest::keyClicks(&pane, typed);
    }

    log.add("End Read camera parameters");

    QCOMPARE(pane.toPlainText(), "Start Read camera parameters\nGamma value = 1.5\n" + added);
    QVERIFY(!pane.textCursor().hasSelection());
    QCOMPARE(pane.textCursor().position(), pane.document()->characterCount() - 1);
}

void tst_MessageLog::keepsNewestLineInView()
{
    QPlainTextEdit pane;
    pane.resize(400, 200);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    LogPane log(&pane);
    for (int line = 0; line < 300; ++line)
        log.add("line " + std::to_string(line));
    QVERIFY(pane.verticalScrollBar()->maximum() > 0);

    QTextCursor newest(pane.document()->findBlockByNumber(299));
    QCOMPARE(newest.block().text(), QStringLiteral("line 299"));
    QVERIFY(pane.viewport()->rect().contains(pane.cursorRect(newest)));
    QTextCursor first(pane.document()->firstBlock());
    QVERIFY(!pane.viewport()->rect().intersects(pane.cursorRect(first)));

    // Scrolled back by the user, the cursor still at the end: the next line is shown again.
    pane.verticalScrollBar()->setValue(0);
    log.add("line 300");
    QTextCursor added(pane.document()->findBlockByNumber(300));
    QVERIFY(pane.viewport()->rect().contains(pane.cursorRect(added)));
}

QTEST_MAIN(tst_MessageLog)
#include "tst_messagelog.moc"
