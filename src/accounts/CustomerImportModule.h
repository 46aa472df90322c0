#pragma once
#include "accounts/CustomerImportFormat.h"

#include <QString>

namespace wvs {

// Brings the customers of an accounts package's file into the database: a
// line whose key matches a customer's accounts reference updates that
// customer, any other line adds one. The whole file comes in inside one
// transaction or not at all. What happened is written to the package's
// import log in the data folder, which the closing message points to; the
// import reports its own failures.
void importCustomers(const CustomerImportFormat &format, const QString &fileName);

void MYOBCustomerImport(const QString &fileName);
void XeroCustomerImport(const QString &fileName);

// The import log of a format, in the data folder.
QString customerImportLogPath(const CustomerImportFormat &format);

} // namespace wvs
