#pragma once
#include "data/AppDatabase.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace wvs {

// One job schedule: its period and its status.
struct ScheduleHeader {
    qint64 number = 0;
    QDate fromDate;
    QDate toDate;
    QString status;   // "Open", "Closed" or "Published"

    // Closed and Published schedules show their stored occurrences; any other
    // status is generated afresh from the customer jobs.
    bool stored() const;
};

// An associate as the schedule window's filter and the note dialog list him.
struct ScheduleAssociate {
    QString id;
    QString name;
};

// The Schedules table: listing, adding, re-opening and deleting schedules.
namespace ScheduleRecords {

std::optional<ScheduleHeader> load(qint64 number, QSqlDatabase db = AppDatabase::db());

// Every schedule, the newest period first.
QList<ScheduleHeader> all(QSqlDatabase db = AppDatabase::db());

// A schedule may span at most twelve calendar months counted from the month of
// its first day to the month of its last, whatever the days: 1 Jan 2025 to
// 31 Jan 2026 is allowed, 15 Jan 2025 to 1 Feb 2026 is not.
bool exceedsOneYear(const QDate &from, const QDate &to);
QString timespanMessage();

// Adds an Open schedule and returns the key its own insert produced. Refused
// (a recoverable error) when the period is longer than allowed or overlaps a
// schedule stored in the meantime.
qint64 create(const QDate &from, const QDate &to, QSqlDatabase db = AppDatabase::db());

// Sets a Closed or Published schedule back to Open; its stored occurrences stay.
// Refused (a recoverable error) when the schedule is gone.
void reopen(qint64 number, QSqlDatabase db = AppDatabase::db());

// Why the schedules may not be deleted: another associate has one of them
// open. Empty when they may go.
QString deleteRefusal(const QList<qint64> &numbers, const QString &currentAssociateID,
                      QSqlDatabase db = AppDatabase::db());

// Deletes the schedules with their stored occurrences and notes, all in one
// transaction; refused (a recoverable error, nothing deleted) when
// deleteRefusal has a reason.
void remove(const QList<qint64> &numbers, const QString &currentAssociateID, QSqlDatabase db = AppDatabase::db());

// Every associate, active or not, by name and then ID: the choices of the
// schedule window's associate filter and of the note dialog's "done by".
QList<ScheduleAssociate> associates(QSqlDatabase db = AppDatabase::db());

} // namespace ScheduleRecords
} // namespace wvs
