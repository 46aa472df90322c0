#include "platform/TypingLimit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace wvs {

TypingLimit::TypingLimit(QLineEdit *box, int limit) : QValidator(box), box_(box), limit_(limit), last_(box->text())
{
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { last_ = text; });
    box->installEventFilter(this);
}

void TypingLimit::apply(QLineEdit *box, int limit)
{
    box->setMaxLength(32767);
    // A limit put on again replaces the one before, and its paste with it.
    const QList<TypingLimit *> before = box->findChildren<TypingLimit *>(Qt::FindDirectChildrenOnly);
    box->setValidator(new TypingLimit(box, limit));
    qDeleteAll(before);
}

QString TypingLimit::cutToLimit(const QString &text, int limit)
{
    if (text.size() <= limit)
        return text;
    if (limit <= 0)
        return QString();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(limit);
    const qsizetype end = graphemes.isAtBoundary() ? limit : graphemes.toPreviousBoundary();
    return text.left(end < 0 ? 0 : end);
}

namespace {
// Every character that ends a line somewhere: CR and LF, the Unicode line
// and paragraph separators, NEL, vertical tab and form feed.
bool isBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n': case u'\r': case u'\v': case u'\f': case 0x0085: case 0x2028: case 0x2029:
        return true;
    default:
        return false;
    }
}

// A control character a one-line value never holds: the others of C0 and DEL.
// A NUL would cut the value short wherever it goes on (the database's text
// functions, the export files), and the rest show as nothing or as boxes.
bool isControl(QChar c)
{
    return (c.unicode() < 0x20 && c != QLatin1Char('\t') && !isBreak(c)) || c.unicode() == 0x7F;
}

// Whether a pasted text must be mended to go into a one-line box.
bool needsMending(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F || isBreak(c); }
} // namespace

QString TypingLimit::onOneLine(const QString &pasted)
{
    qsizetype end = pasted.size();
    while (end > 0 && (isBreak(pasted.at(end - 1)) || isControl(pasted.at(end - 1))))
        --end;
    QString line;
    line.reserve(end);
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = pasted.at(i);
        if (isControl(c))
            continue;
        if (c == QLatin1Char('\t')) {
            line += QLatin1Char(' ');
            continue;
        }
        if (!isBreak(c)) {
            line += c;
            continue;
        }
        if (c == QLatin1Char('\r') && i + 1 < end && pasted.at(i + 1) == QLatin1Char('\n'))
            ++i; // CR LF is one line break
        line += QLatin1Char(' ');
    }
    return line;
}

TypingLimit::Insertion TypingLimit::insertionOf(const QString &before, const QString &after)
{
    Insertion at;
    const qsizetype common = qMin(after.size(), before.size());
    while (at.head < common && after.at(at.head) == before.at(at.head))
        ++at.head;
    while (at.tail < common - at.head &&
           after.at(after.size() - 1 - at.tail) == before.at(before.size() - 1 - at.tail))
        ++at.tail;
    // Never keep half of a character the edit's borders cut through.
    while (at.head > 0 && after.at(at.head - 1).isHighSurrogate())
        --at.head;
    while (at.tail > 0 && after.at(after.size() - at.tail).isLowSurrogate())
        --at.tail;
    return at;
}

QValidator::State TypingLimit::validate(QString &input, int &pos) const
{
    // Text the program set (the box's undo history starts afresh then) is
    // kept whole.
    if (!box_->isModified())
        return Acceptable;
    const bool mend = std::any_of(input.cbegin(), input.cend(), needsMending);
    const bool tooLong = limit_ > 0 && input.size() > limit_ && input.size() > last_.size();
    if (!mend && !tooLong)
        return Acceptable; // within the limit, or no longer than it was

    // The inserted part lies between what the edit left of the old text
    // before and after it; it is made one line, and only as much of it is
    // kept as the limit allows.
    const Insertion at = insertionOf(last_, input);
    const QString inserted = input.mid(at.head, input.size() - at.head - at.tail);
    const QString allowed = fitting(inserted, input.size() - inserted.size());
    if (allowed.isEmpty() && at.head + at.tail >= last_.size())
        return Invalid; // nothing of the edit fits: the box keeps its text
    input = input.left(at.head) + allowed + input.right(at.tail);
    pos = int(at.head + allowed.size());
    return Acceptable;
}

QString TypingLimit::fitting(const QString &inserted, qsizetype kept) const
{
    QString allowed = onOneLine(inserted);
    if (limit_ > 0 && kept + allowed.size() > qMax<qsizetype>(limit_, last_.size()))
        allowed = cutToLimit(allowed, int(qMax<qsizetype>(0, limit_ - kept)));
    return allowed;
}

bool TypingLimit::paste(const QString &pasted)
{
    const qsizetype kept = box_->text().size() - box_->selectedText().size();
    const QString allowed = fitting(pasted, kept);
    if (allowed == pasted)
        return false;
    const bool over = box_->hasSelectedText();
    if (allowed.isEmpty() && !over)
        return true; // none of it fits: the box keeps its text
    // The box's own paste mended in its check would set the whole text anew,
    // which empties the undo history; the mended text goes in by the box's
    // own insert instead. The box begins a new undo step when its cursor
    // moves (and when it removes a selection): moving there and back keeps
    // the paste apart from the typing before and after it.
    const auto newStep = [this] {
        const int at = box_->cursorPosition();
        if (box_->text().isEmpty())
            return;
        box_->setCursorPosition(at > 0 ? at - 1 : at + 1);
        box_->setCursorPosition(at);
    };
    if (!over)
        newStep();
    box_->insert(allowed);
    newStep();
    return true;
}

bool TypingLimit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != box_ || box_->isReadOnly())
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->matches(QKeySequence::Paste))
            return false;
        // Ctrl+Shift+Insert pastes the selection where there is one (X).
        const bool selection = key->key() == Qt::Key_Insert
            && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) && clipboard->supportsSelection();
        if (!paste(clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard)))
            return false;
        key->accept();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection where it was pressed.
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        box_->deselect();
        return paste(clipboard->text(QClipboard::Selection));
    }
    case QEvent::ContextMenu: {
        if (box_->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        // The box's own menu, whose Paste pastes as the keys do.
        QMenu *menu = box_->createStandardContextMenu();
        for (QAction *action : menu->actions())
            if (QObject::disconnect(action, &QAction::triggered, box_, &QLineEdit::paste)
                || QObject::disconnect(action, SIGNAL(triggered()), box_, SLOT(paste())))
                connect(action, &QAction::triggered, this, [this] {
                    if (!box_->isReadOnly() && !paste(QGuiApplication::clipboard()->text()))
                        box_->paste();
                });
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    case QEvent::Drop: {
        // A drop from elsewhere lands where it is let go.
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->source() == box_ || !drop->mimeData()->hasText())
            return false;
        const QString dropped = drop->mimeData()->text();
        if (fitting(dropped, box_->text().size()) == dropped)
            return false;
        box_->setCursorPosition(box_->cursorPositionAt(drop->position().toPoint()));
        paste(dropped);
        drop->acceptProposedAction();
        QDragLeaveEvent leave; // the drop's caret goes, as after the box's own drop
        QCoreApplication::sendEvent(box_, &leave);
        return true;
    }
    default:
        return false;
    }
}

} // namespace wvs
