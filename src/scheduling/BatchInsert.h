#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace wvs {

// Inserts many rows into one table with few statements: rows are gathered and
// written fifty to a statement. Run it inside a transaction; a failure is
// thrown as a WvsError.
class BatchInsert {
public:
    // columns: "A, B, C"; count: how many there are.
    BatchInsert(QSqlDatabase db, const QString &table, const QString &columns, int count);
    ~BatchInsert() = default;
    BatchInsert(const BatchInsert &) = delete;
    BatchInsert &operator=(const BatchInsert &) = delete;

    void add(const QVariantList &row);
    // Writes what is gathered; call it once after the last add.
    void flush();

private:
    static constexpr int kRowsPerStatement = 50;
    QSqlDatabase db_;
    QString head_;
    QString tuple_;
    int columns_;
    QSqlQuery query_;
    QVariantList pending_;
    int rows_ = 0;
    int preparedFor_ = 0;
};

} // namespace wvs
