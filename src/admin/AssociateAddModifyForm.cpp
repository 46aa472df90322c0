#include "admin/AssociateAddModifyForm.h"
#include "platform/TypingLimit.h"
#include "data/PreferenceChoices.h"
#include "common/AutoCompleteComboModule.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(AssociateAddModifyForm);

AssociateAddModifyForm::AssociateAddModifyForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("AssociateAddModifyForm"));

    IDText = makeText("IDText", 4);
    IDText->setMaximumWidth(80);
    NameText = makeText("NameText", 30);
    PasswordText = makeText("PasswordText", 20);
    PasswordText->setEchoMode(QLineEdit::Password);
    PasswordText->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    Password2Text = makeText("Password2Text", 20);
    Password2Text->setEchoMode(QLineEdit::Password);
    Password2Text->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    PhoneText = makeText("PhoneText", 30);
    EmailText = makeText("EmailText", 75);
    LevelCombo = named(new QComboBox(this), "LevelCombo");
    installAutoMatch(LevelCombo);
    DefaultScreenCombo = named(new QComboBox(this), "DefaultScreenCombo");
    PortalAccessCheck = makeCheck("PortalAccessCheck");
    PortalAccessList = named(new QListWidget(this), "PortalAccessList");
    PortalAccessList->setSelectionMode(QAbstractItemView::MultiSelection);
    PortalAccessList->setMinimumHeight(110);
    ActiveCheck = makeCheck("ActiveCheck");
    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("ID"), IDText);
    fields->addRow(QStringLiteral("Name"), NameText);
    fields->addRow(QStringLiteral("Password"), PasswordText);
    fields->addRow(QStringLiteral("Re-enter password"), Password2Text);
    fields->addRow(QStringLiteral("Phone"), PhoneText);
    fields->addRow(QStringLiteral("Email"), EmailText);
    fields->addRow(QStringLiteral("Authority level"), LevelCombo);
    fields->addRow(QStringLiteral("Initial screen"), DefaultScreenCombo);
    fields->addRow(QStringLiteral("Portal access"), PortalAccessCheck);
    fields->addRow(QStringLiteral("Include"), PortalAccessList);
    fields->addRow(QStringLiteral("Associate is active"), ActiveCheck);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(420, 480);

    connect(OKButton, &QPushButton::clicked, this, &AssociateAddModifyForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("AssociateAddModifyForm", "ExitButton_Click", [&] { reject(); }); });
    connect(PortalAccessCheck, &QCheckBox::toggled, this, [this](bool) { PortalAccessCheck_Click(); });

    guarded("AssociateAddModifyForm", "Form_Load", [&] {
        AuthorityLevelList = AuthorityLevelStore::all();
        for (const AuthorityLevel &l : AuthorityLevelList)
            LevelCombo->addItem(l.description);
        LevelCombo->setCurrentIndex(-1);
        PortalInUse = portalInUse();
        if (!PortalInUse) {
            PortalAccessCheck->setEnabled(false);
            PortalAccessList->setEnabled(false);
        }
        DefaultScreenCombo->addItems(AssociateRecord::initialScreenEntries());
        DefaultScreenCombo->setCurrentIndex(-1);
        InitialScreenForms = AssociateRecord::initialScreenForms();
    });
}

void AssociateAddModifyForm::firstActivate()
{
    guarded("AssociateAddModifyForm", "Form_Activate", [&] {
        if (Tag == QLatin1String("Add")) {
            FormMode = QStringLiteral("Add");
            offerOnlyAssignable(std::nullopt);
            if (PortalInUse)
                PopulatePortalAccessList();
            PortalAccessList->setEnabled(false);
        } else {
            FormMode = Tag.section(QLatin1Char('~'), 0, 0);
            OriginalAssociateID = Tag.section(QLatin1Char('~'), 1);
            const auto row = AssociateRecord::load(OriginalAssociateID);
            if (FormMode != QLatin1String("View"))
                offerOnlyAssignable(row ? std::optional<int>(row->level) : std::nullopt);
            if (row) {
                IDText->setText(row->id);
                NameText->setText(row->name);
                PasswordText->setText(row->password);
                Password2Text->setText(row->password);
                PhoneText->setText(row->phone);
                EmailText->setText(row->email);
                for (int k = 0; k < AuthorityLevelList.size(); ++k) {
                    if (AuthorityLevelList[k].number == row->level) {
                        LevelCombo->setCurrentIndex(k);
                        break;
                    }
                }
                DefaultScreenCombo->setCurrentIndex(int(InitialScreenForms.indexOf(row->initialScreen)));
                if (PortalInUse) {
                    PopulatePortalAccessList();
                    if (!row->portalAccess.isEmpty()) {
                        PortalAccessCheck->setChecked(true);
                        const QStringList parts = row->portalAccess.split(QLatin1Char(','));
                        for (int k = 0; k < PortalAccessIDs.size(); ++k)
                            if (parts.contains(PortalAccessIDs[k]))
                                PortalAccessList->item(k)->setSelected(true);
                    } else {
                        PortalAccessList->setEnabled(false);
                    }
                }
                ActiveCheck->setChecked(row->active);
                shown_ = entry();
            }
            if (FormMode == QLatin1String("View"))
                OKButton->setEnabled(false);
        }
        setWindowTitle(FormMode + QStringLiteral(" Associate"));
        IDText->setFocus();
    });
}

