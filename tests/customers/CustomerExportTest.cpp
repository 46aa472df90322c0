#include "common/CsvExport.h"
#include "customers/CustomerExport.h"
#include "customers/CustomersManagementForm.h"
#include "platform/FileDialog.h"
#include "platform/FlexGrid.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"
#include "support/ShownTexts.h"

#include <QDir>
#include <QFile>

using namespace wvs;
using wvs::test::readFileBytes;

namespace {

class CustomerExportTest : public wvs::test::AdminDbTest {
protected:
    qint64 addCustomer(const QString &surname, const QString &forename, const QString &email1,
                       const QString &address2 = "", const QString &suburb = "Epsom")
    {
        writeSql("INSERT INTO Customers (Title, Surname, Forename, Email1, CAddress1, CAddress2, CSuburb, Phone1, "
                 "CompanyName, AccountsRef) VALUES ('Ms', ?, ?, ?, '1 Main Rd', ?, ?, '09 555 1234', 'Acme, Ltd', 'ACC1')",
                 {surname, forename, email1, address2, suburb});
        return lastInsertId();
    }
    void chooseColumns(const QStringList &fields)
    {
        QList<QPair<QString, int>> choice;
        for (const QString &f : CsvExport::fieldsOf("CustomerExportFields"))
            choice.append({f, fields.contains(f) ? 1 : 0});
        CsvExport::saveChoice("CustomerExportFields", choice);
    }
    QString file(const QString &name) const { return dir_->filePath(name); }
};

} // namespace

TEST_F(CustomerExportTest, QuotesCommasLineBreaksAndAccentsReadBackAndAFailedFileIsReported)
{
    const qint64 a = addCustomer("12\" Pipes & Co", "Zoë", "zoe@example.com", "Unit 4,\r\nRear \"B\"");
    const qint64 b = addCustomer("Müller", "", "");
    // A customer removed meanwhile writes no line.
    const qint64 gone = addCustomer("Gone", "Gus", "");
    writeSql("DELETE FROM Customers WHERE CustomerNumber = ?", {gone});
    // Chosen columns keep the table's order.
    chooseColumns({"Email1", "CAddress2", "Surname"});
    const QString path = file("customers.csv");
    ASSERT_TRUE(CustomerExport::writeFile(path, {gone, b, a}));
    EXPECT_EQ(csv(path), (QList<QStringList>{{"Last Name", "Address Line 2", "Email Address 1"},
                                             {"Müller", "", ""},
                                             {"12\" Pipes & Co", "Unit 4,\r\nRear \"B\"", "zoe@example.com"}}));
    // Every value in double quotes, an empty one too; CR LF after every line; no byte-order mark.
    EXPECT_EQ(readFileBytes(path), QByteArray("\"Last Name\",\"Address Line 2\",\"Email Address 1\"\r\n"
                                              "\"M\xC3\xBCller\",\"\",\"\"\r\n"
                                              "\"12\"\" Pipes & Co\",\"Unit 4,\r\nRear \"\"B\"\"\",\"zoe@example.com\"\r\n"));

    // A file that cannot be opened is reported; an unfinished file never replaces the old one.
    const QString bad = file("no such folder/x.csv");
    EXPECT_FALSE(CustomerExport::writeFile(bad, {}));
    EXPECT_EQ(msgs_->texts(), QStringList{"Error 76 encountered when trying to open " + bad});
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);

    ASSERT_TRUE(wvs::test::writeFileBytes(path, "old export\r\n"));
    {
        CsvFile half;
        ASSERT_TRUE(half.open(path));
        half.writeLine({"new"});
        // no commit: the export failed part-way
    }
    EXPECT_EQ(readFileBytes(path), QByteArray("old export\r\n"));
}

