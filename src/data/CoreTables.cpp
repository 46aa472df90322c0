// The tables every part of the program reads from the first log-in on: the
// database version and installation, the associates and their rights, the
// company and preferences rows, schedule locks and the export headings.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration coreTables(10, "core", {
    R"(CREATE TABLE IF NOT EXISTS DatabaseInfo (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        MajorVersion INTEGER NOT NULL DEFAULT 1,
        MinorVersion INTEGER NOT NULL DEFAULT 3,
        InstallationCountry TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        InstallationName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        InstallationID TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    R"(CREATE TABLE IF NOT EXISTS AuthorityLevels (
        LevelNumber INTEGER PRIMARY KEY,
        LevelDescription TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    R"(CREATE TABLE IF NOT EXISTS AuthorityAccess (
        AuthorityLevelNumber INTEGER PRIMARY KEY,
        Customers INTEGER NOT NULL DEFAULT 0,
        CustomerJobs INTEGER NOT NULL DEFAULT 0,
        JobTypes INTEGER NOT NULL DEFAULT 0,
        Associates INTEGER NOT NULL DEFAULT 0,
        Company INTEGER NOT NULL DEFAULT 0,
        Preferences INTEGER NOT NULL DEFAULT 0,
        JobSchedules INTEGER NOT NULL DEFAULT 0,
        Accounts INTEGER NOT NULL DEFAULT 0,
        Security INTEGER NOT NULL DEFAULT 0))",

    R"(CREATE TABLE IF NOT EXISTS Associates (
        AssociateID TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
        AssociateName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AssociatePassword TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AssociatePhone TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AssociateEmail TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        AssociateAuthorityLevel INTEGER NOT NULL DEFAULT 0,
        AssociateStatus REAL NOT NULL DEFAULT 0,
        Active INTEGER NOT NULL DEFAULT 0,
        InitialScreen TEXT NOT NULL DEFAULT 'None' COLLATE NOCASE,
        PortalAccess TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    R"(CREATE TABLE IF NOT EXISTS Company (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        ID TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CompanyName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PAddress1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PAddress2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PAddress3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PAddress4 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PPostCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PTelephone TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PFax TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PEmail TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress4 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SPostCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        STelephone TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SFax TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SEmail TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        RegisteredNo TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        GSTNo TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    R"(CREATE TABLE IF NOT EXISTS Preferences (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        MYOB INTEGER NOT NULL DEFAULT 0,
        Xero INTEGER NOT NULL DEFAULT 0,
        GSTInclusive INTEGER NOT NULL DEFAULT 0,
        EmailHTML INTEGER NOT NULL DEFAULT 0,
        ShowCostOnSchedPrint INTEGER NOT NULL DEFAULT 0,
        ShowCostOnSchedEmail INTEGER NOT NULL DEFAULT 0,
        Portal INTEGER NOT NULL DEFAULT 0,
        ShowCostOnPortal INTEGER NOT NULL DEFAULT 0,
        ShowPhoneOnSchedEmail INTEGER NOT NULL DEFAULT 0,
        ShowPhoneOnPortal INTEGER NOT NULL DEFAULT 0,
        TaxRate REAL NOT NULL DEFAULT 0,
        XeroTaxRateName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        EmailProvider TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SMTPServer TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SMTPPort TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SMTPSSL INTEGER NOT NULL DEFAULT 0,
        SMTPUserName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SMTPPassword TEXT NOT NULL DEFAULT '',
        SMTPTestEmail TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    R"(CREATE TABLE IF NOT EXISTS LockedSchedules (
        ScheduleNumber INTEGER NOT NULL,
        AssociateID TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",
    "CREATE INDEX IF NOT EXISTS LockedSchedulesByAssociate ON LockedSchedules (AssociateID)",
    // The one schedule being put on the portal, while its run goes on: one
    // workstation publishes at a time, so the schedule marked Published is
    // the one the portal holds.
    R"(CREATE TABLE IF NOT EXISTS PublishingSchedules (
        ScheduleNumber INTEGER NOT NULL,
        AssociateID TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",

    R"(CREATE TABLE IF NOT EXISTS FieldDescriptions (
        TableName TEXT NOT NULL COLLATE NOCASE,
        FieldName TEXT NOT NULL COLLATE NOCASE,
        Position INTEGER NOT NULL,
        Description TEXT NOT NULL DEFAULT '',
        PRIMARY KEY (TableName, FieldName)))",
});

} // namespace
