#include "platform/DesktopMailer.h"
#include "platform/MailMessage.h"
#include "platform/SmtpMailer.h"
#include "support/LocalServers.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wvs;
using wvs::test::SmtpSink;

namespace {

const QString kUser = QStringLiteral("office@sparkle.example");
const QString kPassword = QStringLiteral("s3cret pass");

SmtpSettings settingsFor(int port)
{
    SmtpSettings s;
    s.server = QStringLiteral("127.0.0.1");
    s.port = port;
    s.userName = kUser;
    s.password = kPassword;
    s.connectTimeoutSecs = 5;
    s.transferTimeoutSecs = 20;
    s.verifyPeer = false;
    return s;
}

MailMessage sampleMessage(const SmtpSettings &s)
{
    MailMessage m;
    m.from = s.sender(QStringLiteral("WVS"));
    m.to << QStringLiteral("anna.muller@example.com");
    m.subject = QStringLiteral("Service Requested - Anna Müller – Zoë's café 😀");
    m.body = QStringLiteral("Dear Anna,\r\n\r\nService Details: Window Cleaning\r\n.\r\nCost: $45.00");
    return m;
}

QString partContent(const QJsonObject &msg, int i = 0)
{
    return msg[QStringLiteral("parts")].toArray().at(i).toObject()[QStringLiteral("content")].toString();
}

} // namespace

// The message text itself: what any mail reader relies on, independent of the server.
TEST(MailMessageTest, HeaderValuesCannotStartHeadersOfTheirOwn)
{
    MailMessage m;
    m.from = {QStringLiteral("WVS\r\nBcc: evil@example.com"), QStringLiteral("a@b.example")};
    m.to << QStringLiteral("x@y.example\r\nBcc: evil@example.com");
    m.subject = QStringLiteral("Hello\r\nBcc: evil@example.com\nX-Other: 1");
    m.body = QStringLiteral("line");
    const QByteArray text = m.toRfc5322();
    const QList<QByteArray> lines = text.left(text.indexOf("\r\n\r\n")).split('\n');
    for (const QByteArray &line : lines) {
        EXPECT_FALSE(line.startsWith("Bcc")) << line.constData();
        EXPECT_FALSE(line.startsWith("X-Other")) << line.constData();
    }
    EXPECT_EQ(m.recipients().size(), 1);
}

TEST(MailMessageTest, EncodedWordsStayShortAndKeepWholeCharactersAndHtmlKeepsTheText)
{
    const QString subject = QString(40, QChar(0x00e9)) + QStringLiteral(" ") + QString(10, QChar(0x20ac)) +
                            QStringLiteral("😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀");
    const QByteArray words = MailMessage::encodeWords(subject);
    QString decoded;
    for (const QByteArray &w : words.split(' ')) {
        EXPECT_LE(w.size(), 75);
        ASSERT_TRUE(w.startsWith("=?UTF-8?B?") && w.endsWith("?="));
        const QByteArray bytes = QByteArray::fromBase64(w.mid(10, w.size() - 12));
        // Each word decodes on its own to whole characters.
        const QString piece = QString::fromUtf8(bytes);
        EXPECT_EQ(piece.toUtf8(), bytes);
        decoded += piece;
    }
    EXPECT_EQ(decoded, subject);
    EXPECT_EQ(MailMessage::encodeWords(QStringLiteral("Plain subject")), QByteArray("Plain subject"));
    // An HTML body shows the text as typed, line breaks included.
    EXPECT_EQ(MailMessage::textToHtml(QStringLiteral("12\" Pipes & <Co>\r\nLine 2\nLine 3")),
              QStringLiteral("12&quot; Pipes &amp; &lt;Co&gt;<br>\r\nLine 2<br>\r\nLine 3"));
}