TEST_F(CustomerExportTest, ExportFromTheListAsksForItsFileHeadsTheColumnsAndFollowsTheListsOrder)
{
    addCustomer("Adams", "Zed", "z@x.com");
    addCustomer("Baker", "Amy", "amy@x.com");
    addCustomer("Clark", "Max", "", "", "Ponsonby");

    CustomersManagementForm list;
    choose(&list, "CustomerStatusCombo", "Active");
    list.PopulateGrid();
    choose(&list, "SortCombo", "First Name");
    choose(&list, "SortOrderCombo", "Descending");
    click(&list, "SortButton");
    ASSERT_EQ(list.grid()->rows(), 4);

    // The export window's boxes, in the file's column order.
    const std::initializer_list<wvs::test::Shown> columns = {
        {"TitleCheck", "Title"},           {"ForenameCheck", "First Name"},      {"SurnameCheck", "Last Name"},
        {"Address1Check", "Address Line 1"}, {"Address2Check", "Address Line 2"}, {"Address3Check", "Address Line 3"},
        {"SuburbCheck", "Suburb"},         {"CityCheck", "City"},                {"PostCodeCheck", "Post Code"},
        {"Phone1Check", "Phone 1"},        {"Phone2Check", "Phone 2"},           {"Phone3Check", "Phone 3"},
        {"Email1Check", "Email Address 1"}, {"Email2Check", "Email Address 2"},  {"CompanyCheck", "Company Name"},
        {"ContactCheck", "Contact Name"},  {"AccountsCheck", "Accounts Reference"}};
    QStringList captions;
    for (const auto &c : columns)
        captions << c.text;
    FileDialogScript dialogs;
    dialogs.answer(file("all.csv"));
    modal_->once("CustomerExportForm", [&](QDialog *d) {
        wvs::test::expectShown(d, columns);
        click(d, "SelectAllButton");
        click(d, "OKButton");
    });
    msgs_->answer(MsgAnswer::No);
    click(&list, "ExportButton");
    const auto all = csv(file("all.csv"));
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(all[0], captions);
    EXPECT_EQ(all[1], QStringList({"Ms", "Zed", "Adams", "1 Main Rd", "", "", "Epsom", "Auckland", "", "09 555 1234", "", "",
                                   "z@x.com", "", "Acme, Ltd", "", "ACC1"}));

    // A name typed without an extension is saved as a .csv file.
    const QString path = file(QStringLiteral("list.csv"));
    dialogs.answer(file(QStringLiteral("list")));
    modal_->once("CustomerExportForm", [](QDialog *d) {
        click(d, "UnselectAllButton");
        tick(d, "ForenameCheck", true);
        click(d, "OKButton");
    });
    msgs_->answer(MsgAnswer::Yes);
    click(&list, "ExportButton");

    ASSERT_EQ(desktop_->opened.size(), 1);
    EXPECT_EQ(desktop_->opened[0].toLocalFile(), path);
    EXPECT_EQ(csv(path), (QList<QStringList>{{"First Name"}, {"Zed"}, {"Max"}, {"Amy"}}));

    // Cancel in the save dialog writes nothing and asks nothing.
    QFile::remove(path);
    msgs_->clear();
    modal_->once("CustomerExportForm", [](QDialog *d) { click(d, "OKButton"); });
    click(&list, "ExportButton");
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    // No program on this computer opens the file: the user is told what to install and where the file is.
    desktop_->openResult = false;
    dialogs.answer(path);
    modal_->once("CustomerExportForm", [](QDialog *d) { click(d, "OKButton"); });
    msgs_->answer(MsgAnswer::Yes);
    click(&list, "ExportButton");
    ASSERT_EQ(msgs_->texts().size(), 2);
    EXPECT_TRUE(msgs_->last().contains(QStringLiteral("Install a spreadsheet program")));
    EXPECT_TRUE(msgs_->last().endsWith(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(QFile::exists(path));

    // OK with nothing ticked, like Exit, asks for no file; the choice stored is seventeen 0s.
    msgs_->clear();
    const qsizetype asked = dialogs.asked().size();
    modal_->once("CustomerExportForm", [](QDialog *d) {
        click(d, "UnselectAllButton");
        click(d, "OKButton");
    });
    click(&list, "ExportButton");
    modal_->once("CustomerExportForm", [](QDialog *d) {
        click(d, "SelectAllButton");
        click(d, "ExitButton");
    });
    click(&list, "ExportButton");
    EXPECT_EQ(dialogs.asked().size(), asked);
    EXPECT_TRUE(msgs_->texts().isEmpty());
    const auto stored = CsvExport::readChoice("CustomerExportFields");
    ASSERT_EQ(stored.size(), 17);
    for (const auto &[field, value] : stored)
        EXPECT_EQ(value, 0) << field.toStdString();
}
