#include "platform/DesktopMailer.h"
#include "platform/MailMessage.h"
#include "platform/SmtpMailer.h"
#include "support/ControlCharacters.h"
#include "support/LocalServers.h"
#include "support/SlowLookup.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <curl/curl.h>
#include <gtest/gtest.h>

using namespace wvs;
using wvs::test::SmtpSink;

namespace {

const QString kUser = "office@sparkle.example";
const QString kPassword = "s3cret pass";

SmtpSettings settingsFor(int port, const QString &user = kUser, const QString &password = kPassword)
{
    return {.server = "127.0.0.1", .port = port, .userName = user, .password = password, .connectTimeoutSecs = 5,
            .transferTimeoutSecs = 20, .verifyPeer = false};
}

MailMessage sampleMessage(const SmtpSettings &s)
{
    MailMessage m;
    m.from = s.sender("WVS");
    m.to << "anna.muller@example.com";
    m.subject = "Service Requested - Anna Müller – Zoë's café 😀";
    m.body = "Dear Anna,\r\n\r\nService Details: Window Cleaning\r\n.\r\nCost: $45.00";
    return m;
}

QString partContent(const QJsonObject &msg) { return msg["parts"].toArray().at(0).toObject()["content"].toString(); }

} // namespace

// The message text itself: what any mail reader relies on, independent of the server.
TEST(MailMessageTest, HeaderValuesCannotStartHeadersOfTheirOwn)
{
    MailMessage m;
    m.from = {"WVS\r\nBcc: evil@example.com", "a@b.example"};
    m.to << "x@y.example\r\nBcc: evil@example.com";
    m.subject = "Hello\r\nBcc: evil@example.com\nX-Other: 1";
    m.body = "line";
    const QByteArray text = m.toRfc5322();
    for (const QByteArray &line : text.left(text.indexOf("\r\n\r\n")).split('\n')) {
        EXPECT_FALSE(line.startsWith("Bcc")) << line.constData();
        EXPECT_FALSE(line.startsWith("X-Other")) << line.constData();
    }
    EXPECT_EQ(m.recipients().size(), 1);
}

// A header value is one line by the rule of every box: each line break of any
// kind (NEL and U+2028 among them) and tab a blank, every other control
// character (C1 too) dropped; an address keeps none of them.
TEST(MailMessageTest, HeaderValuesTakeTheOneRuleOfControlCharacters)
{
    for (const test::ControlRow &row : test::controlRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MailMessage::cleanHeaderValue(test::withControl(row)), row.oneLine);
        EXPECT_EQ(MailMessage::cleanAddress("an" + row.character + "na@example.com"), "anna@example.com");
    }
    MailMessage m;
    m.from = {QString::fromUtf8("Zo\u00eb\u0085Bcc: evil\u2028X\u0080Y\u009F"), "office@example.com"};
    m.to << QString::fromUtf8("an\u0080na@exa\u009Fmple.com\u0085");
    m.subject = QString::fromUtf8("Hello\u0085World\u2028again\u0080\u0081\u009F\r\n");
    m.body = "line";
    const QByteArray text = m.toRfc5322(QDateTime::currentDateTime(), "id@example.com");
    const QByteArray head = text.left(text.indexOf("\r\n\r\n") + 2);
    EXPECT_TRUE(head.contains("\r\nSubject: Hello World again\r\n")) << head.constData();
    EXPECT_TRUE(head.contains("\r\nTo: anna@example.com\r\n")) << head.constData();
    const QString name = QString::fromUtf8("Zo\u00eb Bcc: evil XY");
    EXPECT_TRUE(head.contains("\r\nFrom: " + MailMessage::encodeWords(name) + " <office@example.com>\r\n"))
        << head.constData();
    EXPECT_EQ(m.recipients(), QStringList{"anna@example.com"});
    EXPECT_EQ(DesktopMailer::arguments(m).mid(1, 2), (QStringList{"--subject", "Hello World again"}));
}

