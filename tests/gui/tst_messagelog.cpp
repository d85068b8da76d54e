#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

// AddLog: one line per message at the very end of the pane, mirrored unchanged to the
// SDK log at severity 2.
class tst_MessageLog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void messagesAppendInOrderAndReachSdkLog_data();
    void messagesAppendInOrderAndReachSdkLog();
    void appendsAtEndWhateverTheUserSelected();
    void continuesTextTypedWithoutLineEnd();
    void keepsNewestLineInView();

private:
    static QPlainTextEdit *logView(MainWindow &window);
};

QPlainTextEdit *tst_MessageLog::logView(MainWindow &window)
{
    return window.findChild<QPlainTextEdit *>(QStringLiteral("logView"));
}

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

    MainWindow window;
    for (const QString &message : messages)
        window.AddLog(message.toStdString());

    QCOMPARE(logView(window)->toPlainText(), paneText);
    const std::vector<nivaro_sim::LogRecord> records = nivaro_sim::logRecords();
    QCOMPARE(int(records.size()), messages.size());
    for (int index = 0; index < messages.size(); ++index) {
        QCOMPARE(records[size_t(index)].severity, 2);
        // The SDK receives the caller's UTF-8 bytes, with no line end added.
        QCOMPARE(QByteArray::fromStdString(records[size_t(index)].text), messages[index].toUtf8());
    }
}

void tst_MessageLog::appendsAtEndWhateverTheUserSelected()
{
    MainWindow window;
    QPlainTextEdit *pane = logView(window);
    window.AddLog("Start Read camera parameters");
    window.AddLog("Gamma value = 1.5");

    QTextCursor selection = pane->textCursor();
    selection.setPosition(0);
    selection.setPosition(5, QTextCursor::KeepAnchor);
    pane->setTextCursor(selection);
    QVERIFY(pane->textCursor().hasSelection());

    window.AddLog("End Read camera parameters");
    QCOMPARE(pane->toPlainText(),
             QStringLiteral("Start Read camera parameters\nGamma value = "
                            "1.5\nEnd Read camera parameters\n"));
    QVERIFY(!pane->textCursor().hasSelection());
    QCOMPARE(pane->textCursor().position(), pane->document()->characterCount() - 1);

    // A click elsewhere moves the cursor without selecting anything.
    QTextCursor click = pane->textCursor();
    click.setPosition(3);
    pane->setTextCursor(click);
    window.AddLog("NUC state = Enabled");
    QVERIFY(pane->toPlainText().endsWith(QStringLiteral("parameters\nNUC state = Enabled\n")));
    QCOMPARE(pane->textCursor().position(), pane->document()->characterCount() - 1);
}

void tst_MessageLog::continuesTextTypedWithoutLineEnd()
{
    MainWindow window;
    QPlainTextEdit *pane = logView(window);
    window.AddLog("Set GAMMA value OK");
    pane->setFocus();
    QTest::keyClicks(pane, "note: ");
    window.AddLog("Set CLHE value OK");
    QCOMPARE(pane->toPlainText(), QStringLiteral("Set GAMMA value OK\nnote: Set CLHE value OK\n"));
}

void tst_MessageLog::keepsNewestLineInView()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPlainTextEdit *pane = logView(window);
    for (int line = 0; line < 300; ++line)
        window.AddLog("line " + std::to_string(line));
    QVERIFY(pane->verticalScrollBar()->maximum() > 0);

    QTextCursor newest(pane->document()->findBlockByNumber(299));
    QCOMPARE(newest.block().text(), QStringLiteral("line 299"));
    QVERIFY(pane->viewport()->rect().contains(pane->cursorRect(newest)));
    QTextCursor first(pane->document()->firstBlock());
    QVERIFY(!pane->viewport()->rect().intersects(pane->cursorRect(first)));

    // Scrolled back by the user, the cursor still at the end: the next line is shown again.
    pane->verticalScrollBar()->setValue(0);
    window.AddLog("line 300");
    QTextCursor added(pane->document()->findBlockByNumber(300));
    QVERIFY(pane->viewport()->rect().contains(pane->cursorRect(added)));
}

QTEST_MAIN(tst_MessageLog)
#include "tst_messagelog.moc"
