#pragma once

#include <functional>

class QWidget;

// Makes the main window's form shorter, for screens that cannot hold it (a 1920 x 1080 laptop at
// 150 %, a 1366 x 768 one at 100 %, less their task bars), one step at a time until `fits`
// holds or no step is left. Each step gives up a little more of the designed look and keeps
// every control, every text and the log pane whole:
// 1. the window may become as short as its layouts' minimum sizes allow, the log pane and the
//    tab pages giving up the height they would like;
// 2. the connection bar and the command buttons lose most of their spacing and height.
// It works on the form's widgets by their object names, so that a window shown anywhere else
// keeps the form as designed.
void compactFormUntil(QWidget &window, const std::function<bool()> &fits);
