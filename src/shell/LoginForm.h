#pragma once
#include "platform/Form.h"
#include "shell/MainForm.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace wvs {

// The associate row the log-in reads.
struct AssociateLogin {
    QString id;
    QString name;
    int authorityLevel = 0;
    bool active = false;
    double status = 0;
    QString initialScreen;
};

// The log-in's reads and writes on the database.
namespace Login {
// The row whose ID and password match (both compared without regard to case).
std::optional<AssociateLogin> findAssociate(const QString &id, const QString &password);
// Marks an associate found still logged on as logged off and frees his schedules.
void forceLogOff(const QString &id);
// The rights of a level (all 0 when the level has no row).
AreaRights readRights(int level);
// Whether the log-in opens the initial screen of that window name for a level
// of those rights: the screen's area must open, as for its main menu item.
bool initialScreenOpens(const QString &formName, const AreaRights &rights);
// Marks the associate logged on (a negative AssociateStatus).
void markLoggedOn(const QString &id);
} // namespace Login

// The gate of the program, shown modelessly over the main window.
class LoginForm : public Form {
    Q_OBJECT
public:
    explicit LoginForm(MainForm *mainWindow);

public slots:
    void OKButton_Click();
    void CancelButton_Click();

protected:
    void showEvent(QShowEvent *e) override;
    void reject() override;

private:
    MainForm *main_;
    QLabel *logInLabel_;
    QLineEdit *idText_;
    QLineEdit *passwordText_;
    QPushButton *okButton_;
    QPushButton *cancelButton_;
};

} // namespace wvs
