#pragma once
#include "accounts/AccountsCustomerFileForm.h"

namespace wvs {

// "Customer Export": writes the customers to a file for the accounts package.
class AccountsCustomerExportForm : public AccountsCustomerFileForm {
    Q_OBJECT
public:
    explicit AccountsCustomerExportForm(QWidget *parent = nullptr);
};

} // namespace wvs
