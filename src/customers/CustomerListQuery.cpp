#include "customers/CustomerListQuery.h"
#include "customers/CustomerRecord.h"
#include "data/AppDatabase.h"

#include <QSqlQuery>

namespace wvs {

int CustomerListQuery::statusCode(const QString &statusText)
{
    if (statusText == QLatin1String("Active"))
        return CustomerStatus::Active;
    if (statusText == QLatin1String("Prospective"))
        return CustomerStatus::Prospective;
    if (statusText == QLatin1String("Inactive"))
        return CustomerStatus::Inactive;
    return 0;
}

QVector<QStringList> CustomerListQuery::rows(const CustomerFilter &filter)
{
    QString sql = QStringLiteral("SELECT CustomerNumber, Surname, Forename, CompanyName, CAddress1, CAddress2, "
                                 "CAddress3, CSuburb, PreferredPhone, Phone1, Phone2, Phone3, CustomerStatus "
                                 "FROM Customers WHERE CustomerNumber > 0");
    QVariantList params;
    const auto contains = [&](const char *field, const QString &text) {
        if (text.isEmpty())
            return;
        // Plain text anywhere in the field, letter case aside; unlike a LIKE
        // pattern no filter is ever too long to run.
        sql += QStringLiteral(" AND instr(lower(%1), lower(?)) > 0").arg(QLatin1String(field));
        params << text;
    };
    contains("CompanyName", filter.company);
    contains("Surname", filter.surname);
    contains("CSuburb", filter.suburb);
    if (const int code = statusCode(filter.status)) {
        sql += QStringLiteral(" AND CustomerStatus = ?");
        params << code;
    }

    QVector<QStringList> out;
    QSqlQuery q = execSql(sql, params);
    while (q.next()) {
        QStringList r;
        r.reserve(ColumnCount);
        const int preferred = q.value(8).isNull() ? 0 : q.value(8).toInt();
        const QString phone = preferred >= 1 && preferred <= 3 ? q.value(8 + preferred).toString() : QString();
        r << QString() << q.value(1).toString() << q.value(2).toString() << q.value(3).toString()
          << q.value(4).toString() + QLatin1Char(' ') + q.value(5).toString() + QLatin1Char(' ') + q.value(6).toString()
          << q.value(7).toString() << phone << QString() << q.value(0).toString() << q.value(12).toString();
        out.append(std::move(r));
    }
    return out;
}

QStringList CustomerListQuery::suburbs()
{
    QStringList out;
    QSqlQuery q = execSql(QStringLiteral("SELECT DISTINCT CSuburb FROM Customers WHERE CSuburb <> '' ORDER BY CSuburb"));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

} // namespace wvs
