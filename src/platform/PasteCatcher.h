#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace wvs {

// Catches every way a user pastes into a one-line box: the paste keys (every
// key QKeySequence::Paste matches: Ctrl+V, Shift+Insert, the keypad's Insert
// with Shift, Ctrl+Shift+Insert for the X selection), the middle button (the
// X selection), the context menu's Paste (by the mouse or the menu key), and
// a drop from elsewhere (where it is let go). wants says whether a paste of
// that text is the catcher's, with the box's cursor and selection where the
// paste goes; take then puts it in. A paste the catcher does not want goes in
// by the box's own way.
//
// Keys and the menu key go to the widget that holds the keyboard focus for
// the box: the box, or the widget it hands its focus to (an editable combo
// box keeps the focus itself and hands the keys straight to its line edit,
// past the line edit's event filters). The catcher watches both.
//
// Where a paste goes: in a box that takes text where the user points, the
// middle button and a drop replace no selection and go where pressed or let
// go; in a box whose text is searched as typed (type-ahead), the cursor and
// the selection stay as they are for take to read: the middle button's paste
// is taken at its press, before the press moves the cursor and drops the
// selection (the completion a search selected).
//
// The catcher is the box's child: it lives as long as the box, and it leaves
// alone a box that is being destroyed.
class PasteCatcher : public QObject {
    Q_OBJECT
public:
    using Wants = std::function<bool(const QString &pasted)>;
    using Take = std::function<void(const QString &pasted)>;
    enum class Where { AtPointer, AsTyped };
    PasteCatcher(QLineEdit *box, Where where, Wants wants, Take take);
    // The text a paste key (matching QKeySequence::Paste) pastes: the
    // clipboard's, or for Ctrl+Shift+Insert the X selection's where there is one.
    static QString pastedByKey(const QKeyEvent *key);
    // Whether watched is box and still whole: a widget being destroyed has
    // already lost the part of it that is a line edit.
    static bool isWhole(QObject *watched, const QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Takes a paste of text when wanted; true when it did.
    bool caught(const QString &text);
    // The box's own context menu, whose Paste pastes as the keys do.
    void showMenu(const QPoint &globalPos);
    QLineEdit *box_;
    QPointer<QWidget> keys_; // the widget the box hands its keyboard focus to, if another
    Where where_;
    Wants wants_;
    Take take_;
    bool middlePressTaken_ = false; // the middle button's release belongs to a paste taken at its press
};

} // namespace wvs
