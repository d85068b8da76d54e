#include "ui/windowplacement.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

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

void showWithinScreen(QWidget &window)
{
    // The frame is known once the native window exists, and the smallest size once the
    // layout has measured the polished widgets.
    window.winId();
    window.ensurePolished();
    if (QLayout *layout = window.layout())
        layout->activate();
    const QWindow *handle = window.windowHandle();
    window.setGeometry(openingGeometry(window.size(), window.minimumSize(),
                                       handle->screen()->availableGeometry(),
                                       handle->frameMargins()));
    window.show();
}
