#pragma once
#include <QList>
#include <QString>

namespace wvs {

// The notes on the scheduled jobs of one schedule as the notes browser lists
// them, newest first, and the two changes it makes: the action-taken flag of
// one note and comments appended to one note.
class ScheduleNoteBrowser {
public:
    struct Filter {
        qint64 customerNumber = 0;   // 0: every customer
        QString associateID;         // empty: every associate
        QString noteType;            // empty or "<All>": every type
        qint64 jobSeqNo = 0;         // 0: every customer job
    };
    struct Note {
        QString noteDateTime;        // stored "yyyy-MM-dd HH:mm:ss"
        QString detail;
        QString author;
        QString type;
        bool actionTaken = false;
        qint64 jobSeqNo = 0;
        QString serviceDate;         // the occurrence's planned date, stored form
        QString line;                // the list line: "Surname, Forename dd/MM/yyyy"
    };

    // Whether the schedule holds any note.
    static bool hasNotes(qint64 scheduleNumber);

    // The notes of a schedule's stored occurrences that pass the filter.
    static QList<Note> find(qint64 scheduleNumber, const Filter &filter);

    // Ticks or clears the action-taken flag of exactly that note. False
    // (nothing written) when the note is no longer there; refused (a
    // recoverable error) when its schedule or customer job is gone.
    static bool setActionTaken(qint64 scheduleNumber, const Note &note, bool taken);

    // Appends a comment block to exactly that note: CR LF, "-COMMENT-", CR LF,
    // the time, " by ", the author, " - " and the text. False when the note
    // is no longer there; refused (a recoverable error, nothing written) when
    // its schedule or customer job is gone.
    static bool appendComment(qint64 scheduleNumber, qint64 jobSeqNo, const QString &serviceDate,
                              const QString &noteDateTime, const QString &comment, const QString &author);
};

} // namespace wvs
