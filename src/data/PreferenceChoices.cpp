#include "data/PreferenceChoices.h"
#include "data/AppDatabase.h"

#include <QSqlQuery>

namespace wvs {

QString accountsPackage()
{
    QSqlQuery q = execSql(QStringLiteral("SELECT MYOB, Xero FROM Preferences"));
    if (!q.next())
        return QString();
    if (q.value(0).toInt() != 0)
        return QStringLiteral("MYOB");
    if (q.value(1).toInt() != 0)
        return QStringLiteral("Xero");
    return QString();
}

bool accountsPackageInUse() { return !accountsPackage().isEmpty(); }

bool portalInUse() { return scalarSql(QStringLiteral("SELECT Portal FROM Preferences")).toInt() != 0; }

} // namespace wvs
