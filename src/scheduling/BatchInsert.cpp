#include "scheduling/BatchInsert.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"

#include <QSqlError>

namespace wvs {

BatchInsert::BatchInsert(QSqlDatabase db, const QString &table, const QString &columns, int count)
    : db_(db), head_(QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns)), columns_(count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    tuple_ = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
}

void BatchInsert::add(const QVariantList &row)
{
    if (row.size() != columns_)
        throw WvsError(ErrorNumber::General, QStringLiteral("A row of the wrong width for ") + head_);
    pending_ += row;
    if (++rows_ == kRowsPerStatement)
        flush();
}

void BatchInsert::flush()
{
    if (rows_ == 0)
        return;
    if (rows_ != preparedFor_) {
        QString sql = head_;
        for (int i = 0; i < rows_; ++i) {
            if (i > 0)
                sql += QLatin1Char(',');
            sql += tuple_;
        }
        query_ = QSqlQuery(db_);
        if (!query_.prepare(sql))
            throw WvsError(ErrorNumber::Database, query_.lastError().text());
        preparedFor_ = rows_;
    }
    for (int i = 0; i < pending_.size(); ++i)
        query_.bindValue(i, boundValue(pending_.at(i)));
    if (!query_.exec())
        throw WvsError(ErrorNumber::Database, query_.lastError().text());
    pending_.clear();
    rows_ = 0;
}

} // namespace wvs
