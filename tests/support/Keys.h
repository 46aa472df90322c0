#pragma once
#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace wvs::test {

// Keys as the window system delivers them: to QApplication::focusWidget(),
// once a box has the focus in its shown and active window. An editable
// combo box keeps the focus itself for its line edit, so its keys reach the
// combo box, not the line edit.

// Gives box the keyboard focus (showing and activating its window) and
// returns the widget that then receives the keys. Given a window that takes
// no focus itself, only activates it: its keys go to whichever of its
// widgets has the focus.
inline QWidget *focusOn(QWidget *box)
{
    QWidget *window = box->window();
    if (!window->isVisible())
        window->show();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
    }
    if (box->isWindow() && box->focusPolicy() == Qt::NoFocus)
        return QApplication::focusWidget() ? QApplication::focusWidget() : box;
    if (!box->hasFocus())
        box->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(box->hasFocus()) << box->objectName().toStdString();
    return QApplication::focusWidget();
}

// The widget the keys go to now: the focus widget, or the active window
// when none of its widgets has the focus.
inline QWidget *keyTarget()
{
    QWidget *w = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    EXPECT_NE(w, nullptr) << "no window is active";
    return w;
}

// A key pressed and let go, with the text it types (none: the key's own).
inline void press(Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier)
{
    if (QWidget *w = keyTarget())
        QTest::keyClick(w, key, held);
}
inline void press(const QString &text, Qt::Key key = Qt::Key_unknown, Qt::KeyboardModifiers held = Qt::NoModifier)
{
    if (QWidget *w = keyTarget())
        QTest::sendKeyEvent(QTest::Click, w, key, text, held);
}

// Text typed a character a key.
inline void typeKeys(const QString &text)
{
    if (QWidget *w = keyTarget())
        QTest::keyClicks(w, text);
}

// The box given the focus, then the key or the text.
inline void press(QWidget *box, Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier)
{
    focusOn(box);
    press(key, held);
}
inline void typeKeys(QWidget *box, const QString &text)
{
    focusOn(box);
    typeKeys(text);
}

// An input method's commit (after its composing text, if any), sent where
// the window system sends it.
inline void commit(const QString &text, const QString &composing = QString())
{
    QWidget *w = keyTarget();
    if (!w)
        return;
    if (!composing.isEmpty()) {
        QInputMethodEvent pre(composing, {});
        QApplication::sendEvent(w, &pre);
    }
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

} // namespace wvs::test
