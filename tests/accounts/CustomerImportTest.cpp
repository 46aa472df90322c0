#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/AccountsFileReader.h"
#include "accounts/CustomerImportModule.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "accounts/AccountsTestData.h"
#include "support/ControlCharacters.h"
#include "support/Keys.h"
#include "support/OrdinaryUser.h"

using namespace wvs;
using wvs::test::readFileBytes;

namespace {

class CustomerImportTest : public test::AccountsTest {
protected:
    // The log's lines without their time stamps ("dd/MM/yyyy HH:mm:ss").
    QStringList logLines(const char *package) const
    {
        static const QRegularExpression stamp("(^|\r\n)\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d");
        return QString::fromUtf8(readFileBytes(logPath(package))).replace(stamp, "\\1").split("\r\n");
    }
    static void importFile(const char *package, const QString &file)
    {
        QLatin1String(package) == QLatin1String("MYOB") ? MYOBCustomerImport(file) : XeroCustomerImport(file);
    }
    QString logPath(const char *package) const { return path(QString("%1 Customer Import.log").arg(package)); }
};

// The headings of the packages' own exports of customers.
const QStringList kXeroContactHeadings = QString(
    "ContactName,AccountNumber,EmailAddress,FirstName,LastName,POAttentionTo,POAddressLine1,POAddressLine2,"
    "POAddressLine3,POAddressLine4,POCity,PORegion,POPostalCode,POCountry,SAAttentionTo,SAAddressLine1,"
    "SAAddressLine2,SAAddressLine3,SAAddressLine4,SACity,SARegion,SAPostalCode,SACountry,PhoneNumber,FaxNumber,"
    "MobileNumber,DDINumber,SkypeName,BankAccountName,BankAccountNumber,BankAccountParticulars,TaxNumber,"
    "AccountsReceivableTaxCodeName,AccountsPayableTaxCodeName,Website,LegalName,Discount,CompanyNumber,"
    "DueDateBillDay,DueDateBillTerm,DueDateSalesDay,DueDateSalesTerm,SalesAccount,PurchasesAccount,"
    "TrackingName1,SalesTrackingOption1,TrackingName2,SalesTrackingOption2,BrandingTheme,Person1FirstName,"
    "Person1LastName,Person1Email").split(',');

QStringList myobCardHeadings()
{
    QStringList h = {"Co./Last Name", "First Name", "Card ID", "Card Status", "Currency Code"};
    for (int a = 1; a <= 5; ++a)
        for (const char *part : {"Line 1", "Line 2", "Line 3", "Line 4", "City", "State", "Postcode", "Country",
                                 "Phone No. 1", "Phone No. 2", "Phone No. 3", "Fax No.", "Email", "WWW",
                                 "Contact Name", "Salutation"})
            h << QString("Addr %1 - %2").arg(a).arg(part);
    return h + QString("Picture,Notes,Identifiers,Custom List 1,Custom List 2,Custom List 3,Custom Field 1,"
                       "Custom Field 2,Custom Field 3,Billing Rate,Terms - Payment is Due,Terms - Discount Days,"
                       "Terms - Balance Due Days,Terms - % Discount,Terms - % Monthly Charge,Tax Code,Credit Limit,"
                       "Tax ID No.,Volume Discount %,Sales/Purchase Layout,Price Level,Payment Method,"
                       "Payment Notes,Name on Card,Card Number,Expiry Date,BSB,Account Number,Account Name,"
                       "A.B.N.,A.B.N. Branch,Account,Salesperson,Salesperson Card ID,Comment,Shipping Method,"
                       "Printed Form,Freight Tax Code,Use Customer's Tax Code,Receipt Memo,"
                       "Invoice/Purchase Order Delivery,Record ID")
                   .split(',');
}

// The program's export as the package writes it back: all the package's
// columns, the ones the program did not send empty.
QByteArray asPackageExport(AccountsPackage package, const QString &file, const QStringList &headings)
{
    const bool myob = package == AccountsPackage::MYOB;
    AccountsFileReader in({package, myob ? 1 : 0, false});
    in.open(file);
    QStringList sent = in.next()->fields;
    for (QString &h : sent)
        h = CustomerImportFormat::normalHeading(h);
    QList<qsizetype> from;
    for (const QString &h : headings)
        from << sent.indexOf(CustomerImportFormat::normalHeading(h));
    for (const QString &h : sent)
        EXPECT_TRUE(from.contains(sent.indexOf(h))) << h.toStdString();
    QByteArray out;
    if (myob)
        out = AccountsFileRules::line(package, QStringList{"{}"} + QStringList(headings.size() - 1));
    out += AccountsFileRules::line(package, headings);
    while (const auto rec = in.next()) {
        QStringList values;
        for (const qsizetype i : from)
            values << (i < 0 ? QString() : rec->fields.at(i));
        out += AccountsFileRules::line(package, values);
    }
    return out;
}

// The program's own export, imported straight back or as the package writes
// it, changes nothing, however long or un-Latin its values are.
TEST_F(CustomerImportTest, RoundTripsThroughMyobAndXeroLeaveEveryCustomerAsItWas)
{
    auto add = [](const QVariantList &v) {
        writeSql("INSERT INTO Customers (Forename, Surname, CompanyName, Phone1, Email1, CAddress1, CSuburb, "
                 "CPostCode, CustomerComment, AccountsRef, CustomerStatus) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 v);
    };
    // 254 characters before the emoji, so the card's notes end inside it.
    const QString note = "\"Ring first\" – the gate sticks.\r\n" + QString(221, 'n') + "😀 and the rest";
    add({"Wiremu-Alexander Jnr", "Ōrākei-Whitcombe-Fitzgerald-Smythe", "", "+64 9 555 1234 ext 5678",
         "accounts.department@example.co.nz", "Level 3, Ōrākei Wharf", "Ōrākei", "AB12-3456-7890", note, "ŌRĀKEI01",
         1});
    add({"", "", "O’NEIL, HARBOUR 😀 Trust", "09 555 0101", "", "1 “Quay” St – East", "Ponsonby", "", "",
         "O’NEIL, HARBOUR", 9});
    // Names and a key longer than their fields, from before imports checked lengths.
    add({"", "Lonely", "", "", "", "", "", "", "", "LONELY-HEARTS-CLUB-OF-ORAKEI-NZ-01", 2});
    add({QString(49, 'f') + "😀", QString(60, 'S'), "", "", "", "", "", "", "", "WHĀNAU 😀", 1});
    // Every field filled, but the company name of a person and the forename
    // of a person stored without one.
    for (const auto &[column, value] :
         {std::pair{"Title", "Dr"}, {"ContactName", "Kiri O’Neil"}, {"Phone1", "09 555 0001"},
          {"Phone2", "021 555 0002"}, {"Phone3", "09 555 0003"}, {"Email1", "one@example.com"},
          {"Email2", "two@example.com"}, {"CAddress1", "1 Main Road"}, {"CAddress2", "Unit 4"},
          {"CAddress3", "Rear"}, {"CSuburb", "Herne Bay"}, {"CCity", "Auckland"}, {"CPostCode", "1011"},
          {"CustomerComment", "Side gate"}})
        writeSql(QString("UPDATE Customers SET %1 = ? WHERE %1 = ''").arg(column), {value});
    writeSql("UPDATE Customers SET Forename = 'Kiri' WHERE Forename = '' AND CompanyName <> ''");
    const QStringList before = customersDump();

    MYOBCustomerExport(path("cards.txt"));
    MYOBCustomerImport(path("cards.txt"));
    EXPECT_EQ(customersDump(), before);
    EXPECT_EQ(logLines("MYOB"), QStringList({" MYOB Customer Import started", "The file was read as Windows-1252 text",
                                             " Customer import completed - 6 records processed successfully", ""}));
    EXPECT_EQ(msgs_->shown().last().text,
              "Customer import completed  = refer to " + logPath("MYOB") + " for details");
    EXPECT_EQ(msgs_->shown().last().title, "WVS");   // the program's name, not an empty title
    write(path("myob.txt"), asPackageExport(AccountsPackage::MYOB, path("cards.txt"), myobCardHeadings()));
    MYOBCustomerImport(path("myob.txt"));
    EXPECT_EQ(customersDump(), before);
    EXPECT_EQ(logLines("MYOB").at(2), " Customer import completed - 6 records processed successfully");

    XeroCustomerExport(path("contacts.csv"));
    XeroCustomerImport(path("contacts.csv"));
    EXPECT_EQ(customersDump(), before);
    EXPECT_EQ(logLines("Xero").mid(1, 2), QStringList({"The file was read as UTF-8 text",
                                                       " Customer import completed - 6 records processed successfully"}));
    write(path("xero.csv"), asPackageExport(AccountsPackage::Xero, path("contacts.csv"), kXeroContactHeadings));
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(customersDump(), before);
    EXPECT_EQ(logLines("Xero").at(2), " Customer import completed - 6 records processed successfully");
}

TEST_F(CustomerImportTest, ALineThatCannotBeTakenWholeAbandonsTheImportAndTheLogNamesIt)
{
    const QByteArray head = "{},,,,,,,,,,,,,\r\nCo./Last Name,First Name,Card ID,Card Status,Addr 1 - Line 1,Notes\r\n";
    struct Case {
        const char *package;
        QByteArray file;
        QString description;
    };
    const QList<Case> cases = {
        {"MYOB",
         head + "Green,Gail,GREEN,N,9 Park Ave,\"Call first\r\nSmith,Anna,SMITH01,N,12 Oak St,\r\n"
                "Brown,Bob,BROWN,N,1 Quay St,Dog\" bites\r\n",
         "Line 3 cannot be read: a double quote in it is never closed"},
        {"Xero", "*ContactName,FirstName,LastName\r\nGREEN,\"Gail,Green\r\nSMITH01,Anna,Sm\"ith\r\n",
         "Line 2 cannot be read: a double quote in it is never closed"},
        // A quote still open at the end of the file.
        {"Xero", "*ContactName,FirstName,LastName\r\nGREEN,Gail,Green\r\nSMITH01,\"Anna\r\nSmith,x,y\r\n",
         "Line 3 cannot be read: a double quote in it is never closed"},
        // A MYOB card is one line: a quote closed on a later line was never closed on its own.
        {"MYOB", head + "Green,Gail,GREEN,N,9 Park Ave,\"Call first\r\nSmith\",Anna\r\n",
         "Line 3 cannot be read: a double quote in it is never closed"},
        {"MYOB", head + "Green,Gail,GREEN,N,9 Park Ave,\r\nShort,Line,SHORT\r\n",
         "Line 4 holds 3 values where the heading names 6"},
        {"MYOB", head + "Green,Gail,GREEN,N,9 Park Ave,Note,stray\r\n",
         "Line 3 holds 7 values where the heading names 6"},
        {"MYOB", head + QByteArray(300, 'S') + ",Gail,GREEN,N,,\r\n",
         "Line 3: the value for Surname is 300 characters long; the field holds at most 50"},
        {"MYOB", head + "Green,Gail,GREEN,N,,\r\nSmith,Anna,SMITH01,N," + QByteArray(500, 'a') + ",\r\n",
         "Line 4: the value for CAddress1 is 500 characters long; the field holds at most 100"},
        {"MYOB", head + "Green,Gail," + QByteArray(31, 'G') + ",N,,\r\n",
         "Line 3: the value for AccountsRef is 31 characters long; the field holds at most 30"},
        {"Xero", "*ContactName,FirstName,LastName\r\n\"A\r\nB\",\"x\ny\",z\rC,D,E,F\r\n",
         "Line 5 holds 4 values where the heading names 3"},
        // A Xero file mixing UTF-8 with Windows-1252 (\xC5\x8C is "Ō" in
        // UTF-8, \xE1 "á" in Windows-1252): the first line that is not UTF-8.
        {"Xero", "*ContactName,FirstName,LastName\r\nORAKEI,T\xC4\x81ne,12 \xC5\x8Cr\xC4\x81kei Rd\r\nSEAN,Se\xE1n,Brown\r\n",
         "Line 3 is not valid UTF-8, but the file also holds UTF-8 text: a file that mixes two encodings "
         "cannot be read safely"},
        {"Xero", "*ContactName,FirstName,LastName\r\nSEAN,Se\xE1n,Brown\r\nA,B,C\r\nORAKEI,T\xC4\x81ne,Smith\r\n",
         "Line 2 is not valid UTF-8, but the file also holds UTF-8 text: a file that mixes two encodings "
         "cannot be read safely"},
        {"MYOB", "\xEF\xBB\xBF" + head + "Green,Se\xE1n,GREEN,N,,\r\n",
         "Line 3 is not valid UTF-8, although the file begins with the UTF-8 byte-order mark"},
        {"MYOB", head + "Green,Gail,GREEN,N,," + QByteArray(1100000, 'n') + "\r\n",
         "Line 3 is longer than 1048576 bytes and cannot be read"},
        {"Xero", "*ContactName,FirstName,LastName\r\nGREEN,\"Gail\n" + (QByteArray(1000, 'x') + "\n").repeated(1100),
         "Line 2 cannot be read: a double quote in it is never closed"},
    };
    const QStringList before = customersDump();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.description.toStdString());
        write(path("in.txt"), c.file);
        importFile(c.package, path("in.txt"));
        EXPECT_EQ(customersDump(), before);
        EXPECT_EQ(msgs_->last(), "Customer import failed - refer to " + logPath(c.package) + " for details");
        EXPECT_TRUE(logLines(c.package).contains("Description: " + c.description)) << logLines(c.package).join("\n").toStdString();
    }
}