// Real sends through a local SMTP server; the server parses what arrived.
TEST(SmtpMailerTest, PlainMessageArrivesWithEncodedSubjectAndSender)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({kUser, kPassword})) << sink.errors().toStdString();
    const SmtpSettings s = settingsFor(sink.port());
    const MailMessage m = sampleMessage(s);
    const SendResult r = SmtpMailer(s).send(m);
    ASSERT_TRUE(r.ok) << r.error << " " << r.description.toStdString();
    EXPECT_EQ(r.error, 0);

    const auto msgs = sink.messages();
    ASSERT_EQ(msgs.size(), 1);
    const QJsonObject msg = msgs[0];
    EXPECT_EQ(msg[QStringLiteral("mail_from")].toString(), kUser);
    EXPECT_EQ(msg[QStringLiteral("rcpt_tos")].toArray().at(0).toString(), QStringLiteral("anna.muller@example.com"));
    EXPECT_EQ(msg[QStringLiteral("subject")].toString(), m.subject);
    EXPECT_EQ(msg[QStringLiteral("from_address")].toString(), kUser);
    EXPECT_TRUE(msg[QStringLiteral("defects")].toArray().isEmpty());
    EXPECT_EQ(msg[QStringLiteral("content_type")].toString(), QStringLiteral("text/plain"));
    // The lone "." line survives the transfer and the line ends are CR LF.
    EXPECT_EQ(partContent(msg).replace(QLatin1String("\r\n"), QLatin1String("\n")),
              QStringLiteral("Dear Anna,\n\nService Details: Window Cleaning\n.\nCost: $45.00\n"));
    const QString raw = msg[QStringLiteral("raw")].toString();
    EXPECT_TRUE(raw.contains(QLatin1String("\r\nDate: ")) || raw.startsWith(QLatin1String("Date: ")));
    EXPECT_TRUE(raw.contains(QLatin1String("Message-ID: <")));
}

TEST(SmtpMailerTest, HtmlBodyAndNonAsciiDisplayName)
{
    SmtpSink sink2;
    ASSERT_TRUE(sink2.start({QStringLiteral("bob"), QStringLiteral("pw")})) << sink2.errors().toStdString();
    SmtpSettings s = settingsFor(sink2.port());
    s.userName = QStringLiteral("bob"); // not an address: the sender is made up from the server
    s.password = QStringLiteral("pw");
    MailMessage m;
    m.from = s.sender(QStringLiteral("Zoë, \"Admin\""));
    m.to << QStringLiteral("a@example.com") << QString() << QStringLiteral("b@example.com");
    m.subject = QStringLiteral("Plan");
    m.html = true;
    m.body = MailMessage::textToHtml(QStringLiteral("Größe: 12\" & more\r\nSecond line ") + QString(1200, QLatin1Char('x')));
    const SendResult r = SmtpMailer(s).send(m);
    ASSERT_TRUE(r.ok) << r.description.toStdString();
    const auto msgs = sink2.messages();
    ASSERT_EQ(msgs.size(), 1);
    const QJsonObject msg = msgs[0];
    EXPECT_EQ(msg[QStringLiteral("mail_from")].toString(), QStringLiteral("wvs@127.0.0.1"));
    EXPECT_EQ(msg[QStringLiteral("from_name")].toString(), QStringLiteral("Zoë, \"Admin\""));
    EXPECT_EQ(msg[QStringLiteral("rcpt_tos")].toArray().size(), 2);
    EXPECT_EQ(msg[QStringLiteral("content_type")].toString(), QStringLiteral("text/html"));
    EXPECT_EQ(partContent(msg).trimmed(),
              QStringLiteral("Größe: 12&quot; &amp; more<br>\r\nSecond line ") + QString(1200, QLatin1Char('x')));
}

TEST(SmtpMailerTest, StartTlsWhenSslIsSetAndRefusalWithoutIt)
{
    SmtpSink sink;
    SmtpSink::Options o{kUser, kPassword};
    o.requireTls = true;
    ASSERT_TRUE(sink.start(o)) << sink.errors().toStdString();
    SmtpSettings s = settingsFor(sink.port());
    s.ssl = true;
    const SendResult r = SmtpMailer(s).send(sampleMessage(s));
    ASSERT_TRUE(r.ok) << r.description.toStdString();
    ASSERT_EQ(sink.messages().size(), 1);
    EXPECT_TRUE(sink.messages()[0][QStringLiteral("tls")].toBool());

    // The same server without SSL set refuses the mail: reported, never "sent".
    s.ssl = false;
    const SendResult refused = SmtpMailer(s).send(sampleMessage(s));
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error, 0);
    EXPECT_FALSE(refused.description.isEmpty());
    EXPECT_EQ(sink.messages().size(), 1);
}

