// The scheduling tables: job schedules over a period, the occurrences a closed
// schedule stores, each user's working copy of the schedule grid, and the dated
// notes recorded against one scheduled occurrence.
//
// Dates are "yyyy-MM-dd" text ('' for none), so one occurrence is found by an
// exact text match of its planned date and ranges compare as plain text.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration scheduleTables(40, "scheduling", {
    // One row per job schedule. Status is "Open", "Closed" or "Published"; at
    // most one schedule is "Published" at a time.
    R"(CREATE TABLE IF NOT EXISTS Schedules (
        ScheduleNumber INTEGER PRIMARY KEY AUTOINCREMENT,
        FromDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        ToDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Status TEXT NOT NULL DEFAULT 'Open' COLLATE NOCASE))",
    "CREATE INDEX IF NOT EXISTS SchedulesByStatus ON Schedules (Status)",

    // The occurrences stored when a schedule is closed, one per customer job
    // and planned date. ScheduleSeqNo is the order within the schedule;
    // ActualServiceDate and AssociateID stay '' until the job is done.
    R"(CREATE TABLE IF NOT EXISTS ScheduleJobs (
        ScheduleNumber INTEGER NOT NULL,
        JobSeqNo INTEGER NOT NULL,
        ScheduleServiceDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        ScheduleSeqNo INTEGER NOT NULL DEFAULT 0,
        ActualServiceDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AssociateID TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PRIMARY KEY (ScheduleNumber, JobSeqNo, ScheduleServiceDate)))",
    "CREATE INDEX IF NOT EXISTS ScheduleJobsBySeqNo ON ScheduleJobs (ScheduleNumber, ScheduleSeqNo)",
    "CREATE INDEX IF NOT EXISTS ScheduleJobsByJob ON ScheduleJobs (JobSeqNo, ActualServiceDate)",
    "CREATE INDEX IF NOT EXISTS ScheduleJobsByServiceDate ON ScheduleJobs (ScheduleServiceDate)",

    // Each user's staged copy of the schedule grid, one row per shown
    // occurrence. Done is 0 for a done occurrence and 1 otherwise; Cost is in
    // cents; ScheduleSeqNo is NULL while the occurrence has no stored row.
    R"(CREATE TABLE IF NOT EXISTS ScheduleStaging (
        UserID TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        ScheduleNumber INTEGER NOT NULL DEFAULT 0,
        RecordNumber INTEGER NOT NULL,
        Associate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        ServiceDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Customer TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Address TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Location TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        JobType TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Cost INTEGER NOT NULL DEFAULT 0,
        Comments TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Done INTEGER NOT NULL DEFAULT 1,
        ScheduleSeqNo INTEGER,
        JobSeqNo INTEGER NOT NULL DEFAULT 0,
        AsRequired INTEGER NOT NULL DEFAULT 0,
        PRIMARY KEY (UserID, RecordNumber)))",
    // No further index: a user's rows are rewritten whole on every generation
    // (a year of a large business is some 250,000 rows) and one row is found
    // by its UserID and RecordNumber.

    // Notes on one scheduled occurrence. NoteType is "Action", "Information"
    // or "Invoicing"; NoteAuthor is an associate's name or "Portal".
    R"(CREATE TABLE IF NOT EXISTS ScheduleJobNotes (
        ScheduleNumber INTEGER NOT NULL,
        JobSeqNo INTEGER NOT NULL,
        ScheduleServiceDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        NoteDateTime TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        NoteAuthor TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        NoteDetail TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        NoteType TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        ActionTaken INTEGER NOT NULL DEFAULT 0))",
    "CREATE INDEX IF NOT EXISTS ScheduleJobNotesByOccurrence ON ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate)",
    "CREATE INDEX IF NOT EXISTS ScheduleJobNotesByJob ON ScheduleJobNotes (JobSeqNo)",
});

} // namespace
