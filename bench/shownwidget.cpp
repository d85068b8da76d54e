#include "shownwidget.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

void showAndSettle(QWidget &widget)
{
    widget.show();
    // Exposure arrives as a window-system event; bounded in case a platform never sends one.
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::processEvents();
        if (widget.windowHandle() && widget.windowHandle()->isExposed())
            break;
    }
    QCoreApplication::processEvents();
}
