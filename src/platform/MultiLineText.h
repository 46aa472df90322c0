#pragma once
#include <QPlainTextEdit>

class QMimeData;

namespace wvs {

// The program's multi-line text box. Whatever is pasted or dropped into it
// arrives as plain text only: the box reads the text of the clipboard or of
// the drop itself and never hands their mime data to Qt's text control, which
// dies on a clipboard that has no owner (nothing copied yet, or the program
// that copied has closed); the box puts the mended text in itself, as one
// undo step of its own. What the box copies out is plain text as well.
//
// The box starts no drag of its own: Qt's text control can start a second
// drag while the first goes on, which removes the selection even where the
// drop took nothing and leaves the window deaf to keys and clicks, and a drag
// with Alt held moves the text out of the box. A press on the selection, with
// any keys held, begins a new selection instead, as it does elsewhere, with
// the caret where the user pressed and the view where he scrolled it; Shift
// alone extends the selection. Text leaves the box by Copy (the keys or the
// context menu) and Paste.
//
// A paste, a drop or an input method's commit goes in by the rule of every
// box (TypingLimit::asLines): each line break of any kind (CR LF, CR, LF,
// vertical tab, form feed, NEL, the line and paragraph separators) ends a
// line, a tab stays, and the other control characters (C0, DEL, C1) are left
// out: a NUL would cut the text short wherever it goes.
//
// A character held with a key that is not a typing one (Alt, Meta, Ctrl on
// the keypad: see TypingLimit::isCommandCharacter) types nothing and goes on
// to the window.
//
// A limit (in UTF-16 units, as QString counts) binds typing and pasting
// only, as TypingLimit does for one-line boxes: a pasted text is cut so that
// no character is split, and a value the program sets is shown whole. What
// goes past the limit never goes in, so Undo and Redo walk the edits as in a
// plain box that stops at the limit, and are never cut themselves.
class MultiLineText : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineText(QWidget *parent = nullptr, int limit = 0);

    int limit() const { return limit_; }

    // The text as typed: paragraphs end in "\n", and no-break spaces stay
    // (toPlainText() makes them blanks, so a saved text would change where
    // the user never typed).
    QString text() const;

    // Puts text in at the cursor as a paste does, as one undo step: over the
    // selection, line breaks made one kind, control characters left out, cut
    // to the limit. Nothing happens when none of it fits.
    void insertPlain(const QString &text);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *e) override;
    QMimeData *createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;

private:
    // The text a key types in the text control: a line end for Return and
    // Enter, the key's text where it is input; nothing for any other key.
    static QString typedBy(const QKeyEvent *e);
    // What of added text fits the limit when it goes in over the selection
    // and replaced more characters.
    QString fitting(const QString &added, qsizetype replaced = 0) const;

    int limit_;
};

} // namespace wvs
