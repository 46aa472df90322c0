#include "scheduling/ScheduleExport.h"
#include "common/CsvExport.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"

#include <QHash>

namespace wvs {

namespace ScheduleExport {

bool write(const QString &path, const QList<ScheduleExportRow> &rows, int *lines)
{
    // The choice is read once the column window has stored it.
    const QList<CsvExport::Column> columns = CsvExport::chosenColumns(QStringLiteral("ScheduleExportFields"));
    CsvFile file;
    if (!file.open(path))
        return false;
    QStringList heading;
    for (const CsvExport::Column &c : columns)
        heading << c.heading;
    file.writeLine(heading);

    int written = 0;
    for (const ScheduleExportRow &row : rows) {
        QSqlQuery q = execSql(
            QStringLiteral("SELECT Customers.Forename, Customers.Surname, CustomerServiceAddresses.SAddress1, "
                           "CustomerServiceAddresses.SAddress2, CustomerServiceAddresses.SAddress3, "
                           "CustomerServiceAddresses.SSuburb, CustomerServiceAddresses.SCity "
                           "FROM Customers, CustomerServiceAddresses, CustomerJobs "
                           "WHERE Customers.CustomerNumber = CustomerJobs.CustomerNumber "
                           "AND CustomerServiceAddresses.SAddressSeqNo = CustomerJobs.SAddressSeqNo "
                           "AND CustomerJobs.JobSeqNo = ?"),
            {row.jobSeqNo});
        if (!q.next())
            continue;
        const QHash<QString, QString> values = {
            {QStringLiteral("Associate"), row.associate},
            {QStringLiteral("ServiceDate"), row.serviceDate},
            {QStringLiteral("CustomerForename"), CsvExport::valueText(q.value(0))},
            {QStringLiteral("CustomerSurname"), CsvExport::valueText(q.value(1))},
            {QStringLiteral("Phone"), row.phone},
            {QStringLiteral("SAddress1"), CsvExport::valueText(q.value(2))},
            {QStringLiteral("SAddress2"), CsvExport::valueText(q.value(3))},
            {QStringLiteral("SAddress3"), CsvExport::valueText(q.value(4))},
            {QStringLiteral("SSuburb"), CsvExport::valueText(q.value(5))},
            {QStringLiteral("SCity"), CsvExport::valueText(q.value(6))},
            {QStringLiteral("JobType"), row.jobType},
            {QStringLiteral("Cost"), row.cost},
            {QStringLiteral("Comments"), row.comments},
        };
        QStringList line;
        for (const CsvExport::Column &c : columns) {
            const auto it = values.constFind(c.field);
            if (it == values.constEnd())
                throw WvsError(ErrorNumber::Database, QStringLiteral("The export has no column %1").arg(c.field));
            line << it.value();
        }
        file.writeLine(line);
        ++written;
    }
    file.commit();
    if (lines)
        *lines = written;
    return true;
}

} // namespace ScheduleExport
} // namespace wvs
