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

// Gives a top-level window its opening geometry in an available area, for the frame given. Where
// the area is too short for the window's smallest size, the form is made more compact first,
// as far as needed (compactform.h).
void placeWithin(QWidget &window, QRect available, QMargins frame);

// Shows a top-level window placed within the available area of the screen it opens on.
void showWithinScreen(QWidget &window);
