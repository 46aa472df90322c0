#include "jobs/CustomerJobEmailForm.h"
#include "jobs/ServiceRequestEmail.h"
#include "output/EmailDelivery.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QPlainTextEdit>
#include <QRadioButton>

namespace wvs {

WVS_REGISTER_FORM(CustomerJobEmailForm);

namespace {
const char *const kForm = "CustomerJobEmailForm";
} // namespace

CustomerJobEmailForm::CustomerJobEmailForm(QWidget *parent)
    : EmailMessageForm(kForm, QStringLiteral("Address on Customer record"), Order::AddressFirst, 0, parent)
{
}

void CustomerJobEmailForm::firstActivate()
{
    guarded(kForm, "Form_Activate", [&] {
        jobSeqNo_ = Tag.trimmed().toLongLong();
        startWith(ServiceRequest::storedMessage());
    });
}

void CustomerJobEmailForm::DetermineFrequency(qint64 code)
{
    guarded(kForm, "DetermineFrequency", [&] { frequencyWords_ = wvs::DetermineFrequency(code); });
}

bool CustomerJobEmailForm::send()
{
    const std::optional<EmailSettings> settings = EmailDelivery::ReadEmailSettings();
    if (!settings)
        return false;
    const EmailDelivery delivery(*settings);

    const std::optional<ServiceRequestJob> job = ServiceRequest::readJob(jobSeqNo_);
    if (!job) {
        msgBox(QStringLiteral("Cannot find Customer Job - this is a database error!"), MsgButtons::Ok,
               MsgIcon::Critical);
        return false;
    }

    const QString message = MessageText->text();
    ServiceRequest::storeMessage(message);

    frequencyWords_.clear();
    if (job->frequency > 0)
        DetermineFrequency(job->frequency);
    const QString body = ServiceRequest::body(*job, message, session().installationCountry);

    const bool fromRecord = RecordOption->isChecked();
    if (fromRecord && job->email1.isEmpty() && job->email2.isEmpty())
        msgBox(QStringLiteral("No email address is held for the customer.\r\n"
                              "This will need to be entered manually on the email"));
    const QString recipient = fromRecord ? ServiceRequest::recordAddress(*job) : QString();

    if (settings->desktop()) {
        if (!delivery.ConnectOutlook())
            return false;
        // The mail program gets the text as it is; the user finishes and sends it there.
        MailMessage mail = delivery.newMessage(QString(), recipient, ServiceRequest::subject(*job));
        delivery.setBody(mail, body);
        const SendResult result = delivery.SaveDraft(mail);
        if (!result.ok)
            throw WvsError(ErrorNumber::Recoverable, result.description);
    } else {
        MailMessage mail = delivery.newMessage(QStringLiteral("WVS"), recipient, ServiceRequest::subject(*job));
        delivery.setBody(mail, body);
        const SendResult result = delivery.SendSmtpMessage(mail, recipient, false);
        if (result.ok)
            msgBox(QStringLiteral("Email has been sent"));
        else
            msgBox(QStringLiteral("Email was not sent - error %1 %2").arg(result.error).arg(result.description),
                   MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return true;
}

} // namespace wvs
