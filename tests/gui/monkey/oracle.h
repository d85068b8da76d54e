#pragma once

// What must hold after every move: the states the SDK's answers lead to, the pairs on one
// value, the OK/KO lines against the camera's answers, and the log pane against the SDK log.

#include "controls.h"
#include "moves.h"

#include <optional>

struct Failure
{
    int move = -1; // index in the moves made
    QString check, detail;
};

// What one move did, as the SDK and the log pane tell it.
struct Observed
{
    QStringList trace, log;
    QString paneAdded;
    int tabClicked = -2; // the index the tab bar reported, -2 for none
};

// The connection bar and the pages, as the controller's table of enabled states says
// they stand after the moves made so far. Connected, the bar offers only Disconnect.
struct Expected
{
    bool connected = false, connect = false, userButtons = false, iaPage = false;
    bool iaTab = true, expertTab = true;

    void disconnected()
    {
        connect = true;
        connected = userButtons = iaPage = false;
    }

    // What a move leads to, told for a Connect click by the SDK's answers in its trace.
    void after(const Move &move, const Observed &observed, bool portsListed)
    {
        const bool click = move.kind == "click";
        if (click && move.target == "scanDeviceButton" && portsListed)
            connect = true;
        if (click && move.target == "disconnectDeviceButton")
            disconnected();
        // The tab rule: while connected, a click on a tab decides the User buttons.
        if (observed.tabClicked >= 0 && connected)
            userButtons = observed.tabClicked == 0;
        const QString typeQuery = observed.trace.filter(QStringLiteral(".GetCameraType(")).value(0);
        // No type query: a refused link type, or no camera on the port.
        if (!click || move.target != "connectDeviceButton" || typeQuery.isEmpty())
            return;
        if (typeQuery.endsWith(QLatin1String("-> false")))
            return disconnected();
        // Zero version words leave the camera held but not confirmed: the bar stays as it
        // was, and the IA step still runs.
        if (observed.trace.filter(QStringLiteral("riscvVersion=0, fpgaVersion=0}")).isEmpty()) {
            connected = userButtons = true;
            connect = false;
        }
        static const QRegularExpression type(QStringLiteral("GetCameraType\\(out (\\d+)\\)"));
        if (type.match(typeQuery).captured(1) == QLatin1String("12"))
            iaPage = true;
        else
            iaTab = false;
    }
};

inline QString enabledStateMismatch(const QWidget &window, const Expected &expected)
{
    // clang-format off
    const std::vector<std::pair<const char *, bool>> states {
        {"scanDeviceButton", !expected.connected}, {"selectDeviceComboBox", !expected.connected},
        {"connectDeviceButton", expected.connect}, {"disconnectDeviceButton", expected.connected},
        {"resetParamButtonUser", expected.userButtons}, {"applyParamsButtonUser", expected.userButtons},
        {"readParamButtonUser", expected.userButtons}, {"UserMode", expected.connected},
        {"IAControl", expected.iaPage}, {"ExpertMode", true}, {"gskSlider", true},
        {"gfidSlider", true}, {"gmsSlider", true}, {"tintSlider", true}};
    // clang-format on
    QStringList wrong;
    for (const auto &[name, enabled] : states) {
        // A control's own state, whatever its page's.
        auto *widget = child<QWidget>(window, name);
        if (widget->isEnabledTo(widget->parentWidget()) != enabled)
            wrong << QStringLiteral("%1 %2").arg(name, enabled ? "disabled" : "enabled");
    }
    const QStringList shown = tabTexts(window);
    QStringList wanted {"User"};
    if (expected.iaTab)
        wanted << "IA control";
    if (expected.expertTab)
        wanted << "Expert";
    if (shown != wanted)
        wrong << "tabs " + shown.join(QLatin1Char('/'));
    return wrong.join(QStringLiteral(", "));
}

// A slider and its spin box: the slider position a value stands for is the value less the
// offset, times the scale, rounded.
struct Pair
{
    const char *slider;
    const char *spinBox;
    double offset = 0;
    double scale = 1;
    // The GMS spin box reaches beyond its slider: a typed, read or stored value there
    // leaves the slider at the end it reached.
    bool spinBoxReachesBeyond = false;
};

