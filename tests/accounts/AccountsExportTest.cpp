#include "accounts/AccountsFileWriter.h"
#include "accounts/AccountsTestData.h"
#include "accounts/InvoiceNumbering.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/MYOBSalesExportModule.h"
#include "accounts/RoundAdvModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "accounts/XeroSalesExportModule.h"
#include "core/Session.h"

#include <QLocale>

using namespace wvs;
using wvs::test::readFileBytes;

namespace {

TEST(RoundAdvTest, RoundsHalvesAwayFromZeroOnTheDecimalDigits)
{
    for (const auto &[value, rounded] : {std::pair{86.9565, 86.96}, {2.345, 2.35}, {-2.345, -2.35},
                                         {1.00445, 1.0} /* four decimals first: 1.0044 */, {99.995, 100.0},
                                         {123456.785, 123456.79}})
        EXPECT_DOUBLE_EQ(RoundAdv(value, 2), rounded) << value;
}

TEST(InvoiceNumberingTest, CountsUpTheTrailingDigitsKeepingTheirWidth)
{
    auto run = [](const QString &start, int n) {
        QStringList out;
        auto numbers = InvoiceNumbering::fromStart(start);
        for (int i = 0; numbers && i < n; ++i)
            out << numbers->next();
        return out;
    };
    EXPECT_EQ(run("0998", 3), QStringList({"0998", "0999", "1000"}));
    EXPECT_EQ(run("A99", 2), QStringList({"A99", "A100"}));
    EXPECT_EQ(run("2026-17", 1), QStringList({"2026-17"}));

    EXPECT_EQ(InvoiceNumbering::refusal(""), "Please enter a starting invoice number");
    // Any digit 0 to 9 may end it, a single digit alone too; the characters either side of the digits may not.
    for (const QChar digit : QString("0123456789")) {
        EXPECT_EQ(InvoiceNumbering::refusal(QString("INV") + digit), "") << digit.toLatin1();
        EXPECT_EQ(InvoiceNumbering::refusal(QString(digit)), "") << digit.toLatin1();
    }
    for (const char *start : {"41/", "41:", "41A", "41 "})
        EXPECT_EQ(InvoiceNumbering::refusal(start), "The starting invoice number must end in at least 1 number") << start;
    EXPECT_TRUE(InvoiceNumbering::refusal("X" + QString(19, '9')).startsWith("The number at the end"));
    EXPECT_EQ(InvoiceNumbering::refusal("X000" + QString(18, '9')), "");
    EXPECT_FALSE(InvoiceNumbering::fromStart("X" + QString(19, '9')));
}

TEST(AccountsFileRulesTest, AmountsHaveNoForcedDecimalsAndEachPackageItsCodePage)
{
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(1250)), "12.5");
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(-325)), "-3.25");
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(12345678905)), "123456789.05");
    EXPECT_EQ(AccountsFileRules::line(AccountsPackage::MYOB, {"Zoë", "\"Hi\" there", "a\nb"}),
              QByteArray("Zo\xEB,\"\"\"Hi\"\" there\",a b\r\n"));
    EXPECT_EQ(AccountsFileRules::line(AccountsPackage::Xero, {"Zoë", "x\r\ny"}), QByteArray("Zo\xC3\xAB,\"x\r\ny\"\r\n"));
    // MYOB files are in Windows-1252: its quotes, dashes and euro survive.
    EXPECT_EQ(AccountsFileRules::line(AccountsPackage::MYOB, {"O’Neil – “€5”", "Ōrākei 😀"}),
              QByteArray("O\x92Neil \x96 \x93\x80" "5\x94,?r?kei ?\r\n"));
}

class AccountsExportTest : public test::AccountsTest {};

TEST_F(AccountsExportTest, MyobCardFileCutsValuesQuotesCommasAndFlattensLineBreaks)
{
    MYOBCustomerExport(path("cards.txt"));
    EXPECT_EQ(msgs_->texts(), QStringList({"File created with 2 records"}));
    EXPECT_EQ(readFileBytes(path("cards.txt")),
              "{},,,,,,,,,,,,,\r\n"
              "Co./Last Name,First Name,Card ID,Card Status,Addr 1 - Line 1,Addr 1 - Line 2,Addr 1 - Line 3,"
              "Addr 1 - Line 4,Addr 1 - City,Addr 1 - Postcode,Addr 1 - Phone No. 1,Addr 1 - Phone No. 2,"
              "Addr 1 - Email,Notes\r\n"
              "Smith,Anna,SMITH01,N,12 Oak Street,Flat 2,,Ponsonby,Auckland,1011,09 555 1234,021 555 999,"
              "anna@example.com,Gate code 1234\r\n"
              "\"Brown, Sons & Co\",,BROWN,Y,1 Quay St,,,Central,Wellington,6011,09 444 4444,,"
              "accounts@brownsons.ex,First line Second \"quoted\" line\r\n");

    // Each cut column one character over its length, and an address line, which is not cut.
    writeSql("UPDATE Customers SET Surname = ?, Forename = ?, CAddress1 = ?, CPostCode = ?, Phone1 = ?, Phone2 = ?, "
             "Email1 = ?, CustomerComment = ? WHERE AccountsRef = 'SMITH01'",
             {QString(31, 'S'), QString(16, 'F'), QString(120, 'A'), QString(11, 'P'), QString(22, '1'),
              QString(22, '2'), QString(22, 'e'), QString(256, 'n')});
    MYOBCustomerExport(path("cards.txt"));
    EXPECT_TRUE(readFileBytes(path("cards.txt"))
                    .contains("\r\n" + QByteArray(30, 'S') + "," + QByteArray(15, 'F') + ",SMITH01,N," + QByteArray(120, 'A')
                              + ",Flat 2,,Ponsonby,Auckland," + QByteArray(10, 'P') + "," + QByteArray(21, '1') + ","
                              + QByteArray(21, '2') + "," + QByteArray(21, 'e') + "," + QByteArray(255, 'n') + "\r\n"));
}

