// The customer-job requests fetched from the web portal, one row per request
// until it is turned into a customer job or deleted. UniqueId is the portal's
// own number of the request. The columns keep the order of the portal's
// request file, so field k of a line is column k + 1.
//
// DateEntered, StartDate and EndDate are "yyyy-MM-dd" ('' for none); Cost is
// in cents. The recurrence columns (EndDateOption to YearlyDay) hold the
// portal request form's option numbers, list positions, tick states (1/0),
// intervals and day numbers as it sent them.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration portalTables(80, "portal", {
    R"(CREATE TABLE IF NOT EXISTS PortalCustomerJobs (
        UniqueId INTEGER PRIMARY KEY,
        UserID TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CompanyName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Title TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        FirstName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        LastName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CAddress1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CAddress2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CAddress3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CSuburb TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CCity TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CPostCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PreferredPhone INTEGER NOT NULL DEFAULT 0,
        Email1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Email2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CustomerComments TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        DateEntered TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        JobTypeCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        StartDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        EndDate TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        EndDateOption INTEGER NOT NULL DEFAULT 0,
        EndOccurrences INTEGER NOT NULL DEFAULT 0,
        DWMYOption INTEGER NOT NULL DEFAULT 0,
        DailyOption INTEGER NOT NULL DEFAULT 0,
        DailyNoOfDays INTEGER NOT NULL DEFAULT 0,
        WeeklyNoOfWeeks INTEGER NOT NULL DEFAULT 0,
        WeeklyMon INTEGER NOT NULL DEFAULT 0,
        WeeklyTue INTEGER NOT NULL DEFAULT 0,
        WeeklyWed INTEGER NOT NULL DEFAULT 0,
        WeeklyThu INTEGER NOT NULL DEFAULT 0,
        WeeklyFri INTEGER NOT NULL DEFAULT 0,
        WeeklySat INTEGER NOT NULL DEFAULT 0,
        WeeklySun INTEGER NOT NULL DEFAULT 0,
        MonthlyOption INTEGER NOT NULL DEFAULT 0,
        MonthlyDay INTEGER NOT NULL DEFAULT 0,
        MonthlyMonth1 INTEGER NOT NULL DEFAULT 0,
        MonthlyMonth2 INTEGER NOT NULL DEFAULT 0,
        MonthlyMonth3 INTEGER NOT NULL DEFAULT 0,
        MonthlyList1Index INTEGER NOT NULL DEFAULT 0,
        MonthlyList2Index INTEGER NOT NULL DEFAULT 0,
        YearlyOption INTEGER NOT NULL DEFAULT 0,
        YearlyList1Index INTEGER NOT NULL DEFAULT 0,
        YearlyList2Index INTEGER NOT NULL DEFAULT 0,
        YearlyList3Index INTEGER NOT NULL DEFAULT 0,
        YearlyList4Index INTEGER NOT NULL DEFAULT 0,
        YearlyDay INTEGER NOT NULL DEFAULT 0,
        Cost INTEGER NOT NULL DEFAULT 0,
        Prospective INTEGER NOT NULL DEFAULT 0,
        JobDetailsComments TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SSuburb TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SCity TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SPostCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AsRequired INTEGER NOT NULL DEFAULT 0))",
    // The number of every request received from the portal. The portal may
    // hand a request out again (its deletion there failed, timed out or
    // raced with another workstation's import), so a number here is never
    // stored as a request again, even after the request was turned into a
    // customer job or deleted. The numbers are kept: a copy fetched before
    // another workstation had the portal let the request go may still arrive.
    R"(CREATE TABLE IF NOT EXISTS PortalReceivedRequests (
        UniqueId INTEGER PRIMARY KEY))",
});

} // namespace