// Hostile files that still come in: the package's 8-bit code page and a column given twice.
TEST_F(CustomerImportTest, Windows1252TextAndARepeatedColumnComeInAsMeant)
{
    write(path("myob.txt"), "{},,,,,,,,,,,,,\r\n"
                            "Co./Last Name,First Name,Card ID,Addr 1 - Email,Notes,Addr 1 - Email\r\n"
                            "O\x92Neil,Se\xE1n,ONEIL,old@example.com,\x93Gate\x94 \x96 \x80"
                            "5 fee,sean@example.com\r\n");
    MYOBCustomerImport(path("myob.txt"));
    EXPECT_EQ(field("ONEIL", "Surname, Forename, CustomerComment, Email1"),
              "O’Neil|Seán|“Gate” – €5 fee|sean@example.com");
}

// A spreadsheet saved with a million empty rows: the log names the first
// hundred skipped lines and counts the rest; the message counts them all.
TEST_F(CustomerImportTest, AMillionSkippedLinesKeepTheLogSmallAndTheCountExact)
{
    write(path("xero.csv"), "*ContactName,FirstName,LastName\r\nNEW01,Anna,New\r\n,Bob,Nokey\r\nnew01,Ann,Again\r\n"
                                + QByteArray(",,\r\n\r\n").repeated(499999));
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(msgs_->last(), "Customer import completed  = refer to " + logPath("Xero") +
                                 " for details\r\n1000000 lines of the file were skipped");
    EXPECT_LT(QFileInfo(logPath("Xero")).size(), 100 * 1024);
    const QStringList lines = logLines("Xero");
    ASSERT_EQ(lines.size(), 105);
    EXPECT_EQ(lines.mid(1, 3), QStringList({"Line 3 skipped: it has no accounts reference",
                                            "Line 4 skipped: new01 appears earlier in the file",
                                            "Line 5 skipped: it is empty"}));
    EXPECT_EQ(lines.mid(100, 4), QStringList({"Line 102 skipped: it is empty", "999900 more lines were skipped",
                                              "The file was read as UTF-8 text",
                                              " Customer import completed - 1 records processed successfully"}));
    EXPECT_EQ(field("NEW01", "Surname"), "New");
}

