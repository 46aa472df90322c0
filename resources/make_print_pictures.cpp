// Draws the pictures of the printouts into resources/runtime/: the footer mark
// beside the tag line and the empty tick box of the job schedule.
// Build and run by hand when the pictures change:
//   g++ -std=c++20 -fPIC make_print_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_print_pictures
//   QT_QPA_PLATFORM=offscreen ./make_print_pictures runtime
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    // A weather vane in the brand's blues, 28 by 20 pixels.
    QImage footer(28, 20, QImage::Format_RGB32);
    footer.fill(Qt::white);
    {
        QPainter p(&footer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 255), 1.5));
        p.drawLine(QPointF(14, 3), QPointF(14, 18));
        p.drawLine(QPointF(8, 18), QPointF(20, 18));
        QPainterPath arrow;
        arrow.moveTo(3, 7);
        arrow.lineTo(22, 7);
        arrow.lineTo(22, 4);
        arrow.lineTo(26, 7);
        arrow.lineTo(22, 10);
        arrow.lineTo(22, 7);
        p.setPen(QPen(QColor(16, 170, 222), 2));
        p.drawPath(arrow);
        p.setBrush(QColor(16, 170, 222));
        p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(7, 3), QPointF(7, 11)}));
    }
    footer.save(out.filePath(QStringLiteral("Footer.bmp")), "BMP");

    // An empty box, 13 pixels square, its border two pixels wide so that it
    // stays whole when a preview draws it smaller.
    QImage box(13, 13, QImage::Format_RGB32);
    box.fill(Qt::white);
    {
        QPainter p(&box);
        p.fillRect(0, 0, 13, 2, Qt::black);
        p.fillRect(0, 11, 13, 2, Qt::black);
        p.fillRect(0, 0, 2, 13, Qt::black);
        p.fillRect(11, 0, 2, 13, Qt::black);
    }
    box.save(out.filePath(QStringLiteral("Checkbox.bmp")), "BMP");
    return 0;
}
