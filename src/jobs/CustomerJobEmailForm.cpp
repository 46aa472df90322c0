#include "jobs/CustomerJobEmailForm.h"
#include "data/AppDatabase.h"
#include "jobs/ServiceRequestEmail.h"
#include "output/EmailDelivery.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "shell/FormRegistry.h"
#include "core/Session.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(CustomerJobEmailForm);

namespace {
const char *const kForm = "CustomerJobEmailForm";
} // namespace

CustomerJobEmailForm::CustomerJobEmailForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(kForm));
    setWindowTitle(QStringLiteral("Send Email"));
    const QFont arial(QStringLiteral("Arial"), 9);
    const QFont tahoma(QStringLiteral("Tahoma"), 9);

    auto *layout = new QVBoxLayout(this);
    AddressFrame = new QGroupBox(QStringLiteral("To Address"), this);
    AddressFrame->setObjectName(QStringLiteral("AddressFrame"));
    AddressFrame->setFont(arial);
    auto *addressLayout = new QHBoxLayout(AddressFrame);
    SpecificOption = new QRadioButton(QStringLiteral("To be entered on email"), AddressFrame);
    SpecificOption->setObjectName(QStringLiteral("SpecificOption"));
    RecordOption = new QRadioButton(QStringLiteral("Address on Customer record"), AddressFrame);
    RecordOption->setObjectName(QStringLiteral("RecordOption"));
    RecordOption->setChecked(true);
    addressLayout->addWidget(SpecificOption);
    addressLayout->addWidget(RecordOption);
    layout->addWidget(AddressFrame);

    MessageFrame = new QGroupBox(QStringLiteral("Message"), this);
    MessageFrame->setObjectName(QStringLiteral("MessageFrame"));
    MessageFrame->setFont(arial);
    auto *messageLayout = new QVBoxLayout(MessageFrame);
    MessageText = new QPlainTextEdit(MessageFrame);
    MessageText->setObjectName(QStringLiteral("MessageText"));
    MessageText->setFont(arial);
    MessageText->setMinimumSize(420, 160);
    messageLayout->addWidget(MessageText);
    layout->addWidget(MessageFrame);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setFont(tahoma);
    ok->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setFont(tahoma);
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CustomerJobEmailForm::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &CustomerJobEmailForm::CancelButton_Click);
}

void CustomerJobEmailForm::firstActivate()
{
    guarded(kForm, "Form_Activate", [&] {
        jobSeqNo_ = Tag.trimmed().toLongLong();
        const QVariant provider = scalarSql(QStringLiteral("SELECT EmailProvider FROM Preferences"));
        // Over SMTP the address always comes from the customer record.
        if (provider.toString() == QLatin1String("Other")) {
            RecordOption->setChecked(true);
            AddressFrame->setEnabled(false);
        }
        MessageText->setPlainText(ServiceRequest::storedMessage());
    });
}

void CustomerJobEmailForm::DetermineFrequency(qint64 code)
{
    guarded(kForm, "DetermineFrequency", [&] { frequencyWords_ = wvs::DetermineFrequency(code); });
}

void CustomerJobEmailForm::CancelButton_Click()
{
    guarded(kForm, "CancelButton_Click", [&] { reject(); });
}

void CustomerJobEmailForm::OKButton_Click()
{
    guarded(kForm, "OKButton_Click", [&] {
        const std::optional<EmailSettings> settings = EmailDelivery::ReadEmailSettings();
        if (!settings)
            return;
        const EmailDelivery delivery(*settings);

        const std::optional<ServiceRequestJob> job = ServiceRequest::readJob(jobSeqNo_);
        if (!job) {
            msgBox(QStringLiteral("Cannot find Customer Job - this is a database error!"), MsgButtons::Ok,
                   MsgIcon::Critical);
            return;
        }

        const QString message = MessageText->toPlainText();
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
                return;
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
        accept();
    });
}

} // namespace wvs
