// The column choice of the schedule export (one row of 0/1 fields in the order
// of the file's columns; each field's description is its column's heading)
// and the message text last typed for the schedule e-mail.
#include "data/SchemaRegistry.h"

namespace {

const wvs::SchemaRegistration scheduleDistributionTables(51, "schedule export and e-mail", {
    R"(CREATE TABLE IF NOT EXISTS ScheduleExportFields (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        Associate INTEGER NOT NULL DEFAULT 0,
        ServiceDate INTEGER NOT NULL DEFAULT 0,
        CustomerForename INTEGER NOT NULL DEFAULT 0,
        CustomerSurname INTEGER NOT NULL DEFAULT 0,
        Phone INTEGER NOT NULL DEFAULT 0,
        SAddress1 INTEGER NOT NULL DEFAULT 0,
        SAddress2 INTEGER NOT NULL DEFAULT 0,
        SAddress3 INTEGER NOT NULL DEFAULT 0,
        SSuburb INTEGER NOT NULL DEFAULT 0,
        SCity INTEGER NOT NULL DEFAULT 0,
        JobType INTEGER NOT NULL DEFAULT 0,
        Cost INTEGER NOT NULL DEFAULT 0,
        Comments INTEGER NOT NULL DEFAULT 0))",
    R"(INSERT OR IGNORE INTO FieldDescriptions (TableName, FieldName, Position, Description) VALUES
        ('ScheduleExportFields', 'Associate', 1, 'Associate'),
        ('ScheduleExportFields', 'ServiceDate', 2, 'Service Date'),
        ('ScheduleExportFields', 'CustomerForename', 3, 'Customer Forename'),
        ('ScheduleExportFields', 'CustomerSurname', 4, 'Customer Surname'),
        ('ScheduleExportFields', 'Phone', 5, 'Customer Phone'),
        ('ScheduleExportFields', 'SAddress1', 6, 'Service Address Line 1'),
        ('ScheduleExportFields', 'SAddress2', 7, 'Service Address Line 2'),
        ('ScheduleExportFields', 'SAddress3', 8, 'Service Address Line 3'),
        ('ScheduleExportFields', 'SSuburb', 9, 'Service Location'),
        ('ScheduleExportFields', 'SCity', 10, 'Service City'),
        ('ScheduleExportFields', 'JobType', 11, 'Job Description'),
        ('ScheduleExportFields', 'Cost', 12, 'Cost'),
        ('ScheduleExportFields', 'Comments', 13, 'Job Comments'))",
    R"(CREATE TABLE IF NOT EXISTS EmailMessageScheduleJobs (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        Message TEXT NOT NULL DEFAULT ''))",
});

} // namespace
