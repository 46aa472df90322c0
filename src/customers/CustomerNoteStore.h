#pragma once
#include "data/AppDatabase.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace wvs {

// One dated note on a customer.
struct CustomerNote {
    QDateTime noteDateTime;
    QString detail;
    QString author;
};

// The stored notes of customers. Notes are only ever added: a note once
// saved is never changed or removed from here, so two workstations writing
// notes for the same customer at the same time both keep theirs.
class CustomerNoteStore {
public:
    // The customer's notes, newest first.
    static QList<CustomerNote> notesOf(qint64 customerNumber, QSqlDatabase db = AppDatabase::db());
    // Adds one note (in a write transaction of its own); a customer no longer
    // there is a recoverable error and nothing is stored.
    static void add(qint64 customerNumber, const CustomerNote &note, QSqlDatabase db = AppDatabase::db());
};

} // namespace wvs
