// The job tables: the kinds of work the business does, and the customer jobs
// (one service of one job type at one service address, recurring by its
// recurrence code, happening once, or done as required).
//
// Dates are "yyyy-MM-dd" text ('' for none), so they compare as plain text;
// Cost is in cents; the flags hold 1 or 0.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration jobTables(30, "jobs", {
    // JobTypeCode is typed by the user and may be renamed later; the rename is
    // carried to every customer job of the old code.
    R"(CREATE TABLE IF NOT EXISTS JobTypes (
        JobTypeCode TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
        JobTypeDescription TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AccountsRef TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    // One row per customer job. StartDay is the English weekday name of
    // StartDate ("Monday"). The end is EndDate when set, else Occurrences when
    // above 0, else none. Frequency is the recurrence code (0: none chosen).
    // LastServiceDate is '' until the first completed service.
    R"(CREATE TABLE IF NOT EXISTS CustomerJobs (
        JobSeqNo INTEGER PRIMARY KEY AUTOINCREMENT,
        CustomerNumber INTEGER NOT NULL DEFAULT 0,
        SAddressSeqNo INTEGER NOT NULL DEFAULT 0,
        JobTypeCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AssociateID TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        StartDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        StartDay TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        EndDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Occurrences INTEGER NOT NULL DEFAULT 0,
        Frequency INTEGER NOT NULL DEFAULT 0,
        Cost INTEGER NOT NULL DEFAULT 0,
        LastServiceDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CustomerJobComment TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CommentOnSchedule INTEGER NOT NULL DEFAULT 0,
        AsRequired INTEGER NOT NULL DEFAULT 0,
        Suspended INTEGER NOT NULL DEFAULT 0,
        Prospective INTEGER NOT NULL DEFAULT 0))",
    "CREATE INDEX IF NOT EXISTS CustomerJobsByCustomer ON CustomerJobs (CustomerNumber)",
    "CREATE INDEX IF NOT EXISTS CustomerJobsByJobType ON CustomerJobs (JobTypeCode)",
    "CREATE INDEX IF NOT EXISTS CustomerJobsByAddress ON CustomerJobs (SAddressSeqNo)",
    "CREATE INDEX IF NOT EXISTS CustomerJobsByAssociate ON CustomerJobs (AssociateID)",
});

} // namespace
