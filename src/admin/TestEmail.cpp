#include "admin/TestEmail.h"
#include "admin/PreferenceSettings.h"
#include "platform/DesktopMailer.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"

#include <cmath>

namespace wvs {

namespace {

const char *const kSubject = "Test email from WVS";

void showOutcome(const SendResult &r)
{
    if (r.ok) {
        msgBox(QStringLiteral("A test email has been sent - please check that it has been successfully received"));
        return;
    }
    msgBox(QStringLiteral("The following error has occurred: \r\n%1 %2").arg(QString::number(r.error), r.description),
           MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace

SmtpSettings TestEmail::smtpSettings(const TestEmailRequest &r)
{
    SmtpSettings s;
    s.server = r.server;
    double port = 0;
    s.port = PreferenceSettings::parseNumber(r.port, &port) && port >= 0 && port <= 65535 ? int(std::lround(port)) : -1;
    s.ssl = r.ssl;
    s.userName = r.userName;
    s.password = r.password;
    s.connectTimeoutSecs = 30;
    return s;
}

MailMessage TestEmail::smtpMessage(const TestEmailRequest &r)
{
    MailMessage m;
    m.from = smtpSettings(r).sender(QString::fromLatin1(kSenderName));
    m.to = QStringList{r.to};
    m.subject = QString::fromLatin1(kSubject);
    m.body = QStringLiteral("Congratulations! Your test email has been successfully sent from WVS.");
    m.html = false;
    return m;
}

MailMessage TestEmail::desktopMessage(const TestEmailRequest &r)
{
    MailMessage m;
    m.to = QStringList{r.to};
    m.subject = QString::fromLatin1(kSubject);
    m.body = QStringLiteral("Congratulations! Your email has been successfully sent from WVS.");
    return m;
}

TestEmail::Field TestEmail::run(const TestEmailRequest &r)
{
    if (r.to.isEmpty()) {
        msgBox(QStringLiteral("Please enter an address to which the test email can be sent"));
        return Field::TestEmail;
    }
    SendResult result;
    if (r.outlook) {
        if (!DesktopMailer::isActive()) {
            msgBox(QStringLiteral("MS Outlook is not active"));
            return Field::None;
        }
        const MailMessage m = desktopMessage(r);
        {
            WaitCursor wait;
            result.ok = DesktopMailer::openDraft(m);
        }
        if (!result.ok) {
            result.error = DraftFailed;
            result.description = QStringLiteral("The mail program could not be started");
        }
    } else {
        auto refuse = [](const char *message, Field f) {
            msgBox(QString::fromUtf8(message));
            return f;
        };
        if (r.server.isEmpty())
            return refuse("Please enter the Server name", Field::Server);
        if (r.port.isEmpty())
            return refuse("Please enter the Port number", Field::Port);
        if (!PreferenceSettings::parseNumber(r.port))
            return refuse("The Port must be numeric", Field::Port);
        if (r.userName.isEmpty())
            return refuse("Please enter the User Name", Field::UserName);
        if (r.password.isEmpty())
            return refuse("Please enter the Password", Field::Password);
        const SmtpSettings settings = smtpSettings(r);
        if (settings.port < 0) {
            result.error = BadPort;
            result.description = QStringLiteral("Port number out of range");
        } else {
            const MailMessage m = smtpMessage(r);
            WaitCursor wait;
            result = SmtpMailer(settings).send(m);
        }
    }
    showOutcome(result);
    return Field::None;
}

} // namespace wvs
