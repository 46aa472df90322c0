#include "customers/CustomerNoteStore.h"
#include "common/Formats.h"
#include "common/NamedRows.h"

namespace wvs {

QList<CustomerNote> CustomerNoteStore::notesOf(qint64 customerNumber, QSqlDatabase db)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT NoteDateTime, NoteDetail, NoteAuthor FROM CustomerNotes "
                                         "WHERE CustomerNumber = ? ORDER BY NoteDateTime DESC"),
                          {customerNumber}, db);
    QList<CustomerNote> notes;
    while (q.next())
        notes.append({Formats::fromStoredDateTime(q.value(0).toString()), q.value(1).toString(), q.value(2).toString()});
    return notes;
}

void CustomerNoteStore::add(qint64 customerNumber, const CustomerNote &note, QSqlDatabase db)
{
    Transaction t(db);
    // A note on a customer deleted at another workstation would be stored
    // where no window shows it.
    NamedRows().customer(customerNumber).confirm(db);
    writeSql(QStringLiteral("INSERT INTO CustomerNotes (CustomerNumber, NoteDateTime, NoteDetail, NoteAuthor) "
                            "VALUES (?, ?, ?, ?)"),
             {customerNumber, Formats::toStoredDateTime(note.noteDateTime), note.detail, note.author}, db);
    t.commit();
}

} // namespace wvs
