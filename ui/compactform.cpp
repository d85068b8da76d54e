#include "ui/compactform.h"

#include <QLayout>
#include <QWidget>

namespace {

// Still a comfortable target for a click at every scale, and taller than the text and the
// 20-pixel icons of the buttons.
constexpr int compactButtonHeight = 30;
constexpr int compactRowMargin = 2;

// The form's central widget never gets less than the height it would like (its vertical policy
// is Minimum); a Preferred one lets the window be as short as its layouts need at least.
void letCentralWidgetShrink(QWidget &window)
{
    auto *central = window.findChild<QWidget *>(QStringLiteral("centralWidget"));
    if (!central)
        return;
    QSizePolicy policy = central->sizePolicy();
    policy.setVerticalPolicy(QSizePolicy::Preferred);
    central->setSizePolicy(policy);
}

void tightenButtonRows(QWidget &window)
{
    for (const char *name : {"ScanButtons", "ConnectButtons", "CommandButtons"}) {
        auto *row = window.findChild<QLayout *>(QLatin1String(name));
        if (!row)
            continue;
        QMargins margins = row->contentsMargins();
        margins.setTop(compactRowMargin);
        margins.setBottom(compactRowMargin);
        row->setContentsMargins(margins);
        for (int index = 0; index < row->count(); ++index) {
            if (QWidget *control = row->itemAt(index)->widget())
                control->setMinimumHeight(compactButtonHeight);
        }
    }
}

} // namespace

void compactFormUntil(QWidget &window, const std::function<bool()> &fits)
{
    for (const auto step : {letCentralWidgetShrink, tightenButtonRows}) {
        if (fits())
            return;
        step(window);
    }
}
