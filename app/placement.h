#pragma once

class QWidget;

// Shows a top-level window centred on its screen's available area, or at
// its top-left corner when the window is larger. The client area is
// centred first, which is exact when nothing frames the window; once the
// window is on screen and the window manager's frame is known, the whole
// window, frame included, is centred once.
void showCentred(QWidget &window);