// Cuts at emoji: every cut ends on a whole character.
TEST_F(CustomerImportTest, CutsNeverSplitAnEmoji)
{
    write(path("xero.csv"), ("*ContactName,FirstName,LastName\r\n" + QString(29, 'A') + "😀 Trading," +
                             QString(49, 'f') + "😀,Tāne\r\n")
                                .toUtf8());
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(field(QString(29, 'A'), "Forename"), QString(49, 'f'));

    writeSql("UPDATE Customers SET Surname = ?, Forename = ?, Email1 = ? WHERE AccountsRef = 'SMITH01'",
             {QString(29, 's') + "😀", QString(14, 'a') + "😀", QString(20, 'e') + "😀@x"});
    MYOBCustomerExport(path("cards.txt"));
    const QByteArray cards = readFileBytes(path("cards.txt"));
    EXPECT_TRUE(cards.contains("\r\n" + QByteArray(29, 's') + "," + QByteArray(14, 'a') + ",SMITH01,")) << cards.toStdString();
    EXPECT_TRUE(cards.contains("," + QByteArray(20, 'e') + ",")) << cards.toStdString();
}

TEST_F(CustomerImportTest, MyobFileWithTabsOldHeadingsAndBadLinesSkipsWhatItCannotMatch)
{
    write(path("myob.txt"),
          "{}\n"
          "Co./Last Name\tFirst Name\tCard ID\tCard Status\tAddr 1 - Line 1\t - Line 2\t - City\t - Phone No. 2\t"
          " - Phone No. 3\tAddr 1 - Contact Name\tAddr 2 - Line 1\t - Line 2\n"
          "Smith\tAnna\tSMITH01\tN\t3 New Road\t\"Unit 4, Block B\"\tHamilton\t\t07 111\t\tOther\tOther 2\n"
          "Green Gardens\t\tGREEN\ty\t9 Park Ave\t\tNapier\t06 222\t\tGail Green\t\t\n"
          "Nobody\tNo\t*None\tN\t\t\t\t\t\t\t\t\n"
          "Empty\tKey\t\tN\t\t\t\t\t\t\t\t\n"
          "Again\tAnna\tsmith01\tY\t\t\t\t\t\t\t\t\n"
          "Brown, Sons & Co\t\tbrown\tN\t1 Quay St\t\tWellington\t\t\t\t\t\n");
    MYOBCustomerImport(path("myob.txt"));
    EXPECT_EQ(logLines("MYOB"),
              QStringList({" MYOB Customer Import started", "Line 5 skipped: it has no accounts reference",
                           "Line 6 skipped: it has no accounts reference",
                           "Line 7 skipped: smith01 appears earlier in the file",
                           "The file was read as Windows-1252 text",
                           " Customer import completed - 3 records processed successfully", ""}));
    // The matched person keeps what the file does not carry; a prospect
    // stays one. Quotes in a tab-separated file are plain characters.
    EXPECT_EQ(field("SMITH01", "CAddress2, CCity, Phone3, CSuburb, Email2, CustomerStatus"),
              "\"Unit 4, Block B\"|Hamilton|07 111|Ponsonby|a2@example.com|2");
    // A new company card: only "Y" marks a card inactive.
    EXPECT_EQ(field("GREEN", "CompanyName, ContactName, CustomerStatus, DateEntered"),
              "Green Gardens|Gail Green|1|" + QDate::currentDate().toString("yyyy-MM-dd"));
    // An active card, its key in other case, makes the company active and keeps its people's names.
    EXPECT_EQ(field("BROWN", "CustomerStatus, Surname"), "1|Brown");
    // A preferred phone the card empties moves to the first phone that holds a number.
    EXPECT_EQ(rowsOf("SELECT AccountsRef, Phone1, Phone2, PreferredPhone FROM Customers WHERE AccountsRef <> '' ORDER BY 1"),
              "BROWN|09 444 4444||1;GREEN||06 222|2;SMITH01|09 555 1234||1");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers").toInt(), 4);
}

