#include "admin/CompanyForm.h"
#include "admin/AccessRights.h"
#include "data/PreferenceChoices.h"
#include "platform/MessageBox.h"
#include "platform/TypingLimit.h"
#include "platform/WaitCursor.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(CompanyForm);

CompanyForm::CompanyForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("CompanyForm"));
    setWindowTitle(QStringLiteral("Company Details"));

    IDText = makeText("IDText", 10);
    IDText->setMaximumWidth(120);
    NameText = makeText("NameText", CompanyRecord::kNameLength);
    RegNoText = makeText("RegNoText", 30);
    GSTNoText = makeText("GSTNoText", 30);
    PAddress1Text = makeText("PAddress1Text", 50);
    PAddress2Text = makeText("PAddress2Text", 50);
    PAddress3Text = makeText("PAddress3Text", 50);
    PAddress4Text = makeText("PAddress4Text", 50);
    PPostCodeText = makeText("PPostCodeText", 10);
    PTelephoneText = makeText("PTelephoneText", 30);
    PFaxText = makeText("PFaxText", 30);
    PEmailText = makeText("PEmailText", 50);
    SAddress1Text = makeText("SAddress1Text", 50);
    SAddress2Text = makeText("SAddress2Text", 50);
    SAddress3Text = makeText("SAddress3Text", 50);
    SAddress4Text = makeText("SAddress4Text", 50);
    SPostCodeText = makeText("SPostCodeText", 10);
    STelephoneText = makeText("STelephoneText", 30);
    SFaxText = makeText("SFaxText", 30);
    SEmailText = makeText("SEmailText", 50);
    for (QLineEdit *t : {NameText, RegNoText, GSTNoText})
        t->setMaximumWidth(320);
    PPostCodeText->setMaximumWidth(120);
    SPostCodeText->setMaximumWidth(120);

    HelpImage = named(new QToolButton(this), "HelpImage");
    HelpImage->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    HelpImage->setAutoRaise(true);
    HelpImage->setFocusPolicy(Qt::NoFocus);
    HelpImage->setCursor(Qt::PointingHandCursor);

    OKButton = makeButton("OKButton", QStringLiteral("&OK"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));

    auto *idRow = new QHBoxLayout;
    idRow->addWidget(IDText);
    idRow->addWidget(HelpImage);
    idRow->addStretch();
    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("ID"), idRow);
    top->addRow(QStringLiteral("Name"), NameText);
    top->addRow(QStringLiteral("Registered Number"), RegNoText);
    top->addRow(QStringLiteral("GST Number"), GSTNoText);

    auto addressBox = [this](const QString &caption, QLineEdit *a1, QLineEdit *a2, QLineEdit *a3, QLineEdit *a4,
                             QLineEdit *postCode, QLineEdit *phone, QLineEdit *fax, QLineEdit *email) {
        auto *box = new QGroupBox(caption, this);
        auto *f = new QFormLayout(box);
        f->addRow(QString(), a1);
        f->addRow(QString(), a2);
        f->addRow(QString(), a3);
        f->addRow(QString(), a4);
        f->addRow(QStringLiteral("Post Code"), postCode);
        f->addRow(QStringLiteral("Phone"), phone);
        f->addRow(QStringLiteral("Fax"), fax);
        f->addRow(QStringLiteral("Email"), email);
        return box;
    };
    auto *addresses = new QHBoxLayout;
    addresses->addWidget(addressBox(QStringLiteral("Primary Address"), PAddress1Text, PAddress2Text, PAddress3Text,
                                    PAddress4Text, PPostCodeText, PTelephoneText, PFaxText, PEmailText));
    addresses->addWidget(addressBox(QStringLiteral("Secondary Address"), SAddress1Text, SAddress2Text, SAddress3Text,
                                    SAddress4Text, SPostCodeText, STelephoneText, SFaxText, SEmailText));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(addresses);
    layout->addLayout(buttons);
    resize(780, 440);

    QWidget *order[] = {IDText, NameText, RegNoText, GSTNoText, PAddress1Text, PAddress2Text, PAddress3Text,
                        PAddress4Text, PPostCodeText, PTelephoneText, PFaxText, PEmailText, SAddress1Text,
                        SAddress2Text, SAddress3Text, SAddress4Text, SPostCodeText, STelephoneText, SFaxText,
                        SEmailText, OKButton, ExitButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(OKButton, &QPushButton::clicked, this, &CompanyForm::OKButton_Click);
    connect(HelpImage, &QToolButton::clicked, this, &CompanyForm::HelpImage_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded("CompanyForm", "ExitButton_Click", [&] { reject(); }); });
}

