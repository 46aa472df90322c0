#pragma once
#include <QString>

namespace wvs {

// Writes every customer with an accounts reference to a Xero contacts file:
// a heading line and one contact per customer, keyed by the accounts
// reference as the contact's name. Shows its own messages.
void XeroCustomerExport(const QString &fileName);

// Xero takes at most this many contacts in one import.
inline constexpr qint64 XeroContactsPerImport = 1000;

} // namespace wvs
