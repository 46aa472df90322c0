#include "customers/CustomerExport.h"
#include "common/CsvExport.h"
#include "data/AppDatabase.h"

#include <QSqlRecord>

namespace wvs::CustomerExport {

bool writeFile(const QString &path, const QList<qint64> &customerNumbers)
{
    const QList<CsvExport::Column> columns = CsvExport::chosenColumns(QString::fromLatin1(ChoiceTable));
    CsvFile file;
    if (!file.open(path))
        return false;
    file.writeLine(CsvExport::headings(columns));

    for (qint64 number : customerNumbers) {
        QSqlQuery q = execSql(QStringLiteral("SELECT * FROM Customers WHERE CustomerNumber = ?"), {number});
        if (!q.next())
            continue; // deleted meanwhile on another workstation
        const QSqlRecord rec = q.record();
        QStringList values;
        for (const auto &c : columns)
            values << CsvExport::fieldText(rec, c.field);
        file.writeLine(values);
    }
    file.commit();
    return true;
}

void ExportCsvFile(const QString &path, const QList<qint64> &customerNumbers)
{
    if (writeFile(path, customerNumbers))
        CsvExport::offerToOpen(path);
}

} // namespace wvs::CustomerExport
