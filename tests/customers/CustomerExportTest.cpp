#include "common/CsvExport.h"
#include "customers/CustomerExport.h"
#include "customers/CustomerExportForm.h"
#include "customers/CustomersManagementForm.h"
#include "platform/FileDialog.h"
#include "platform/FlexGrid.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

using namespace wvs;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CustomerExportTest : public wvs::test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs(QStringLiteral("ADM"), 1);
    }

    qint64 addCustomer(const QString &surname, const QString &forename, const QString &email1,
                       const QString &address2 = QStringLiteral(""), const QString &suburb = QStringLiteral("Epsom"))
    {
        writeSql(QStringLiteral("INSERT INTO Customers (Title, Surname, Forename, Email1, CAddress1, CAddress2, CSuburb, "
                                "Phone1, CompanyName, AccountsRef) VALUES ('Ms', ?, ?, ?, '1 Main Rd', ?, ?, "
                                "'09 555 1234', 'Acme, Ltd', 'ACC1')"),
                 {surname, forename, email1, address2, suburb});
        return lastInsertId();
    }

    void chooseColumns(const QStringList &fields)
    {
        QList<QPair<QString, int>> choice;
        for (const QString &f : CsvExport::fieldsOf(QStringLiteral("CustomerExportFields")))
            choice.append({f, fields.contains(f) ? 1 : 0});
        CsvExport::saveChoice(QStringLiteral("CustomerExportFields"), choice);
    }

    QString file(const QString &name) const { return dir_->filePath(name); }

    QList<QStringList> csv(const QString &path)
    {
        bool ok = false;
        const auto rows = wvs::test::pythonCsvRows(path, &ok);
        EXPECT_TRUE(ok) << "python could not read " << path.toStdString();
        return rows;
    }
};

} // namespace

TEST_F(CustomerExportTest, QuotesCommasLineBreaksAndAccentsReadBackByPython)
{
    const qint64 a = addCustomer(QStringLiteral("12\" Pipes & Co"), QStringLiteral("Zoë"),
                                 QStringLiteral("zoe@example.com"), QStringLiteral("Unit 4,\r\nRear \"B\""));
    const qint64 b = addCustomer(QStringLiteral("Müller"), QStringLiteral(""), QStringLiteral(""));
    // A customer removed meanwhile writes no line.
    const qint64 gone = addCustomer(QStringLiteral("Gone"), QStringLiteral("Gus"), QStringLiteral(""));
    writeSql(QStringLiteral("DELETE FROM Customers WHERE CustomerNumber = ?"), {gone});
    // Chosen columns keep the table's order.
    chooseColumns({QStringLiteral("Email1"), QStringLiteral("CAddress2"), QStringLiteral("Surname")});
    const QString path = file(QStringLiteral("customers.csv"));
    ASSERT_TRUE(CustomerExport::writeFile(path, {gone, b, a}));

    const auto rows = csv(path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("Last Name"), QStringLiteral("Address Line 2"),
                                    QStringLiteral("Email Address 1")}));
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("Müller"), QString(), QString()}));
    EXPECT_EQ(rows[2], (QStringList{QStringLiteral("12\" Pipes & Co"), QStringLiteral("Unit 4,\r\nRear \"B\""),
                                    QStringLiteral("zoe@example.com")}));

    const QByteArray raw = readAll(path);
    EXPECT_FALSE(raw.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(raw.endsWith("\"zoe@example.com\"\r\n"));
    EXPECT_TRUE(raw.contains("\"M\xC3\xBCller\",\"\",\"\"\r\n"));
}

TEST_F(CustomerExportTest, OpenFailureShowsMessageAndUnfinishedFileNeverReplacesOldOne)
{
    chooseColumns({QStringLiteral("Surname")});
    const QString bad = file(QStringLiteral("no such folder/x.csv"));
    EXPECT_FALSE(CustomerExport::writeFile(bad, {}));
    ASSERT_EQ(msgs_->texts().size(), 1);
    EXPECT_EQ(msgs_->last(), QStringLiteral("Error 76 encountered when trying to open ") + bad);
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);

    const QString path = file(QStringLiteral("old.csv"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old export\r\n");
    }
    {
        CsvFile half;
        ASSERT_TRUE(half.open(path));
        half.writeLine({QStringLiteral("new")});
        // no commit: the export failed part-way
    }
    EXPECT_EQ(readAll(path), QByteArray("old export\r\n"));
}

TEST_F(CustomerExportTest, ExportFromTheListFollowsItsOrder)
{
    addCustomer(QStringLiteral("Adams"), QStringLiteral("Zed"), QStringLiteral("z@x.com"));
    addCustomer(QStringLiteral("Baker"), QStringLiteral("Amy"), QStringLiteral("amy@x.com"));
    addCustomer(QStringLiteral("Clark"), QStringLiteral("Max"), QStringLiteral(""), QString(), QStringLiteral("Ponsonby"));

    CustomersManagementForm list;
    choose(&list, "CustomerStatusCombo", "Active");
    list.PopulateGrid();
    choose(&list, "SortCombo", "First Name");
    choose(&list, "SortOrderCombo", "Descending");
    click(&list, "SortButton");
    ASSERT_EQ(list.grid()->rows(), 4);

    FileDialogScript dialogs;
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

    EXPECT_EQ(list.FieldCount, 1);
    ASSERT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("File created - do you wish to open it now?")});
    ASSERT_EQ(desktop_->opened.size(), 1);
    EXPECT_EQ(desktop_->opened[0].toLocalFile(), path);
    EXPECT_EQ(csv(path), (QList<QStringList>{{"First Name"}, {"Zed"}, {"Max"}, {"Amy"}}));

    // Exit, and Cancel in the save dialog, write nothing and ask nothing.
    QFile::remove(path);
    msgs_->clear();
    modal_->once("CustomerExportForm", [](QDialog *d) { click(d, "ExitButton"); });
    click(&list, "ExportButton");
    EXPECT_EQ(list.FieldCount, 0);
    modal_->once("CustomerExportForm", [](QDialog *d) { click(d, "OKButton"); });
    click(&list, "ExportButton"); // dialog answers Cancel
    EXPECT_EQ(dialogs.asked().size(), 2);
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    // No program on this computer opens the file: the user is told what to
    // install and where the file is.
    desktop_->openResult = false;
    dialogs.answer(path);
    modal_->once("CustomerExportForm", [](QDialog *d) { click(d, "OKButton"); });
    msgs_->answer(MsgAnswer::Yes);
    click(&list, "ExportButton");
    ASSERT_EQ(msgs_->texts().size(), 2);
    EXPECT_TRUE(msgs_->last().contains(QStringLiteral("Install a spreadsheet program")));
    EXPECT_TRUE(msgs_->last().endsWith(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(QFile::exists(path));
}