TEST_F(CustomerImportTest, XeroFileWithByteOrderMarkQuotedFieldsAndCrEndings)
{
    writeSql("INSERT INTO Customers (Surname, AccountsRef) VALUES ('School', 'école')");
    write(path("xero.csv"),
          "\xEF\xBB\xBF*ContactName,EmailAddress,FirstName,LastName,SAAddressLine1,SARegion,PhoneNumber\r"
          "\"Harbour View Apartments, Body Corporate 123\",hv@example.com,Hana,\"O\"\"Neil\",\"Level 2\nTower\",Mt Eden,\r"
          "SMITH01,new@example.com,Anna,Smith,12 Oak Street,Ponsonby,09 555 1234\r"
          "ÉCOLE,,,École,,,\r");
    XeroCustomerImport(path("xero.csv"));
    const QString key = "Harbour View Apartments, Body";
    EXPECT_EQ(field(key, "Surname, CAddress1, CSuburb"), "O\"Neil|Level 2 Tower|Mt Eden");
    EXPECT_EQ(field("SMITH01", "Email1, Phone2"), "new@example.com|021 555 999");
    EXPECT_EQ(logLines("Xero").at(2), " Customer import completed - 3 records processed successfully");
    // Only A to Z match in either case: "ÉCOLE" is another customer than "école".
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers WHERE Surname IN ('School', 'École')").toInt(), 2);

    // The same file again finds the cut key and adds nobody.
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers").toInt(), 6);
}

