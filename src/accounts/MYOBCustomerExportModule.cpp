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
            using AccountsFileRules::cut;
            file.writeLine({isCompany ? company : cut(text("Surname"), MYOBCardLengths::Surname),
                            isCompany ? QString() : cut(text("Forename"), MYOBCardLengths::Forename),
                            text("AccountsRef"),
                            q.value(QStringLiteral("CustomerStatus")).toInt() == 9 ? QStringLiteral("Y")
                                                                                    : QStringLiteral("N"),
                            text("CAddress1"),
                            text("CAddress2"),
                            text("CAddress3"),
                            text("CSuburb"),
                            text("CCity"),
                            cut(text("CPostCode"), MYOBCardLengths::PostCode),
                            cut(text("Phone1"), MYOBCardLengths::Phone),
                            cut(text("Phone2"), MYOBCardLengths::Phone),
                            cut(text("Email1"), MYOBCardLengths::Email),
                            cut(text("CustomerComment"), MYOBCardLengths::Notes)});
            ++rows;
        } while (q.next());
        file.commit(rows);
    });
}

} // namespace wvs
