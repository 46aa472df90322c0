#pragma once
#include "common/Money.h"

#include <QString>

namespace wvs {

// Writes the jobs done from one date to another ("dd Mmm yyyy" texts, both
// included) as Xero sales invoices, one invoice of one line per job,
// numbered up from the starting invoice number. When job costs include sales
// tax the file carries the amount without it and Xero adds the tax of the
// tax rate named in the preferences. Shows its own messages.
void XeroSalesExport(const QString &fileName, const QString &fromDate, const QString &toDate,
                     const QString &startingInvoiceNumber);

// A cost that includes tax at the given rate, without the tax: the cost
// divided by 1 + rate / 100, rounded half away from zero to the cent.
Money taxExclusiveAmount(Money cost, double ratePercent);

// Xero takes at most this many invoices in one import.
inline constexpr qint64 XeroInvoicesPerImport = 500;

} // namespace wvs
