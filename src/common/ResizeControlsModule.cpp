#include "common/ResizeControlsModule.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace wvs {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kParkedBelow = -1000.0;
constexpr double kParkOffset = 75000.0;

// The screen's excess over the design size counts half, rounded half to even.
int effectiveSize(int size, int design)
{
    if (size <= design)
        return size;
    return size - int(std::nearbyint((size - design) / 2.0));
}

int scaledPixels(int px, double factor) { return int(std::lround(px * factor)); }

// Left edge in pixels through the twips rule, so parked controls stay parked.
int scaledLeft(int px, double factor)
{
    return int(std::lround(scaleCoordinate(px * kTwipsPerPixel, factor) / kTwipsPerPixel));
}

// Controls placed by position (their parent has no layout) move and grow by
// the factors; a combo box keeps its height. Controls in layouts are left to
// their layout, and Qt's own inner parts of composite widgets are skipped.
void scaleChildren(QWidget *parent, const ResizeFactors &f)
{
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow())
            continue;
        const bool own = !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
        if (own && !parent->layout()) {
            const QRect g = w->geometry();
            const int height = qobject_cast<QComboBox *>(w) ? g.height() : scaledPixels(g.height(), f.vertical);
            w->setGeometry(scaledLeft(g.x(), f.horizontal), scaledPixels(g.y(), f.vertical),
                           scaledPixels(g.width(), f.horizontal), height);
        }
        if (own)
            scaleChildren(w, f);
    }
}

} // namespace

ResizeFactors resizeFactorsFor(int screenWidth, int screenHeight)
{
    ResizeFactors f;
    f.horizontal = float(effectiveSize(screenWidth, kDesignScreenWidth)) / float(kDesignScreenWidth);
    f.vertical = float(effectiveSize(screenHeight, kDesignScreenHeight)) / float(kDesignScreenHeight);
    return f;
}

double scaleCoordinate(double twips, double factor)
{
    if (twips < kParkedBelow)
        return (twips + kParkOffset) * factor - kParkOffset;
    return twips * factor;
}

void ResizeControls(QWidget *window)
{
    guarded("ResizeControlsModule", "ResizeControls", [&] {
        QScreen *screen = window ? window->screen() : nullptr;
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QSize size = screen ? screen->geometry().size() : QSize(kDesignScreenWidth, kDesignScreenHeight);
        const ResizeFactors f = resizeFactorsFor(size.width(), size.height());
        session().resizeFactor = f.horizontal;
        if (!window)
            return;
        scaleChildren(window, f);
        window->resize(scaledPixels(window->width(), f.horizontal), scaledPixels(window->height(), f.vertical));
    });
}

} // namespace wvs
