#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/CustomerImportModule.h"
#include "platform/FormRegistry.h"

namespace wvs {

WVS_REGISTER_FORM(AccountsCustomerImportForm);

AccountsCustomerImportForm::AccountsCustomerImportForm(QWidget *parent)
    : AccountsCustomerFileForm(parent, {"AccountsCustomerImportForm", "Customers Import", "Import file", false,
                                        "Select the import file", "Please select the import file", &MYOBCustomerImport,
                                        &XeroCustomerImport})
{
}

} // namespace wvs
