#include "ui/windowplacement.h"

#include "ui/compactform.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Polishing the widgets changes their fonts and sizes after the layouts have cached theirs, and
// a layout that is already active would go on answering from its cache until the window is
// shown: the window would then grow past the height it was given. The inner layouts first, so
// that each outer one measures widgets whose own layouts are up to date.
void measureLayoutsAfresh(QWidget &window)
{
    QList<QWidget *> widgets = window.findChildren<QWidget *>();
    std::reverse(widgets.begin(), widgets.end());
    widgets.append(&window);
    for (QWidget *widget : qAsConst(widgets)) {
        if (QLayout *layout = widget->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
}

} // namespace

QRect openingGeometry(QSize designed, QSize minimum, QRect available, QMargins frame)
{
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = designed.boundedTo(room).expandedTo(minimum);
    QRect framed(QPoint(), size.grownBy(frame));
    framed.moveCenter(available.center());
    framed.moveTopLeft(
        QPoint(std::max(framed.left(), available.left()), std::max(framed.top(), available.top())));
    return framed.marginsRemoved(frame);
}

void placeWithin(QWidget &window, QRect available, QMargins frame)
{
    window.ensurePolished();
    compactFormUntil(window, [&window, available, frame] {
        measureLayoutsAfresh(window);
        return window.minimumHeight() + frame.top() + frame.bottom() <= available.height();
    });
    measureLayoutsAfresh(window);
    window.setGeometry(openingGeometry(window.size(), window.minimumSize(), available, frame));
}

void showWithinScreen(QWidget &window)
{
    // The frame is known once the native window exists.
    window.winId();
    const QWindow *handle = window.windowHandle();
    placeWithin(window, handle->screen()->availableGeometry(), handle->frameMargins());
    window.show();
}
