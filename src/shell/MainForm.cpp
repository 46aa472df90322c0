#include "shell/MainForm.h"
#include "admin/PreferencesForm.h"
#include "data/PreferenceChoices.h"
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/Printers.h"
#include "platform/WaitCursor.h"
#include "platform/ErrorHandlingModule.h"
#include "shell/ExitSystemModule.h"
#include "platform/FormRegistry.h"
#include "shell/HiddenForm.h"
#include "shell/LoginForm.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"
#include "shell/UpdateCheck.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QUrlQuery>

namespace wvs {

namespace {
// The support mailbox of the maker.
const char *const kSupportAddress = "support@workvane.com";

// A saved accounts choice turns the Accounts menu on or off.
[[maybe_unused]] const bool accountsChoiceInstalled =
    (PreferencesForm::setAccountsChoiceHook([](bool on) { MainForm::setMenuEnabled(QStringLiteral("Accounts"), on); }),
     true);
} // namespace

std::function<QString()> &MainForm::checkUpdatesHook()
{
    static std::function<QString()> hook;
    return hook;
}

std::function<void()> &MainForm::updateDbHook()
{
    static std::function<void()> hook;
    return hook;
}

MainForm::MainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    // MDIForm_Load: the caption, then the database.
    setWindowTitle(QStringLiteral("Workvane v ") + QString::fromLatin1(kSoftwareVersion) + QString::fromLatin1(kBuildSuffix));
    resize(1024, 720);
    auto *back = new QLabel(this);
    back->setObjectName(QStringLiteral("BackgroundLabel"));
    back->setAlignment(Qt::AlignCenter);
    back->setStyleSheet(QStringLiteral("QLabel { background: #2f4f6f; color: #dfe8f0; font: bold 28pt 'Liberation Sans'; }"));
    back->setText(QStringLiteral("Workvane"));
    setCentralWidget(back);
    buildMenus();
    session().mainForm = this;
}

MainForm::~MainForm()
{
    delete hidden_;
}

QAction *MainForm::addItem(QMenu *menu, const QString &name, const QString &caption, void (MainForm::*slot)())
{
    QAction *a = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
    items_.insert(name, a);
    return a;
}

QMenu *MainForm::addSubMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(name + QStringLiteral("Menu"));
    m->menuAction()->setObjectName(name);
    items_.insert(name, m->menuAction());
    return m;
}

void MainForm::buildMenus()
{
    addItem(nullptr, QStringLiteral("Customers"), QStringLiteral("Customers"), &MainForm::Customers_Click);
    QMenu *jobs = addSubMenu(nullptr, QStringLiteral("CustomerJobs"), QStringLiteral("Customer Jobs"));
    addItem(jobs, QStringLiteral("ManageCustomerJobs"), QStringLiteral("Manage"), &MainForm::ManageCustomerJobs_Click);
    addItem(jobs, QStringLiteral("PortalCustomerJobs"), QStringLiteral("Added on Portal"), &MainForm::PortalCustomerJobs_Click);
    addItem(nullptr, QStringLiteral("JobSchedules"), QStringLiteral("Job Schedules"), &MainForm::JobSchedules_Click);
    QMenu *maint = addSubMenu(nullptr, QStringLiteral("Maintenance"), QStringLiteral("Maintenance"));
    addItem(maint, QStringLiteral("Company"), QStringLiteral("Company Details"), &MainForm::Company_Click);
    addItem(maint, QStringLiteral("JobTypes"), QStringLiteral("Job Types"), &MainForm::JobTypes_Click);
    addItem(maint, QStringLiteral("Associates"), QStringLiteral("Associates"), &MainForm::Associates_Click);
    addItem(maint, QStringLiteral("Preferences"), QStringLiteral("Preferences"), &MainForm::Preferences_Click);
    QMenu *security = addSubMenu(maint, QStringLiteral("security"), QStringLiteral("Security"));
    addItem(security, QStringLiteral("AuthorityLevels"), QStringLiteral("Authority Levels"), &MainForm::AuthorityLevels_Click);
    addItem(security, QStringLiteral("AuthorityAccess"), QStringLiteral("Authority Access"), &MainForm::AuthorityAccess_Click);
    QMenu *accounts = addSubMenu(nullptr, QStringLiteral("Accounts"), QStringLiteral("Accounts Interface"));
    QMenu *accCust = addSubMenu(accounts, QStringLiteral("AccountsCustomers"), QStringLiteral("Customers"));
    addItem(accCust, QStringLiteral("AccountsCustomerImport"), QStringLiteral("Import Customer Data"),
            &MainForm::AccountsCustomerImport_Click);
    addItem(accCust, QStringLiteral("AccountsCustomerExport"), QStringLiteral("Export Customer Data"),
            &MainForm::AccountsCustomerExport_Click);
    QMenu *accSales = addSubMenu(accounts, QStringLiteral("AccountsSales"), QStringLiteral("Sales"));
    addItem(accSales, QStringLiteral("AccountsSalesExport"), QStringLiteral("Export Sales Data"),
            &MainForm::AccountsSalesExport_Click);
    QMenu *help = addSubMenu(nullptr, QStringLiteral("Help"), QStringLiteral("Help"));
    addItem(help, QStringLiteral("HelpContents"), QStringLiteral("Contents"), &MainForm::HelpContents_Click);
    QMenu *support = addSubMenu(help, QStringLiteral("Support"), QStringLiteral("Support"));
    addItem(support, QStringLiteral("Email"), QStringLiteral("Email"), &MainForm::Email_Click);
    addItem(help, QStringLiteral("AboutWVS"), QStringLiteral("About WVS"), &MainForm::AboutWVS_Click);
    addItem(nullptr, QStringLiteral("NewVersion"), QStringLiteral("New Version Available!"), &MainForm::NewVersion_Click);
    addItem(nullptr, QStringLiteral("Exit"), QStringLiteral("Exit"), &MainForm::Exit_Click);

    // Before the log-in every gated item is unavailable.
    for (const char *n : {"Customers", "CustomerJobs", "JobSchedules", "Maintenance", "Company", "JobTypes",
                          "Associates", "Preferences", "security", "Accounts"})
        items_.value(QString::fromLatin1(n))->setEnabled(false);
    items_.value(QStringLiteral("NewVersion"))->setVisible(false);
}

