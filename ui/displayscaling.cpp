#include "ui/displayscaling.h"

#include <QGuiApplication>

void enableDisplayScaling()
{
    // Otherwise Qt 5 grows the fonts with the screen's DPI while every size of the form stays
    // in pixels, and the 960-pixel-wide window cuts its labels from 125 % on.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // The icons come from large pictures: draw them from those at the scaled size rather than
    // enlarging a 20-pixel copy.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // 125 % and 150 % scale by 1.25 and 1.5, as the rest of the desktop does, not by 1 and 2.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}
