#include "common/CreateRoundedRectModule.h"
#include "platform/ErrorHandlingModule.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace wvs {

QRegion roundRectRegion(const QSize &pixels)
{
    QBitmap mask(pixels);
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::color1);
    p.setPen(Qt::color1);
    // Corners rounded by an ellipse of 15 by 15 pixels.
    p.drawRoundedRect(QRect(QPoint(0, 0), pixels), 7.5, 7.5);
    p.end();
    return QRegion(mask);
}

void CreateRoundRectFromWindow(QWidget *window)
{
    guarded("CreateRoundedRectModule", "CreateRoundRectFromWindow",
            [&] { window->setMask(roundRectRegion(window->size())); });
}

} // namespace wvs
