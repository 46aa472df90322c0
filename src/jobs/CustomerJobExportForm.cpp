#include "jobs/CustomerJobExportForm.h"
#include "common/CsvExport.h"
#include "jobs/CustomerJobExport.h"
#include "jobs/CustomerJobList.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "platform/FlexGrid.h"
#include "platform/ErrorHandlingModule.h"
#include "shell/FormRegistry.h"

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

CustomerJobsManagementForm *listOf(QWidget *w) { return qobject_cast<CustomerJobsManagementForm *>(w); }
} // namespace

CustomerJobExportForm::CustomerJobExportForm(QWidget *parent)
    : ExportChoiceForm(parent, "CustomerJobExportForm", QString::fromLatin1(CustomerJobExport::ChoiceTable), kBoxes)
{
}

void CustomerJobExportForm::setFieldCount(int count)
{
    if (auto *list = listOf(parentWidget()))
        list->FieldCount = count;
}

void CustomerJobExportForm::exportChosen()
{
    CustomerJobsManagementForm *list = listOf(parentWidget());
    if (!list || list->FieldCount == 0)
        return;
    const QString path = CsvExport::askFileName(list);
    if (path.isEmpty())
        return; // Cancel: nothing happens
    QList<CustomerJobExport::ListedJob> jobs;
    const FlexGrid *grid = list->grid();
    for (int r = 1; r < grid->rows(); ++r)
        jobs.append({grid->textMatrix(r, JobListColumn::Key).toLongLong(), grid->textMatrix(r, JobListColumn::Frequency)});
    guarded("CustomerJobsManagementForm", "ExportCsvFile", [&] { CustomerJobExport::ExportCsvFile(path, jobs); });
}

} // namespace wvs
