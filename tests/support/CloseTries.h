#pragma once
#include "support/Keys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace wvs::test {

// Tries, while a window's work runs, every way a user has of closing it: Escape where the keys go, the window
// system's close (the title bar's button, Alt+F4) and a close event sent to it; then the keys a second run would
// be started with on its opener (`opener`, none: nothing more). Each try waits for the window to be shown.
// `stayed` holds, for each try made, whether the window was still shown after it.
class CloseTries {
public:
    explicit CloseTries(const QString &window, std::function<void()> opener = {})
        : window_(window), opener_(std::move(opener))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start(40);
    }
    QList<bool> stayed;

private:
    QWidget *shownWindow() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window_ && w->isVisible())
                return w;
        return nullptr;
    }
    void tick()
    {
        QWidget *w = shownWindow();
        if (!w || stayed.size() >= (opener_ ? 4 : 3) || busy_)
            return;
        busy_ = true;
        switch (stayed.size()) {
        case 0:
            if (!w->isActiveWindow())
                w->activateWindow();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Escape);
            break;
        case 1:
            w->windowHandle()->close();
            break;
        case 2: {
            QCloseEvent close;
            QApplication::sendEvent(w, &close);
            break;
        }
        default:
            opener_();
        }
        stayed << (shownWindow() == w);
        busy_ = false;
    }

    QString window_;
    std::function<void()> opener_;
    QTimer timer_;
    bool busy_ = false;
};

} // namespace wvs::test
