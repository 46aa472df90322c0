#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace wvs {

// A mailbox: an address with an optional display name ("WVS" <office@example.com>).
struct MailAddress {
    QString name;
    QString address;

    bool isEmpty() const { return address.trimmed().isEmpty(); }
};

// One e-mail as the program composes it. The same message goes to the SMTP
// sender (which writes it out with toRfc5322) or, as a draft, to the desktop's
// mail program.
class MailMessage {
public:
    MailAddress from;
    QStringList to;            // addresses; empty entries are ignored
    QStringList cc;
    QString subject;
    QString body;              // line ends may be LF or CR LF
    bool html = false;         // the body is HTML (see textToHtml)
    QStringList attachments;   // paths of files sent with the message

    // Every recipient address (To and Cc), cleaned, empty ones left out.
    QStringList recipients() const;

    // The whole message as RFC 5322 text with CR LF line ends: UTF-8 headers
    // encoded as RFC 2047 words where needed, the body in 7bit when it is plain
    // short-lined ASCII and in base64 otherwise, attachments as multipart/mixed.
    // Date and Message-ID come from the arguments so the text can be compared.
    QByteArray toRfc5322(const QDateTime &date = QDateTime::currentDateTime(),
                         const QString &messageId = QString()) const;

    // A header value made safe, one line by the rule of every box
    // (TypingLimit::onOneLine): each line break of any kind (CR LF once, NEL,
    // U+2028) and tab a blank, every other control character (C0, DEL, C1)
    // dropped, blanks at the ends trimmed; so a typed value can never start a
    // header of its own.
    static QString cleanHeaderValue(const QString &value);
    // An address made safe for the envelope and the header: no line break,
    // tab or other control character (TypingLimit::isMended), no blank of any
    // kind, angle bracket, comma, semicolon or double quote.
    static QString cleanAddress(const QString &address);

    // A header value as RFC 2047 encoded words ("=?UTF-8?B?...?=", each at most
    // 75 characters, never splitting a character), or unchanged when it is
    // printable ASCII. Folding is left to the caller.
    static QByteArray encodeWords(const QString &value);

    // One mailbox for a From/To header: "Name <address>" with the name quoted
    // or encoded as needed.
    static QByteArray formatMailbox(const MailAddress &a);

    // Plain text made into an HTML body: <, >, & and quotes escaped, each line
    // end kept as <br>.
    static QString textToHtml(const QString &text);
};

} // namespace wvs
