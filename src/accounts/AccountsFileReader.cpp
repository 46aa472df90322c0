#include "accounts/AccountsFileReader.h"
#include "accounts/Windows1252.h"

#include <QStringDecoder>

namespace wvs::AccountsFileReader {

QString decode(const QByteArray &bytes)
{
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(b);
    if (!utf8.hasError())
        return text;
    return Windows1252::decode(b);
}

QChar separatorOf(const QString &text, int headingLine)
{
    int line = 0;
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size() || text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n');
        if (!end)
            continue;
        if (line == headingLine)
            return text.mid(start, i - start).contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
        if (i < text.size() && text.at(i) == QLatin1Char('\r') && i + 1 < text.size()
            && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        ++line;
        start = i + 1;
    }
    return QLatin1Char(',');
}

QList<Record> records(const QString &text, QChar separator, bool quotesSpanLines)
{
    QList<Record> out;
    Record current;
    current.line = 1;
    QString field;
    bool inQuotes = false;
    bool spanned = false;   // the quoted field being read holds a line break
    bool fieldStart = true;
    bool pending = false;   // something of the current record has been read
    int line = 1;

    auto endField = [&] {
        current.fields << field;
        field.clear();
        fieldStart = true;
    };
    auto endRecord = [&] {
        endField();
        out << current;
        current = Record();
        pending = false;
    };

    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const bool lineEnd = c == QLatin1Char('\r') || c == QLatin1Char('\n');
        const bool crlf = c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n');
        if (!pending) {
            current.line = line;
            pending = true;
        }
        if (inQuotes && lineEnd && !quotesSpanLines) {
            current.unclosedQuote = true;
            inQuotes = false;
        }
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                } else {
                    inQuotes = false;
                    // A quote that took in line breaks closes only where a
                    // field ends; anywhere else it was never meant to open.
                    const QChar next = i + 1 < n ? text.at(i + 1) : separator;
                    if (spanned && next != separator && next != QLatin1Char('\r') && next != QLatin1Char('\n'))
                        current.unclosedQuote = true;
                    spanned = false;
                }
            } else {
                field += c;
                if (lineEnd) {
                    spanned = true;
                    if (crlf) {
                        field += QLatin1Char('\n');
                        ++i;
                    }
                    ++line;
                }
            }
            continue;
        }
        if (lineEnd) {
            if (crlf)
                ++i;
            ++line;
            endRecord();
            continue;
        }
        if (c == separator) {
            endField();
            continue;
        }
        if (c == QLatin1Char('"') && fieldStart) {
            inQuotes = true;
            spanned = false;
            fieldStart = false;
            continue;
        }
        field += c;
        fieldStart = false;
    }
    if (pending) {
        current.unclosedQuote = current.unclosedQuote || inQuotes;
        endRecord();
    }
    return out;
}

} // namespace wvs::AccountsFileReader
