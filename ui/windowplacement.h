#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window opens in a screen's available area (the screen less its task bar), given
// its designed size, the smallest size its layout allows and the frame the window system
// draws around it. It keeps its designed size where that fits, else it is made as short as
// the user could make it by hand, never below its minimum. Its frame is centred in the area;
// one too large for it starts at the area's top-left corner, so that the title bar stays
// within reach. The result is the geometry inside the frame.
QRect openingGeometry(QSize designed, QSize minimum, QRect available, QMargins frame);

// Shows a top-level window at its opening geometry on the screen it opens on.
void showWithinScreen(QWidget &window);
