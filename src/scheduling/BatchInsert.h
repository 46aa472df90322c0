#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace wvs {

// The database library's own handle of an open connection; throws a WvsError
// when there is none.
sqlite3 *sqliteHandle(QSqlDatabase db);

// Inserts many rows into one table quickly: one statement, prepared once,
// takes each row's values straight from the database library, without the
// per-value bookkeeping of QSqlQuery. Values are bound as boundValue gives
// them. Run it inside a transaction; a failure is thrown as a WvsError.
class BatchInsert {
public:
    // columns: "A, B, C"; count: how many there are.
    BatchInsert(QSqlDatabase db, const QString &table, const QString &columns, int count);
    ~BatchInsert();
    BatchInsert(const BatchInsert &) = delete;
    BatchInsert &operator=(const BatchInsert &) = delete;

    void add(const QVariantList &row);
    // Nothing is held back; kept for callers that mark the end of their rows.
    void flush() {}

private:
    void bind(int index, const QVariant &value);
    [[noreturn]] void fail() const;

    QSqlDatabase db_;   // keeps the connection open while the statement lives
    sqlite3 *handle_ = nullptr;
    sqlite3_stmt *statement_ = nullptr;
    int columns_;
};

} // namespace wvs
