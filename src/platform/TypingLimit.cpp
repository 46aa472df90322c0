#include "platform/TypingLimit.h"

#include "platform/MultiLineText.h"
#include "platform/PasteCatcher.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace wvs {

TypingLimit::TypingLimit(QLineEdit *box, int limit) : QValidator(box), box_(box), limit_(limit), last_(box->text())
{
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { last_ = text; });
    box->installEventFilter(this);
    // A paste that must be mended goes in mended; the box's own takes the rest.
    catcher_ = new PasteCatcher(
        box, PasteCatcher::Where::AtPointer,
        [this](const QString &pasted) {
            return fitting(pasted, box_->text().size() - box_->selectedText().size()) != pasted;
        },
        [this](const QString &pasted) { paste(pasted); });
}

TypingLimit::~TypingLimit()
{
    // A limit put on again takes its paste with it.
    delete catcher_;
}

void TypingLimit::apply(QLineEdit *box, int limit)
{
    guardCommandKeys();
    box->setMaxLength(32767);
    // A limit put on again replaces the one before.
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

bool TypingLimit::isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n': case u'\r': case u'\v': case u'\f': case 0x0085: case 0x2028: case 0x2029:
        return true;
    default:
        return false;
    }
}

bool TypingLimit::isDroppedControl(QChar c)
{
    const char16_t u = c.unicode();
    const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
    return control && u != u'\t' && !isLineBreak(c);
}

bool TypingLimit::isMended(QChar c) { return c == QLatin1Char('\t') || isLineBreak(c) || isDroppedControl(c); }

bool TypingLimit::ctrlAltIsAltGr(const QString &windowSystem)
{
    return windowSystem == QLatin1String("windows") || windowSystem == QLatin1String("direct2d");
}

bool TypingLimit::isCommandCharacter(const QKeyEvent *key)
{
    return isCommandCharacter(key, QGuiApplication::platformName());
}

bool TypingLimit::isCommandCharacter(const QKeyEvent *key, const QString &windowSystem)
{
    const QString text = key->text();
    if (text.isEmpty() || isLineBreak(text.front()) || isDroppedControl(text.front()))
        return false;
    const Qt::KeyboardModifiers held = key->modifiers();
    if (held & Qt::MetaModifier)
        return true;
    if (held & Qt::AltModifier)
        return !(held & Qt::ControlModifier) || !ctrlAltIsAltGr(windowSystem);
    return (held & Qt::ControlModifier) && (held & Qt::KeypadModifier);
}

QString TypingLimit::typedBy(const QKeyEvent *key, bool tabTypes)
{
    const QString text = key->text();
    if (text.isEmpty())
        return QString();
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format)
        return text;
    const Qt::KeyboardModifiers held = key->modifiers();
    if (held == Qt::ControlModifier || held == (Qt::ShiftModifier | Qt::ControlModifier))
        return QString();
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse || (tabTypes && c == QLatin1Char('\t'))
        || (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate()))
        return text;
    return QString();
}

namespace {
// Keys reach a box before its own handling, whatever filters the box has:
// a character held with a key that is no typing one is taken from every box
// and goes on to the window (the box's parents), where a button's mnemonic
// would have been found had it been enabled.
class CommandKeys : public QObject {
public:
    using QObject::QObject;

protected:
    // The program's boxes: a one-line box with its limit, a multi-line box,
    // and every combo box.
    static bool isBox(QObject *o)
    {
        if (auto *edit = qobject_cast<QLineEdit *>(o))
            return qobject_cast<const TypingLimit *>(edit->validator()) != nullptr;
        return qobject_cast<MultiLineText *>(o) || qobject_cast<QComboBox *>(o);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !isBox(watched)
            || !TypingLimit::isCommandCharacter(static_cast<QKeyEvent *>(event)))
            return false;
        event->ignore();
        return true;
    }
};
} // namespace

void TypingLimit::guardCommandKeys()
{
    static QPointer<CommandKeys> guard;
    if (!guard && QCoreApplication::instance()) {
        guard = new CommandKeys(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(guard);
    }
}

namespace {
// The rule itself: each line break (CR LF counted once) becomes lineEnd, a
// tab becomes tab, the other control characters go.
QString mended(QStringView text, QChar lineEnd, QChar tab)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (TypingLimit::isDroppedControl(c))
            continue;
        if (c == QLatin1Char('\t')) {
            out += tab;
        } else if (TypingLimit::isLineBreak(c)) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i; // CR LF is one line break
            out += lineEnd;
        } else {
            out += c;
        }
    }
    return out;
}
} // namespace

QString TypingLimit::onOneLine(const QString &pasted)
{
    qsizetype end = pasted.size();
    while (end > 0 && (isLineBreak(pasted.at(end - 1)) || isDroppedControl(pasted.at(end - 1))))
        --end;
    return mended(QStringView(pasted).left(end), QLatin1Char(' '), QLatin1Char(' '));
}

QString TypingLimit::asLines(const QString &given) { return mended(given, QLatin1Char('\n'), QLatin1Char('\t')); }

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
    // An undo brings back a text the box held, whole: it leaves what it took
    // back to be redone (a user's own edit has ended the redo history before
    // it is checked). A redo makes again an edit this check let through.
    if (box_->isRedoAvailable())
        return Acceptable;
    const bool mend = std::any_of(input.cbegin(), input.cend(), &TypingLimit::isMended);
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

void TypingLimit::paste(const QString &pasted)
{
    const QString allowed = fitting(pasted, box_->text().size() - box_->selectedText().size());
    const bool over = box_->hasSelectedText();
    if (allowed.isEmpty() && !over)
        return; // none of it fits: the box keeps its text
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
}

bool TypingLimit::eventFilter(QObject *watched, QEvent *event)
{
    if (!PasteCatcher::isWhole(watched, box_) || box_->isReadOnly())
        return false;
    if (event->type() == QEvent::KeyPress) {
        // A key that types more than fits types what fits, as the box's own
        // typing, one step of its history: the box's check cutting it would
        // set the whole text anew and empty the history.
        auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = typedBy(key, false);
        const QString allowed = fitting(typed, box_->text().size() - box_->selectedText().size());
        if (allowed == typed)
            return false;
        if (allowed.isEmpty()) {
            if (box_->hasSelectedText())
                box_->del(); // nothing fits: it types nothing over the selection
        } else {
            QKeyEvent cut(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                          key->nativeModifiers(), allowed, key->isAutoRepeat(), quint16(key->count()), key->device());
            QCoreApplication::sendEvent(box_, &cut);
        }
        key->accept();
        return true;
    }
    if (event->type() != QEvent::InputMethod)
        return false;
    // An input method's commit that must be mended goes in mended as the
    // box's own commit, which is one undo step as any commit is: the box's
    // check mending it would set the whole text anew and empty the history.
    auto *input = static_cast<QInputMethodEvent *>(event);
    const QString commit = input->commitString();
    const qsizetype kept = box_->text().size() - box_->selectedText().size() - input->replacementLength();
    const QString allowed = fitting(commit, kept);
    if (allowed == commit)
        return false;
    QInputMethodEvent mended(input->preeditString(), input->attributes());
    mended.setCommitString(allowed, input->replacementStart(), input->replacementLength());
    QCoreApplication::sendEvent(box_, &mended);
    input->accept();
    return true;
}

} // namespace wvs
