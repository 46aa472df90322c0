#include "customers/CustomerExportForm.h"
#include "customers/CustomerExport.h"
#include "platform/FormRegistry.h"

namespace wvs {

WVS_REGISTER_FORM(CustomerExportForm);

namespace {
const QList<ExportChoiceForm::Box> kBoxes = {
    {"Title", "TitleCheck", "Title"},
    {"Forename", "ForenameCheck", "First Name"},
    {"Surname", "SurnameCheck", "Last Name"},
    {"CAddress1", "Address1Check", "Address Line 1"},
    {"CAddress2", "Address2Check", "Address Line 2"},
    {"CAddress3", "Address3Check", "Address Line 3"},
    {"CSuburb", "SuburbCheck", "Suburb"},
    {"CCity", "CityCheck", "City"},
    {"CPostCode", "PostCodeCheck", "Post Code"},
    {"Phone1", "Phone1Check", "Phone 1"},
    {"Phone2", "Phone2Check", "Phone 2"},
    {"Phone3", "Phone3Check", "Phone 3"},
    {"Email1", "Email1Check", "Email Address 1"},
    {"Email2", "Email2Check", "Email Address 2"},
    {"CompanyName", "CompanyCheck", "Company Name"},
    {"ContactName", "ContactCheck", "Contact Name"},
    {"AccountsRef", "AccountsCheck", "Accounts Reference"},
};
} // namespace

CustomerExportForm::CustomerExportForm(QWidget *parent)
    : ExportChoiceForm(parent, "CustomerExportForm", QString::fromLatin1(CustomerExport::ChoiceTable), kBoxes)
{
}

} // namespace wvs
