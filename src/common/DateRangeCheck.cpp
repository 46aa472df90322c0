#include "common/DateRangeCheck.h"
#include "common/Formats.h"
#include "platform/WvsError.h"

namespace wvs {

QString DateRangeCheck::refusal(const QString &mode, const QString &fromText, const QString &toText,
                                QSqlDatabase db)
{
    if (fromText.isEmpty())
        return QStringLiteral("Please select a From Date");
    if (toText.isEmpty())
        return QStringLiteral("Please select a To Date");
    const QDate from = Formats::fromDisplayDate(fromText);
    const QDate to = Formats::fromDisplayDate(toText);
    if (!from.isValid() || !to.isValid())
        throw WvsError(ErrorNumber::General, QStringLiteral("Invalid date: ") + (from.isValid() ? toText : fromText));
    if (from > to)
        return QStringLiteral("The From Date cannot be later than the To Date");
    if (mode == QLatin1String("Schedule") && overlappingSchedules(from, to, db) > 0)
        return QStringLiteral("The dates selected overlap an existing Schedule");
    return QString();
}

int DateRangeCheck::overlappingSchedules(const QDate &from, const QDate &to, QSqlDatabase db)
{
    // Stored dates are "yyyy-MM-dd", so text order is date order.
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Schedules WHERE FromDate <> '' AND ToDate <> '' "
                                    "AND FromDate <= ? AND ToDate >= ?"),
                     {Formats::toStoredDate(to), Formats::toStoredDate(from)}, db)
        .toInt();
}

} // namespace wvs