// The suburb is Xero's region when it has one, else the fourth address
// line, where the program's own export puts it; an empty region or mobile
// number, which the program never sends, leaves a matched customer's alone.
// A preferred phone left empty moves to the first phone that holds a number
// (the first when none does).
TEST_F(CustomerImportTest, XeroSuburbComesFromTheRegionElseTheFourthAddressLine)
{
    writeSql("UPDATE Customers SET PreferredPhone = 1 WHERE AccountsRef = 'SMITH01'");
    write(path("xero.csv"), "ContactName,SAAddressLine4,SARegion,MobileNumber,PhoneNumber\r\n"
                            "SMITH01,Grey Lynn,,,\r\n"
                            "BROWN,,,,\r\n"
                            "NEW01,Herne Bay,,021 777,\r\n"
                            "NEW02,Herne Bay,Remuera,,09 888\r\n");
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(rowsOf("SELECT AccountsRef, CSuburb, Phone1, Phone2, PreferredPhone FROM Customers "
                     "WHERE AccountsRef <> '' ORDER BY 1"),
              "BROWN||||1;NEW01|Herne Bay||021 777|2;NEW02|Remuera|09 888||1;SMITH01|Grey Lynn||021 555 999|2");
}

// No one-line field takes a line break or a control character from a file:
// each value comes in as a paste into its box would, line breaks and the
// other separators and tabs as blanks, control characters dropped; the
// comment keeps its line breaks and tabs. The same file again changes nothing.
TEST_F(CustomerImportTest, ValuesComeInAsTheirBoxesWouldTakeAPaste)
{
    const struct {
        const char *package;
        QByteArray file;
        QString key;
        const char *fields;
        QString stored;
    } cases[] = {
        {"Xero",
         "*ContactName,FirstName,LastName,SAAddressLine1,SAAddressLine2,SAAddressLine3,SARegion,SACity,PhoneNumber\r\n"
         "\"CTRL\t01\",\"Fir\tst\",\"Last\x01Name\",\"12 \"\"Q\"\" St\r\nSecond line\",\"Flat\x7f 2\n\","
         "\"U\xE2\x80\xA8nit\",\"Sub\x0bVT\",\"Ci\rty\",\"09<NUL> 555\"\r\n",
         "CTRL 01", "Forename, Surname, CAddress1, CAddress2, CAddress3, CSuburb, CCity, Phone1",
         "Fir st|LastName|12 \"Q\" St Second line|Flat 2|U nit|Sub VT|Ci ty|09 555"},
        {"MYOB",
         "\xEF\xBB\xBF{}\r\nCo./Last Name,First Name,Card ID,Addr 1 - Line 3,Addr 1 - Line 4,Addr 1 - Phone No. 1,Notes\r\n"
         "Smithers\x01X,\"Jo\xE2\x80\xA9" "Ann\",SMX01,L3\xC2\x85y,\"Sub\x0c\x1burb\",\"09\t1\","
         "\"Gate\x01 code\t1234\x7f\x0b\xE2\x80\xA8ring\"\r\n",
         "SMX01", "Surname, Forename, CAddress3, CSuburb, Phone1, CustomerComment",
         "SmithersX|Jo Ann|L3 y|Sub urb|09 1|Gate code\t1234\n\nring"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.package);
        write(path("in.txt"), QByteArray(c.file).replace("<NUL>", QByteArray(1, '\0')));
        importFile(c.package, path("in.txt"));
        EXPECT_EQ(logLines(c.package).mid(1, 2), QStringList({QString("The file was read as UTF-8 text"),
                                                              " Customer import completed - 1 records processed successfully"}));
        EXPECT_EQ(field(c.key, c.fields), c.stored);
        const QStringList before = customersDump();
        importFile(c.package, path("in.txt"));
        EXPECT_EQ(customersDump(), before);
    }
}

