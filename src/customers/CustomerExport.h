#pragma once
#include <QList>
#include <QString>

namespace wvs::CustomerExport {

inline const char *const ChoiceTable = "CustomerExportFields";

// Writes the heading line of the chosen columns and one line per customer, in
// the order given; a customer that no longer exists writes no line. Returns
// false (after its message) when the file cannot be opened; other failures
// are thrown.
bool writeFile(const QString &path, const QList<qint64> &customerNumbers);

// The customer list's export to a chosen file: the file, then the question
// whether to open it.
void ExportCsvFile(const QString &path, const QList<qint64> &customerNumbers);

} // namespace wvs::CustomerExport
