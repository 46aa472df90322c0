#pragma once
#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

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
// Typed by keys over all the box holds (Ctrl+A first); a line break is the Return key.
inline void retypeKeys(QWidget *box, const QString &text)
{
    press(box, Qt::Key_A, Qt::ControlModifier);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            press(Qt::Key_Return);
        typeKeys(lines[i]);
    }
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

// Keys held with other keys, each with the character the layout gives it and
// whether a text box types it. A character held with Alt, Meta, or Ctrl on
// the keypad is a command of the window (a button's mnemonic) and types
// nothing; AltGr's characters (as their own level, or with no key held, as
// the X server sends them), Shift's and the keypad's type. Ctrl+Alt is AltGr
// only where the window system sends AltGr so (Windows); the tests run
// without a window system of their own (offscreen), as on the X server, where
// Ctrl+Alt with a character is a command. Qt's own boxes type every one.
struct HeldKey {
    const char *name;
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers held;
    bool types;
};
inline const std::vector<HeldKey> &heldKeys()
{
    static const std::vector<HeldKey> keys = {
        {"Alt+O", Qt::Key_O, "o", Qt::AltModifier, false},
        {"Alt+Shift+O", Qt::Key_O, "O", Qt::AltModifier | Qt::ShiftModifier, false},
        {"Alt+e acute", Qt::Key_Eacute, QString(QChar(0xE9)), Qt::AltModifier, false},
        {"Alt+keypad 5", Qt::Key_5, "5", Qt::AltModifier | Qt::KeypadModifier, false},
        {"Meta+O", Qt::Key_O, "o", Qt::MetaModifier, false},
        {"Meta+Shift+O", Qt::Key_O, "O", Qt::MetaModifier | Qt::ShiftModifier, false},
        {"Ctrl+Meta+O", Qt::Key_O, "o", Qt::ControlModifier | Qt::MetaModifier, false},
        {"Meta+keypad 5", Qt::Key_5, "5", Qt::MetaModifier | Qt::KeypadModifier, false},
        {"Ctrl+keypad 5", Qt::Key_5, "5", Qt::ControlModifier | Qt::KeypadModifier, false},
        {"AltGr @", Qt::Key_At, "@", Qt::GroupSwitchModifier, true},
        {"AltGr euro", Qt::Key(0x20AC), QString(QChar(0x20AC)), Qt::GroupSwitchModifier, true},
        {"AltGr superscript two", Qt::Key_twosuperior, QString(QChar(0xB2)), Qt::GroupSwitchModifier, true},
        {"AltGr { with no key held", Qt::Key_BraceLeft, "{", Qt::NoModifier, true},
        // Windows's AltGr @ of a German layout: a command here.
        {"Ctrl+Alt+Q as AltGr @", Qt::Key_Q, "@", Qt::ControlModifier | Qt::AltModifier, false},
        {"Ctrl+Alt+1", Qt::Key_1, "1", Qt::ControlModifier | Qt::AltModifier, false},
        {"Ctrl+Alt+Shift+1", Qt::Key_Exclam, "!", Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, false},
        {"Ctrl+Alt+period", Qt::Key_Period, ".", Qt::ControlModifier | Qt::AltModifier, false},
        {"Ctrl+Alt+keypad 5", Qt::Key_5, "5", Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier, false},
        {"Shift+O", Qt::Key_O, "O", Qt::ShiftModifier, true},
        {"keypad 5", Qt::Key_5, "5", Qt::KeypadModifier, true},
        {"Shift+keypad 5 (Num Lock off)", Qt::Key_5, "5", Qt::ShiftModifier | Qt::KeypadModifier, true},
    };
    return keys;
}
inline void press(const HeldKey &k) { press(k.text, k.key, k.held); }

// Records the keys that reach a widget (a window: those its boxes leave to
// it), leaving out the presses of the modifier keys themselves.
class KeysReaching : public QObject {
public:
    explicit KeysReaching(QWidget *w) { w->installEventFilter(this); }
    QStringList keys;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() != Qt::Key_Shift && k->key() != Qt::Key_Control && k->key() != Qt::Key_Alt
            && k->key() != Qt::Key_Meta)
            keys << QKeySequence(k->keyCombination()).toString();
        return false;
    }
};

// The pointer's part, sent to the widget under it (a text box's viewport
// for a multi-line box).

// A text dragged from elsewhere and let go at `at` on the widget under the pointer.
inline void dropText(QWidget *under, QPoint at, const QString &text)
{
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
        QApplication::sendEvent(under, e);
}

// The Paste of a one-line box's context menu, asked for by the menu key
// (sent to the focus widget once the box has the focus) or by the right
// button (to the box, under the pointer).
inline void pasteFromMenu(QWidget *box, bool byMenuKey)
{
    QWidget *to = byMenuKey ? focusOn(box) : box;
    QContextMenuEvent menuEvent(byMenuKey ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse, QPoint(5, 5),
                                to->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(to, &menuEvent);
    auto *menu = box->findChild<QMenu *>();
    ASSERT_NE(menu, nullptr);
    for (QAction *a : menu->actions())
        if (a->text().startsWith("&Paste"))
            a->trigger();
    menu->close();
    delete menu;
}

// What a one-line box holds after Ctrl+V (to the focus widget) of text
// into it emptied; the clipboard is emptied again.
inline QString pastedByKeys(QLineEdit *box, const QString &text)
{
    box->clear();
    QGuiApplication::clipboard()->setText(text);
    press(box, Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    return box->text();
}

// Puts text into a box by three ways a user does, the box emptied by clear
// before each: Ctrl+V (to the focus widget), an input method's commit, a
// drop at `at` on the widget under the pointer. Gives what read shows after
// each, in that order.
template <class Clear, class Read>
QStringList afterEachWay(QWidget *box, QWidget *under, QPoint at, const QString &text, Clear clear, Read read)
{
    QStringList shown;
    clear();
    QGuiApplication::clipboard()->setText(text);
    press(box, Qt::Key_V, Qt::ControlModifier);
    shown << read();
    clear();
    commit(text);
    shown << read();
    clear();
    dropText(under, at, text);
    shown << read();
    QGuiApplication::clipboard()->clear();
    return shown;
}

} // namespace wvs::test
