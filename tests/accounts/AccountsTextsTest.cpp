#include "accounts/AccountsCustomerExportForm.h"
#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/AccountsSalesExportForm.h"
#include "accounts/AccountsTestData.h"
#include "support/ShownTexts.h"
#include "platform/FileDialog.h"

#include <QLabel>

using namespace wvs;
using namespace wvs::test;

namespace {

class AccountsTexts : public AccountsTest {
protected:
    // The windows open from the main menu, which only a logged-on associate reaches.
    void SetUp() override
    {
        AccountsTest::SetUp();
        loginAs("ADM", 1);
    }
    static void setDates(QWidget *w, const QString &from, const QString &to)
    {
        child<QLabel>(w, "FromDateLabel")->setText(from);
        child<QLabel>(w, "ToDateLabel")->setText(to);
    }
    FileDialogScript files_;
};

using AccountsWindowsTest = AccountsTexts;

// The three accounts windows in each mode; a chosen file kept whole however long.
TEST_F(AccountsTexts, WindowsAndTheirFileDialogs)
{
    const struct {
        std::unique_ptr<QWidget> (*open)(const QString &);
        const char *mode;
        const char *caption;
        bool save;
        const char *title, *filter;
    } windows[] = {
        {shown<AccountsCustomerExportForm, QWidget>, "MYOB", "Customer Export", true, "Enter the export file name", "txt (*.txt)"},
        {shown<AccountsCustomerExportForm, QWidget>, "Xero", "Customer Export", true, "Enter the export file name", "csv (*.csv)"},
        {shown<AccountsCustomerImportForm, QWidget>, "MYOB", "Customers Import", false, "Select the import file", "txt (*.txt)"},
        {shown<AccountsCustomerImportForm, QWidget>, "Xero", "Customers Import", false, "Select the import file", "csv (*.csv)"},
        {shown<AccountsSalesExportForm, QWidget>, "MYOB", "Sales Export", true, "Enter the export file name", "txt (*.txt)"},
        {shown<AccountsSalesExportForm, QWidget>, "Xero", "Sales Export", true, "Enter the export file name", "csv (*.csv)"},
        {shown<AccountsSalesExportForm, QWidget>, "Other", "Sales Export", true, "Enter the export file name", ""},
    };
    const QString chosen = path(QString(300, QLatin1Char('f')) + ".csv");
    for (const auto &w : windows) {
        auto window = w.open(w.mode);
        EXPECT_EQ(captions(window.get()), QStringList({w.caption, "&Browse", "&OK", "&Cancel"}));
        EXPECT_EQ(child<QLabel>(window.get(), "FileLabel")->text(), w.save ? "Export file" : "Import file");
        EXPECT_EQ(typingLimit(window.get(), "FileNameText", 300), 255);
        const qsizetype asked = files_.asked().size();
        files_.answer(chosen);
        click(window.get(), "BrowseButton");
        EXPECT_EQ(text(window.get(), "FileNameText"), chosen);
        ASSERT_EQ(files_.asked().size(), asked + 1);
        EXPECT_EQ(files_.asked().last().save, w.save);
        EXPECT_EQ(files_.asked().last().title, w.title);
        EXPECT_EQ(files_.asked().last().filter, w.filter);
    }
    auto xero = shown<AccountsSalesExportForm>("Xero");
    EXPECT_EQ(child<QWidget>(xero.get(), "InfoImage")->toolTip(),
              "The tax rate name spelled EXACTLY as held in Xero. This will be used to determine the sales tax value");
    EXPECT_EQ(typingLimit(xero.get(), "TaxRateText"), 50);
    EXPECT_EQ(typingLimit(xero.get(), "StartingInvNoText"), 10);
}

TEST_F(AccountsWindowsTest, MyobSalesWindowHidesTheXeroBoxesAndChecksDatesThenFile)
{
    auto w = shown<AccountsSalesExportForm>("MYOB");
    for (const char *hidden : {"TaxRatelabel", "TaxRateText", "InfoImage", "StartingInvNoLabel", "StartingInvNoText"})
        EXPECT_FALSE(child<QWidget>(w.get(), hidden)->isVisible()) << hidden;
    click(w.get(), "OKButton");
    setDates(w.get(), "01 Mar 2026", "");
    click(w.get(), "OKButton");
    setDates(w.get(), "01 Mar 2026", "31 Mar 2026");
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please enter the From date", "Please enter the To date",
                                           "Please enter the name of the file"}));
    EXPECT_TRUE(w->isVisible());

    files_.answer(path("sales"));
    click(w.get(), "BrowseButton");
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "File created with 2 records");
    EXPECT_TRUE(QFile::exists(path("sales.txt")));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(AccountsWindowsTest, XeroSalesWindowAsksForTheTaxNameChecksTheInvoiceNumberAndKeepsTheName)
{
    // A stored name longer than the box types is shown, and kept, whole.
    const QString stored = "GST on Income " + QString(40, 'x');
    setTax(true, 15, stored);
    auto w = shown<AccountsSalesExportForm>("Xero");
    EXPECT_EQ(text(w.get(), "TaxRateText"), stored);
    setDates(w.get(), "01 Mar 2026", "31 Mar 2026");
    type(w.get(), "FileNameText", path("inv.csv"));
    type(w.get(), "TaxRateText", "");
    msgs_->answer(MsgAnswer::No);
    click(w.get(), "OKButton");
    ASSERT_EQ(msgs_->shown().size(), 1);
    EXPECT_EQ(msgs_->shown()[0].text,
              "No tax rate name has been entered. It is required by Xero to calculate the relevant sales tax. "
              "Omitting this will result in zero sales tax on the invoices.\r\nDo you wish to create the file anyway?");
    EXPECT_EQ(msgs_->shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::None);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(scalarSql("SELECT XeroTaxRateName FROM Preferences").toString(), stored);

    type(w.get(), "TaxRateText", "GST \"15%\" on Income");
    type(w.get(), "StartingInvNoText", "41A");
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "The starting invoice number must end in at least 1 number");
    EXPECT_FALSE(QFile::exists(path("inv.csv")));

    type(w.get(), "StartingInvNoText", "INV0041");
    click(w.get(), "OKButton");
    EXPECT_EQ(scalarSql("SELECT XeroTaxRateName FROM Preferences").toString(), "GST \"15%\" on Income");
    EXPECT_TRUE(readFileBytes(path("inv.csv")).contains(",INV0042,"));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(AccountsWindowsTest, CustomerWindowsNeedAFileAndRunTheirPackagesProcedure)
{
    auto exportWindow = shown<AccountsCustomerExportForm>("Xero");
    click(exportWindow.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Please enter the name of the file");
    type(exportWindow.get(), "FileNameText", "kept");
    click(exportWindow.get(), "BrowseButton");   // cancelled
    EXPECT_EQ(text(exportWindow.get(), "FileNameText"), "kept");
    type(exportWindow.get(), "FileNameText", path("contacts.csv"));
    click(exportWindow.get(), "OKButton");
    EXPECT_FALSE(exportWindow->isVisible());

    auto importWindow = shown<AccountsCustomerImportForm>("Xero");
    click(importWindow.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Please select the import file");
    files_.answer(path("contacts.csv"));
    click(importWindow.get(), "BrowseButton");
    click(importWindow.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Customer import completed  = refer to " + path("Xero Customer Import.log") + " for details");
    EXPECT_FALSE(importWindow->isVisible());

    // In MYOB mode the windows run MYOB's procedures.
    auto myobExport = shown<AccountsCustomerExportForm>("MYOB");
    type(myobExport.get(), "FileNameText", path("cards.txt"));
    click(myobExport.get(), "OKButton");
    EXPECT_TRUE(readFileBytes(path("cards.txt")).startsWith("{},,,,,,,,,,,,,\r\nCo./Last Name,"));
    auto myobImport = shown<AccountsCustomerImportForm>("MYOB");
    type(myobImport.get(), "FileNameText", path("cards.txt"));
    click(myobImport.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Customer import completed  = refer to " + path("MYOB Customer Import.log") + " for details");
}

} // namespace