// Real sends through a local SMTP server; the server parses what arrived.
TEST(SmtpMailerTest, PlainMessageArrivesWithEncodedSubjectAndSenderAndFailuresAreReported)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({kUser, kPassword})) << sink.errors().toStdString();
    const SmtpSettings s = settingsFor(sink.port());
    MailMessage m = sampleMessage(s);
    m.subject += " " + QString(40, QChar(0x00e9)) + " " + QString(10, QChar(0x20ac)) + QString("😀").repeated(16);
    const SendResult r = SmtpMailer(s).send(m);
    ASSERT_TRUE(r.ok) << r.error << " " << r.description.toStdString();
    ASSERT_EQ(sink.messages().size(), 1);
    const QJsonObject msg = sink.messages()[0];
    EXPECT_EQ(msg["mail_from"].toString(), kUser);
    EXPECT_EQ(msg["subject"].toString(), m.subject);
    EXPECT_TRUE(msg["defects"].toArray().isEmpty());
    // The lone "." line survives the transfer and the line ends are CR LF.
    EXPECT_EQ(partContent(msg).replace("\r\n", "\n"), "Dear Anna,\n\nService Details: Window Cleaning\n.\nCost: $45.00\n");
    EXPECT_TRUE(msg["raw"].toString().contains("Message-ID: <") && msg["raw"].toString().contains("Date: "));
    // Each encoded word of the subject is at most 75 long and decodes on its own to whole characters.
    auto words = QRegularExpression("=\\?UTF-8\\?B\\?([^?]*)\\?=").globalMatch(msg["raw"].toString());
    ASSERT_TRUE(words.hasNext());
    while (words.hasNext()) {
        const QRegularExpressionMatch w = words.next();
        const QByteArray bytes = QByteArray::fromBase64(w.captured(1).toLatin1());
        EXPECT_LE(w.capturedLength(), 75);
        EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
    }

    // Failures are reported with a number and a text, and nothing more is sent.
    MailMessage noOne = m;
    noOne.to.clear();
    EXPECT_EQ(SmtpMailer(s).send(noOne).error, SmtpMailer::NoRecipient);
    SmtpSettings nowhere = settingsFor(wvs::test::unusedPort());
    const SendResult failed = SmtpMailer(nowhere).send(m);
    EXPECT_FALSE(failed.ok || failed.error == 0 || failed.description.isEmpty());
    nowhere.server.clear();
    EXPECT_EQ(SmtpMailer(nowhere).send(m).error, SmtpMailer::NoServer);
    EXPECT_EQ(sink.messages().size(), 1);
}

// A typed address stays one mailbox: each separator a mail header or the mail
// program's address list reads (";", "<", ">", ",", a double quote) is dropped
// from it before the server hears it (the envelope's sender and recipients, the
// To and Cc headers) and before the mail program's draft is made.
TEST(SmtpMailerTest, SeparatorsInAnAddressAreDroppedBeforeTheServerAndTheMailProgram)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({kUser, kPassword})) << sink.errors().toStdString();
    const SmtpSettings s = settingsFor(sink.port());
    int sent = 0;
    for (const QString separator : {";", "<", ">", ",", "\""}) {
        SCOPED_TRACE(separator.toStdString());
        MailMessage m = sampleMessage(s);
        m.from.address = "office" + separator + "@sparkle.example";
        m.to = QStringList{"an" + separator + "na@example.com"};
        m.cc = QStringList{"bob@example.com" + separator};

        // The draft's To and Cc.
        const QStringList args = DesktopMailer::arguments(m);
        EXPECT_EQ(args.mid(0, 3), (QStringList{"--utf8", "--cc", "bob@example.com"}));
        EXPECT_EQ(args.last(), "anna@example.com");
        // The headers as they leave.
        const QByteArray text = m.toRfc5322();
        const QByteArray head = text.left(text.indexOf("\r\n\r\n") + 2);
        EXPECT_TRUE(head.contains("\r\nFrom: WVS <office@sparkle.example>\r\n")) << head.constData();
        EXPECT_TRUE(head.contains("\r\nTo: anna@example.com\r\n")) << head.constData();
        EXPECT_TRUE(head.contains("\r\nCc: bob@example.com\r\n")) << head.constData();

        // The envelope, and the headers as the server reads them.
        const SendResult r = SmtpMailer(s).send(m);
        EXPECT_TRUE(r.ok) << r.error << " " << r.description.toStdString();
        if (!r.ok)
            continue;
        ASSERT_EQ(sink.messages().size(), ++sent);
        const QJsonObject msg = sink.messages().last();
        EXPECT_EQ(msg["mail_from"].toString(), "office@sparkle.example");
        EXPECT_EQ(msg["rcpt_tos"].toArray(), QJsonArray({"anna@example.com", "bob@example.com"}));
        EXPECT_EQ(msg["from_address"].toString(), "office@sparkle.example");
        EXPECT_EQ(msg["to"].toArray(), QJsonArray({"anna@example.com"}));
        EXPECT_TRUE(msg["defects"].toArray().isEmpty());
    }
}

