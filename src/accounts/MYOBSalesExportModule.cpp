#include "accounts/MYOBSalesExportModule.h"
#include "accounts/AccountsFileWriter.h"
#include "accounts/CompletedJobSales.h"
#include "common/Formats.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"

namespace wvs {

void MYOBSalesExport(const QString &fileName, const QString &fromDate, const QString &toDate)
{
    guarded("MYOBSalesExportModule", "MYOBSalesExport", [&] {
        const QList<CompletedJobSale> sales =
            completedJobSales(Formats::fromDisplayDate(fromDate), Formats::fromDisplayDate(toDate));
        if (sales.isEmpty()) {
            msgBox(QString::fromLatin1(AccountsMessages::NoCustomerJobs));
            return;
        }
        const QString inclusive = readSalesTaxSettings().inclusive ? QStringLiteral("X") : QString();
        AccountsFileWriter file(AccountsPackage::MYOB);
        if (!file.open(fileName))
            return;
        file.writeLine({QStringLiteral("{}")});
        file.writeLine({QStringLiteral("Card ID"), QStringLiteral("Account No."), QStringLiteral("Amount"),
                        QStringLiteral("Inclusive"), QStringLiteral("Description"), QStringLiteral("Date")});
        for (const CompletedJobSale &s : sales) {
            file.writeLine({s.customerRef, s.jobRef, AccountsFileRules::amount(s.cost), inclusive, s.description,
                            AccountsFileRules::date(s.serviceDate)});
            file.writeEmptyLine();
        }
        file.commit(sales.size());
    });
}

} // namespace wvs
