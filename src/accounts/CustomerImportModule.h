#pragma once
#include "accounts/CustomerImportFormat.h"

#include <QString>

namespace wvs {

// Brings the customers of an accounts package's file into the database: a
// line whose key matches a customer's accounts reference updates that
// customer, any other line adds one. The whole file comes in inside one
// transaction or not at all, read and applied a line at a time so that
// memory does not grow with the file: a line that cannot be read whole (or
// in the file's encoding), holds too few or too many values, or a value
// longer than its field fails the import. Empty lines and lines without a
// key or with a key met before are skipped and counted in the closing
// message; the log names the first hundred and counts the rest. A matched
// customer keeps a stored value that comes back as the program's own export
// writes it (cut, or with "?" for a letter the file cannot carry), and one
// that the package's file leaves empty in a column the program never sends
// to the package. Every value comes in as its box takes a paste: a one-line
// field without line breaks, tabs or control characters, the comment with
// its line breaks and tabs only. The preferred phone is the first phone that
// holds a digit when the stored one does not (or is none of 1 to 3), the
// first when none does. What happened, and the encoding the file was read in,
// is written to the package's import log in the data folder, which the
// closing message points to; the import reports its own failures, and a
// database kept busy at another workstation with the program's busy message.
void importCustomers(const CustomerImportFormat &format, const QString &fileName);

void MYOBCustomerImport(const QString &fileName);
void XeroCustomerImport(const QString &fileName);

// The import log of a format, in the data folder.
QString customerImportLogPath(const CustomerImportFormat &format);

} // namespace wvs
