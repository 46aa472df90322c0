#include "platform/MailMessage.h"
#include "platform/TypingLimit.h"
#include "platform/WvsError.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUuid>
#include <algorithm>

namespace wvs {

namespace {

// ASCII without a control character: written as it stands in a header.
bool isPrintableAscii(const QString &s)
{
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c.unicode() < 0x80 && !TypingLimit::isMended(c); });
}

// Line ends of a body as CR LF.
QString crlf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

// base64 in lines of 76 characters, each ended by CR LF.
QByteArray base64Lines(const QByteArray &data)
{
    const QByteArray b64 = data.toBase64();
    QByteArray out;
    out.reserve(b64.size() + b64.size() / 76 * 2 + 2);
    for (qsizetype i = 0; i < b64.size(); i += 76) {
        out += b64.mid(i, 76);
        out += "\r\n";
    }
    return out;
}

// A text part's headers and body: 7bit when every line is short ASCII, else base64.
QByteArray textPart(const QString &body, bool html)
{
    const QString text = crlf(body);
    const QByteArray utf8 = text.toUtf8();
    bool plain7bit = true;
    for (const QByteArray &line : utf8.split('\n')) {
        if (line.size() > 900) {
            plain7bit = false;
            break;
        }
    }
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') {
            plain7bit = false;
            break;
        }
    }
    QByteArray out;
    out += html ? "Content-Type: text/html; charset=UTF-8\r\n" : "Content-Type: text/plain; charset=UTF-8\r\n";
    if (plain7bit) {
        out += "Content-Transfer-Encoding: 7bit\r\n\r\n";
        out += utf8;
        if (!utf8.endsWith("\r\n"))
            out += "\r\n";
    } else {
        out += "Content-Transfer-Encoding: base64\r\n\r\n";
        out += base64Lines(utf8);
    }
    return out;
}

QByteArray header(const char *name, const QByteArray &value) { return QByteArray(name) + ": " + value + "\r\n"; }

// Encoded words of a header value, folded one word a line.
QByteArray foldedWords(const QString &value)
{
    QByteArray words = MailMessage::encodeWords(value);
    words.replace("?= =?", "?=\r\n =?");
    return words;
}

QByteArray mailboxList(const QStringList &addresses)
{
    QList<QByteArray> parts;
    for (const QString &a : addresses) {
        const QString c = MailMessage::cleanAddress(a);
        if (!c.isEmpty())
            parts << c.toUtf8();
    }
    return parts.join(",\r\n ");
}

} // namespace

QString MailMessage::cleanHeaderValue(const QString &value)
{
    // The rule of every one-line value: each line break (CR LF once) and tab
    // a blank, the other control characters (C1 too) dropped.
    return TypingLimit::onOneLine(value).trimmed();
}

QString MailMessage::cleanAddress(const QString &address)
{
    static const QString separators = QStringLiteral("<>,;\"");
    QString out;
    for (QChar c : address)
        if (!TypingLimit::isMended(c) && !c.isSpace() && !separators.contains(c))
            out += c;
    return out;
}

QStringList MailMessage::recipients() const
{
    QStringList out;
    for (const QStringList *list : {&to, &cc}) {
        for (const QString &a : *list) {
            const QString c = cleanAddress(a);
            if (!c.isEmpty())
                out << c;
        }
    }
    return out;
}

QByteArray MailMessage::encodeWords(const QString &value)
{
    if (isPrintableAscii(value) && value.size() <= 900 && !value.contains(QLatin1String("=?")))
        return value.toLatin1();
    // At most 45 bytes of UTF-8 a word: "=?UTF-8?B?" + 60 base64 characters + "?=" = 72.
    constexpr int maxBytes = 45;
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < value.size();) {
        // One whole code point (a surrogate pair stays together).
        qsizetype len = (value.at(i).isHighSurrogate() && i + 1 < value.size()) ? 2 : 1;
        const QByteArray bytes = value.mid(i, len).toUtf8();
        if (chunk.size() + bytes.size() > maxBytes) {
            words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += bytes;
        i += len;
    }
    if (!chunk.isEmpty() || words.isEmpty())
        words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
    return words.join(' ');
}

QByteArray MailMessage::formatMailbox(const MailAddress &a)
{
    const QByteArray addr = cleanAddress(a.address).toUtf8();
    const QString name = cleanHeaderValue(a.name);
    if (name.isEmpty())
        return addr;
    QByteArray phrase;
    if (isPrintableAscii(name) && !name.contains(QLatin1String("=?"))) {
        static const QString specials = QStringLiteral("()<>[]:;@\\,.\"");
        bool needQuotes = false;
        for (QChar c : name)
            needQuotes = needQuotes || specials.contains(c);
        if (needQuotes) {
            QString q = name;
            q.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
            q.replace(QLatin1Char('"'), QLatin1String("\\\""));
            phrase = "\"" + q.toLatin1() + "\"";
        } else {
            phrase = name.toLatin1();
        }
    } else {
        phrase = encodeWords(name);
    }
    return phrase + " <" + addr + ">";
}

QString MailMessage::textToHtml(const QString &text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    escaped.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>\r\n"));
    return escaped;
}

QByteArray MailMessage::toRfc5322(const QDateTime &date, const QString &messageId) const
{
    QByteArray out;
    out += header("Date", date.toString(Qt::RFC2822Date).toLatin1());
    out += header("From", formatMailbox(from));
    const QByteArray toList = mailboxList(to);
    if (!toList.isEmpty())
        out += header("To", toList);
    const QByteArray ccList = mailboxList(cc);
    if (!ccList.isEmpty())
        out += header("Cc", ccList);
    out += header("Subject", foldedWords(cleanHeaderValue(subject)));
    QString id = cleanAddress(messageId);
    if (id.isEmpty()) {
        const QString domain = cleanAddress(from.address).section(QLatin1Char('@'), 1);
        id = QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('@') +
             (domain.isEmpty() ? QStringLiteral("wvs.localhost") : domain);
    }
    out += header("Message-ID", "<" + id.toUtf8() + ">");
    out += "MIME-Version: 1.0\r\n";

    if (attachments.isEmpty()) {
        out += textPart(body, html);
        return out;
    }

    const QByteArray boundary = "=_wvs_" + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    out += "This is a multi-part message in MIME format.\r\n";
    out += "--" + boundary + "\r\n";
    out += textPart(body, html);
    QMimeDatabase mimes;
    for (const QString &path : attachments) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw WvsError(ErrorNumber::General, QStringLiteral("Cannot read the attachment %1").arg(path));
        const QByteArray data = f.readAll();
        const QString fileName = cleanHeaderValue(QFileInfo(path).fileName());
        QString quotedName = fileName;
        quotedName.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        quotedName.replace(QLatin1Char('"'), QLatin1String("\\\""));
        const QByteArray nameParam = isPrintableAscii(fileName) ? "\"" + quotedName.toLatin1() + "\""
                                                                : "\"" + encodeWords(fileName) + "\"";
        out += "--" + boundary + "\r\n";
        out += "Content-Type: " + mimes.mimeTypeForFile(path).name().toLatin1() + "; name=" + nameParam + "\r\n";
        out += "Content-Disposition: attachment; filename=" + nameParam + "\r\n";
        out += "Content-Transfer-Encoding: base64\r\n\r\n";
        out += base64Lines(data);
    }
    out += "--" + boundary + "--\r\n";
    return out;
}

} // namespace wvs
