#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace wvs {

// Every module declares its tables with a static SchemaRegistration; ensure()
// runs all of them ("CREATE TABLE IF NOT EXISTS ..." and the like) in the order
// of their numbers, so a database made by an older build gains the new tables.
class SchemaRegistry {
public:
    static void add(int order, const QString &name, const QStringList &statements);
    static void ensure(QSqlDatabase db);
    static QStringList tableNames();
};

struct SchemaRegistration {
    SchemaRegistration(int order, const char *name, std::initializer_list<const char *> statements);
};

} // namespace wvs
