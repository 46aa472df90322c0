#include "jobs/JobTypeAddModifyForm.h"
#include "jobs/JobTypeRecords.h"
#include "platform/TypingLimit.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(JobTypeAddModifyForm);

JobTypeAddModifyForm::JobTypeAddModifyForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("JobTypeAddModifyForm"));
    QFont f(QStringLiteral("Arial"), 9);
    setFont(f);

    CodeText = makeText("CodeText", 20);
    DescriptionText = makeText("DescriptionText", 30);
    AccountsText = makeText("AccountsText", 30);
    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    OKButton->setDefault(true);
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Code"), CodeText);
    fields->addRow(QStringLiteral("Description"), DescriptionText);
    fields->addRow(QStringLiteral("Accounts Ref"), AccountsText);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setTabOrder(CodeText, DescriptionText);
    setTabOrder(DescriptionText, AccountsText);
    resize(380, 150);

    connect(OKButton, &QPushButton::clicked, this, &JobTypeAddModifyForm::OKButton_Click);
    // Escape closes the dialog too (QDialog's reject), without saving.
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("JobTypeAddModifyForm", "ExitButton_Click", [&] { reject(); }); });
}

void JobTypeAddModifyForm::firstActivate()
{
    guarded("JobTypeAddModifyForm", "Form_Activate", [&] {
        if (Tag == QLatin1String("Add")) {
            mode_ = QStringLiteral("Add");
            setWindowTitle(QStringLiteral("Add Job Type"));
            return;
        }
        mode_ = QStringLiteral("Modify");
        oldCode_ = Tag.section(QLatin1Char('~'), 1);
        setWindowTitle(QStringLiteral("Job Type Modify"));
        if (const auto t = JobTypeRecords::find(oldCode_)) {
            CodeText->setText(t->code);
            DescriptionText->setText(t->description);
            AccountsText->setText(t->accountsRef);
            shown_ = *t;
        }
    });
}

void JobTypeAddModifyForm::OKButton_Click()
{
    guarded("JobTypeAddModifyForm", "OKButton_Click", [&] {
        if (mode_.isEmpty())
            return; // not yet activated
        const JobType entry{CodeText->text(), DescriptionText->text(), AccountsText->text()};
        const auto outcome = JobTypeRecords::save(mode_, oldCode_, entry, [](const QString &q) { return askYesNo(q); },
                                                  shown_ ? &*shown_ : nullptr);
        if (outcome.status == JobTypeRecords::SaveOutcome::Declined)
            return;
        if (outcome.status == JobTypeRecords::SaveOutcome::Refused) {
            msgBox(outcome.message);
            if (outcome.clearCode)
                CodeText->clear();
            // A row gone at another workstation names no box: the focus stays.
            if (auto *w = outcome.focus.isEmpty() ? nullptr : findChild<QWidget *>(outcome.focus))
                w->setFocus();
            return;
        }
        emit saved();
        if (mode_ == QLatin1String("Add")) {
            if (askYesNo(QStringLiteral("Job Type added. Do you wish to add another?"))) {
                CodeText->clear();
                DescriptionText->clear();
                AccountsText->clear();
                CodeText->setFocus();
                return;
            }
        }
        accept();
    });
}

} // namespace wvs
