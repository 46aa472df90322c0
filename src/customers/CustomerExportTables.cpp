// The column choice of the customer export: one row of 0/1 fields, one per
// column that can be exported, in the order of the file's columns. Each
// field's description (the column's heading) is kept in FieldDescriptions.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration customerExportTables(21, "customer export", {
    R"(CREATE TABLE IF NOT EXISTS CustomerExportFields (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        Title INTEGER NOT NULL DEFAULT 0,
        Forename INTEGER NOT NULL DEFAULT 0,
        Surname INTEGER NOT NULL DEFAULT 0,
        CAddress1 INTEGER NOT NULL DEFAULT 0,
        CAddress2 INTEGER NOT NULL DEFAULT 0,
        CAddress3 INTEGER NOT NULL DEFAULT 0,
        CSuburb INTEGER NOT NULL DEFAULT 0,
        CCity INTEGER NOT NULL DEFAULT 0,
        CPostCode INTEGER NOT NULL DEFAULT 0,
        Phone1 INTEGER NOT NULL DEFAULT 0,
        Phone2 INTEGER NOT NULL DEFAULT 0,
        Phone3 INTEGER NOT NULL DEFAULT 0,
        Email1 INTEGER NOT NULL DEFAULT 0,
        Email2 INTEGER NOT NULL DEFAULT 0,
        CompanyName INTEGER NOT NULL DEFAULT 0,
        ContactName INTEGER NOT NULL DEFAULT 0,
        AccountsRef INTEGER NOT NULL DEFAULT 0))",
    R"(INSERT OR IGNORE INTO FieldDescriptions (TableName, FieldName, Position, Description) VALUES
        ('CustomerExportFields', 'Title', 1, 'Title'),
        ('CustomerExportFields', 'Forename', 2, 'First Name'),
        ('CustomerExportFields', 'Surname', 3, 'Last Name'),
        ('CustomerExportFields', 'CAddress1', 4, 'Address Line 1'),
        ('CustomerExportFields', 'CAddress2', 5, 'Address Line 2'),
        ('CustomerExportFields', 'CAddress3', 6, 'Address Line 3'),
        ('CustomerExportFields', 'CSuburb', 7, 'Suburb'),
        ('CustomerExportFields', 'CCity', 8, 'City'),
        ('CustomerExportFields', 'CPostCode', 9, 'Post Code'),
        ('CustomerExportFields', 'Phone1', 10, 'Phone 1'),
        ('CustomerExportFields', 'Phone2', 11, 'Phone 2'),
        ('CustomerExportFields', 'Phone3', 12, 'Phone 3'),
        ('CustomerExportFields', 'Email1', 13, 'Email Address 1'),
        ('CustomerExportFields', 'Email2', 14, 'Email Address 2'),
        ('CustomerExportFields', 'CompanyName', 15, 'Company Name'),
        ('CustomerExportFields', 'ContactName', 16, 'Contact Name'),
        ('CustomerExportFields', 'AccountsRef', 17, 'Accounts Reference'))",
});

} // namespace
