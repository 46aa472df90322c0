#pragma once
#include "common/Money.h"
#include "data/AppDatabase.h"
#include "scheduling/ScheduleRecords.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

// One entry of a schedule window's occurrence list: one dated occurrence of a
// customer job.
struct ScheduleEntry {
    qint64 jobSeqNo = 0;
    QDate serviceDate;
    QString jobTypeCode;
    // Generated: the job's associate when the schedule was generated. Stored:
    // the associate stored with the occurrence.
    QString associateID;
    // Set by Exclude: the occurrence is left out when the schedule is closed.
    bool excluded = false;
};

// One row of a user's working copy of the schedule grid (ScheduleStaging).
struct StagedJob {
    int recordNumber = 0;
    QString associate;        // the job's current associate
    QDate serviceDate;
    QString customer;         // "Surname, Forename"
    QString address;          // the address lines joined by CR LF, then "~" and the service address key
    QString location;
    QString phone;
    QString jobType;          // the job type's description
    Money cost;
    QString comments;
    int done = 1;             // 0 done, 1 not done
    std::optional<int> scheduleSeqNo;
    qint64 jobSeqNo = 0;
    bool asRequired = false;

    QString addressText() const;   // the address without its key
    qint64 addressKey() const;
};

struct PopulateResult {
    QList<ScheduleEntry> jobs;   // every occurrence of the schedule, whatever the filter
    QList<int> seqNos;           // stored sequence numbers of the staged rows, in staging order
    int staged = 0;              // rows written to ScheduleStaging
    QList<StagedJob> rows;       // the rows written, RecordNumber 1 first
};

// Works out which occurrences make up a schedule and stages them for the grid.
//
// An Open schedule is generated: every customer job of an active customer,
// neither suspended nor prospective, that has started by the schedule's last
// day and not ended before its first, is expanded over the period by its
// recurrence code; the occurrences are ordered by date, keeping the order of
// the jobs (by JobSeqNo) among the same day. A job whose occurrence count is
// set yields only the occurrences left after those done on OTHER schedules, so
// re-generating a re-opened schedule never uses up the job against itself.
// A Closed or Published schedule shows its stored occurrences in their
// stored order.
//
// Candidates, done counts and the details the grid shows are read in one
// joined statement; the stored occurrences in one more; the staging rows are
// written in the same transaction.
class ScheduleGeneration {
public:
    // Replaces all of the user's staging rows with the schedule's occurrences.
    // Only occurrences of jobs assigned to associateFilter are staged when it
    // is not empty; the occurrence list holds them all. Occurrences whose job,
    // customer, service address or job type is gone are not staged.
    //
    // rowsReady, when given, sees the rows before they are written: the
    // window lays out its grid from them while the database stages them. It
    // is called on another thread, before populate returns, and must touch no
    // window or database. The list must not be changed, and is not changed
    // until populate returns.
    using RowsReady = std::function<void(const QList<StagedJob> &rows)>;
    static PopulateResult populate(const ScheduleHeader &schedule, const QString &userID,
                                   const QString &associateFilter, QSqlDatabase db = AppDatabase::db(),
                                   const RowsReady &rowsReady = {});

    // The user's staging rows of the schedule in the order they were staged
    // (ScheduleSortKeys orders them for the grid).
    static QList<StagedJob> stagedRows(qint64 scheduleNumber, const QString &userID,
                                       QSqlDatabase db = AppDatabase::db());

    // The text staged as a job's comments: the customer's comment when it is
    // to be shown on schedules, then (on a new line) the job's when it is.
    static QString stagingComments(const QString &customerComment, bool customerOnSchedule,
                                   const QString &jobComment, bool jobOnSchedule);
    // The address lines without the empty ones, joined by CR LF, "~" and the key.
    static QString stagingAddress(const QString &line1, const QString &line2, const QString &line3, qint64 key);
    // The phone the customer prefers (1 to 3); empty for any other choice.
    static QString preferredPhone(int preferred, const QString &phone1, const QString &phone2, const QString &phone3);
};

} // namespace wvs
