#pragma once
#include "platform/Form.h"

class QLineEdit;
class QPushButton;

namespace wvs {

// Adds an authority level (Tag "Add") or changes a level's description (Tag
// "Modify~" + number). Emits saved after every save so the list refills.
class AuthorityLevelAddModifyForm : public Form {
    Q_OBJECT
public:
    explicit AuthorityLevelAddModifyForm(QWidget *parent = nullptr);

    QString FormMode;            // "Add" or "Modify"
    int SelectedLevelNumber = 0; // the level being modified

signals:
    void saved();

protected:
    void firstActivate() override;

private:
    void OKButton_Click();

    QLineEdit *NumberText;
    QLineEdit *DescriptionText;
    QPushButton *OKButton;
    QPushButton *ExitButton;
    // The description as the level was shown, so a Save writes it only when changed.
    QString shownDescription_;
};

} // namespace wvs