// Each control character and separator in a value of a file comes in by the
// one rule of every box: a one-line field as a one-line box takes it, a MYOB
// note as a comment does. A MYOB card is one line of its file and ends at a
// CR or an LF, so those rows reach the Xero file (a quoted value) only.
TEST_F(CustomerImportTest, EveryControlCharacterComesInAsItsBoxWouldTakeIt)
{
    QByteArray xero = "*ContactName,SAAddressLine1\r\n";
    QByteArray myob = "\xEF\xBB\xBF{}\r\nCo./Last Name,First Name,Card ID,Addr 1 - Line 1,Notes\r\n";
    const auto &rows = test::controlRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const QByteArray text = test::withControl(rows[i]).toUtf8();
        xero += "XC" + QByteArray::number(int(i)) + ",\"" + text + "\"\r\n";
        if (!rows[i].endsACard)
            myob += "Card,Row,MC" + QByteArray::number(int(i)) + "," + text + "," + text + "\r\n";
    }
    write(path("contacts.csv"), xero);
    XeroCustomerImport(path("contacts.csv"));
    write(path("cards.txt"), myob);
    MYOBCustomerImport(path("cards.txt"));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(field("XC" + QString::number(i), "CAddress1"), rows[i].oneLine);
        if (!rows[i].endsACard)
            EXPECT_EQ(field("MC" + QString::number(i), "CAddress1, CustomerComment"), rows[i].oneLine + "|" + rows[i].comment);
    }
}

// The preferred phone after an import is the first phone that holds a
// number, a digit at least ("-" and "()" hold none), or the first when none
// does; a stored one that is 0 or empty, outside 1 to 3, is no choice.
TEST_F(CustomerImportTest, ThePreferredPhoneIsTheFirstThatHoldsADigit)
{
    writeSql("UPDATE Customers SET PreferredPhone = 0 WHERE AccountsRef = 'SMITH01'");
    writeSql("UPDATE Customers SET PreferredPhone = '' WHERE AccountsRef = 'BROWN'");
    const QString query = "SELECT AccountsRef, Phone1, Phone2, Phone3, PreferredPhone FROM Customers "
                          "WHERE AccountsRef <> '' ORDER BY 1";
    write(path("cards.txt"), "{}\r\nCo./Last Name,First Name,Card ID,Addr 1 - Phone No. 1,Addr 1 - Phone No. 2,"
                             "Addr 1 - Phone No. 3\r\n"
                             "Dash,Dan,DASH01,-,,09 555 0000\r\n"
                             "Blank,Bo,BLANK01, ,(),\r\n"
                             "Empty,Em,EMPTY01,,,\r\n"
                             "Smith,Anna,SMITH01,09 555 1234,021 555 999,\r\n");
    MYOBCustomerImport(path("cards.txt"));
    EXPECT_EQ(rowsOf(query), "BLANK01| |()||1;BROWN|09 444 4444|||;DASH01|-||09 555 0000|3;EMPTY01||||1;"
                             "SMITH01|09 555 1234|021 555 999|09 555 0000|1");

    write(path("contacts.csv"), "ContactName,PhoneNumber,MobileNumber,DDINumber\r\n"
                                "XDASH,-,,09 555 0000\r\n"
                                "XBLANK, ,(),\r\n"
                                "XEMPTY,,,\r\n"
                                "XMOBILE,(),(021) 5,\r\n"
                                "BROWN,09 444 4444,,\r\n");
    XeroCustomerImport(path("contacts.csv"));
    EXPECT_EQ(rowsOf(query + " LIMIT -1 OFFSET 5"),
              "XBLANK| |()||1;XDASH|-||09 555 0000|3;XEMPTY||||1;XMOBILE|()|(021) 5||2");
    EXPECT_EQ(field("BROWN", "PreferredPhone"), "1");

    // A matched customer whose preferred phone the file turns into "-"
    // moves to the first phone that holds a digit.
    writeSql("UPDATE Customers SET Phone1 = '', Phone2 = '021 2', Phone3 = '09 3', PreferredPhone = 2 "
             "WHERE AccountsRef = 'BROWN'");
    write(path("dash.txt"), "{}\r\nCard ID,Addr 1 - Phone No. 2\r\nBROWN,-\r\n");
    MYOBCustomerImport(path("dash.txt"));
    EXPECT_EQ(field("BROWN", "Phone1, Phone2, Phone3, PreferredPhone"), "|-|09 3|3");
}

