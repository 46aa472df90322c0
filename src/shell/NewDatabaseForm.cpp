#include "shell/NewDatabaseForm.h"
#include "admin/CompanyRecord.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

NewDatabaseForm::NewDatabaseForm(QString path, QWidget *parent) : Form(parent), path_(std::move(path))
{
    setObjectName(QStringLiteral("NewDatabaseForm"));
    setWindowTitle(QStringLiteral("New WVS Database"));
    auto *intro = new QLabel(QStringLiteral("There is no WVS database in this folder yet. Enter your business and "
                                            "the first associate, who will log in with full rights."),
                             this);
    intro->setWordWrap(true);
    businessName_ = makeText("BusinessNameText", CompanyRecord::kNameLength);
    country_ = new QComboBox(this);
    country_->setObjectName(QStringLiteral("CountryCombo"));
    country_->addItems({QStringLiteral("New Zealand"), QStringLiteral("Australia"), QStringLiteral("USA"),
                        QStringLiteral("UK")});
    installationID_ = makeText("InstallationIDText", 20);
    installationID_->setText(generateInstallationID());
    associateID_ = makeText("AssociateIDText", 4);
    associateName_ = makeText("AssociateNameText", 30);
    password_ = makeText("PasswordText", 20);
    password_->setEchoMode(QLineEdit::Password);
    password2_ = makeText("Password2Text", 20);
    password2_->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Business name"), businessName_);
    form->addRow(QStringLiteral("Country"), country_);
    form->addRow(QStringLiteral("Installation ID"), installationID_);
    form->addRow(QStringLiteral("Associate ID"), associateID_);
    form->addRow(QStringLiteral("Associate name"), associateName_);
    form->addRow(QStringLiteral("Password"), password_);
    form->addRow(QStringLiteral("Re-enter password"), password2_);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    disconnect(buttons, nullptr, this, nullptr);
    connect(ok, &QPushButton::clicked, this, &NewDatabaseForm::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(440, layout->sizeHint().height());
}

NewInstallation NewDatabaseForm::installation() const
{
    NewInstallation i;
    i.businessName = businessName_->text();
    i.country = country_->currentText();
    i.installationID = installationID_->text();
    i.associateID = associateID_->text();
    i.associateName = associateName_->text();
    i.password = password_->text();
    return i;
}

void NewDatabaseForm::OKButton_Click()
{
    guarded("NewDatabaseForm", "OKButton_Click", [&] {
        const NewInstallation inst = installation();
        const QString problem = validateNewInstallation(inst);
        if (!problem.isEmpty()) {
            msgBox(problem);
            return;
        }
        if (password2_->text() != inst.password) {
            msgBox(QStringLiteral("The passwords entered do not match"));
            password2_->setFocus();
            return;
        }
        createNewDatabase(path_, inst);
        accept();
    });
}

} // namespace wvs