// Adding and modifying offer only the levels the user may give, and the one
// the associate holds, which keeping gives nothing; viewing shows every level.
void AssociateAddModifyForm::offerOnlyAssignable(std::optional<int> held)
{
    for (qsizetype k = AuthorityLevelList.size() - 1; k >= 0; --k) {
        const int level = AuthorityLevelList[k].number;
        if (level != held && !AssociateRecord::mayAssign(level)) {
            AuthorityLevelList.removeAt(k);
            LevelCombo->removeItem(int(k));
        }
    }
}

void AssociateAddModifyForm::PopulatePortalAccessList()
{
    guarded("AssociateAddModifyForm", "PopulatePortalAccessList", [&] {
        for (const PortalCandidate &c : AssociateRecord::portalCandidates(IDText->text())) {
            PortalAccessList->addItem(c.name);
            PortalAccessIDs << c.id;
        }
    });
}

void AssociateAddModifyForm::PortalAccessCheck_Click()
{
    guarded("AssociateAddModifyForm", "PortalAccessCheck_Click", [&] {
        if (PortalAccessCheck->isChecked()) {
            PortalAccessList->setEnabled(true);
        } else {
            PortalAccessList->clearSelection();
            PortalAccessList->setEnabled(false);
        }
    });
}

AssociateEntry AssociateAddModifyForm::entry() const
{
    AssociateEntry e;
    e.id = IDText->text();
    e.name = NameText->text();
    e.password = PasswordText->text();
    e.password2 = Password2Text->text();
    e.phone = PhoneText->text();
    e.email = EmailText->text();
    const int level = LevelCombo->currentIndex();
    if (level >= 0 && level < AuthorityLevelList.size())
        e.level = AuthorityLevelList[level].number;
    const int screen = DefaultScreenCombo->currentIndex();
    if (screen >= 0 && screen < InitialScreenForms.size())
        e.initialScreen = InitialScreenForms[screen];
    e.portalAccess = PortalAccessCheck->isChecked();
    for (int k = 0; k < PortalAccessList->count() && k < PortalAccessIDs.size(); ++k)
        if (PortalAccessList->item(k)->isSelected())
            e.portalIds << PortalAccessIDs[k];
    e.active = ActiveCheck->isChecked();
    return e;
}

void AssociateAddModifyForm::OKButton_Click()
{
    guarded("AssociateAddModifyForm", "OKButton_Click", [&] {
        if (FormMode.isEmpty() || FormMode == QLatin1String("View"))
            return;
        const AssociateEntry e = entry();
        auto result = AssociateRecord::check(e, PortalInUse);
        if (result.ok) {
            result = FormMode == QLatin1String("Add")
                ? AssociateRecord::add(e, PortalInUse)
                : AssociateRecord::modify(OriginalAssociateID, e, PortalInUse, shown_ ? &*shown_ : nullptr);
        }
        if (!result.ok) {
            if (!result.message.isEmpty())
                msgBox(result.message);
            if (result.clearId)
                IDText->clear();
            if (result.clearPasswords) {
                PasswordText->clear();
                Password2Text->clear();
            }
            switch (result.field) {
            case AssociateRecord::Field::ID: IDText->setFocus(); break;
            case AssociateRecord::Field::Name: NameText->setFocus(); break;
            case AssociateRecord::Field::Password: PasswordText->setFocus(); break;
            case AssociateRecord::Field::Level: LevelCombo->setFocus(); break;
            case AssociateRecord::Field::InitialScreen: DefaultScreenCombo->setFocus(); break;
            case AssociateRecord::Field::None: break;
            }
            return;
        }
        emit saved();
        if (FormMode == QLatin1String("Add") && askYesNo(QStringLiteral("Associate added. Do you wish to add another?"))) {
            clearForNext();
            return;
        }
        accept();
    });
}

void AssociateAddModifyForm::clearForNext()
{
    IDText->clear();
    NameText->clear();
    PasswordText->clear();
    Password2Text->clear();
    EmailText->clear();
    PhoneText->clear();
    LevelCombo->setCurrentIndex(-1);
    LevelCombo->setEditText(QString());
    PortalAccessCheck->setChecked(false);
    ActiveCheck->setChecked(false);
    IDText->setFocus();
}

} // namespace wvs
