#include "output/EmailDelivery.h"
#include "data/AppDatabase.h"
#include "platform/DesktopMailer.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "platform/WvsError.h"

#include <cmath>

namespace wvs {

std::optional<int> EmailDelivery::portNumber(const QString &text)
{
    double port = 0;
    if (!PreferenceSettings::parseNumber(text, &port) || port < 0 || port > 65535)
        return std::nullopt;
    return int(std::lround(port));
}

SmtpSettings EmailDelivery::smtpSettings(const QString &server, const QString &port, bool ssl,
                                         const QString &userName, const QString &password)
{
    SmtpSettings s;
    s.server = server;
    s.port = portNumber(port).value_or(-1);
    s.ssl = ssl;
    s.userName = userName;
    s.password = password;
    s.connectTimeoutSecs = 30;
    return s;
}

QString EmailDelivery::notSetUpText()
{
    return QStringLiteral("No email service provider has been set up. "
                          "This needs to be done via Maintenanace....Preferences");
}

std::optional<EmailSettings> EmailDelivery::ReadEmailSettings(PreferenceValues *prefs)
{
    const PreferenceValues p = PreferenceSettings::load().value_or(PreferenceValues{});
    if (prefs)
        *prefs = p;
    if (p.emailProvider.isEmpty()) {
        msgBox(notSetUpText(), MsgButtons::Ok, MsgIcon::Exclamation);
        return std::nullopt;
    }
    EmailSettings s;
    s.provider = p.emailProvider;
    s.html = p.emailHtml;
    // Only the SMTP provider's own settings count; any other provider sends nowhere.
    if (p.smtp()) {
        if (!portNumber(p.smtpPort))
            throw WvsError(ErrorNumber::Recoverable,
                           QStringLiteral("The SMTP port \"%1\" in the preferences is not a port number")
                               .arg(p.smtpPort));
        s.smtp = smtpSettings(p.smtpServer, p.smtpPort, p.smtpSsl, p.smtpUserName, p.smtpPassword);
    } else {
        s.smtp.port = 0;
    }
    return s;
}

bool EmailDelivery::mailProgramReady()
{
    const std::optional<PreferenceValues> prefs = PreferenceSettings::load();
    if (!prefs || prefs->emailProvider != QLatin1String("Outlook") || DesktopMailer::isActive())
        return true;
    msgBox(QStringLiteral("MS Outlook is not active - emails cannot be created"));
    return false;
}

bool EmailDelivery::ConnectOutlook() const
{
    if (DesktopMailer::isActive())
        return true;
    msgBox(QStringLiteral("MS Outlook is not active"), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

MailMessage EmailDelivery::newMessage(const QString &senderName, const QString &to, const QString &subject) const
{
    MailMessage m;
    if (!settings_.desktop()) {
        m.from = settings_.smtp.sender(senderName);
        m.html = settings_.html;
    }
    if (!to.trimmed().isEmpty())
        m.to << to.trimmed();
    m.subject = subject;
    return m;
}

void EmailDelivery::setBody(MailMessage &m, const QString &text) const
{
    m.body = m.html ? MailMessage::textToHtml(text) : text;
}

SendResult EmailDelivery::SendSmtpMessage(const MailMessage &m, const QString &address, bool report) const
{
    SendResult r;
    {
        WaitCursor wait;
        r = SmtpMailer(settings_.smtp).send(m);
    }
    if (!report)
        return r;
    if (r.ok)
        msgBox(QStringLiteral("Email sent to ") + address);
    else
        // Joined, not filled in: an address or a description may hold "%1".
        msgBox(QStringLiteral("Email was not sent to ") + address + QStringLiteral(" - error ") +
                   QString::number(r.error) + QLatin1Char(' ') + r.description,
               MsgButtons::Ok, MsgIcon::Exclamation);
    return r;
}

SendResult EmailDelivery::SaveDraft(const MailMessage &m) const
{
    SendResult r;
    {
        WaitCursor wait;
        r.ok = DesktopMailer::openDraft(m);
    }
    if (!r.ok) {
        r.error = DraftFailed;
        r.description = QStringLiteral("The mail program could not be started");
    }
    return r;
}

QString EmailDelivery::storedMessage(const char *table)
{
    const QVariant v = scalarSql(QStringLiteral("SELECT Message FROM %1").arg(QLatin1String(table)));
    return v.isValid() ? v.toString() : QString();
}

void EmailDelivery::storeMessage(const char *table, const QString &message)
{
    Transaction t;
    writeSql(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    writeSql(QStringLiteral("INSERT INTO %1 (RowId, Message) VALUES (1, ?)").arg(QLatin1String(table)),
             {message.isNull() ? QStringLiteral("") : message});
    t.commit();
}

} // namespace wvs
