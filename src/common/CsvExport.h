#pragma once
#include <QByteArray>
#include <QList>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

class QSqlRecord;

namespace wvs {

// The file rules shared by the customer, customer-job and schedule exports.
// Every item is quoted with inner double quotes doubled, items are separated
// by ",", every line ends with CR LF, the text is UTF-8 without a byte-order
// mark. The heading line is taken from the descriptions of the ticked fields
// of a column-choice table (a single-row table of 0/1 fields whose order is
// the order of the columns).
namespace CsvExport {

struct Column {
    QString field;    // the field's name, equal to the name of the value's column
    QString heading;  // its description
};

// The fields of a column-choice table in the table's design order.
QStringList fieldsOf(const QString &table);
// The stored choice, field by field in design order; empty when the table
// holds no row.
QList<QPair<QString, int>> readChoice(const QString &table);
// Replaces the choice row (every field of the table must be given).
void saveChoice(const QString &table, const QList<QPair<QString, int>> &choice);
// The ticked fields with their headings, in design order. A ticked field
// without a description is an error.
QList<Column> chosenColumns(const QString &table);
// The heading line of the columns.
QStringList headings(const QList<Column> &columns);
// A row's value of a field as the text written; empty when the row has no
// such field, so the line keeps the heading's columns.
QString fieldText(const QSqlRecord &row, const QString &field);

// One quoted item and one whole line.
QString item(const QString &text);
QByteArray line(const QStringList &values);
// A database value as the text written: nothing at all gives the empty text.
QString valueText(const QVariant &v);

// The save dialog of the exports: "Enter the export file name", csv files.
// Empty when the user cancelled.
QString askFileName(QWidget *parent);
// "File created - do you wish to open it now?"; Yes opens the file in the
// desktop's program for it, or says what to install and where the file is
// when the desktop has none.
void offerToOpen(const QString &path);

} // namespace CsvExport

// One export file. The text goes to a temporary file beside the chosen one
// and takes its place only on commit, so a failed export never leaves half a
// file where an older one was, nor a file of its own. The temporary file's
// name is short, whatever the chosen one: any name the disk takes can be
// written, new or replacing an older file.
class CsvFile {
public:
    CsvFile() = default;
    ~CsvFile();
    CsvFile(const CsvFile &) = delete;
    CsvFile &operator=(const CsvFile &) = delete;

    // Opens for writing; a failure shows its message ("Unable to open ..." or
    // "Error n encountered when trying to open ...") and returns false. The
    // program's database and its journal files are refused as files in use,
    // and a name the disk does not take fails here, not at commit.
    bool open(const QString &path);
    void writeLine(const QStringList &values);
    // Writes bytes already laid out by the caller's own file rules.
    void writeBytes(const QByteArray &bytes);
    // Puts the file in place. A write or the commit that fails throws a
    // recoverable WvsError naming the file and the reason, and leaves no file.
    void commit();
    const QString &path() const { return path_; }

private:
    [[noreturn]] void failed(const QString &reason);
    bool createTemporary();
    void dropTemporary();

    QFile file_;          // the temporary file
    QString target_;      // the file it replaces: the chosen one, links followed
    QString path_;
};

} // namespace wvs
