#include "scheduling/BatchInsert.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace wvs {

sqlite3 *sqliteHandle(QSqlDatabase db)
{
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    sqlite3 *h = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        h = *static_cast<sqlite3 *const *>(handle.constData());
    if (!h)
        throw WvsError(ErrorNumber::Database, QStringLiteral("The database is not open"));
    return h;
}

BatchInsert::BatchInsert(QSqlDatabase db, const QString &table, const QString &columns, int count)
    : db_(db), handle_(sqliteHandle(db)), columns_(count)
{
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (").arg(table, columns);
    for (int i = 0; i < count; ++i)
        sql += i == 0 ? QStringLiteral("?") : QStringLiteral(",?");
    sql += QLatin1Char(')');
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(handle_, text.constData(), int(text.size()), &statement_, nullptr) != SQLITE_OK)
        fail();
}

BatchInsert::~BatchInsert() { sqlite3_finalize(statement_); }

void BatchInsert::fail() const
{
    throw WvsError(ErrorNumber::Database, QString::fromUtf8(sqlite3_errmsg(handle_)));
}

void BatchInsert::bind(int index, const QVariant &given)
{
    const QVariant value = boundValue(given);
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(statement_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Char:
            rc = sqlite3_bind_int64(statement_, index, value.toLongLong());
            break;
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(statement_, index, qint64(value.toULongLong()));
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(statement_, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(statement_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString text = value.toString();
            rc = sqlite3_bind_text16(statement_, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                     SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail();
}

void BatchInsert::add(const QVariantList &row)
{
    if (row.size() != columns_)
        throw WvsError(ErrorNumber::General, QStringLiteral("A row of the wrong width for a batch insert"));
    for (int i = 0; i < columns_; ++i)
        bind(i + 1, row.at(i));
    const int rc = sqlite3_step(statement_);
    sqlite3_reset(statement_);
    if (rc != SQLITE_DONE)
        fail();
}

} // namespace wvs
