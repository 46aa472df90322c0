#pragma once
#include "data/AppDatabase.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

namespace wvs {

// One scheduled occurrence as the note dialog opens it.
struct JobNoteState {
    bool found = false;          // the occurrence is stored on the schedule
    QString customerName;        // "Forename Surname"; empty when the job is gone
    QDate actualServiceDate;     // null while not done
    QString doneByID;            // the associate stored with the occurrence
};

// What the user left in the note dialog.
struct JobNoteEntry {
    bool done = false;
    QString dateText;            // the completion date as typed, DD/MM/YYYY
    QString associateID;         // who completed it; empty when none is chosen
    QString note;
    QString noteType;            // "Information", "Invoicing" or "Action"
};

struct JobNoteOutcome {
    enum class Field { None, Date, Associate };
    bool saved = false;
    int result = 0;              // 1 saved as done, 2 saved as not done
    QString message;             // the refusal; empty when the user said No
    Field focus = Field::None;
};

// The note on one scheduled occurrence: whether and when it was done and by
// whom, and a remark, saved together in one transaction.
class ScheduleJobNote {
public:
    using Ask = std::function<bool(const QString &)>;

    static JobNoteState load(qint64 scheduleNumber, const QDate &serviceDate, qint64 jobSeqNo,
                             QSqlDatabase db = AppDatabase::db());

    // Checks the entry in the dialog's order (completion date present and a
    // real DD/MM/YYYY date, associate chosen, the question about an empty
    // remark), then writes the remark (when there is one) and the done state.
    // Inside the save's transaction a schedule or customer job gone, an
    // occurrence that is not stored, or a chosen associate gone is refused and
    // nothing is written.
    // Saving it as not done gives it back the job's current associate.
    // shown: the occurrence as the dialog showed it; when the user left its
    // done state, date and associate as shown, they are not written, so a
    // done mark recorded at another workstation meanwhile is kept.
    static JobNoteOutcome save(qint64 scheduleNumber, const QDate &serviceDate, qint64 jobSeqNo,
                               const JobNoteEntry &entry, const QString &authorName, const Ask &ask,
                               const JobNoteState *shown = nullptr,
                               const QDateTime &now = QDateTime::currentDateTime(),
                               QSqlDatabase db = AppDatabase::db());
};

} // namespace wvs
