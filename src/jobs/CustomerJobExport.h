#pragma once
#include <QList>
#include <QString>

namespace wvs::CustomerJobExport {

inline const char *const ChoiceTable = "CustomerJobsExportFields";

// One listed job: its key and the text of the list's Frequency column, which
// is what the file shows as the job's frequency.
struct ListedJob {
    qint64 jobSeqNo = 0;
    QString frequencyText;
};

// Writes the heading line of the chosen columns and one line per job, in the
// order given; a job whose customer, service address, job type or associate
// is missing writes no line. Returns false (after its message) when the file
// cannot be opened; other failures are thrown.
bool writeFile(const QString &path, const QList<ListedJob> &jobs);

// The customer-job list's export: the file, then the question whether to open it.
void ExportCsvFile(const QString &path, const QList<ListedJob> &jobs);

// An amount in cents as a plain number: "45", "45.5", "-3.25".
QString plainNumber(qint64 cents);

} // namespace wvs::CustomerJobExport
