#include "scheduling/ScheduleSortKeys.h"

namespace wvs::ScheduleSortKeys {

namespace {

struct Key {
    const char *caption;
    const char *column;
};

// Stored dates are "yyyy-MM-dd", so the service date sorts as a date; cost is
// a number of cents.
constexpr Key kKeys[] = {
    {"As Required", "AsRequired"}, {"Associate", "Associate"}, {"Service Date", "ServiceDate"},
    {"Customer", "Customer"},      {"Service Address", "Address"}, {"Location", "Location"},
    {"Phone", "Phone"},            {"Job Type", "JobType"},     {"Cost", "Cost"},
    {"Notes", "Comments"},         {"Done", "Done"},
};

QString columnFor(const QString &caption)
{
    for (const Key &k : kKeys)
        if (caption == QLatin1String(k.caption))
            return QString::fromLatin1(k.column);
    return QString();
}

QString direction(const QString &order)
{
    if (order == QLatin1String("Ascending"))
        return QStringLiteral(" ASC");
    if (order == QLatin1String("Descending"))
        return QStringLiteral(" DESC");
    return QString();
}

} // namespace

QStringList captions()
{
    QStringList out;
    for (const Key &k : kKeys)
        out << QString::fromLatin1(k.caption);
    return out;
}

QString orderBy(const QString &key1, const QString &order1, const QString &key2, const QString &order2)
{
    QString clause = QStringLiteral(" ORDER BY ");
    const QString first = columnFor(key1);
    if (!first.isEmpty()) {
        clause += first + direction(order1) + QStringLiteral(", ");
        const QString second = columnFor(key2);
        if (!second.isEmpty() && second != first)
            clause += second + direction(order2) + QStringLiteral(", ");
    }
    return clause + QStringLiteral("RecordNumber");
}

} // namespace wvs::ScheduleSortKeys
