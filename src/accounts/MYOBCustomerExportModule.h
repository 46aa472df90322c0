#pragma once
#include <QString>

namespace wvs {

// Writes every customer with an accounts reference and a company name or
// surname to a MYOB customer card file: the "{}" line, the heading line and
// one card per customer. Shows its own messages.
void MYOBCustomerExport(const QString &fileName);

} // namespace wvs
