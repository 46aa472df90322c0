#pragma once
#include "accounts/AccountsFileControls.h"
#include "platform/Form.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wvs {

// The window both customer interchanges share: a file name typed or chosen
// with Browse, and OK, which runs the file procedure of the mode in Tag
// ("MYOB" or "Xero") and closes the window whatever its outcome.
class AccountsCustomerFileForm : public Form, protected AccountsFileControls {
    Q_OBJECT
public:
    void BrowseButton_Click();
    void OKButton_Click();
    void ExitButton_Click();

protected:
    struct Design {
        const char *windowName;
        const char *caption;
        const char *fileLabel;
        bool save;                  // the save dialog, else the open dialog
        const char *dialogTitle;
        const char *noFileMessage;
        void (*myob)(const QString &fileName);
        void (*xero)(const QString &fileName);
    };
    AccountsCustomerFileForm(QWidget *parent, const Design &design);

private:
    Design design_;
};

// The file-dialog filter of an accounts package's files: txt for MYOB, csv
// for Xero, none for any other mode.
QString accountsFileFilter(const QString &mode);

} // namespace wvs
