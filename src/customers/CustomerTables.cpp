// The customer tables: one row per customer with the correspondence address,
// phones, e-mails, status and the key in the accounts package; the service
// addresses where each customer's work is done; and the dated notes kept
// against a customer.
//
// Blank text fields hold the empty text, never NULL. CustomerStatus is 1
// (active), 2 (prospective) or 9 (inactive); PreferredPhone is 1, 2 or 3.
// DateEntered is the "yyyy-MM-dd" day the customer was added.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration customerTables(20, "customers", {
    R"(CREATE TABLE IF NOT EXISTS Customers (
        CustomerNumber INTEGER PRIMARY KEY AUTOINCREMENT,
        Title TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Forename TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Surname TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CompanyName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        ContactName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Phone3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        PreferredPhone INTEGER NOT NULL DEFAULT 1,
        Email1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        Email2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CAddress1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CAddress2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CAddress3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CSuburb TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CCity TEXT NOT NULL DEFAULT 'Auckland' COLLATE NOCASE,
        CPostCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CustomerStatus INTEGER NOT NULL DEFAULT 1,
        AccountsRef TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CustomerComment TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        CommentOnSchedule INTEGER NOT NULL DEFAULT 0,
        DateEntered TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",
    "CREATE INDEX IF NOT EXISTS CustomersBySurname ON Customers (Surname)",
    "CREATE INDEX IF NOT EXISTS CustomersBySuburb ON Customers (CSuburb)",
    "CREATE INDEX IF NOT EXISTS CustomersByAccountsRef ON Customers (AccountsRef)",

    // Every customer job is done at one of these; SSuburb is what users see
    // as the "Location" and what schedules sort and print by.
    R"(CREATE TABLE IF NOT EXISTS CustomerServiceAddresses (
        SAddressSeqNo INTEGER PRIMARY KEY AUTOINCREMENT,
        CustomerNumber INTEGER NOT NULL DEFAULT 0,
        SAddress1 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress2 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SAddress3 TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SSuburb TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        SCity TEXT NOT NULL DEFAULT 'Auckland' COLLATE NOCASE,
        SPostCode TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",
    "CREATE INDEX IF NOT EXISTS CustomerServiceAddressesByCustomer ON CustomerServiceAddresses (CustomerNumber)",

    // Dated notes on a customer: NoteDateTime is "yyyy-MM-dd HH:mm:ss" and
    // NoteAuthor the name of the associate who wrote it. A note is found by
    // its customer and its date-time.
    R"(CREATE TABLE IF NOT EXISTS CustomerNotes (
        CustomerNumber INTEGER NOT NULL DEFAULT 0,
        NoteDateTime TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        NoteDetail TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
        NoteAuthor TEXT NOT NULL DEFAULT '' COLLATE NOCASE))",
    "CREATE INDEX IF NOT EXISTS CustomerNotesByCustomer ON CustomerNotes (CustomerNumber, NoteDateTime)",
});

} // namespace
