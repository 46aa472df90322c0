#pragma once
#include "admin/PreferenceSettings.h"
#include "platform/Form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wvs {

// The program's preferences: accounts package and tax, e-mail route with a
// test message, and what job schedules show.
class PreferencesForm : public Form {
    Q_OBJECT
public:
    explicit PreferencesForm(QWidget *parent = nullptr);

    // The preferences as the boxes hold them now.
    PreferenceValues values() const;

    // Told, after a save, whether the Accounts menu is now to be available (a
    // level without the Accounts right is not told). The main window installs it.
    static void setAccountsChoiceHook(void (*hook)(bool accountsMenuAvailable));

private:
    void Form_Load();
    void OKButton_Click();
    void TestButton_Click();
    void MYOBCheck_Click();
    void XeroCheck_Click();
    void OtherOption_Click();
    void OutlookOption_Click();
    void SchedulePortalCheck_Click();
    void setSmtpBoxesEnabled(bool on);

    // What the window was filled from (the initial state when there was no
    // row): the save writes only what differs from it.
    PreferenceValues shown_;

    QRadioButton *OutlookOption;
    QRadioButton *OtherOption;
    QLineEdit *ServerText;
    QLineEdit *PortText;
    QCheckBox *SSLCheck;
    QLineEdit *UserNameText;
    QLineEdit *PasswordText;
    QLineEdit *TestEmailText;
    QPushButton *TestButton;
    QPushButton *HelpButton;
    QCheckBox *MYOBCheck;
    QCheckBox *XeroCheck;
    QCheckBox *GSTInclusiveCheck;
    QLineEdit *TaxRateText;
    QCheckBox *SchedulePrintCostsCheck;
    QCheckBox *ScheduleEmailCostsCheck;
    QCheckBox *ScheduleEmailPhoneCheck;
    QCheckBox *SchedulePortalCheck;
    QCheckBox *PortalCostsCheck;
    QCheckBox *PortalPhoneCheck;
    QRadioButton *HTMLOption;
    QRadioButton *PlainTextOption;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
