#pragma once
#include <QString>

namespace wvs {

// How many characters of a customer's fields a MYOB card takes; it carries
// the company name, the address lines, suburb and city whole.
namespace MYOBCardLengths {
inline constexpr int Surname = 30;
inline constexpr int Forename = 15;
inline constexpr int PostCode = 10;
inline constexpr int Phone = 21;
inline constexpr int Email = 21;
inline constexpr int Notes = 255;
} // namespace MYOBCardLengths

// Writes every customer with an accounts reference and a company name or
// surname to a MYOB customer card file: the "{}" line, the heading line and
// one card per customer. Shows its own messages.
void MYOBCustomerExport(const QString &fileName);

} // namespace wvs