TEST(SmtpMailerTest, ImplicitTlsOnTheSslPort)
{
    SmtpSink sink;
    SmtpSink::Options o{kUser, kPassword};
    o.implicitTls = true;
    ASSERT_TRUE(sink.start(o)) << sink.errors().toStdString();
    SmtpSettings s = settingsFor(sink.port());
    s.ssl = true;
    s.implicitTlsPort = sink.port();
    const SendResult r = SmtpMailer(s).send(sampleMessage(s));
    ASSERT_TRUE(r.ok) << r.description.toStdString();
    ASSERT_EQ(sink.messages().size(), 1);
    EXPECT_TRUE(sink.messages()[0][QStringLiteral("tls")].toBool());

    // Port 465 means TLS from the first byte.
    SmtpSettings standard;
    standard.server = QStringLiteral("mail.example.com");
    standard.port = 465;
    standard.ssl = true;
    EXPECT_EQ(SmtpMailer(standard).url(), QStringLiteral("smtps://mail.example.com:465"));
}

TEST(SmtpMailerTest, FailuresAreReportedWithNumberAndText)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({kUser, kPassword})) << sink.errors().toStdString();
    SmtpSettings s = settingsFor(sink.port());

    s.password = QStringLiteral("wrong");
    SendResult r = SmtpMailer(s).send(sampleMessage(s));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error, 0);

    s.password = kPassword;
    MailMessage noOne = sampleMessage(s);
    noOne.to.clear();
    r = SmtpMailer(s).send(noOne);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, SmtpMailer::NoRecipient);

    SmtpSettings nowhere = settingsFor(wvs::test::unusedPort());
    r = SmtpMailer(nowhere).send(sampleMessage(nowhere));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error, 0);
    EXPECT_FALSE(r.description.isEmpty());

    nowhere.server.clear();
    EXPECT_EQ(SmtpMailer(nowhere).send(sampleMessage(nowhere)).error, SmtpMailer::NoServer);
    EXPECT_TRUE(sink.messages().isEmpty());
}

TEST(DesktopMailerTest, DraftArgumentsAndScript)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plan.csv"));
    MailMessage m;
    m.to << QStringLiteral("anna@example.com") << QStringLiteral("--attach") << QStringLiteral("x@y?attach=/etc/passwd");
    m.cc << QStringLiteral("boss@example.com");
    m.subject = QStringLiteral("Service\r\nRequested");
    m.body = QStringLiteral("Line 1\r\nLine 2");
    m.attachments << file;
    const QStringList args = DesktopMailer::arguments(m);
    EXPECT_EQ(args, (QStringList{QStringLiteral("--utf8"), QStringLiteral("--cc"), QStringLiteral("boss@example.com"),
                                 QStringLiteral("--subject"), QStringLiteral("Service  Requested"),
                                 QStringLiteral("--body"), QStringLiteral("Line 1\nLine 2"), QStringLiteral("--attach"),
                                 file, QStringLiteral("anna@example.com"), QStringLiteral("x@yattach=/etc/passwd")}));

    // Empty texts are left out (xdg-email refuses an option without a value).
    MailMessage empty;
    EXPECT_EQ(DesktopMailer::arguments(empty), QStringList{QStringLiteral("--utf8")});

    DesktopMailScript script;
    script.active = false;
    EXPECT_FALSE(DesktopMailer::isActive());
    EXPECT_TRUE(DesktopMailer::openDraft(m));
    ASSERT_EQ(script.drafts.size(), 1);
    EXPECT_EQ(script.commands[0], args);
}
