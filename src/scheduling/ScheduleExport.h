#pragma once
#include <QList>
#include <QString>

namespace wvs {

// One row of the schedule grid as the export reads it: the shown texts and
// the customer job behind the row.
struct ScheduleExportRow {
    QString associate;     // the associate's ID
    QString serviceDate;   // as shown, "dd MMM yyyy"
    QString phone;
    QString jobType;
    QString cost;          // as shown, in the currency format
    QString comments;      // line breaks included
    qint64 jobSeqNo = 0;
};

// The schedule's CSV file: the ticked columns of ScheduleExportFields in the
// table's order, a heading line of their descriptions, then one line per row
// in the order given. The customer's name and the service address are read
// afresh (once for all rows); a row whose job lost its customer or address
// gives no line.
namespace ScheduleExport {

// Writes the file; false (with the message shown) when it could not be
// opened. Returns through lines the number of job lines written.
bool write(const QString &path, const QList<ScheduleExportRow> &rows, int *lines = nullptr);

} // namespace ScheduleExport
} // namespace wvs
