#include "output/ScheduleExportForm.h"

namespace wvs {

namespace {
// In the order of the table's fields, which is the order of the file's columns.
const QList<ExportChoiceForm::Box> kBoxes = {
    {"Associate", "AssociateCheck", "Associate"},
    {"ServiceDate", "ServiceDateCheck", "Service Date"},
    {"CustomerForename", "ForenameCheck", "Customer Forename"},
    {"CustomerSurname", "SurnameCheck", "Customer Surname"},
    {"Phone", "PhoneCheck", "Customer Phone"},
    {"SAddress1", "Address1Check", "Service Address Line 1"},
    {"SAddress2", "Address2Check", "Service Address Line 2"},
    {"SAddress3", "Address3Check", "Service Address Line 3"},
    {"SSuburb", "SuburbCheck", "Service Location"},
    {"SCity", "CityCheck", "Service City"},
    {"JobType", "JobTypeCheck", "Job Description"},
    {"Cost", "CostCheck", "Cost"},
    {"Comments", "CommentCheck", "Job Comments"},
};
} // namespace

ScheduleExportForm::ScheduleExportForm(QWidget *parent)
    : ExportChoiceForm(parent, "ScheduleExportForm", QString::fromLatin1(ChoiceTable), kBoxes)
{
}

} // namespace wvs
