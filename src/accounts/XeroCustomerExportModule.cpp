#include "accounts/XeroCustomerExportModule.h"
#include "accounts/AccountsFileWriter.h"
#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"

namespace wvs {

void XeroCustomerExport(const QString &fileName)
{
    guarded("XeroCustomerExportModule", "XeroCustomerExport", [&] {
        QSqlQuery q = execSql(QStringLiteral(
            "SELECT AccountsRef, Forename, Surname, CAddress1, CAddress2, CAddress3, CSuburb, CCity, CPostCode, "
            "Phone1 FROM Customers WHERE AccountsRef <> '' ORDER BY CustomerNumber"));
        if (!q.next()) {
            msgBox(QString::fromLatin1(AccountsMessages::NoCustomers));
            return;
        }
        AccountsFileWriter file(AccountsPackage::Xero);
        if (!file.open(fileName))
            return;
        // Xero's contact import refuses a file whose name column is not headed "*ContactName".
        file.writeLine({QStringLiteral("*ContactName"), QStringLiteral("FirstName"), QStringLiteral("LastName"),
                        QStringLiteral("SAAddressLine1"), QStringLiteral("SAAddressLine2"),
                        QStringLiteral("SAAddressLine3"), QStringLiteral("SAAddressLine4"), QStringLiteral("SACity"),
                        QStringLiteral("SAPostalCode"), QStringLiteral("PhoneNumber")});
        qint64 rows = 0;
        do {
            QStringList values;
            for (int i = 0; i < 10; ++i)
                values << q.value(i).toString();
            file.writeLine(values);
            ++rows;
        } while (q.next());
        file.commit(rows, XeroContactsPerImport, QStringLiteral("contacts"));
    });
}

} // namespace wvs
