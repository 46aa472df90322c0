// The column choice of the customer-job export (one row of 0/1 fields in the
// order of the file's columns, headings in FieldDescriptions) and the message
// text last typed for the service-request e-mail (at most one row).
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration jobExportTables(31, "customer job export and e-mail", {
    R"(CREATE TABLE IF NOT EXISTS CustomerJobsExportFields (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        Forename INTEGER NOT NULL DEFAULT 0,
        Surname INTEGER NOT NULL DEFAULT 0,
        SAddress1 INTEGER NOT NULL DEFAULT 0,
        SAddress2 INTEGER NOT NULL DEFAULT 0,
        SAddress3 INTEGER NOT NULL DEFAULT 0,
        SSuburb INTEGER NOT NULL DEFAULT 0,
        SCity INTEGER NOT NULL DEFAULT 0,
        SPostCode INTEGER NOT NULL DEFAULT 0,
        JobTypeDescription INTEGER NOT NULL DEFAULT 0,
        StartDate INTEGER NOT NULL DEFAULT 0,
        StartDay INTEGER NOT NULL DEFAULT 0,
        EndDate INTEGER NOT NULL DEFAULT 0,
        Frequency INTEGER NOT NULL DEFAULT 0,
        Cost INTEGER NOT NULL DEFAULT 0,
        LastServiceDate INTEGER NOT NULL DEFAULT 0,
        AssociateName INTEGER NOT NULL DEFAULT 0,
        CustomerJobComment INTEGER NOT NULL DEFAULT 0,
        AccountsRefCustomer INTEGER NOT NULL DEFAULT 0,
        AccountsRefJob INTEGER NOT NULL DEFAULT 0))",
    R"(INSERT OR IGNORE INTO FieldDescriptions (TableName, FieldName, Position, Description) VALUES
        ('CustomerJobsExportFields', 'Forename', 1, 'Customer Forename'),
        ('CustomerJobsExportFields', 'Surname', 2, 'Customer Surname'),
        ('CustomerJobsExportFields', 'SAddress1', 3, 'Service Address Line 1'),
        ('CustomerJobsExportFields', 'SAddress2', 4, 'Service Address Line 2'),
        ('CustomerJobsExportFields', 'SAddress3', 5, 'Service Address Line 3'),
        ('CustomerJobsExportFields', 'SSuburb', 6, 'Service Location'),
        ('CustomerJobsExportFields', 'SCity', 7, 'Service City'),
        ('CustomerJobsExportFields', 'SPostCode', 8, 'Service Post Code'),
        ('CustomerJobsExportFields', 'JobTypeDescription', 9, 'Job Description'),
        ('CustomerJobsExportFields', 'StartDate', 10, 'Start Date'),
        ('CustomerJobsExportFields', 'StartDay', 11, 'Start Day'),
        ('CustomerJobsExportFields', 'EndDate', 12, 'End Date'),
        ('CustomerJobsExportFields', 'Frequency', 13, 'Frequency'),
        ('CustomerJobsExportFields', 'Cost', 14, 'Cost'),
        ('CustomerJobsExportFields', 'LastServiceDate', 15, 'Last Service Date'),
        ('CustomerJobsExportFields', 'AssociateName', 16, 'Associate Name'),
        ('CustomerJobsExportFields', 'CustomerJobComment', 17, 'Job Comments'),
        ('CustomerJobsExportFields', 'AccountsRefCustomer', 18, 'Accounts Reference - Customer'),
        ('CustomerJobsExportFields', 'AccountsRefJob', 19, 'Accounts Reference - Job'))",
    R"(CREATE TABLE IF NOT EXISTS EmailMessageCustomerJobs (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        Message TEXT NOT NULL DEFAULT ''))",
});

} // namespace
