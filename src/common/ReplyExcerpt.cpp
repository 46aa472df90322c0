#include "common/ReplyExcerpt.h"
#include "platform/TypingLimit.h"

namespace wvs {

namespace {
constexpr int kMaxLines = 20;
constexpr int kMaxCharacters = 1000;
} // namespace

QString replyExcerpt(const QString &reply)
{
    // The end of the last line shown: CR LF, CR and LF each end a line.
    qsizetype end = reply.size();
    int lines = 1;
    for (qsizetype i = 0; i < reply.size(); ++i) {
        const QChar c = reply.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        if (c == QLatin1Char('\r') && i + 1 < reply.size() && reply.at(i + 1) == QLatin1Char('\n'))
            ++i;
        if (i + 1 < reply.size() && ++lines > kMaxLines) {
            end = i + 1;
            break;
        }
    }
    if (end == reply.size() && reply.size() <= kMaxCharacters)
        return reply;
    QString shown = TypingLimit::cutToLimit(reply.left(end), kMaxCharacters);
    while (!shown.isEmpty() && shown.back().isSpace())
        shown.chop(1);
    return shown + QChar(0x2026);
}

} // namespace wvs
