#pragma once
#include "customers/AddressPaging.h"
#include "customers/CustomerContactControls.h"
#include "customers/CustomerRecord.h"
#include "platform/Form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wvs {

// Adds, changes or shows one customer with all of his service addresses. The
// opener sets Tag to "Add", "Modify~" + the customer number or "View~" + the
// customer number. One service address is shown at a time; Previous and Next
// page through them and past the last one to a new blank address.
class CustomerAddModifyForm : public Form, protected CustomerContactControls {
    Q_OBJECT
public:
    explicit CustomerAddModifyForm(QWidget *parent = nullptr);

    QString FormMode;          // "Add", "Modify" or "View"
    qint64 CustomerNumber = 0; // 0 for a customer not yet saved

    const AddressPaging &addressPaging() const { return paging_; }

signals:
    // A customer was written; the list refreshes itself.
    void saved();

protected:
    void firstActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void NextAddressButton_Click();
    void PreviousAddressButton_Click();
    void CAddressCheck_Click();
    void InactiveCheck_Click();
    void ProspectiveCheck_Click();
    void MapImage_Click();
    void MapImage_MouseMove();
    void ExitButton_Click();
    void OKButton_Click();
    bool ValidateCustomer();
    bool SaveCustomer();
    void UpdateCustomerAddressArray();

    CustomerMode mode() const;
    CustomerRecord entry() const;
    void showRecord(const CustomerRecord &c);
    AddressFields shownAddress() const;
    void showAddress(const AddressFields &a);
    void showPagedAddress();
    void updatePagingButtons();
    void startNewCustomer();
    void focusByName(const QString &name);
    QList<QLineEdit *> entryFields() const;

    AddressPaging paging_;
    CustomerRecord shown_;                   // the entry as the dialog first showed it
    QVector<ServiceAddress> shownAddresses_; // the addresses as first shown

    QLabel *HeadingLabel;
    QLineEdit *ForenameText;
    QLineEdit *SurnameText;
    QLineEdit *SAddress1Text;
    QLineEdit *SAddress2Text;
    QLineEdit *SAddress3Text;
    QLineEdit *SSuburbText;
    QLineEdit *SCityText;
    QLineEdit *SPostCodeText;
    QPushButton *PreviousAddressButton;
    QPushButton *NextAddressButton;
    MultiLineText *CommentText;
    QPushButton *OKButton;
    QPushButton *ExitButton;
    QCheckBox *CAddressCheck;
    QCheckBox *InactiveCheck;
    QCheckBox *ProspectiveCheck;
    QCheckBox *CommentCheck;
    QLabel *MapImage;
};

} // namespace wvs
