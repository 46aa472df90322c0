#include "admin/PreferencesForm.h"
#include "admin/AccessRights.h"
#include "admin/TestEmail.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(PreferencesForm);

namespace {
void (*g_accountsChoiceHook)(bool) = nullptr;
} // namespace

void PreferencesForm::setAccountsChoiceHook(void (*hook)(bool accountsMenuAvailable)) { g_accountsChoiceHook = hook; }

PreferencesForm::PreferencesForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("PreferencesForm"));
    setWindowTitle(QStringLiteral("Preferences"));

    // E-mail service provider.
    OutlookOption = makeOption("OutlookOption", "Microsoft Outlook");
    OtherOption = makeOption("OtherOption", "Other");
    auto *providerGroup = new QButtonGroup(this);
    providerGroup->addButton(OutlookOption);
    providerGroup->addButton(OtherOption);
    ServerText = makeText("ServerText", 50);
    PortText = makeText("PortText", 0);
    PortText->setMaximumWidth(80);
    SSLCheck = makeCheck("SSLCheck");
    UserNameText = makeText("UserNameText", 100);
    PasswordText = makeText("PasswordText", 100);
    PasswordText->setEchoMode(QLineEdit::Password);
    PasswordText->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    TestEmailText = makeText("TestEmailText", 100);
    TestButton = makeButton("TestButton", "Test");
    HelpButton = makeButton("HelpButton", "Help");

    auto *providerBox = new QGroupBox(QStringLiteral("Email Service Provider"), this);
    auto *providerLayout = new QVBoxLayout(providerBox);
    auto *options = new QHBoxLayout;
    options->addWidget(OutlookOption);
    options->addWidget(OtherOption);
    options->addStretch();
    providerLayout->addLayout(options);
    auto *smtp = new QFormLayout;
    smtp->addRow(QStringLiteral("Server"), ServerText);
    auto *portRow = new QHBoxLayout;
    portRow->addWidget(PortText);
    portRow->addSpacing(16);
    portRow->addWidget(new QLabel(QStringLiteral("SSL"), this));
    portRow->addWidget(SSLCheck);
    portRow->addStretch();
    smtp->addRow(QStringLiteral("Port"), portRow);
    smtp->addRow(QStringLiteral("User Name"), UserNameText);
    smtp->addRow(QStringLiteral("Password"), PasswordText);
    smtp->addRow(QStringLiteral("Test email address"), TestEmailText);
    providerLayout->addLayout(smtp);
    auto *testRow = new QHBoxLayout;
    testRow->addStretch();
    testRow->addWidget(TestButton);
    testRow->addWidget(HelpButton);
    providerLayout->addLayout(testRow);

    // Accounts.
    MYOBCheck = makeCheck("MYOBCheck", QStringLiteral("MYOB"));
    XeroCheck = makeCheck("XeroCheck", QStringLiteral("Xero"));
    GSTInclusiveCheck = makeCheck("GSTInclusiveCheck");
    TaxRateText = makeText("TaxRateText", 0);
    TaxRateText->setMaximumWidth(80);
    auto *accountsBox = new QGroupBox(QStringLiteral("Accounts"), this);
    auto *accountsLayout = new QVBoxLayout(accountsBox);
    auto *packages = new QHBoxLayout;
    packages->addWidget(MYOBCheck);
    packages->addWidget(XeroCheck);
    packages->addStretch();
    accountsLayout->addLayout(packages);
    accountsLayout->addWidget(GSTInclusiveCheck);
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(new QLabel(QStringLiteral("Sales tax rate"), this));
    rateRow->addWidget(TaxRateText);
    rateRow->addWidget(new QLabel(QStringLiteral("%"), this));
    rateRow->addStretch();
    accountsLayout->addLayout(rateRow);

    // Job schedule.
    SchedulePrintCostsCheck = makeCheck("SchedulePrintCostsCheck", QStringLiteral("Show Job Costs on printouts"));
    ScheduleEmailCostsCheck = makeCheck("ScheduleEmailCostsCheck", QStringLiteral("Show Job Costs on emails"));
    ScheduleEmailPhoneCheck = makeCheck("ScheduleEmailPhoneCheck", QStringLiteral("Show Customer Phone on emails"));
    SchedulePortalCheck = makeCheck("SchedulePortalCheck", QStringLiteral("Publish on internet portal"));
    PortalCostsCheck = makeCheck("PortalCostsCheck", QStringLiteral("Show Job Costs on portal"));
    PortalPhoneCheck = makeCheck("PortalPhoneCheck", QStringLiteral("Show Customer Phone on portal"));
    auto *scheduleBox = new QGroupBox(QStringLiteral("Job Schedule"), this);
    auto *scheduleLayout = new QVBoxLayout(scheduleBox);
    scheduleLayout->addWidget(SchedulePrintCostsCheck);
    scheduleLayout->addWidget(ScheduleEmailCostsCheck);
    scheduleLayout->addWidget(ScheduleEmailPhoneCheck);
    scheduleLayout->addWidget(SchedulePortalCheck);
    auto *portalIndent = new QVBoxLayout;
    portalIndent->setContentsMargins(20, 0, 0, 0);
    portalIndent->addWidget(PortalCostsCheck);
    portalIndent->addWidget(PortalPhoneCheck);
    scheduleLayout->addLayout(portalIndent);

    // E-mail format.
    HTMLOption = makeOption("HTMLOption", "HTML");
    PlainTextOption = makeOption("PlainTextOption", "Plain Text");
    auto *formatGroup = new QButtonGroup(this);
    formatGroup->addButton(HTMLOption);
    formatGroup->addButton(PlainTextOption);
    auto *formatBox = new QGroupBox(QStringLiteral("Email Format"), this);
    auto *formatLayout = new QHBoxLayout(formatBox);
    formatLayout->addWidget(HTMLOption);
    formatLayout->addWidget(PlainTextOption);
    formatLayout->addStretch();

    OKButton = makeButton("OKButton", "&Save");
    ExitButton = makeButton("ExitButton", "&Exit");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);

    auto *left = new QVBoxLayout;
    left->addWidget(providerBox);
    left->addWidget(formatBox);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(accountsBox);
    right->addWidget(scheduleBox);
    right->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    resize(760, 420);

    // A new window: Outlook and Plain Text, so the SMTP boxes and the two
    // portal boxes start disabled.
    OutlookOption->setChecked(true);
    PlainTextOption->setChecked(true);
    setSmtpBoxesEnabled(false);
    PortalCostsCheck->setEnabled(false);
    PortalPhoneCheck->setEnabled(false);

    connect(MYOBCheck, &QCheckBox::toggled, this, [this](bool) { MYOBCheck_Click(); });
    connect(XeroCheck, &QCheckBox::toggled, this, [this](bool) { XeroCheck_Click(); });
    connect(OtherOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OtherOption_Click();
    });
    connect(OutlookOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OutlookOption_Click();
    });
    connect(SchedulePortalCheck, &QCheckBox::toggled, this, [this](bool) { SchedulePortalCheck_Click(); });
    connect(OKButton, &QPushButton::clicked, this, &PreferencesForm::OKButton_Click);
    connect(TestButton, &QPushButton::clicked, this, &PreferencesForm::TestButton_Click);
    connect(HelpButton, &QPushButton::clicked, this,
            [this] { guarded("PreferencesForm", "HelpButton_Click", [&] { openHelp(); }); });
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("PreferencesForm", "ExitButton_Click", [&] { reject(); }); });

    Form_Load();
}

