#pragma once

class QWidget;

namespace fractions {

// Centres a window, frame included, on the free area of its screen: at
// once, with the frame as far as it is known, and again when the window
// manager has framed the window (under X11, after it is shown), so that the
// frame's title bar does not push the window half its height too low.
void CentreOnScreen(QWidget* window);

}  // namespace fractions