QAction *MainForm::menuItem(const QString &name) const { return items_.value(name); }

void MainForm::setMenuEnabled(const QString &itemName, bool enabled)
{
    if (auto *m = qobject_cast<MainForm *>(session().mainForm.data()))
        if (QAction *a = m->menuItem(itemName))
            a->setEnabled(enabled);
}

void MainForm::SetDB()
{
    guarded("MainForm", "SetDB", [&] {
        try {
            AppDatabase::open(AppDatabase::defaultPath());
        } catch (const WvsError &e) {
            // Without its tables the program cannot start: a database kept
            // busy at another workstation ends start-up like any other
            // failure to open it, instead of going on half set up.
            if (e.number() == ErrorNumber::DatabaseBusy)
                throw WvsError(ErrorNumber::Database, e.description());
            throw;
        }
    });
}

void MainForm::checkDatabaseVersion(const DatabaseVersion &v)
{
    if (v.major == kMajorVersion && v.minor == kMinorVersion)
        return;
    msgBox(QStringLiteral("Software version does not match database version.\r\n"
                          "Software: %1\r\n"
                          "Database: %2.%3\r\n"
                          "WVS cannot start\r\n"
                          "\r\n"
                          "Please make a note of this message and report to Support")
               .arg(QString::fromLatin1(kSoftwareVersion))
               .arg(v.major)
               .arg(v.minor),
           MsgButtons::Ok, MsgIcon::Exclamation);
    ExitSystem();
}

void MainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (activated_)
        return;
    activated_ = true;
    QMetaObject::invokeMethod(this, [this] { runStartupSequence(); }, Qt::QueuedConnection);
}

void MainForm::runStartupSequence()
{
    guarded("MainForm", "MDIForm_Activate", [&] {
        hidden_ = new HiddenForm(this);
        checkDatabaseVersion(readInstallation());
        if (!workstationHasPrinter())
            msgBox(QStringLiteral("There are no printers connected to this workstation - "
                                  "you will not be able to print anything"));
        {
            WaitCursor wait;
            const QString latest = checkUpdatesHook() ? checkUpdatesHook()() : QString();
            if (!latest.isEmpty() && latest != runningVersion())
                items_.value(QStringLiteral("NewVersion"))->setVisible(true);
            if (updateDbHook())
                updateDbHook()();
        }
        auto *login = new LoginForm(this);
        login->setAttribute(Qt::WA_DeleteOnClose);
        login->show();
    });
}

int AreaRights::of(RightsArea area) const
{
    switch (area) {
    case RightsArea::Company: return company;
    case RightsArea::Associates: return associates;
    case RightsArea::Customers: return customers;
    case RightsArea::JobTypes: return jobTypes;
    case RightsArea::CustomerJobs: return customerJobs;
    case RightsArea::JobSchedules: return jobSchedules;
    case RightsArea::Accounts: return accounts;
    case RightsArea::Security: return security;
    case RightsArea::Preferences: return preferences;
    }
    return 0;
}

