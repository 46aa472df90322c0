#pragma once
#include "accounts/AccountsFileControls.h"
#include "platform/Form.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace wvs {

// "Sales Export": the jobs carried out in a period, written as sales for the
// accounts package of the mode in Tag ("MYOB" or "Xero"). In Xero mode the
// window also asks for the tax rate name held in Xero, which it keeps in the
// preferences for the next time, and for the first invoice number.
class AccountsSalesExportForm : public Form, protected AccountsFileControls {
    Q_OBJECT
public:
    explicit AccountsSalesExportForm(QWidget *parent = nullptr);

    void FromDateImage_Click();
    void ToDateImage_Click();
    void BrowseButton_Click();
    void OKButton_Click();
    void ExitButton_Click();

protected:
    void firstActivate() override;

private:
    QLabel *HeaderLabel;
    QLabel *FromLabel;
    QLabel *FromDateLabel;
    QToolButton *FromDateImage;
    QLabel *ToLabel;
    QLabel *ToDateLabel;
    QToolButton *ToDateImage;
    QLabel *TaxRatelabel;
    QLineEdit *TaxRateText;
    QLabel *InfoImage;
    QLabel *StartingInvNoLabel;
    QLineEdit *StartingInvNoText;
};

} // namespace wvs
