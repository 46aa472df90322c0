#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/CustomerImportModule.h"
#include "admin/AccessRights.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

namespace wvs {

WVS_REGISTER_FORM(AccountsCustomerImportForm);

AccountsCustomerImportForm::AccountsCustomerImportForm(QWidget *parent)
    : AccountsCustomerFileForm(parent, {"AccountsCustomerImportForm", "Customers Import", "Import file", false,
                                        "Select the import file", "Please select the import file", &MYOBCustomerImport,
                                        &XeroCustomerImport})
{
    // The import adds and changes customers: it asks what the customer list asks for that.
    OKButton->setEnabled(
        AccessRights::allows(session().currentAuthorityLevel, RightsArea::Customers, AreaCommand::Change));
}

} // namespace wvs