void MainForm::applyRights(const AreaRights &r, bool accountsPackageInUse)
{
    auto enable = [&](const char *name, bool on) {
        if (on)
            items_.value(QString::fromLatin1(name))->setEnabled(true);
    };
    auto opens = [&](RightsArea area) { return AccessRights::opensArea(r.of(area)); };
    enable("Company", opens(RightsArea::Company));
    enable("Associates", opens(RightsArea::Associates));
    enable("CustomerJobs", opens(RightsArea::CustomerJobs));
    enable("Customers", opens(RightsArea::Customers));
    enable("JobTypes", opens(RightsArea::JobTypes));
    enable("JobSchedules", opens(RightsArea::JobSchedules));
    enable("Accounts", opens(RightsArea::Accounts) && accountsPackageInUse);
    enable("security", opens(RightsArea::Security));
    enable("Preferences", opens(RightsArea::Preferences));
    items_.value(QStringLiteral("Maintenance"))
        ->setEnabled(opens(RightsArea::Company) || opens(RightsArea::Associates) || opens(RightsArea::JobTypes)
                     || opens(RightsArea::Security) || opens(RightsArea::Preferences));
}

void MainForm::openWindow(const QString &formName, const QString &tag)
{
    FormRegistry::open(formName, tag, this);
}

void MainForm::openAccountsWindow(const QString &formName)
{
    const QString mode = accountsPackage();
    if (!mode.isEmpty())
        openWindow(formName, mode);
}

QUrl MainForm::supportMailLink()
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromLatin1(kSupportAddress));
    QUrlQuery q;
    const QString subject = QStringLiteral("Workvane ") + session().installationID + QLatin1Char(' ')
        + session().installationName;
    q.addQueryItem(QStringLiteral("subject"), QString::fromLatin1(QUrl::toPercentEncoding(subject)));
    url.setQuery(q.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return url;
}

void MainForm::Customers_Click() { guarded("MainForm", "Customers_Click", [&] { openWindow(QStringLiteral("CustomersManagementForm")); }); }
void MainForm::ManageCustomerJobs_Click() { guarded("MainForm", "ManageCustomerJobs_Click", [&] { openWindow(QStringLiteral("CustomerJobsManagementForm")); }); }
void MainForm::PortalCustomerJobs_Click() { guarded("MainForm", "PortalCustomerJobs_Click", [&] { openWindow(QStringLiteral("PortalCustomerJobsManagementForm")); }); }
void MainForm::JobSchedules_Click() { guarded("MainForm", "JobSchedules_Click", [&] { openWindow(QStringLiteral("SchedulesManagementForm")); }); }
void MainForm::Company_Click() { guarded("MainForm", "Company_Click", [&] { openWindow(QStringLiteral("CompanyForm")); }); }
void MainForm::JobTypes_Click() { guarded("MainForm", "JobTypes_Click", [&] { openWindow(QStringLiteral("JobTypesManagementForm")); }); }
void MainForm::Associates_Click() { guarded("MainForm", "Associates_Click", [&] { openWindow(QStringLiteral("AssociatesManagementForm")); }); }
void MainForm::Preferences_Click() { guarded("MainForm", "Preferences_Click", [&] { openWindow(QStringLiteral("PreferencesForm")); }); }
void MainForm::AuthorityLevels_Click() { guarded("MainForm", "AuthorityLevels_Click", [&] { openWindow(QStringLiteral("AuthorityLevelsManagementForm")); }); }
void MainForm::AuthorityAccess_Click() { guarded("MainForm", "AuthorityAccess_Click", [&] { openWindow(QStringLiteral("AuthorityAccessForm")); }); }
void MainForm::AccountsCustomerImport_Click() { guarded("MainForm", "AccountsCustomerImport_Click", [&] { openAccountsWindow(QStringLiteral("AccountsCustomerImportForm")); }); }
void MainForm::AccountsCustomerExport_Click() { guarded("MainForm", "AccountsCustomerExport_Click", [&] { openAccountsWindow(QStringLiteral("AccountsCustomerExportForm")); }); }
void MainForm::AccountsSalesExport_Click() { guarded("MainForm", "AccountsSalesExport_Click", [&] { openAccountsWindow(QStringLiteral("AccountsSalesExportForm")); }); }
void MainForm::HelpContents_Click() { guarded("MainForm", "HelpContents_Click", [&] { openHelp(); }); }
void MainForm::Email_Click() { guarded("MainForm", "Email_Click", [&] { openLink(supportMailLink(), LinkKind::MailMessage); }); }
void MainForm::AboutWVS_Click() { guarded("MainForm", "AboutWVS_Click", [&] { openWindow(QStringLiteral("AboutForm")); }); }
void MainForm::NewVersion_Click() { guarded("MainForm", "NewVersion_Click", [&] { offerUpdateDownload(); }); }

void MainForm::Exit_Click()
{
    guarded("MainForm", "Exit_Click", [&] {
        bool cancel = true;
        if (hidden_)
            hidden_->Form_Unload(cancel);
        else
            HiddenForm(this).Form_Unload(cancel);
    });
}

void MainForm::closeEvent(QCloseEvent *e)
{
    // Closing through the frame leaves the way the Exit command does, so the
    // log-off marks are always written.
    e->ignore();
    Exit_Click();
}

void MainForm::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1) {
        openHelp();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

} // namespace wvs