// clang-format off
inline const std::vector<Pair> pairs {
    {"gammaSlider", "gammaEdit", 0.5, 10}, {"sharpeningSlider", "sharpeningEdit", 0, 10},
    {"clheSlider", "clheEdit"}, {"gskSlider", "gskEdit"}, {"gfidSlider", "gfidEdit"},
    {"gmsSlider", "gmsEdit", 0, 1, true}, {"tintSlider", "tintEdit"},
    {"nbBoxesSlider", "nbBoxesSpinBox"}, {"iASensitivitySlider", "iASensitivitySpinBox"},
    {"interOverUnionSlider", "interOverUnionSpinBox"}};
// clang-format on

inline QString pairMismatch(const QWidget &window)
{
    QStringList wrong;
    for (const Pair &pair : pairs) {
        const auto *slider = child<QSlider>(window, pair.slider);
        const double value
            = child<QAbstractSpinBox>(window, pair.spinBox)->property("value").toDouble();
        const int wanted = saturatedRound((value - pair.offset) * pair.scale);
        const int at = slider->value();
        const bool atEndBeyond
            = (at == slider->maximum() && wanted > at) || (at == slider->minimum() && wanted < at);
        if (at != wanted && !(pair.spinBoxReachesBeyond && atEndBeyond))
            wrong << QString::asprintf("%s at %d (%d..%d), %s shows %s", pair.slider, at,
                                       slider->minimum(), slider->maximum(), pair.spinBox,
                                       qPrintable(number(value)));
    }
    return wrong.join(QStringLiteral(", "));
}

// Each OK/KO line, in order, is the answer of the camera setter called for it.
inline QString stepMismatch(const QStringList &log, const QStringList &trace)
{
    static const QRegularExpression setterCall(QStringLiteral(
        "^(?:returned )?camera\\[[^\\]]*\\]\\.(?:Set|ConfigureZoom)\\w*\\(.*\\) -> (true|false)$"));
    QStringList answered;
    for (const QString &line : trace) {
        const QRegularExpressionMatch call = setterCall.match(line);
        if (call.hasMatch())
            answered << (call.captured(1) == "true" ? "OK" : "KO");
    }
    QStringList logged;
    for (const QString &line : log) {
        if (line.endsWith(QLatin1String(" OK")) || line.endsWith(QLatin1String(" KO")))
            logged << line.right(2);
    }
    if (answered == logged)
        return {};
    return QStringLiteral("camera answered [%1], log says [%2] in [%3]")
        .arg(answered.join(", "), logged.join(", "), log.join(", "));
}

// What came into the pane since it had that many blocks: its blocks from the last one,
// which was the empty line after the newest message.
inline QString paneTextSince(const QPlainTextEdit &pane, int blocks)
{
    QStringList lines;
    for (QTextBlock block = pane.document()->findBlockByNumber(blocks - 1); block.isValid();
         block = block.next())
        lines << block.text();
    return lines.join(QLatin1Char('\n'));
}

// The first check a move broke, with what was wrong (its move index left to the caller).
inline std::optional<Failure> brokenCheck(const Move &move, const Observed &observed,
                                          const Expected &expected, const QWidget &window)
{
    QString logged;
    for (const QString &text : observed.log)
        logged += text + '\n';
    const std::vector<std::string> uses = nivaro_sim::usesAfterHandBack();
    const bool local = !kindNamed(move.kind)->talksToCamera;
    const std::vector<std::pair<const char *, QString>> checks {
        {"enabled states", enabledStateMismatch(window, expected)},
        {"pairs", pairMismatch(window)},
        {"log pane",
         observed.paneAdded == logged
             ? QString()
             : QStringLiteral("pane got:\n%1\nSDK log got:\n%2").arg(observed.paneAdded, logged)},
        {"OK/KO lines", stepMismatch(observed.log, observed.trace)},
        {"hand-back", uses.empty() ? QString() : QString::fromStdString(uses.front())},
        {"local move", local ? (observed.trace + observed.log).join(QLatin1Char('\n')) : QString()},
    };
    for (const auto &[check, detail] : checks) {
        if (!detail.isEmpty())
            return Failure {-1, QString::fromLatin1(check), detail};
    }
    return std::nullopt;
}
