#pragma once
#include "accounts/AccountsCustomerFileForm.h"

namespace wvs {

// "Customers Import": reads the customers of an accounts package's file into the database.
class AccountsCustomerImportForm : public AccountsCustomerFileForm {
    Q_OBJECT
public:
    explicit AccountsCustomerImportForm(QWidget *parent = nullptr);
};

} // namespace wvs
