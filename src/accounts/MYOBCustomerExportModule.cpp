#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/AccountsFileWriter.h"
#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"

namespace wvs {

void MYOBCustomerExport(const QString &fileName)
{
    guarded("MYOBCustomerExportModule", "MYOBCustomerExport", [&] {
        QSqlQuery q = execSql(QStringLiteral(
            "SELECT CompanyName, Surname, Forename, AccountsRef, CustomerStatus, CAddress1, CAddress2, CAddress3, "
            "CSuburb, CCity, CPostCode, Phone1, Phone2, Email1, CustomerComment FROM Customers "
            "WHERE AccountsRef <> '' AND (CompanyName <> '' OR Surname <> '') ORDER BY CustomerNumber"));
        if (!q.next()) {
            msgBox(QString::fromLatin1(AccountsMessages::NoCustomers));
            return;
        }
        AccountsFileWriter file(AccountsPackage::MYOB);
        if (!file.open(fileName))
            return;
        QStringList first{QStringLiteral("{}")};
        for (int i = 0; i < 13; ++i)
            first << QString();
        file.writeLine(first);
        file.writeLine({QStringLiteral("Co./Last Name"), QStringLiteral("First Name"), QStringLiteral("Card ID"),
                        QStringLiteral("Card Status"), QStringLiteral("Addr 1 - Line 1"),
                        QStringLiteral("Addr 1 - Line 2"), QStringLiteral("Addr 1 - Line 3"),
                        QStringLiteral("Addr 1 - Line 4"), QStringLiteral("Addr 1 - City"),
                        QStringLiteral("Addr 1 - Postcode"), QStringLiteral("Addr 1 - Phone No. 1"),
                        QStringLiteral("Addr 1 - Phone No. 2"), QStringLiteral("Addr 1 - Email"),
                        QStringLiteral("Notes")});
        qint64 rows = 0;
        do {
            auto text = [&](const char *field) { return q.value(QString::fromLatin1(field)).toString(); };
            const QString company = text("CompanyName");
            const bool isCompany = !company.isEmpty();
            file.writeLine({isCompany ? company : text("Surname").left(30),
                            isCompany ? QString() : text("Forename").left(15),
                            text("AccountsRef"),
                            q.value(QStringLiteral("CustomerStatus")).toInt() == 9 ? QStringLiteral("Y")
                                                                                    : QStringLiteral("N"),
                            text("CAddress1"),
                            text("CAddress2"),
                            text("CAddress3"),
                            text("CSuburb"),
                            text("CCity"),
                            text("CPostCode").left(10),
                            text("Phone1").left(21),
                            text("Phone2").left(21),
                            text("Email1").left(21),
                            text("CustomerComment").left(255)});
            ++rows;
        } while (q.next());
        file.commit(rows);
    });
}

} // namespace wvs
