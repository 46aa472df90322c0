// Draws the four flag icons of the About window into resources/runtime/.
// Build and run by hand when the pictures change:
//   g++ -std=c++20 -fPIC make_flag_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_flag_icons
//   QT_QPA_PLATFORM=offscreen ./make_flag_icons runtime
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

const QColor kBlue(1, 33, 105);
const QColor kRed(200, 16, 46);
const QColor kWhite(255, 255, 255);

QPainterPath star(QPointF c, double outer, int points = 5, double innerRatio = 0.4)
{
    QPainterPath p;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : outer * innerRatio;
        const double a = -M_PI / 2 + i * M_PI / points;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

// The union flag filling rect.
void unionFlag(QPainter &p, const QRectF &r)
{
    p.save();
    p.setClipRect(r);
    p.fillRect(r, kBlue);
    const double u = r.height() / 30.0; // the flag is 60 x 30 units
    p.setPen(QPen(kWhite, 6 * u));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(QPen(kRed, 2 * u));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRect(QRectF(r.center().x() - 5 * u, r.top(), 10 * u, r.height()));
    p.drawRect(QRectF(r.left(), r.center().y() - 5 * u, r.width(), 10 * u));
    p.setBrush(kRed);
    p.drawRect(QRectF(r.center().x() - 3 * u, r.top(), 6 * u, r.height()));
    p.drawRect(QRectF(r.left(), r.center().y() - 3 * u, r.width(), 6 * u));
    p.restore();
}

QImage canvas() { QImage img(64, 64, QImage::Format_ARGB32); img.fill(Qt::transparent); return img; }
const QRectF kFlag(0, 16, 64, 32);

void outline(QPainter &p)
{
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(kFlag.adjusted(0.5, 0.5, -0.5, -0.5));
}

QImage uk()
{
    QImage img = canvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    unionFlag(p, kFlag);
    outline(p);
    return img;
}

QImage ensign(bool nz)
{
    QImage img = canvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(kFlag, kBlue);
    unionFlag(p, QRectF(kFlag.left(), kFlag.top(), kFlag.width() / 2, kFlag.height() / 2));
    const double x0 = kFlag.left(), y0 = kFlag.top(), w = kFlag.width(), h = kFlag.height();
    // The Southern Cross on the fly.
    const QPointF cross[] = {{x0 + w * 0.75, y0 + h * 0.80}, {x0 + w * 0.75, y0 + h * 0.22},
                             {x0 + w * 0.64, y0 + h * 0.45}, {x0 + w * 0.87, y0 + h * 0.40}};
    const double sizes[] = {3.6, 3.0, 3.0, 2.6};
    if (nz) {
        for (int i = 0; i < 4; ++i) {
            p.setPen(QPen(kWhite, 1.2));
            p.setBrush(kRed);
            p.drawPath(star(cross[i], sizes[i]));
        }
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(kWhite);
        for (int i = 0; i < 4; ++i)
            p.drawPath(star(cross[i], sizes[i] - 0.3, 7, 0.45));
        p.drawPath(star({x0 + w * 0.80, y0 + h * 0.55}, 1.6));
        // The Commonwealth star under the union flag.
        p.drawPath(star({x0 + w * 0.25, y0 + h * 0.75}, 5.0, 7, 0.45));
    }
    outline(p);
    return img;
}

QImage usa()
{
    QImage img = canvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double stripe = kFlag.height() / 13.0;
    for (int i = 0; i < 13; ++i)
        p.fillRect(QRectF(kFlag.left(), kFlag.top() + i * stripe, kFlag.width(), stripe), i % 2 ? kWhite : kRed);
    const QRectF canton(kFlag.left(), kFlag.top(), kFlag.width() * 0.4, stripe * 7);
    p.fillRect(canton, QColor(10, 49, 97));
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < (row % 2 ? 5 : 6); ++col) {
            const double x = canton.left() + canton.width() * ((col + (row % 2 ? 1.0 : 0.5)) / 6.0);
            const double y = canton.top() + canton.height() * ((row + 0.6) / 5.2);
            p.drawEllipse(QPointF(x, y), 0.8, 0.8);
        }
    outline(p);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = uk().save(out.filePath(QStringLiteral("UK.ico")), "ICO");
    ok = ensign(true).save(out.filePath(QStringLiteral("NZ.ico")), "ICO") && ok;
    ok = ensign(false).save(out.filePath(QStringLiteral("Australia.ico")), "ICO") && ok;
    ok = usa().save(out.filePath(QStringLiteral("USA.ico")), "ICO") && ok;
    return ok ? 0 : 1;
}
