#include "scheduling/ScheduleExport.h"
#include "common/CsvExport.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

namespace wvs {

namespace {

// The customer's names and the service address of every job of the rows, read
// at once: forename, surname, SAddress1-3, SSuburb, SCity. A job that lost its
// customer or address has none.
QHash<qint64, QStringList> jobDetails(const QList<ScheduleExportRow> &rows)
{
    QSet<qint64> seen;
    QStringList keys;
    for (const ScheduleExportRow &row : rows)
        if (!seen.contains(row.jobSeqNo)) {
            seen.insert(row.jobSeqNo);
            keys << QString::number(row.jobSeqNo);
        }
    QSqlQuery q = execSql(
        QStringLiteral("SELECT CustomerJobs.JobSeqNo, Customers.Forename, Customers.Surname, "
                       "CustomerServiceAddresses.SAddress1, CustomerServiceAddresses.SAddress2, "
                       "CustomerServiceAddresses.SAddress3, CustomerServiceAddresses.SSuburb, "
                       "CustomerServiceAddresses.SCity "
                       "FROM json_each(?) k JOIN CustomerJobs ON CustomerJobs.JobSeqNo = k.value "
                       "JOIN Customers ON Customers.CustomerNumber = CustomerJobs.CustomerNumber "
                       "JOIN CustomerServiceAddresses ON CustomerServiceAddresses.SAddressSeqNo = CustomerJobs.SAddressSeqNo"),
        {QLatin1Char('[') + keys.join(QLatin1Char(',')) + QLatin1Char(']')});
    QHash<qint64, QStringList> out;
    while (q.next()) {
        QStringList values;
        for (int i = 1; i <= 7; ++i)
            values << CsvExport::valueText(q.value(i));
        out.insert(q.value(0).toLongLong(), values);
    }
    return out;
}

} // namespace

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

    const QHash<qint64, QStringList> details = jobDetails(rows);
    int written = 0;
    for (const ScheduleExportRow &row : rows) {
        const auto found = details.constFind(row.jobSeqNo);
        if (found == details.constEnd())
            continue;
        const QStringList &d = *found;
        const QHash<QString, QString> values = {
            {QStringLiteral("Associate"), row.associate},
            {QStringLiteral("ServiceDate"), row.serviceDate},
            {QStringLiteral("CustomerForename"), d.at(0)},
            {QStringLiteral("CustomerSurname"), d.at(1)},
            {QStringLiteral("Phone"), row.phone},
            {QStringLiteral("SAddress1"), d.at(2)},
            {QStringLiteral("SAddress2"), d.at(3)},
            {QStringLiteral("SAddress3"), d.at(4)},
            {QStringLiteral("SSuburb"), d.at(5)},
            {QStringLiteral("SCity"), d.at(6)},
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
