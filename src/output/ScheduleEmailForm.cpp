#include "output/ScheduleEmailForm.h"
#include "output/ScheduleEmail.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"

#include <QPlainTextEdit>
#include <QRadioButton>

namespace wvs {

WVS_REGISTER_FORM(ScheduleEmailForm);

namespace {
const char *const kForm = "ScheduleEmailForm";
} // namespace

ScheduleEmailForm::ScheduleEmailForm(QWidget *parent)
    : EmailMessageForm(kForm, QStringLiteral("Address on Associate record"), Order::MessageFirst, kMessageLimit, parent)
{
}

void ScheduleEmailForm::firstActivate()
{
    guarded(kForm, "Form_Activate", [&] {
        const QStringList parts = tagParts();
        ScheduleNumber = parts.value(0).trimmed().toLongLong();
        AssociateID = parts.mid(1).join(QLatin1Char('~'));
        startWith(ScheduleEmail::storedMessage());
    });
}

bool ScheduleEmailForm::send()
{
    return ScheduleEmail::run(ScheduleNumber, AssociateID, MessageText->text(), RecordOption->isChecked());
}

} // namespace wvs
