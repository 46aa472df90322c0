#pragma once
#include <QObject>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace wvs {

// Catches every way a user pastes into a one-line box: Ctrl+V and
// Shift+Insert (Ctrl+Shift+Insert the X selection), the middle button (the
// X selection, where it was pressed), the context menu's Paste, and a drop
// from elsewhere (where it is let go). wants says whether a paste of that
// text is the catcher's, with the box's cursor and selection where the paste
// goes; take then puts it in. A paste the catcher does not want goes in by
// the box's own way. The catcher lives as long as its parent.
//
// Where a paste goes: in a box that takes text where the user points, the
// middle button and a drop replace no selection and go where pressed or let
// go; in a box whose text is searched as typed (type-ahead), the cursor and
// the selection stay as they are for take to read.
class PasteCatcher : public QObject {
    Q_OBJECT
public:
    using Wants = std::function<bool(const QString &pasted)>;
    using Take = std::function<void(const QString &pasted)>;
    enum class Where { AtPointer, AsTyped };
    PasteCatcher(QObject *parent, QLineEdit *box, Where where, Wants wants, Take take);
    // The text a paste key (matching QKeySequence::Paste) pastes: the
    // clipboard's, or for Ctrl+Shift+Insert the X selection's where there is one.
    static QString pastedByKey(const QKeyEvent *key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Takes a paste of text when wanted; true when it did.
    bool caught(const QString &text);

    QLineEdit *box_;
    Where where_;
    Wants wants_;
    Take take_;
};

} // namespace wvs
