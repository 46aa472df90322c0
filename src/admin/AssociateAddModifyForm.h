#pragma once
#include "admin/AssociateRecord.h"
#include "admin/AuthorityLevelStore.h"
#include "platform/Form.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace wvs {

// Adds an associate (Tag "Add"), modifies one ("Modify~" + ID) or shows one
// without saving ("View~" + ID). Emits saved after every save so the list
// refills.
class AssociateAddModifyForm : public Form {
    Q_OBJECT
public:
    explicit AssociateAddModifyForm(QWidget *parent = nullptr);

    QString FormMode;              // "Add", "Modify" or "View"
    QString OriginalAssociateID;   // the associate shown (Modify and View)
    bool PortalInUse = false;
    QList<AuthorityLevel> AuthorityLevelList; // entry k of LevelCombo
    QStringList InitialScreenForms;           // entry k of DefaultScreenCombo
    QStringList PortalAccessIDs;              // entry k of PortalAccessList

    // What the boxes hold now, as the save reads them.
    AssociateEntry entry() const;

signals:
    void saved();

protected:
    void firstActivate() override;

private:
    void PopulatePortalAccessList();
    void PortalAccessCheck_Click();
    void OKButton_Click();
    void clearForNext();
    void offerOnlyAssignable(std::optional<int> held);

    std::optional<AssociateEntry> shown_; // Modify: the entry as first shown

    QLineEdit *IDText;
    QLineEdit *NameText;
    QLineEdit *PasswordText;
    QLineEdit *Password2Text;
    QLineEdit *PhoneText;
    QLineEdit *EmailText;
    QComboBox *LevelCombo;
    QComboBox *DefaultScreenCombo;
    QCheckBox *PortalAccessCheck;
    QListWidget *PortalAccessList;
    QCheckBox *ActiveCheck;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
