#include "ui/mainwindow.h"

#include <QtTest>
#include <QtWidgets>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

// The built program on an X display of its own (CTest runs this under xvfb-run, the xcb
// platform), driven by real input events as a user would: scan, connect, edit and write, reset
// answered Yes, disconnect, close. What it showed, what it sent to the SDK and how it ended are
// checked.
//
// The widgets are found where a window of the same form, built here on the same display
// with the same fonts and style, has them.
class tst_RealDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void userRoadThroughTheRealWindow();

private:
    bool xdotool(const QStringList &arguments, QString *output = nullptr);
    // The calls in turn, up to the first that fails.
    bool xdotool(const std::vector<QStringList> &calls);

    QString display; // the X display given to the test
    QString problem; // why the last xdotool call failed
    QTemporaryDir folder;
    QProcess program;
    QString window; // the program's main window, as xdotool names it
    std::unique_ptr<MainWindow> reference;
};

namespace {

constexpr int deadlineMs = 30000;

// What a window manager would send when the user clicks the window's close button.
bool sendDeleteWindow(const QString &display, quint32 window)
{
    xcb_connection_t *connection = xcb_connect(display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    const auto atom = [connection](const char *name) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    };
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&message));
    // A round trip: the server has delivered the message before the connection closes, which
    // could otherwise drop it.
    xcb_get_input_focus_reply_t *synced
        = xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const bool sent = synced != nullptr;
    std::free(synced);
    xcb_disconnect(connection);
    return sent;
}

// The call that presses these keys, space-separated, with no modifier held but those named.
QStringList keys(const QString &pressed)
{
    return QStringList {"key", "--clearmodifiers"} + pressed.split(QLatin1Char(' '));
}

} // namespace