TEST_F(CustomerImportTest, AFileWithoutTheKeyColumnEmptyOrUnnamedIsAbandoned)
{
    write(path("nokey.csv"), "FirstName,LastName\r\nAnna,Smith\r\n");
    XeroCustomerImport(path("nokey.csv"));
    EXPECT_EQ(logLines("Xero"), QStringList({" Xero Customer Import started", " The following error was encountered:",
                                             "Error Code: 3274",
                                             "Description: The file has no column headed \"contactname\"", "",
                                             "Customer import abandoned", ""}));

    msgs_->clear();
    write(path("empty.csv"), "");
    XeroCustomerImport(path("empty.csv"));
    EXPECT_EQ(logLines("Xero").at(1), " " + path("empty.csv") + " is empty. Import abandoned.");
    EXPECT_TRUE(msgs_->texts().isEmpty());

    XeroCustomerImport("");
    EXPECT_EQ(msgs_->last(), " not found - import abandoned");
}

// Xero files are UTF-8; one without any UTF-8 text that is not valid UTF-8
// is Windows-1252. A MYOB file is UTF-8 only behind a byte-order mark.
TEST_F(CustomerImportTest, EachFileIsReadInItsPackagesEncodingAndTheLogSaysWhich)
{
    struct Case {
        const char *package;
        QByteArray file;
        QString surname;
        const char *encoding;
    };
    const QList<Case> cases = {
        {"Xero", "*ContactName,LastName\r\nCAFE01,O\x92Neil \x96 Se\xE1n\r\n", "O’Neil – Seán", "Windows-1252"},
        {"Xero", "*ContactName,LastName\r\nCAFE01,\"\"\"Hi\"\" x\"\r\n", "\"Hi\" x", "UTF-8"},
        // As Xero writes its contacts: the byte-order mark, then the headings.
        {"Xero", "\xEF\xBB\xBF" "ContactName,LastName\r\nCAFE01,JOS\xC3\x89\xE2\x80\x99S\r\n", "JOSÉ’S", "UTF-8"},
        // Windows-1252 that is also valid UTF-8 ("É’" is C9 92).
        {"MYOB", "{}\r\nCo./Last Name,First Name,Card ID\r\nJOS\xC9\x92S,Ren\xC3\xA9,CAFE01\r\n", "JOSÉ’S", "Windows-1252"},
        {"MYOB", "\xEF\xBB\xBF{}\r\nCo./Last Name,First Name,Card ID\r\n\xC5\x8Cr\xC4\x81kei,Ren\xC3\xA9,CAFE01\r\n",
         "Ōrākei", "UTF-8"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        write(path("in.txt"), c.file);
        importFile(c.package, path("in.txt"));
        EXPECT_EQ(field("CAFE01", "Surname"), c.surname);
        EXPECT_EQ(logLines(c.package).at(1), QString("The file was read as %1 text").arg(c.encoding));
    }
}

// In a comma-separated file only a value that begins with a quote and whose
// closing quote ends it is quoted (tab-separated: see the MYOB tabs case).
TEST_F(CustomerImportTest, QuotesAreKeptUnlessTheValueReallyIsQuoted)
{
    write(path("cards.txt"), "{}\r\nCo./Last Name,First Name,Card ID,Addr 1 - Line 1,Addr 1 - Line 2,Notes\r\n"
                             "\"Big\" Bob's Plumbing,,BIG01,12 \"A\" St,\"Unit 4, Block B\",\"Gate\" code 1234\r\n");
    MYOBCustomerImport(path("cards.txt"));
    EXPECT_EQ(field("BIG01", "CompanyName, CAddress1, CAddress2, CustomerComment"),
              "\"Big\" Bob's Plumbing|12 \"A\" St|Unit 4, Block B|\"Gate\" code 1234");
}

// Repeated keys fold A to Z only, as the database does: "ÄBC" and "äbc" are
// two customers, "abc" and "ABC" one.
TEST_F(CustomerImportTest, RepeatedKeysFoldOnlyAToZ)
{
    write(path("xero.csv"), "*ContactName,LastName\r\nÄBC,a\r\näbc,b\r\nΑΒΓ,c\r\nαβγ,d\r\nabc,e\r\nABC,f\r\n");
    XeroCustomerImport(path("xero.csv"));
    EXPECT_EQ(logLines("Xero").at(1), "Line 7 skipped: ABC appears earlier in the file");
    QStringList stored;
    QSqlQuery q = execSql("SELECT AccountsRef || '=' || Surname FROM Customers WHERE CustomerNumber > 3 ORDER BY 1");
    while (q.next())
        stored << q.value(0).toString();
    EXPECT_EQ(stored, QStringList({"abc=e", "ÄBC=a", "äbc=b", "ΑΒΓ=c", "αβγ=d"}));
}

TEST_F(CustomerImportTest, AnUnreadableFileIsLoggedWithTheReason)
{
    QDir(dir_->path()).mkdir("folder.csv");
    write(path("locked.csv"), "*ContactName\r\nA\r\n");
    QFile::setPermissions(path("locked.csv"), QFileDevice::Permissions());
    const struct {
        QString file;
        QString code;
        QString description;
    } cases[] = {
        {path("missing.csv"), "53", "File not found: " + path("missing.csv")},
        {path("folder.csv"), "75", path("folder.csv") + " is a folder, not a file"},
        {path("locked.csv"), "70", "Permission denied: " + path("locked.csv") + " cannot be read"},
        {"/proc/self/mem", "57", "/proc/self/mem could not be read after line 0: Input/output error"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        auto import = [&] {
            XeroCustomerImport(c.file);
            return (logLines("Xero").mid(2, 2) << msgs_->last()).join("\n");
        };
        // Nothing is locked against the superuser: the locked file is tried as an ordinary user.
        EXPECT_EQ(c.code == "70" ? test::asOrdinaryUser(dir_->path(), import) : import(),
                  QStringList({"Error Code: " + c.code, "Description: " + c.description,
                               "Customer import failed - refer to " + logPath("Xero") + " for details"})
                      .join("\n"));
    }
}

TEST_F(CustomerImportTest, ABusyDatabaseShowsTheBusyMessage)
{
    write(path("xero.csv"), "*ContactName,LastName\r\nNEW01,New\r\n");
    const QStringList before = customersDump();
    QSqlDatabase other = secondConnection();
    execSql("BEGIN IMMEDIATE", {}, other);
    AppDatabase::setBusyWait(100);
    XeroCustomerImport(path("xero.csv"));
    AppDatabase::setBusyWait(5000);
    execSql("ROLLBACK", {}, other);
    EXPECT_EQ(msgs_->last(), "The data is in use at another workstation. Please try again");
    EXPECT_EQ(customersDump(), before);
    EXPECT_EQ(logLines("Xero").at(2), "Error Code: 3260");
}

// Each column a contacts file names goes to its own field, cut to what the
// field holds; the key column may be headed "Name".
TEST_F(CustomerImportTest, EveryXeroColumnGoesToItsFieldCutToItsLength)
{
    const struct { const char *heading, *field; int cut; } columns[] = {
        {"FirstName", "Forename", 50},      {"LastName", "Surname", 50},        {"EmailAddress", "Email1", 100},
        {"SAAddressLine1", "CAddress1", 100}, {"SAAddressLine2", "CAddress2", 100}, {"SAAddressLine3", "CAddress3", 100},
        {"SARegion", "CSuburb", 50},        {"SACity", "CCity", 50},           {"SAPostalCode", "CPostCode", 20},
    };
    QStringList headings{"Name"}, values{QString(35, 'K')};
    for (const auto &c : columns) {
        headings << c.heading;
        // Each value begins with its own heading, so a column sent to the wrong field shows.
        values << (QString(c.heading) + QString(c.cut, '.'));
    }
    write(path("xero.csv"), (headings.join(',') + "\r\n" + values.join(',') + "\r\n").toUtf8());
    XeroCustomerImport(path("xero.csv"));
    const QString key(30, 'K');
    for (const auto &c : columns)
        EXPECT_EQ(field(key, c.field), (QString(c.heading) + QString(c.cut, '.')).left(c.cut)) << c.heading;
}

} // namespace

// Alt with the letter of the greyed OK (a level with Customers 6 may not
// import) types nothing into the path; with OK enabled (Customers 7) it
// presses OK, which asks for the file.
TEST_F(CustomerImportTest, AltWithTheLetterOfAGreyedOkTypesNothingIntoThePath)
{
    for (const int customers : {6, 7}) {
        SCOPED_TRACE(customers);
        setAccess(9, customers, 7, 7, 7, 7, 7, 7, 7, 7);
        loginAs("ADM", 9);
        msgs_->clear();
        auto import = shown<AccountsCustomerImportForm>("Xero");
        EXPECT_EQ(child<QPushButton>(import.get(), "OKButton")->isEnabled(), customers == 7);
        auto *path = child<QLineEdit>(import.get(), "FileNameText");
        test::focusOn(path);
        const QString typed = customers == 6 ? "imp.txt" : "";
        test::typeKeys(typed);
        test::press("o", Qt::Key_O, Qt::AltModifier);
        // A button pressed by its mnemonic clicks once it has shown itself down; a greyed one never does.
        if (customers == 7)
            EXPECT_TRUE(QTest::qWaitFor([&] { return !msgs_->texts().isEmpty(); }, 5000));
        else
            QTest::qWait(300);
        EXPECT_EQ(path->text(), typed);
        EXPECT_EQ(msgs_->texts(), customers == 6 ? QStringList{} : QStringList{"Please select the import file"});
    }
}
