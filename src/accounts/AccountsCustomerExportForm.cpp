#include "accounts/AccountsCustomerExportForm.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "platform/FormRegistry.h"

namespace wvs {

WVS_REGISTER_FORM(AccountsCustomerExportForm);

AccountsCustomerExportForm::AccountsCustomerExportForm(QWidget *parent)
    : AccountsCustomerFileForm(parent, {"AccountsCustomerExportForm", "Customer Export", "Export file", true,
                                        "Enter the export file name", "Please enter the name of the file", &MYOBCustomerExport,
                                        &XeroCustomerExport})
{
}

} // namespace wvs