bool tst_RealDisplay::xdotool(const QStringList &arguments, QString *output)
{
    QProcess tool; // ended by its destructor should it not answer
    tool.start(QStringLiteral("xdotool"), arguments);
    const bool finished = tool.waitForFinished(deadlineMs);
    problem = QStringLiteral("xdotool %1: %2%3")
                  .arg(arguments.join(QLatin1Char(' ')),
                       finished ? QString::number(tool.exitCode()) : QStringLiteral("no answer"),
                       QString::fromLocal8Bit(tool.readAllStandardError()));
    if (output)
        *output = QString::fromLatin1(tool.readAllStandardOutput()).trimmed();
    return finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool tst_RealDisplay::xdotool(const std::vector<QStringList> &calls)
{
    return std::all_of(calls.begin(), calls.end(),
                       [this](const QStringList &call) { return xdotool(call); });
}

void tst_RealDisplay::initTestCase()
{
    display = qEnvironmentVariable("DISPLAY");
    QString why;
    if (display.isEmpty())
        why = QStringLiteral("no X display: CTest gives the test one through xvfb-run "
                             "(Debian: apt-get install xvfb xauth)");
    else if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        why = QStringLiteral("no xdotool (Debian: apt-get install xdotool)");
    if (!why.isEmpty()) {
        // On Linux, with the real display tools installed by the setup script, a missing tool
        // is a broken set-up, not a reason to skip.
        if (!qEnvironmentVariableIsEmpty("VELMORA_REQUIRE_WINDOWS_CHECKS")
            || !qEnvironmentVariableIsEmpty("CI"))
            QFAIL(qPrintable(why));
        QSKIP(qPrintable(why));
    }
    QVERIFY(folder.isValid());
}

void tst_RealDisplay::userRoadThroughTheRealWindow()
{
    // The configured port comes after any serial port the system has: the scan lists it last.
    QFile configuration(folder.filePath(QStringLiteral("config.json")));
    QVERIFY(configuration.open(QIODevice::WriteOnly));
    configuration.write(R"({"ports": {"COM3": {}}})");
    configuration.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NIVARO_SDK_CONFIG"), configuration.fileName());
    environment.insert(QStringLiteral("NIVARO_SDK_LOG"), folder.filePath(QStringLiteral("log")));
    environment.insert(QStringLiteral("NIVARO_SDK_TRACE"),
                       folder.filePath(QStringLiteral("trace")));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(QStringLiteral(VELMORA_EXECUTABLE), QStringList());
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    // The program's visible windows other than the main one: its message box while shown.
    const auto otherWindows = [this] {
        QString windows;
        // Exits 1 while nothing matches, which is no failure here.
        xdotool({"search", "--onlyvisible", "--pid", QString::number(program.processId())},
                &windows);
        QStringList found = windows.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        found.removeAll(window);
        return found;
    };
    const auto lines = [this](const char *name) {
        QFile file(folder.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly)
            ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            : QStringList();
    };

    QVERIFY2(xdotool({"search", "--sync", "--onlyvisible", "--pid",
                      QString::number(program.processId()), "--name", "^Nivaro HD Velmora$"},
                     &window),
             qPrintable(problem));
    QString geometry;
    QVERIFY2(xdotool({"getwindowgeometry", "--shell", window}, &geometry), qPrintable(problem));
    const QRegularExpressionMatch shown
        = QRegularExpression(QStringLiteral("WIDTH=(\\d+)\\s+HEIGHT=(\\d+)")).match(geometry);
    QVERIFY2(shown.hasMatch(), qPrintable(geometry));
    const QSize size(shown.captured(1).toInt(), shown.captured(2).toInt());
    reference = std::make_unique<MainWindow>();
    reference->setAttribute(Qt::WA_DontShowOnScreen);
    reference->resize(size);
    reference->show();
    QCOMPARE(reference->size(), size);

    // The call that presses mouse buttons in the middle of the named control, wherever the form
    // puts it: by default one left click.
    const auto clickOn = [this](const char *name, const QStringList &buttons = {"1"}) {
        const auto *widget = reference->findChild<QWidget *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control named %s", name);
        const QPoint centre = widget->mapTo(reference.get(), widget->rect().center());
        const QString moveThere
            = QStringLiteral("mousemove --window %1 --sync %2 %3 click")
                  .arg(window, QString::number(centre.x()), QString::number(centre.y()));
        return moveThere.split(QLatin1Char(' ')) + buttons;
    };
    const QStringList focusWindow {"windowfocus", "--sync", window};
    // The wheel steps through the list without opening it; past its end it stays on the last.
    // Then gamma 1.7 typed in its box and written, and a reset asked for.
    QVERIFY2(xdotool({clickOn("scanDeviceButton"),
                      clickOn("selectDeviceComboBox", {"--repeat", "8", "5"}),
                      clickOn("connectDeviceButton"), clickOn("gammaEdit"), focusWindow,
                      keys("ctrl+a"), QStringList {"type", "1.7"}, keys("Tab"),
                      clickOn("applyParamsButtonUser"), clickOn("resetParamButtonUser")}),
             qPrintable(problem));
    QTRY_COMPARE_WITH_TIMEOUT(otherWindows().size(), 1, deadlineMs);
    QVERIFY2(
        xdotool({QStringList {"windowfocus", "--sync", otherWindows().value(0)}, keys("alt+y")}),
        qPrintable(problem));
    // Until the box is gone it blocks every click on the window.
    QTRY_VERIFY_WITH_TIMEOUT(otherWindows().isEmpty(), deadlineMs);

    // The pane's text, as the user would copy it out.
    QVERIFY2(xdotool({clickOn("disconnectDeviceButton"), clickOn("logView"), focusWindow,
                      keys("ctrl+a ctrl+c")}),
             qPrintable(problem));
    QTRY_VERIFY_WITH_TIMEOUT(!QGuiApplication::clipboard()->text().isEmpty(), deadlineMs);
    const QString pane = QGuiApplication::clipboard()->text();

    QVERIFY(sendDeleteWindow(display, window.toUInt()));
    QVERIFY2(program.waitForFinished(deadlineMs), "the program did not end once closed");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QString logged;
    for (const QString &line : lines("log")) {
        const QJsonObject record = QJsonDocument::fromJson(line.toUtf8()).object();
        if (record.value(QStringLiteral("severity")).toInt() == 2)
            logged += record.value(QStringLiteral("text")).toString() + QLatin1Char('\n');
    }
    QCOMPARE(pane, logged);
    QVERIFY(pane.startsWith(QLatin1String("ALTERNATIVE SERIAL PORT : COM3\n")));
    QCOMPARE(pane.count(QStringLiteral("Set GAMMA value OK\n")), 2);

    // The calls of the road, in order, and none once the window was closed.
    const QStringList road {
        QStringLiteral("sdk.CreateConnection() -> connection#1"),
        QStringLiteral("connection#1.OpenCamera(\"COM3\") -> camera[COM3]"),
        QStringLiteral("camera[COM3].SetGamma(111411) -> true"), // 1.7 in 16.16, truncated
        QStringLiteral("sdk.NotifyParametersApplied()"),
        QStringLiteral("camera[COM3].SetGamma(65536) -> true"), // the default, 1.0
        QStringLiteral("sdk.NotifyParametersApplied()"),
        QStringLiteral("connection#1.CloseCamera(camera[COM3])"),
        QStringLiteral("sdk.ReleaseConnection(&connection#1)"),
    };
    const QStringList trace = lines("trace");
    int from = 0;
    for (const QString &call : road) {
        from = trace.indexOf(call, from);
        QVERIFY2(from >= 0, qPrintable(call + " not in order in:\n" + trace.join('\n')));
    }
    QCOMPARE(trace.last(), road.last());
}

int main(int argc, char **argv)
{
    // Without a display the test only tells why it skips, on a platform that needs none.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("QT_QPA_PLATFORM", "xcb");
        // Widgets draw without OpenGL. Left out, the GLX integration keeps Mesa's drivers
        // out of the process, with the leak they leave at exit (their code is unloaded by
        // then, so no suppression could name it). The program inherits both.
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    }
    QApplication application(argc, argv);
    tst_RealDisplay test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_realdisplay.moc"
