#pragma once
#include "admin/AccessRights.h"

#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QMenu;

namespace wvs {

class HiddenForm;
struct DatabaseVersion;

// The rights of one authority level, area by area (sums of 1 view, 2 notes, 4 change).
struct AreaRights {
    int company = 0;
    int associates = 0;
    int customerJobs = 0;
    int customers = 0;
    int jobTypes = 0;
    int jobSchedules = 0;
    int accounts = 0;
    int security = 0;
    int preferences = 0;

    int of(RightsArea area) const;
};

// The main window: its menu bar is the entry to every list window. Loading it
// opens the database; its first activation runs the start-up sequence.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;

    // Menu item by its name (a command or a sub-menu's own item).
    QAction *menuItem(const QString &name) const;
    // Enables or disables a menu item of the main window, if it is open.
    static void setMenuEnabled(const QString &itemName, bool enabled);

    // Opens WVS.db in the program's folder; the first activation reads the installation.
    void SetDB();
    // The start-up sequence of the first activation: version check, printer
    // warning, update check, data repair, log-in window.
    void runStartupSequence();
    // Version check: the mismatch message and the shut-down.
    static void checkDatabaseVersion(const DatabaseVersion &v);
    // Menu availability after a log-in.
    void applyRights(const AreaRights &rights, bool accountsPackageInUse);

    HiddenForm *hiddenForm() const { return hidden_; }

    // Update check and start-up repair; replaced by tests.
    static std::function<QString()> &checkUpdatesHook();
    static std::function<void()> &updateDbHook();

    // The support e-mail link.
    static QUrl supportMailLink();

public slots:
    void Customers_Click();
    void ManageCustomerJobs_Click();
    void PortalCustomerJobs_Click();
    void JobSchedules_Click();
    void Company_Click();
    void JobTypes_Click();
    void Associates_Click();
    void Preferences_Click();
    void AuthorityLevels_Click();
    void AuthorityAccess_Click();
    void AccountsCustomerImport_Click();
    void AccountsCustomerExport_Click();
    void AccountsSalesExport_Click();
    void HelpContents_Click();
    void Email_Click();
    void AboutWVS_Click();
    void NewVersion_Click();
    void Exit_Click();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, void (MainForm::*slot)());
    QMenu *addSubMenu(QMenu *parent, const QString &name, const QString &caption);
    void buildMenus();
    void openWindow(const QString &formName, const QString &tag = QString());
    void openAccountsWindow(const QString &formName);

    QMap<QString, QAction *> items_;
    HiddenForm *hidden_ = nullptr;
    bool activated_ = false;
};

} // namespace wvs
