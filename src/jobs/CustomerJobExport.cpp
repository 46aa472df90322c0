#include "jobs/CustomerJobExport.h"
#include "common/Money.h"
#include "common/CsvExport.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"

#include <QSqlRecord>

namespace wvs::CustomerJobExport {

namespace {
const QString kJobQuery = QStringLiteral(
    "SELECT Customers.Forename AS Forename, Customers.Surname AS Surname, "
    "CustomerServiceAddresses.SAddress1 AS SAddress1, CustomerServiceAddresses.SAddress2 AS SAddress2, "
    "CustomerServiceAddresses.SAddress3 AS SAddress3, CustomerServiceAddresses.SSuburb AS SSuburb, "
    "CustomerServiceAddresses.SCity AS SCity, CustomerServiceAddresses.SPostCode AS SPostCode, "
    "JobTypes.JobTypeDescription AS JobTypeDescription, CustomerJobs.StartDate AS StartDate, "
    "CustomerJobs.StartDay AS StartDay, CustomerJobs.EndDate AS EndDate, CustomerJobs.Frequency AS Frequency, "
    "CustomerJobs.Cost AS Cost, CustomerJobs.LastServiceDate AS LastServiceDate, "
    "Associates.AssociateName AS AssociateName, CustomerJobs.CustomerJobComment AS CustomerJobComment, "
    "Customers.AccountsRef AS AccountsRefCustomer, JobTypes.AccountsRef AS AccountsRefJob "
    "FROM Customers, CustomerJobs, JobTypes, CustomerServiceAddresses, Associates "
    "WHERE CustomerJobs.CustomerNumber = Customers.CustomerNumber "
    "AND CustomerJobs.JobTypeCode = JobTypes.JobTypeCode "
    "AND CustomerJobs.AssociateID = Associates.AssociateID "
    "AND CustomerJobs.SAddressSeqNo = CustomerServiceAddresses.SAddressSeqNo "
    "AND CustomerJobs.JobSeqNo = ?");
// The job's dates go out in the short form the program shows them in
// everywhere else ("14/11/2026"), blank when the job has none.
const QStringList kDateFields{QStringLiteral("StartDate"), QStringLiteral("EndDate"),
                              QStringLiteral("LastServiceDate")};
} // namespace

QString plainNumber(qint64 cents)
{
    // The amount as a number with no trailing zeros after the point.
    QString text = Money::fromCents(cents).plain();
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

bool writeFile(const QString &path, const QList<ListedJob> &jobs)
{
    const QList<CsvExport::Column> columns = CsvExport::chosenColumns(QString::fromLatin1(ChoiceTable));
    CsvFile file;
    if (!file.open(path))
        return false;
    file.writeLine(CsvExport::headings(columns));

    for (const ListedJob &job : jobs) {
        QSqlQuery q = execSql(kJobQuery, {job.jobSeqNo});
        if (!q.next())
            continue;
        const QSqlRecord rec = q.record();
        QStringList values;
        for (const auto &c : columns) {
            if (c.field == QLatin1String("Frequency")) {
                values << job.frequencyText;
            } else if (kDateFields.contains(c.field)) {
                values << Formats::storedAsShortDate(CsvExport::fieldText(rec, c.field));
            } else if (c.field == QLatin1String("Cost")) {
                values << plainNumber(q.value(QStringLiteral("Cost")).toLongLong());
            } else {
                values << CsvExport::fieldText(rec, c.field);
            }
        }
        file.writeLine(values);
    }
    file.commit();
    return true;
}

void ExportCsvFile(const QString &path, const QList<ListedJob> &jobs)
{
    if (writeFile(path, jobs))
        CsvExport::offerToOpen(path);
}

} // namespace wvs::CustomerJobExport