void PreferencesForm::Form_Load()
{
    guarded("PreferencesForm", "Form_Load", [&] {
        GSTInclusiveCheck->setText(PreferenceSettings::gstInclusiveCaption(session().installationCountry));
        // Without the Preferences change right the preferences are shown but cannot be saved.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::Preferences, AreaCommand::Change))
            OKButton->setEnabled(false);
        const auto v = PreferenceSettings::load();
        if (!v)
            return;
        shown_ = *v;
        // In this order, so the click rules settle the boxes as a user would.
        if (v->myob)
            MYOBCheck->setChecked(true);
        if (v->xero)
            XeroCheck->setChecked(true);
        if (v->gstInclusive)
            GSTInclusiveCheck->setChecked(true);
        (v->emailHtml ? HTMLOption : PlainTextOption)->setChecked(true);
        SchedulePrintCostsCheck->setChecked(v->showCostOnSchedPrint);
        ScheduleEmailCostsCheck->setChecked(v->showCostOnSchedEmail);
        ScheduleEmailPhoneCheck->setChecked(v->showPhoneOnSchedEmail);
        if (v->portal) {
            SchedulePortalCheck->setChecked(true);
            PortalCostsCheck->setChecked(v->showCostOnPortal);
            PortalPhoneCheck->setChecked(v->showPhoneOnPortal);
        }
        // Plain decimal digits, as few as give the stored rate back: the
        // rate check takes no exponent ("1e-05"), so the window must never
        // show one.
        TaxRateText->setText(QString::number(v->taxRate, 'f', QLocale::FloatingPointShortest));
        (v->smtp() ? OtherOption : OutlookOption)->setChecked(true);
        ServerText->setText(v->smtpServer);
        PortText->setText(v->smtpPort);
        UserNameText->setText(v->smtpUserName);
        PasswordText->setText(v->smtpPassword);
        TestEmailText->setText(v->smtpTestEmail);
        SSLCheck->setChecked(v->smtpSsl);
    });
}

void PreferencesForm::MYOBCheck_Click()
{
    guarded("PreferencesForm", "MYOBCheck_Click", [&] {
        if (MYOBCheck->isChecked())
            XeroCheck->setChecked(false);
    });
}

