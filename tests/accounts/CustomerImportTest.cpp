#include "accounts/CustomerImportModule.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "accounts/AccountsTestData.h"

using namespace wvs;

namespace {

class CustomerImportTest : public test::AccountsTest {
protected:
    // The log's lines without their time stamps ("dd/MM/yyyy HH:mm:ss").
    QStringList logLines(const char *package) const
    {
        const QString text = QString::fromUtf8(bytes(path(QString("%1 Customer Import.log").arg(package))));
        QStringList out;
        for (const QString &l : text.split("\r\n")) {
            static const QRegularExpression stamp("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d");
            out << QString(l).remove(stamp);
        }
        return out;
    }
    QString logPath(const char *package) const { return path(QString("%1 Customer Import.log").arg(package)); }
};

TEST_F(CustomerImportTest, ImportingTheProgramsOwnExportChangesNothing)
{
    // Values the card file carries whole.
    writeSql("UPDATE Customers SET Email1 = 'acc@brown.example', CustomerComment = 'Key under mat' "
             "WHERE AccountsRef = 'BROWN'");
    const QStringList before = customers();
    MYOBCustomerExport(path("cards.txt"));
    MYOBCustomerImport(path("cards.txt"));
    EXPECT_EQ(customers(), before);
    EXPECT_EQ(logLines("MYOB"), QStringList({" MYOB Customer Import started",
                                             " Customer import completed - 2 records processed successfully", ""}));
    EXPECT_EQ(msgs_->shown().last().text,
              "Customer import completed  = refer to " + logPath("MYOB") + " for details");
    EXPECT_EQ(msgs_->shown().last().title, "WVS");

    XeroCustomerExport(path("contacts.csv"));
    XeroCustomerImport(path("contacts.csv"));
    EXPECT_EQ(customers(), before);
}

TEST_F(CustomerImportTest, MyobFileWithTabsOldHeadingsAndBadLinesSkipsWhatItCannotMatch)
{
    write(path("myob.txt"),
          "{}\n"
          "Co./Last Name\tFirst Name\tCard ID\tCard Status\tAddr 1 - Line 1\t - Line 2\t - City\t - Phone No. 3\t"
          "Addr 1 - Contact Name\tAddr 2 - Line 1\t - Line 2\n"
          "Smith\tAnna\tSMITH01\tN\t3 New Road\t\"Unit 4, Block B\"\tHamilton\t07 111\t\tOther\tOther 2\n"
          "Green Gardens\t\tGREEN\ty\t9 Park Ave\t\tNapier\t\tGail Green\t\t\n"
          "Nobody\tNo\t*None\tN\t\t\t\t\t\t\t\n"
          "Empty\tKey\t\tN\t\t\t\t\t\t\t\n"
          "Short\tLine\tSHORT\n"
          "Again\tAnna\tsmith01\tY\t\t\t\t\t\t\t\n"
          "Brown, Sons & Co\t\tBROWN\tN\t1 Quay St\t\tWellington\t\t\t\t\n");
    MYOBCustomerImport(path("myob.txt"));
    EXPECT_EQ(logLines("MYOB"),
              QStringList({" MYOB Customer Import started", "Line 5 skipped: it has no accounts reference",
                           "Line 6 skipped: it has no accounts reference",
                           "Line 7 skipped: it holds 3 values where the heading names 11",
                           "Line 8 skipped: smith01 appears earlier in the file",
                           " Customer import completed - 3 records processed successfully", ""}));
    // The matched person keeps what the file does not carry; a prospect stays one.
    EXPECT_EQ(field("SMITH01", "CAddress2"), "Unit 4, Block B");
    EXPECT_EQ(field("SMITH01", "CCity"), "Hamilton");
    EXPECT_EQ(field("SMITH01", "Phone3"), "07 111");
    EXPECT_EQ(field("SMITH01", "CSuburb"), "Ponsonby");
    EXPECT_EQ(field("SMITH01", "Email2"), "a2@example.com");
    EXPECT_EQ(field("SMITH01", "CustomerStatus"), "2");
    // A new company card: only "Y" marks a card inactive.
    EXPECT_EQ(field("GREEN", "CompanyName"), "Green Gardens");
    EXPECT_EQ(field("GREEN", "ContactName"), "Gail Green");
    EXPECT_EQ(field("GREEN", "CustomerStatus"), "1");
    EXPECT_EQ(field("GREEN", "DateEntered"), QDate::currentDate().toString("yyyy-MM-dd"));
    // An active card makes the inactive company active and keeps its people's names.
    EXPECT_EQ(field("BROWN", "CustomerStatus"), "1");
    EXPECT_EQ(field("BROWN", "Surname"), "Brown");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers").toInt(), 4);
}

TEST_F(CustomerImportTest, XeroFileWithByteOrderMarkQuotedFieldsAndCrEndings)
{
    write(path("xero.csv"),
          "\xEF\xBB\xBF*ContactName,EmailAddress,FirstName,LastName,SAAddressLine1,SARegion,PhoneNumber\r"
          "\"Harbour View Apartments, Body Corporate 123\",hv@example.com,Hana,\"O\"\"Neil\",\"Level 2\nTower\",Mt Eden,\r"
          "SMITH01,new@example.com,Anna,Smith,12 Oak Street,Ponsonby,09 555 1234\r");
    XeroCustomerImport(path("xero.csv"));
    const QString key = "Harbour View Apartments, Body";
    EXPECT_EQ(field(key, "Surname"), "O\"Neil");
    EXPECT_EQ(field(key, "CAddress1"), "Level 2\nTower");
    EXPECT_EQ(field(key, "CSuburb"), "Mt Eden");
    EXPECT_EQ(field("SMITH01", "Email1"), "new@example.com");
    EXPECT_EQ(field("SMITH01", "Phone2"), "021 555 999");
    EXPECT_EQ(logLines("Xero").at(1), " Customer import completed - 2 records processed successfully");

    // The same file again finds the cut key and adds nobody.
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers").toInt(), 4);
}

TEST_F(CustomerImportTest, AFailedImportChangesNothingAndSaysWhereTheLogIs)
{
    const QStringList before = customers();
    write(path("nokey.csv"), "FirstName,LastName\r\nAnna,Smith\r\n");
    XeroCustomerImport(path("nokey.csv"));
    EXPECT_EQ(customers(), before);
    EXPECT_EQ(logLines("Xero"), QStringList({" Xero Customer Import started", " The following error was encountered:",
                                             "Error Code: 3274",
                                             "Description: The file has no column headed \"contactname\"", "",
                                             "Customer import abandoned", ""}));
    EXPECT_EQ(msgs_->last(), "Customer import failed - refer to " + logPath("Xero") + " for details");

    XeroCustomerImport(path("missing.csv"));
    EXPECT_EQ(logLines("Xero").at(2), "Error Code: 53");

    msgs_->clear();
    write(path("empty.csv"), "");
    XeroCustomerImport(path("empty.csv"));
    EXPECT_EQ(logLines("Xero").at(1), " " + path("empty.csv") + " is empty. Import abandoned.");
    EXPECT_TRUE(msgs_->texts().isEmpty());

    XeroCustomerImport("");
    EXPECT_EQ(msgs_->last(), " not found - import abandoned");
}

} // namespace
