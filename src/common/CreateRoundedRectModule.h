#pragma once
#include <QRegion>
#include <QSize>

class QWidget;

namespace wvs {

// Gives a window rounded corners (an ellipse of 15 by 15 pixels).
void CreateRoundRectFromWindow(QWidget *window);

// The rounded region for a window of the given size in pixels.
QRegion roundRectRegion(const QSize &pixels);

} // namespace wvs