void CompanyForm::firstActivate()
{
    guarded("CompanyForm", "Form_Activate", [&] {
        // Without the Company change right the details are shown but cannot be saved.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::Company, AreaCommand::Change))
            OKButton->setEnabled(false);
        const auto d = CompanyRecord::load();
        NewCompany = !d.has_value();
        if (d) {
            IDText->setText(d->id);
            NameText->setText(d->name);
            RegNoText->setText(d->regNo);
            GSTNoText->setText(d->gstNo);
            PAddress1Text->setText(d->pAddress1);
            PAddress2Text->setText(d->pAddress2);
            PAddress3Text->setText(d->pAddress3);
            PAddress4Text->setText(d->pAddress4);
            PPostCodeText->setText(d->pPostCode);
            PTelephoneText->setText(d->pTelephone);
            PFaxText->setText(d->pFax);
            PEmailText->setText(d->pEmail);
            SAddress1Text->setText(d->sAddress1);
            SAddress2Text->setText(d->sAddress2);
            SAddress3Text->setText(d->sAddress3);
            SAddress4Text->setText(d->sAddress4);
            SPostCodeText->setText(d->sPostCode);
            STelephoneText->setText(d->sTelephone);
            SFaxText->setText(d->sFax);
            SEmailText->setText(d->sEmail);
        }
        OriginalID = IDText->text();
        OriginalName = NameText->text();
        shown_ = details();
        IDText->setFocus();
    });
}

CompanyDetails CompanyForm::details() const
{
    CompanyDetails d;
    d.id = IDText->text();
    d.name = NameText->text();
    d.regNo = RegNoText->text();
    d.gstNo = GSTNoText->text();
    d.pAddress1 = PAddress1Text->text();
    d.pAddress2 = PAddress2Text->text();
    d.pAddress3 = PAddress3Text->text();
    d.pAddress4 = PAddress4Text->text();
    d.pPostCode = PPostCodeText->text();
    d.pTelephone = PTelephoneText->text();
    d.pFax = PFaxText->text();
    d.pEmail = PEmailText->text();
    d.sAddress1 = SAddress1Text->text();
    d.sAddress2 = SAddress2Text->text();
    d.sAddress3 = SAddress3Text->text();
    d.sAddress4 = SAddress4Text->text();
    d.sPostCode = SPostCodeText->text();
    d.sTelephone = STelephoneText->text();
    d.sFax = SFaxText->text();
    d.sEmail = SEmailText->text();
    return d;
}

void CompanyForm::focusField(CompanyRecord::Field f)
{
    switch (f) {
    case CompanyRecord::Field::ID: IDText->setFocus(); break;
    case CompanyRecord::Field::Name: NameText->setFocus(); break;
    case CompanyRecord::Field::RegNo: RegNoText->setFocus(); break;
    case CompanyRecord::Field::GSTNo: GSTNoText->setFocus(); break;
    case CompanyRecord::Field::PAddress1: PAddress1Text->setFocus(); break;
    case CompanyRecord::Field::PPostCode: PPostCodeText->setFocus(); break;
    case CompanyRecord::Field::PTelephone: PTelephoneText->setFocus(); break;
    case CompanyRecord::Field::None: break;
    }
}

void CompanyForm::OKButton_Click()
{
    guarded("CompanyForm", "OKButton_Click", [&] {
        if (!activated())
            return;
        // The portal's ID check waits on a page with the window's events going,
        // and the portal run follows: the window stays up until they end.
        const WorkRunning running(*this);
        const bool portal = portalInUse();
        const CompanyDetails d = details();
        const CompanyRecord::Check check =
            CompanyRecord::check(d, portal, [](const QString &q) { return askYesNo(q); });
        if (!check.ok()) {
            if (!check.message.isEmpty())
                msgBox(check.message);
            focusField(check.field);
            return;
        }
        if (portal && (NewCompany || d.id != OriginalID)) {
            QString reply;
            {
                WaitCursor wait;
                reply = CompanyRecord::checkId(d.id);
            }
            if (const QString refusal = CompanyRecord::idReplyRefusal(reply, d.id); !refusal.isEmpty()) {
                msgBox(refusal);
                return;
            }
        }
        if (portal && !NewCompany) {
            const QString mode = CompanyRecord::portalMode(OriginalID, OriginalName, d);
            if (!mode.isEmpty()) {
                msgBox(QStringLiteral("The internet portal will now be updated - this may take a few moments"));
                session().portalUpdateSucceeded = false;
                FormRegistry::open(QStringLiteral("PortalForm"), mode, this);
                if (!session().portalUpdateSucceeded) {
                    msgBox(QStringLiteral("The internet portal was not updated - nothing has been saved"), MsgButtons::Ok,
                           MsgIcon::Exclamation);
                    return;
                }
            }
        }
        CompanyRecord::save(d, &shown_);
        msgBox(QStringLiteral("Company details saved"));
        accept();
    });
}

void CompanyForm::HelpImage_Click()
{
    guarded("CompanyForm", "HelpImage_Click", [&] { msgBox(CompanyRecord::helpText()); });
}

} // namespace wvs
