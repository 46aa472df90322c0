#pragma once
#include "common/Money.h"
#include "common/CsvExport.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace wvs {

// The accounting package a file is meant for.
enum class AccountsPackage { MYOB, Xero };

// How values, numbers and dates are written into the accounts packages'
// import files. Numbers use "." and no grouping and dates one pattern per
// installation country, whatever the desktop's locale.
namespace AccountsFileRules {

// One value as written. MYOB: a line break inside a value becomes one blank,
// and a value holding a comma (or starting with a double quote) is enclosed
// in double quotes with its inner quotes doubled. Xero: CSV quoting, applied
// where a value holds a comma, a double quote or a line break.
QString value(AccountsPackage package, const QString &text);

// One whole line ending in CR LF: MYOB files in the 8-bit Windows-1252 code
// page ("?" for a character outside it), Xero files in UTF-8.
QByteArray line(AccountsPackage package, const QStringList &values);

// A value as it reads back from the package's file once written there: for
// MYOB without line breaks and with "?" for what the code page lacks.
QString asWritten(AccountsPackage package, const QString &text);

// The longest start of text within n characters that ends on a whole
// character; 0 or less: the whole text. Every cut of the accounts files.
QString cut(const QString &text, int n);

// An amount without forced decimals: "100", "12.5", "86.96", "-3.25".
QString amount(Money m);

// "MM/dd/yyyy" for the USA, "dd/MM/yyyy" for every other country.
QString datePattern(const QString &country);
// A date in the pattern of this installation's country.
QString date(const QDate &d);

} // namespace AccountsFileRules

// Messages of the accounts exports.
namespace AccountsMessages {
inline const char *const NoCustomers = "No qualifying Customers found";
inline const char *const NoCustomerJobs = "No qualifying Customer Jobs found";
}

// One export file of an accounts package. It is written to a temporary file
// that takes the chosen name only on commit, so a failed export leaves an
// older file of that name untouched and never half a file to be imported.
class AccountsFileWriter {
public:
    explicit AccountsFileWriter(AccountsPackage package) : package_(package) {}

    // Shows "Unable to open ..." or "Error n encountered when trying to open
    // ..." and returns false when the file cannot be created under its name.
    bool open(const QString &path);
    // A write or the commit the disk refuses throws a recoverable WvsError
    // naming the file and the reason, and leaves no file.
    void writeLine(const QStringList &values);
    void writeEmptyLine();
    // Puts the file in place and shows
    // "File created with n records"; when the package takes fewer rows in one
    // import, the message says so.
    void commit(qint64 rows, qint64 importLimit = 0, const QString &rowKind = QString());

private:
    AccountsPackage package_;
    CsvFile file_;
};

} // namespace wvs