TEST_F(AccountsExportTest, XeroContactsFileQuotesAsCsvAndHeadsTheNameForXero)
{
    writeSql("UPDATE Customers SET CAddress2 = 'Line \"A\"' WHERE CustomerNumber = 2");
    XeroCustomerExport(path("contacts.csv"));
    EXPECT_EQ(readFileBytes(path("contacts.csv")),
              "*ContactName,FirstName,LastName,SAAddressLine1,SAAddressLine2,SAAddressLine3,SAAddressLine4,SACity,"
              "SAPostalCode,PhoneNumber\r\n"
              "SMITH01,Anna,Smith,12 Oak Street,Flat 2,,Ponsonby,Auckland,1011,09 555 1234\r\n"
              "BROWN,Bob,Brown,1 Quay St,\"Line \"\"A\"\"\",,Central,Wellington,6011,09 444 4444\r\n");
}

TEST_F(AccountsExportTest, MyobSalesAreTheJobsDoneInThePeriodWithExactAmountsWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setTax(true, 15);
    MYOBSalesExport(path("sales.txt"), "02 Mar 2026", "31 Mar 2026");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(msgs_->texts(), QStringList({"File created with 2 records"}));
    EXPECT_EQ(readFileBytes(path("sales.txt")),
              "{}\r\n"
              "Card ID,Account No.,Amount,Inclusive,Description,Date\r\n"
              "SMITH01,4-1100,115,X,Window cleaning,02/03/2026\r\n\r\n"
              "BROWN,4-1100,123456.78,X,Window cleaning,31/03/2026\r\n\r\n");

    setTax(false, 15);
    msgs_->clear();
    MYOBSalesExport(path("sales.txt"), "31 Mar 2026", "31 Mar 2026");
    EXPECT_TRUE(readFileBytes(path("sales.txt")).endsWith("BROWN,4-1100,123456.78,,Window cleaning,31/03/2026\r\n\r\n"));
}

TEST_F(AccountsExportTest, XeroInvoicesAreNumberedWithTaxTakenOffAndAUsDatePattern)
{
    session().installationCountry = "USA";
    setTax(true, 15, "GST on Income");
    XeroSalesExport(path("invoices.csv"), "01 Mar 2026", "31 Mar 2026", "INV0099");
    EXPECT_EQ(msgs_->texts(), QStringList({"File created with 2 records"}));
    EXPECT_EQ(readFileBytes(path("invoices.csv")),
              "ContactName,InvoiceNumber,InvoiceDate,*DueDate,Description,Quantity,UnitAmount,AccountCode,TaxType\r\n"
              "SMITH01,INV0099,03/02/2026,03/02/2026,Window cleaning,1,100,4-1100,GST on Income\r\n"
              "BROWN,INV0100,03/31/2026,03/31/2026,Window cleaning,1,107353.72,4-1100,GST on Income\r\n");

    setTax(false, 15, "");
    XeroSalesExport(path("invoices.csv"), "31 Mar 2026", "31 Mar 2026", "7");
    EXPECT_TRUE(readFileBytes(path("invoices.csv")).endsWith("BROWN,7,03/31/2026,03/31/2026,Window cleaning,1,123456.78,4-1100,\r\n"));
}

TEST_F(AccountsExportTest, TaxIsTakenOffToTheCentHalvesAwayFromZero)
{
    EXPECT_EQ(taxExclusiveAmount(Money::fromCents(10000), 15), Money::fromCents(8696));
    EXPECT_EQ(taxExclusiveAmount(Money::fromCents(1), 100), Money::fromCents(1));       // 0.005
    EXPECT_EQ(taxExclusiveAmount(Money::fromCents(12345), 0), Money::fromCents(12345)); // no tax in the cost
    EXPECT_EQ(taxExclusiveAmount(Money::fromCents(99999999999), 12.5), Money::fromCents(88888888888));
}

TEST_F(AccountsExportTest, NothingToWriteLeavesTheOldFileAndAMissingFolderIsReported)
{
    write(path("old.csv"), "old");
    XeroSalesExport(path("old.csv"), "01 Jan 2027", "31 Jan 2027", "1");
    MYOBSalesExport(path("old.csv"), "31 Mar 2026", "01 Mar 2026");
    writeSql("UPDATE Customers SET AccountsRef = ''");
    XeroCustomerExport(path("old.csv"));
    EXPECT_EQ(msgs_->texts(), QStringList({"No qualifying Customer Jobs found", "No qualifying Customer Jobs found",
                                           "No qualifying Customers found"}));
    EXPECT_EQ(readFileBytes(path("old.csv")), "old");
    writeSql("UPDATE Customers SET AccountsRef = 'R' || CustomerNumber");
    msgs_->clear();
    MYOBSalesExport(path("no such folder/cards.txt"), "01 Mar 2026", "31 Mar 2026");
    EXPECT_EQ(msgs_->last(), "Error 76 encountered when trying to open " + path("no such folder/cards.txt"));
}

TEST_F(AccountsExportTest, AnExportLargerThanXeroTakesAtOnceSaysSo)
{
    Transaction t;
    for (int i = 0; i < 1000; ++i)
        writeSql("INSERT INTO Customers (Surname, AccountsRef) VALUES ('X', ?)", {QString("C%1").arg(i)});
    t.commit();
    XeroCustomerExport(path("contacts.csv"));
    EXPECT_TRUE(msgs_->last().startsWith("File created with 1002 records\r\n\r\nXero takes at most 1000 contacts"))
        << msgs_->last().toStdString();
}

} // namespace
