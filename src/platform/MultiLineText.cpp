#include "platform/MultiLineText.h"
#include "platform/PasteCatcher.h"
#include "platform/TypingLimit.h"

#include <QAbstractUndoItem>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>

namespace wvs {

MultiLineText::MultiLineText(QWidget *parent, int limit) : QPlainTextEdit(parent), limit_(limit)
{
    TypingLimit::guardCommandKeys();
}

namespace {
// The document's own text with its paragraph and line ends made "\n", and
// every other character as it stands.
QString asTyped(QString text)
{
    for (QChar &c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    return text;
}
} // namespace

QString MultiLineText::text() const { return asTyped(document()->toRawText()); }

void MultiLineText::insertPlain(const QString &given)
{
    if (isReadOnly())
        return;
    QString pasted = TypingLimit::asLines(given);
    if (limit_ > 0) {
        const QTextCursor cursor = textCursor();
        const qsizetype kept = text().size() - (cursor.selectionEnd() - cursor.selectionStart());
        pasted = TypingLimit::cutToLimit(pasted, int(qMax<qsizetype>(0, limit_ - kept)));
    }
    if (pasted.isEmpty())
        return; // nothing to put in, or none of it fits: the box stays as it was
    // A paste goes in as one undo step, apart from the typing around it: an
    // edit block of its own that ends in a step changing nothing, so that
    // what is typed next is not joined to the paste's last insertion. The
    // text goes in through the block's cursor: the text control's own paste
    // scrolls to the caret, and inside an open block the new text has no
    // layout yet (Qt dies on it once the text is long enough to scroll). The
    // caret follows once the block has ended, and the view with it.
    struct Boundary : QAbstractUndoItem {
        void undo() override {}
        void redo() override {}
    };
    QTextCursor block = textCursor();
    block.beginEditBlock();
    block.insertText(pasted);
    document()->appendUndoItem(new Boundary);
    block.endEditBlock();
    setTextCursor(block);
}

bool MultiLineText::canInsertFromMimeData(const QMimeData *source) const
{
    return source && source->hasText();
}

void MultiLineText::insertFromMimeData(const QMimeData *source)
{
    // The context menu's Paste and the middle button come here.
    if (canInsertFromMimeData(source))
        insertPlain(source->text());
}

void MultiLineText::dropEvent(QDropEvent *e)
{
    // A drop is a paste where it is let go. The text control would paste it
    // inside an edit block of its own, still open when the paste sets the
    // caret and the view follows it.
    if (isReadOnly() || !canInsertFromMimeData(e->mimeData())) {
        QPlainTextEdit::dropEvent(e);
        return;
    }
    QDragLeaveEvent over; // the caret shown while the drag moved goes
    QPlainTextEdit::dragLeaveEvent(&over);
    setTextCursor(cursorForPosition(e->position().toPoint()));
    insertPlain(e->mimeData()->text());
    e->acceptProposedAction();
}

QMimeData *MultiLineText::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(asTyped(textCursor().selectedText()));
    return data;
}

void MultiLineText::keyPressEvent(QKeyEvent *e)
{
    if (e->matches(QKeySequence::Paste) && !isReadOnly()) {
        // Ctrl+V and Shift+Insert take the clipboard's text, if it has any;
        // Ctrl+Shift+Insert the selection's, where there is one (X).
        insertPlain(PasteCatcher::pastedByKey(e));
        e->accept();
        return;
    }
    // A key that types goes in only as far as the limit lets it; every
    // other key (Undo and Redo among them) is the text control's own.
    const QString typed = isReadOnly() ? QString() : typedBy(e);
    const QString fits = fitting(typed);
    if (fits == typed) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    if (fits.isEmpty()) {
        // Nothing of it fits: it types nothing, as over the selection.
        QTextCursor over = textCursor();
        if (over.hasSelection()) {
            over.removeSelectedText();
            setTextCursor(over);
        }
        e->accept();
        return;
    }
    QKeyEvent cut(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                  e->nativeModifiers(), fits, e->isAutoRepeat(), quint16(e->count()), e->device());
    QPlainTextEdit::keyPressEvent(&cut);
    e->setAccepted(cut.isAccepted());
}

void MultiLineText::mousePressEvent(QMouseEvent *e)
{
    // The text control starts a drag from a press on the selection, with any
    // keys held but Shift alone; without a selection there is nothing to
    // drag, and the press places the cursor. A press with Shift alone extends
    // the selection as always.
    // The selection goes by putting the cursor where the user pressed, with
    // the view held still: setting the cursor scrolls to it, and a view that
    // moved under the pointer would place the press on another line.
    if (e->button() == Qt::LeftButton && e->modifiers() != Qt::ShiftModifier && textCursor().hasSelection()) {
        QScrollBar *across = horizontalScrollBar();
        QScrollBar *down = verticalScrollBar();
        const int x = across->value(), y = down->value();
        setTextCursor(cursorForPosition(e->position().toPoint()));
        across->setValue(x);
        down->setValue(y);
    }
    QPlainTextEdit::mousePressEvent(e);
}

void MultiLineText::inputMethodEvent(QInputMethodEvent *e)
{
    // An input method's commit goes in as a paste's text would, as far as
    // the limit lets it.
    if (isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    const QString commit = fitting(TypingLimit::asLines(e->commitString()), e->replacementLength());
    if (commit == e->commitString()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent mended(e->preeditString(), e->attributes());
    mended.setCommitString(commit, e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&mended);
    e->accept();
}

QString MultiLineText::typedBy(const QKeyEvent *e)
{
    // The text control types a line end for these keys, and a key's text
    // where Qt takes it as input.
    if (e->matches(QKeySequence::InsertParagraphSeparator) || e->matches(QKeySequence::InsertLineSeparator))
        return QStringLiteral("\n");
    return TypingLimit::typedBy(e, true);
}

QString MultiLineText::fitting(const QString &added, qsizetype replaced) const
{
    // An edit may make the text neither longer than the limit nor longer
    // than it was (a stored text longer than the limit may still be typed
    // over); it goes in over the selection, and what goes past is left out
    // whole characters at a time.
    if (limit_ <= 0 || added.isEmpty())
        return added;
    const QTextCursor cursor = textCursor();
    const qsizetype size = text().size();
    const qsizetype kept = size - (cursor.selectionEnd() - cursor.selectionStart()) - replaced;
    return TypingLimit::cutToLimit(added, int(qMax<qsizetype>(0, qMax<qsizetype>(limit_, size) - kept)));
}

} // namespace wvs
