#pragma once
#include <QString>

namespace wvs {

// Writes the jobs done from one date to another ("dd Mmm yyyy" texts, both
// included) as MYOB sales: the "{}" line, the heading line, then one sale
// line per job, each followed by an empty line. Shows its own messages.
void MYOBSalesExport(const QString &fileName, const QString &fromDate, const QString &toDate);

} // namespace wvs
