#include "admin/AuthorityLevelAddModifyForm.h"
#include "admin/AuthorityLevelStore.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/TypingLimit.h"
#include "platform/FormRegistry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(AuthorityLevelAddModifyForm);

AuthorityLevelAddModifyForm::AuthorityLevelAddModifyForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("AuthorityLevelAddModifyForm"));

    NumberText = new QLineEdit(this);
    NumberText->setObjectName(QStringLiteral("NumberText"));
    TypingLimit::apply(NumberText, 2);
    NumberText->setAlignment(Qt::AlignRight);
    NumberText->setMaximumWidth(50);
    DescriptionText = new QLineEdit(this);
    DescriptionText->setObjectName(QStringLiteral("DescriptionText"));
    TypingLimit::apply(DescriptionText, 30);
    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Level"), NumberText);
    fields->addRow(QStringLiteral("Description"), DescriptionText);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(340, 120);

    connect(OKButton, &QPushButton::clicked, this, &AuthorityLevelAddModifyForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("AuthorityLevelAddModifyForm", "ExitButton_Click", [&] { reject(); }); });
}

void AuthorityLevelAddModifyForm::firstActivate()
{
    guarded("AuthorityLevelAddModifyForm", "Form_Activate", [&] {
        if (Tag == QLatin1String("Add")) {
            FormMode = QStringLiteral("Add");
            setWindowTitle(QStringLiteral("Add Authority Level"));
            return;
        }
        SelectedLevelNumber = Tag.section(QLatin1Char('~'), 1).toInt();
        FormMode = QStringLiteral("Modify");
        setWindowTitle(QStringLiteral("Authority Level Modify"));
        if (const auto level = AuthorityLevelStore::find(SelectedLevelNumber)) {
            NumberText->setText(QString::number(level->number));
            DescriptionText->setText(level->description);
            shownDescription_ = level->description;
            NumberText->setEnabled(false);
        }
        DescriptionText->setFocus();
    });
}

void AuthorityLevelAddModifyForm::OKButton_Click()
{
    guarded("AuthorityLevelAddModifyForm", "OKButton_Click", [&] {
        if (FormMode.isEmpty())
            return; // not yet activated
        const bool adding = FormMode == QLatin1String("Add");
        auto check = AuthorityLevelStore::check(adding, NumberText->text(), DescriptionText->text());
        if (check.ok()) {
            if (adding)
                check = AuthorityLevelStore::add(NumberText->text(), DescriptionText->text());
            else
                AuthorityLevelStore::modify(SelectedLevelNumber, shownDescription_, DescriptionText->text());
        }
        if (!check.ok()) {
            msgBox(check.message);
            if (check.clearNumber)
                NumberText->clear();
            if (check.field == AuthorityLevelStore::Field::Description)
                DescriptionText->setFocus();
            else
                NumberText->setFocus();
            return;
        }
        emit saved();
        if (adding && askYesNo(QStringLiteral("Level added. Do you wish to add another?"))) {
            NumberText->clear();
            DescriptionText->clear();
            NumberText->setFocus();
            return;
        }
        accept();
    });
}

} // namespace wvs
