#pragma once

// Lets the program follow the display's scale (125 %, 150 %, 200 % on Windows) as a whole:
// sizes, fonts and pictures together. Must run before the application object exists.
void enableDisplayScaling();