void PreferencesForm::XeroCheck_Click()
{
    guarded("PreferencesForm", "XeroCheck_Click", [&] {
        if (XeroCheck->isChecked())
            MYOBCheck->setChecked(false);
    });
}

void PreferencesForm::setSmtpBoxesEnabled(bool on)
{
    for (QWidget *w : {static_cast<QWidget *>(ServerText), static_cast<QWidget *>(PortText),
                       static_cast<QWidget *>(SSLCheck), static_cast<QWidget *>(UserNameText),
                       static_cast<QWidget *>(PasswordText)})
        w->setEnabled(on);
}

void PreferencesForm::OtherOption_Click()
{
    guarded("PreferencesForm", "OtherOption_Click", [&] { setSmtpBoxesEnabled(true); });
}

void PreferencesForm::OutlookOption_Click()
{
    guarded("PreferencesForm", "OutlookOption_Click", [&] { setSmtpBoxesEnabled(false); });
}

void PreferencesForm::SchedulePortalCheck_Click()
{
    guarded("PreferencesForm", "SchedulePortalCheck_Click", [&] {
        const bool on = SchedulePortalCheck->isChecked();
        if (!on) {
            PortalCostsCheck->setChecked(false);
            PortalPhoneCheck->setChecked(false);
        }
        PortalCostsCheck->setEnabled(on);
        PortalPhoneCheck->setEnabled(on);
    });
}

PreferenceValues PreferencesForm::values() const
{
    PreferenceValues v;
    v.myob = MYOBCheck->isChecked();
    v.xero = XeroCheck->isChecked();
    v.gstInclusive = GSTInclusiveCheck->isChecked();
    v.emailHtml = HTMLOption->isChecked();
    v.showCostOnSchedPrint = SchedulePrintCostsCheck->isChecked();
    v.showCostOnSchedEmail = ScheduleEmailCostsCheck->isChecked();
    v.portal = SchedulePortalCheck->isChecked();
    v.showCostOnPortal = PortalCostsCheck->isChecked();
    v.showPhoneOnSchedEmail = ScheduleEmailPhoneCheck->isChecked();
    v.showPhoneOnPortal = PortalPhoneCheck->isChecked();
    v.taxRate = PreferenceSettings::taxRateFor(TaxRateText->text());
    v.emailProvider = OtherOption->isChecked() ? QStringLiteral("Other") : QStringLiteral("Outlook");
    v.smtpServer = ServerText->text();
    v.smtpPort = PortText->text();
    v.smtpSsl = SSLCheck->isChecked();
    v.smtpUserName = UserNameText->text();
    v.smtpPassword = PasswordText->text();
    v.smtpTestEmail = TestEmailText->text();
    return v;
}

void PreferencesForm::OKButton_Click()
{
    guarded("PreferencesForm", "OKButton_Click", [&] {
        const PreferenceValues v = values();
        const PreferenceSettings::Check check =
            PreferenceSettings::check(v, TaxRateText->text(), [](const QString &q) { return askYesNo(q); });
        if (!check.message.isEmpty())
            msgBox(check.message);
        switch (check.field) {
        case PreferenceSettings::Field::None: break;
        case PreferenceSettings::Field::TaxRate: TaxRateText->setFocus(); return;
        case PreferenceSettings::Field::Server: ServerText->setFocus(); return;
        case PreferenceSettings::Field::Port: PortText->setFocus(); return;
        case PreferenceSettings::Field::UserName: UserNameText->setFocus(); return;
        case PreferenceSettings::Field::Password: PasswordText->setFocus(); return;
        }
        PreferenceSettings::save(v, shown_);
        msgBox(QStringLiteral("Preferences saved"));
        if (const auto menu = PreferenceSettings::accountsMenuAfterSave(v.myob, v.xero, session().currentAuthorityLevel))
            if (g_accountsChoiceHook)
                g_accountsChoiceHook(*menu);
        accept();
    });
}

void PreferencesForm::TestButton_Click()
{
    guarded("PreferencesForm", "TestButton_Click", [&] {
        TestEmailRequest r;
        r.outlook = OutlookOption->isChecked();
        r.server = ServerText->text();
        r.port = PortText->text();
        r.ssl = SSLCheck->isChecked();
        r.userName = UserNameText->text();
        r.password = PasswordText->text();
        r.to = TestEmailText->text();
        switch (TestEmail::run(r)) {
        case TestEmail::Field::None: break;
        case TestEmail::Field::TestEmail: TestEmailText->setFocus(); break;
        case TestEmail::Field::Server: ServerText->setFocus(); break;
        case TestEmail::Field::Port: PortText->setFocus(); break;
        case TestEmail::Field::UserName: UserNameText->setFocus(); break;
        case TestEmail::Field::Password: PasswordText->setFocus(); break;
        }
    });
}

} // namespace wvs
