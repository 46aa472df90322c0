#include "platform/TypingLimit.h"

#include <QLineEdit>
#include <QTextBoundaryFinder>

namespace wvs {

TypingLimit::TypingLimit(QLineEdit *box, int limit) : QValidator(box), box_(box), limit_(limit), last_(box->text())
{
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { last_ = text; });
}

void TypingLimit::apply(QLineEdit *box, int limit)
{
    box->setMaxLength(32767);
    box->setValidator(new TypingLimit(box, limit));
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

QValidator::State TypingLimit::validate(QString &input, int &pos) const
{
    // Text the program set (the box's undo history starts afresh then) is
    // kept whole; so is any edit that does not make the text longer.
    if (!box_->isModified() || input.size() <= limit_ || input.size() <= last_.size())
        return Acceptable;

    // The inserted part lies between what the edit left of the old text
    // before and after it; only as much of it is kept as the limit allows.
    qsizetype head = 0;
    const qsizetype common = qMin(input.size(), last_.size());
    while (head < common && input.at(head) == last_.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < common - head && input.at(input.size() - 1 - tail) == last_.at(last_.size() - 1 - tail))
        ++tail;
    // Never keep half of a character the edit's borders cut through.
    while (head > 0 && input.at(head - 1).isHighSurrogate())
        --head;
    while (tail > 0 && input.at(input.size() - tail).isLowSurrogate())
        --tail;
    const QString inserted = input.mid(head, input.size() - head - tail);
    const qsizetype kept = input.size() - inserted.size();
    const QString allowed = cutToLimit(inserted, int(qMax<qsizetype>(0, limit_ - kept)));
    if (allowed.isEmpty() && head + tail >= last_.size())
        return Invalid; // nothing of the edit fits: the box keeps its text
    input = input.left(head) + allowed + input.right(tail);
    pos = int(head + allowed.size());
    return Acceptable;
}

} // namespace wvs