// A server whose name hangs holds the send no longer than its connect limit; one that closes the connection
// instead of answering is told so, with no system error number or server reply left over from an earlier step.
TEST(SmtpMailerTest, AHungLookupEndsAtTheConnectLimitAndAClosedConnectionSaysSo)
{
    wvs::test::setSlowLookup("mail.lookup.test", 8000);
    SmtpSettings hung = settingsFor(25);
    hung.server = "mail.lookup.test";
    hung.connectTimeoutSecs = 1;
    QElapsedTimer clock;
    clock.start();
    const SendResult late = SmtpMailer(hung).send(sampleMessage(hung));
    EXPECT_EQ(late.error, CURLE_OPERATION_TIMEDOUT);
    EXPECT_LT(clock.elapsed(), 1000 + 3000);   // the lookup hangs for 8 s
    wvs::test::setSlowLookup(QByteArray(), 0);

    wvs::test::PythonServer closing;
    ASSERT_TRUE(closing.start("closing_server.py", {"--greeting", "220 mail.example ESMTP"}));
    const SmtpSettings s = settingsFor(closing.port());
    const SendResult closed = SmtpMailer(s).send(sampleMessage(s));
    EXPECT_EQ(closed.error, CURLE_RECV_ERROR);
    EXPECT_EQ(closed.description, "response reading failed (the server closed the connection)");
}

TEST(SmtpMailerTest, HtmlBodyAndNonAsciiDisplayName)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"bob", "pw"})) << sink.errors().toStdString();
    const SmtpSettings s = settingsFor(sink.port(), "bob", "pw"); // not an address: the sender is made up from the server
    MailMessage m;
    m.from = s.sender("Zoë, \"Admin\"");
    m.to << "a@example.com" << QString() << "b@example.com";
    m.html = true;
    // An HTML body shows the text as typed, line breaks included.
    m.body = MailMessage::textToHtml("Größe: 12\" & <more>\r\nSecond line\nThird " + QString(1200, 'x'));
    ASSERT_TRUE(SmtpMailer(s).send(m).ok);
    ASSERT_EQ(sink.messages().size(), 1);
    const QJsonObject msg = sink.messages()[0];
    EXPECT_EQ(msg["mail_from"].toString(), "wvs@127.0.0.1");
    EXPECT_EQ(msg["from_name"].toString(), "Zoë, \"Admin\"");
    EXPECT_EQ(msg["rcpt_tos"].toArray().size(), 2);
    EXPECT_EQ(partContent(msg).trimmed(), "Größe: 12&quot; &amp; &lt;more&gt;<br>\r\nSecond line<br>\r\nThird " + QString(1200, 'x'));
}

TEST(SmtpMailerTest, TlsByStartTlsOrFromTheFirstByteAndRefusalWithoutIt)
{
    for (bool implicit : {false, true}) {
        SmtpSink sink;
        SmtpSink::Options o{kUser, kPassword};
        (implicit ? o.implicitTls : o.requireTls) = true;
        ASSERT_TRUE(sink.start(o)) << sink.errors().toStdString();
        SmtpSettings s = settingsFor(sink.port());
        s.ssl = true;
        if (implicit)
            s.implicitTlsPort = sink.port();
        const SendResult r = SmtpMailer(s).send(sampleMessage(s));
        ASSERT_TRUE(r.ok) << implicit << r.description.toStdString();
        ASSERT_EQ(sink.messages().size(), 1);
        EXPECT_TRUE(sink.messages()[0]["tls"].toBool());
        if (implicit)
            continue;
        // The same server without SSL set refuses the mail: reported, never "sent".
        s.ssl = false;
        EXPECT_FALSE(SmtpMailer(s).send(sampleMessage(s)).ok);
        EXPECT_EQ(sink.messages().size(), 1);
    }
    // Port 465 means TLS from the first byte.
    EXPECT_EQ(SmtpMailer({.server = "mail.example.com", .port = 465, .ssl = true}).url(), "smtps://mail.example.com:465");
}

TEST(DesktopMailerTest, DraftArgumentsAndScript)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("plan.csv");
    MailMessage m;
    m.to << "anna@example.com" << "--attach" << "x@y?attach=/etc/passwd";
    m.cc << "boss@example.com";
    m.subject = "Service\r\nRequested";
    m.body = "Line 1\r\nLine 2";
    m.attachments << file;
    const QStringList args = DesktopMailer::arguments(m);
    EXPECT_EQ(args, QStringList({"--utf8", "--cc", "boss@example.com", "--subject", "Service Requested", "--body",
                                 "Line 1\nLine 2", "--attach", file, "anna@example.com", "x@yattach=/etc/passwd"}));
    // Empty texts are left out (xdg-email refuses an option without a value).
    EXPECT_EQ(DesktopMailer::arguments(MailMessage()), QStringList{"--utf8"});

    DesktopMailScript script;
    EXPECT_TRUE(DesktopMailer::openDraft(m));
    ASSERT_EQ(script.commands.size(), 1);
    EXPECT_EQ(script.commands[0], args);
}
