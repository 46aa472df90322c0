#include "accounts/CompletedJobSales.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"

namespace wvs {

QList<CompletedJobSale> completedJobSales(const QDate &from, const QDate &to)
{
    QList<CompletedJobSale> out;
    if (!from.isValid() || !to.isValid() || from > to)
        return out;
    QSqlQuery q = execSql(QStringLiteral(
                              "SELECT Customers.AccountsRef, JobTypes.AccountsRef, JobTypes.JobTypeDescription, "
                              "CustomerJobs.Cost, ScheduleJobs.ActualServiceDate "
                              "FROM ScheduleJobs "
                              "JOIN CustomerJobs ON CustomerJobs.JobSeqNo = ScheduleJobs.JobSeqNo "
                              "JOIN Customers ON Customers.CustomerNumber = CustomerJobs.CustomerNumber "
                              "JOIN JobTypes ON JobTypes.JobTypeCode = CustomerJobs.JobTypeCode "
                              "WHERE Customers.AccountsRef <> '' AND JobTypes.AccountsRef <> '' "
                              "AND ScheduleJobs.ActualServiceDate <> '' "
                              "AND ScheduleJobs.ActualServiceDate BETWEEN ? AND ? "
                              "ORDER BY ScheduleJobs.ActualServiceDate, ScheduleJobs.ScheduleNumber, "
                              "ScheduleJobs.ScheduleSeqNo, ScheduleJobs.JobSeqNo"),
                          {Formats::toStoredDate(from), Formats::toStoredDate(to)});
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                    Money::fromVariant(q.value(3)), Formats::fromStoredDate(q.value(4).toString())});
    return out;
}

SalesTaxSettings readSalesTaxSettings()
{
    SalesTaxSettings s;
    QSqlQuery q = execSql(QStringLiteral("SELECT GSTInclusive, TaxRate, XeroTaxRateName FROM Preferences"));
    if (q.next()) {
        s.inclusive = q.value(0).toInt() != 0;
        s.ratePercent = q.value(1).toDouble();
        s.xeroTaxRateName = q.value(2).toString();
    }
    return s;
}

} // namespace wvs
