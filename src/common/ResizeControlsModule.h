#pragma once

class QWidget;

namespace wvs {

// The list windows are laid out for a screen of 1024 x 768 pixels. A larger
// screen counts half its excess; a smaller one gives factors below 1.
constexpr int kDesignScreenWidth = 1024;
constexpr int kDesignScreenHeight = 768;

struct ResizeFactors {
    float horizontal = 1.0f;
    float vertical = 1.0f;
};

// The factors for a screen of the given size in pixels.
ResizeFactors resizeFactorsFor(int screenWidth, int screenHeight);

// Scales one coordinate in twips. A coordinate below -1000 twips belongs to a
// control parked off-screen and stays parked by the same 75000 twips.
double scaleCoordinate(double twips, double factor);

// Measures the screen the window is on, stores the horizontal factor in
// session().resizeFactor (grid column widths use it) and scales the window
// by the factors, together with any control placed by position rather than
// by a layout. Fonts keep their size. Call it while the window loads, before
// its grid is built.
void ResizeControls(QWidget *window);

} // namespace wvs
