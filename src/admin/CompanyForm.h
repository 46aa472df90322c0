#pragma once
#include "admin/CompanyRecord.h"
#include "platform/Form.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace wvs {

// The company's own details. With the portal in use, a new or changed ID is
// first checked with the portal and a changed ID or name is carried to the
// portal before the row is saved.
class CompanyForm : public Form {
    Q_OBJECT
public:
    explicit CompanyForm(QWidget *parent = nullptr);

    bool NewCompany = false;
    QString OriginalID;
    QString OriginalName;

    CompanyDetails details() const;

protected:
    void firstActivate() override;

private:
    void OKButton_Click();
    void HelpImage_Click();
    void focusField(CompanyRecord::Field f);

    // The details as first shown (all empty for a new company): the save
    // writes only what differs from them.
    CompanyDetails shown_;

    QLineEdit *IDText;
    QLineEdit *NameText;
    QLineEdit *RegNoText;
    QLineEdit *GSTNoText;
    QLineEdit *PAddress1Text;
    QLineEdit *PAddress2Text;
    QLineEdit *PAddress3Text;
    QLineEdit *PAddress4Text;
    QLineEdit *PPostCodeText;
    QLineEdit *PTelephoneText;
    QLineEdit *PFaxText;
    QLineEdit *PEmailText;
    QLineEdit *SAddress1Text;
    QLineEdit *SAddress2Text;
    QLineEdit *SAddress3Text;
    QLineEdit *SAddress4Text;
    QLineEdit *SPostCodeText;
    QLineEdit *STelephoneText;
    QLineEdit *SFaxText;
    QLineEdit *SEmailText;
    QToolButton *HelpImage;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
