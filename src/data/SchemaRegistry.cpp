#include "data/SchemaRegistry.h"
#include "data/AppDatabase.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace wvs {

namespace {
struct Entry {
    int order;
    QString name;
    QStringList statements;
};
std::vector<Entry> &entries()
{
    static std::vector<Entry> e;
    return e;
}
} // namespace

void SchemaRegistry::add(int order, const QString &name, const QStringList &statements)
{
    entries().push_back({order, name, statements});
}

SchemaRegistration::SchemaRegistration(int order, const char *name, std::initializer_list<const char *> statements)
{
    QStringList list;
    for (const char *s : statements)
        list << QString::fromUtf8(s);
    SchemaRegistry::add(order, QString::fromUtf8(name), list);
}

void SchemaRegistry::ensure(QSqlDatabase db)
{
    auto sorted = entries();
    std::stable_sort(sorted.begin(), sorted.end(), [](const Entry &a, const Entry &b) { return a.order < b.order; });
    Transaction t(db);
    for (const Entry &e : sorted)
        for (const QString &s : e.statements)
            execSql(s, {}, db);
    t.commit();
}

QStringList SchemaRegistry::tableNames()
{
    QStringList out;
    static const QRegularExpression re(QStringLiteral("CREATE TABLE IF NOT EXISTS\\s+(\\w+)"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (const Entry &e : entries())
        for (const QString &s : e.statements) {
            auto m = re.match(s);
            if (m.hasMatch())
                out << m.captured(1);
        }
    return out;
}

} // namespace wvs
