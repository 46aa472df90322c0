#include "admin/TestEmail.h"
#include "admin/PreferenceSettings.h"
#include "output/EmailDelivery.h"
#include "platform/MessageBox.h"

namespace wvs {

namespace {

const char *const kSubject = "Test email from WVS";

void showFailure(const SendResult &r)
{
    msgBox(QStringLiteral("The following error has occurred: \r\n%1 %2").arg(QString::number(r.error), r.description),
           MsgButtons::Ok, MsgIcon::Exclamation);
}

// The mail program only opens the draft: the user sends it from there.
TestEmail::Field draftTest(const TestEmailRequest &r)
{
    EmailSettings settings;
    settings.provider = QStringLiteral("Outlook");
    const EmailDelivery delivery(settings);
    if (!delivery.ConnectOutlook())
        return TestEmail::Field::None;
    MailMessage m = delivery.newMessage(QString(), r.to, QString::fromLatin1(kSubject));
    delivery.setBody(m, QStringLiteral("Congratulations! Your email has been successfully sent from WVS."));
    const SendResult result = delivery.SaveDraft(m);
    if (result.ok)
        msgBox(QStringLiteral("A test email has been created in your mail program - please send it from there and "
                              "check that it is successfully received"));
    else
        showFailure(result);
    return TestEmail::Field::None;
}

} // namespace

TestEmail::Field TestEmail::run(const TestEmailRequest &r)
{
    if (r.to.isEmpty()) {
        msgBox(QStringLiteral("Please enter an address to which the test email can be sent"));
        return Field::TestEmail;
    }
    if (r.outlook)
        return draftTest(r);

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

    // The test goes as plain text whatever the HTML choice.
    EmailSettings settings;
    settings.provider = QStringLiteral("Other");
    settings.smtp = EmailDelivery::smtpSettings(r.server, r.port, r.ssl, r.userName, r.password);
    SendResult result;
    if (settings.smtp.port < 0) {
        result.error = BadPort;
        result.description = QStringLiteral("Port number out of range");
    } else {
        const EmailDelivery delivery(settings);
        MailMessage m = delivery.newMessage(QString::fromLatin1(kSenderName), r.to, QString::fromLatin1(kSubject));
        delivery.setBody(m, QStringLiteral("Congratulations! Your test email has been successfully sent from WVS."));
        result = delivery.SendSmtpMessage(m, r.to, false);
    }
    if (result.ok)
        msgBox(QStringLiteral("A test email has been sent - please check that it has been successfully received"));
    else
        showFailure(result);
    return Field::None;
}

} // namespace wvs
