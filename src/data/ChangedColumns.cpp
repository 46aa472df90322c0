#include "data/ChangedColumns.h"
#include "data/AppDatabase.h"

namespace wvs {

ChangedColumns ChangedColumns::between(const Columns &shown, const Columns &saved)
{
    ChangedColumns out;
    for (int i = 0; i < saved.size(); ++i) {
        if (i < shown.size())
            out.compare(saved[i].first, shown[i].second, saved[i].second);
        else
            out.set(saved[i].first, saved[i].second);
    }
    return out;
}

void ChangedColumns::compare(const QString &column, const QVariant &shown, const QVariant &saved)
{
    const QVariant a = boundValue(shown);
    const QVariant b = boundValue(saved);
    if (a.isNull() != b.isNull() || a != b)
        set(column, saved);
}

void ChangedColumns::set(const QString &column, const QVariant &value)
{
    columns_.append({column, value});
}

bool ChangedColumns::contains(const QString &column) const
{
    for (const auto &c : columns_)
        if (c.first == column)
            return true;
    return false;
}

int ChangedColumns::update(const QString &table, const QString &condition, const QVariantList &conditionValues) const
{
    if (columns_.isEmpty())
        return scalarSql(QStringLiteral("SELECT COUNT(*) FROM ") + table + QStringLiteral(" WHERE ") + condition,
                         conditionValues)
            .toInt();
    QStringList assignments;
    QVariantList values;
    for (const auto &c : columns_) {
        assignments << c.first + QStringLiteral(" = ?");
        values << c.second;
    }
    return writeSql(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + assignments.join(QStringLiteral(", "))
                        + QStringLiteral(" WHERE ") + condition,
                    values + conditionValues);
}

} // namespace wvs
