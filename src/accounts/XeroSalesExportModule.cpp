#include "accounts/XeroSalesExportModule.h"
#include "accounts/AccountsFileWriter.h"
#include "accounts/CompletedJobSales.h"
#include "accounts/InvoiceNumbering.h"
#include "accounts/RoundAdvModule.h"
#include "common/Formats.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"

#include <cmath>

namespace wvs {

Money taxExclusiveAmount(Money cost, double ratePercent)
{
    const double amount = RoundAdv(static_cast<double>(cost.cents()) / 100.0 / (1.0 + ratePercent / 100.0), 2);
    return Money::fromCents(std::llround(amount * 100.0));
}

void XeroSalesExport(const QString &fileName, const QString &fromDate, const QString &toDate,
                     const QString &startingInvoiceNumber)
{
    guarded("XeroSalesExportModule", "XeroSalesExport", [&] {
        std::optional<InvoiceNumbering> numbers = InvoiceNumbering::fromStart(startingInvoiceNumber);
        if (!numbers) {
            msgBox(InvoiceNumbering::refusal(startingInvoiceNumber));
            return;
        }
        const QList<CompletedJobSale> sales =
            completedJobSales(Formats::fromDisplayDate(fromDate), Formats::fromDisplayDate(toDate));
        if (sales.isEmpty()) {
            msgBox(QString::fromLatin1(AccountsMessages::NoCustomerJobs));
            return;
        }
        const SalesTaxSettings tax = readSalesTaxSettings();
        AccountsFileWriter file(AccountsPackage::Xero);
        if (!file.open(fileName))
            return;
        // Xero's invoice import needs a due date; no payment terms are set, so
        // each invoice falls due on its own date.
        file.writeLine({QStringLiteral("ContactName"), QStringLiteral("InvoiceNumber"), QStringLiteral("InvoiceDate"),
                        QStringLiteral("*DueDate"), QStringLiteral("Description"), QStringLiteral("Quantity"),
                        QStringLiteral("UnitAmount"), QStringLiteral("AccountCode"), QStringLiteral("TaxType")});
        for (const CompletedJobSale &s : sales) {
            const Money unit = tax.inclusive ? taxExclusiveAmount(s.cost, tax.ratePercent) : s.cost;
            const QString date = AccountsFileRules::date(s.serviceDate);
            file.writeLine({s.customerRef, numbers->next(), date, date, s.description, QStringLiteral("1"),
                            AccountsFileRules::amount(unit), s.jobRef, tax.xeroTaxRateName});
        }
        file.commit(sales.size(), XeroInvoicesPerImport, QStringLiteral("invoices"));
    });
}

} // namespace wvs
