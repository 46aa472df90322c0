#include "jobs/CustomerJobExportForm.h"
#include "jobs/CustomerJobExport.h"
#include "platform/FormRegistry.h"

namespace wvs {

WVS_REGISTER_FORM(CustomerJobExportForm);

namespace {
const QList<ExportChoiceForm::Box> kBoxes = {
    {"Forename", "ForenameCheck", "Customer Forename"},
    {"Surname", "SurnameCheck", "Customer Surname"},
    {"SAddress1", "Address1Check", "Service Address Line 1"},
    {"SAddress2", "Address2Check", "Service Address Line 2"},
    {"SAddress3", "Address3Check", "Service Address Line 3"},
    {"SSuburb", "SuburbCheck", "Service Location"},
    {"SCity", "CityCheck", "Service City"},
    {"SPostCode", "PostCodeCheck", "Service Post Code"},
    {"JobTypeDescription", "JobTypeCheck", "Job Description"},
    {"StartDate", "StartDateCheck", "Start Date"},
    {"StartDay", "StartDayCheck", "Start Day"},
    {"EndDate", "EndDateCheck", "End Date"},
    {"Frequency", "FrequencyCheck", "Frequency"},
    {"Cost", "CostCheck", "Cost"},
    {"LastServiceDate", "LastServiceCheck", "Last Service Date"},
    {"AssociateName", "AssociateCheck", "Associate Name"},
    {"CustomerJobComment", "CommentCheck", "Job Comments"},
    {"AccountsRefCustomer", "AccountsCustomerCheck", "Accounts Reference - Customer"},
    {"AccountsRefJob", "AccountsJobCheck", "Accounts Reference - Job"},
};
} // namespace

CustomerJobExportForm::CustomerJobExportForm(QWidget *parent)
    : ExportChoiceForm(parent, "CustomerJobExportForm", QString::fromLatin1(CustomerJobExport::ChoiceTable), kBoxes)
{
}

} // namespace wvs
