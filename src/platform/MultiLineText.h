#pragma once
#include <QPlainTextEdit>

class QMimeData;

namespace wvs {

// The program's multi-line text box. Whatever is pasted or dropped into it
// arrives as plain text only: the box reads the text of the clipboard or of
// the drop itself and never hands the mime data to Qt's text control, which
// dies on a clipboard that has no owner (nothing copied yet, or the program
// that copied has closed). What the box copies out is plain text as well.
//
// The box starts no drag of its own: Qt's text control can start a second
// drag while the first goes on, which removes the selection even where the
// drop took nothing and leaves the window deaf to keys and clicks. A press
// on the selection begins a new selection instead, as it does elsewhere,
// with the caret where the user pressed and the view where he scrolled it;
// text leaves the box by Copy (the keys or the context menu) and Paste.
//
// A limit (in UTF-16 units, as QString counts) binds typing and pasting
// only, as TypingLimit does for one-line boxes: a pasted text is cut so that
// no character is split, and a value the program sets is shown whole.
class MultiLineText : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineText(QWidget *parent = nullptr, int limit = 0);

    int limit() const { return limit_; }

    // Puts text in at the cursor as a paste does: over the selection, line
    // breaks made one kind, cut to the limit. Nothing happens when none of
    // it fits.
    void insertPlain(const QString &text);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;

private:
    // Runs a typing edit and takes back what it added beyond the limit.
    template <class Edit>
    void limited(Edit edit);

    int limit_;
};

} // namespace wvs
