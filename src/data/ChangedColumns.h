#pragma once
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace wvs {

// The columns of one row that a dialog changed: each column is compared as
// the dialog showed it and as the user left it, and only the differing ones
// are written. Another workstation's saved change to any other column of the
// row is kept.
class ChangedColumns {
public:
    // A row's columns, each named with its value, in the order they are written.
    using Columns = QList<QPair<QString, QVariant>>;

    // The columns of saved that differ from shown, taken position by position;
    // a column shown lacks (all of them when shown is empty) is written whatever its value.
    static ChangedColumns between(const Columns &shown, const Columns &saved);

    // Notes the column when its two values differ (text compared exactly).
    void compare(const QString &column, const QVariant &shown, const QVariant &saved);
    // Notes the column whatever its values.
    void set(const QString &column, const QVariant &value);

    bool isEmpty() const { return columns_.isEmpty(); }
    bool contains(const QString &column) const;

    // "UPDATE table SET <changed columns> WHERE condition". With nothing to
    // write the rows are only counted. Returns the number of rows the
    // condition matched either way.
    int update(const QString &table, const QString &condition, const QVariantList &conditionValues) const;

private:
    QList<QPair<QString, QVariant>> columns_;
};

} // namespace wvs
