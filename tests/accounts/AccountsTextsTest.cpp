#include "accounts/AccountsCustomerExportForm.h"
#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/AccountsSalesExportForm.h"
#include "accounts/AccountsTestData.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/MYOBSalesExportModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "accounts/XeroSalesExportModule.h"
#include "admin/ShownTexts.h"
#include "platform/FileDialog.h"

#include <functional>

using namespace wvs;
using namespace wvs::test;

namespace {

class AccountsTexts : public AccountsTest {
protected:
    template <class W>
    std::unique_ptr<QWidget> opened(const QString &mode)
    {
        auto w = std::make_unique<W>();
        w->Tag = mode;
        w->show();
        settle();
        return w;
    }
    FileDialogScript files_;
};

// The three accounts windows in each mode: caption, labels, box limits and
// the file dialog's kind, title and filter.
TEST_F(AccountsTexts, WindowsAndTheirFileDialogs)
{
    const QStringList file{"&Browse", "&OK", "&Cancel"};
    const QStringList sales = QStringList{"Sales Export", "Export details of Customer Jobs carried out", "from", "to",
                                          "Xero tax rate name", "Starting invoice number", "Export file",
                                          "The tax rate name spelled EXACTLY as held in Xero. This will be used to "
                                          "determine the sales tax value"} + file;
    const struct {
        std::function<std::unique_ptr<QWidget>()> open;
        QStringList texts;
        bool save;
        QString title, filter;
    } windows[] = {
        {[&] { return opened<AccountsCustomerExportForm>("MYOB"); }, QStringList{"Customer Export", "Export file"} + file,
         true, "Enter the export file name", "txt (*.txt)"},
        {[&] { return opened<AccountsCustomerExportForm>("Xero"); }, QStringList{"Customer Export", "Export file"} + file,
         true, "Enter the export file name", "csv (*.csv)"},
        {[&] { return opened<AccountsCustomerImportForm>("MYOB"); }, QStringList{"Customers Import", "Import file"} + file,
         false, "Select the import file", "txt (*.txt)"},
        {[&] { return opened<AccountsCustomerImportForm>("Xero"); }, QStringList{"Customers Import", "Import file"} + file,
         false, "Select the import file", "csv (*.csv)"},
        {[&] { return opened<AccountsSalesExportForm>("MYOB"); }, sales, true, "Enter the export file name", "txt (*.txt)"},
        {[&] { return opened<AccountsSalesExportForm>("Xero"); }, sales, true, "Enter the export file name", "csv (*.csv)"},
        {[&] { return opened<AccountsSalesExportForm>("Other"); }, sales, true, "Enter the export file name", ""},
    };
    for (const auto &w : windows) {
        auto window = w.open();
        SCOPED_TRACE(window->objectName().toStdString() + " " + w.filter.toStdString());
        EXPECT_EQ(notShown(window.get(), w.texts), QStringList());
        EXPECT_EQ(typingLimit(window.get(), "FileNameText", 300), 255);
        const qsizetype asked = files_.asked().size();
        click(window.get(), "BrowseButton");
        ASSERT_EQ(files_.asked().size(), asked + 1);
        EXPECT_EQ(files_.asked().last().save, w.save);
        EXPECT_EQ(files_.asked().last().title, w.title);
        EXPECT_EQ(files_.asked().last().filter, w.filter);
    }
    auto xero = opened<AccountsSalesExportForm>("Xero");
    EXPECT_EQ(typingLimit(xero.get(), "TaxRateText"), 50);
    EXPECT_EQ(typingLimit(xero.get(), "StartingInvNoText"), 10);
}

// The Xero sales window's question and refusal of a missing invoice number.
TEST_F(AccountsTexts, XeroSalesQuestionAndInvoiceNumber)
{
    auto w = opened<AccountsSalesExportForm>("Xero");
    child<QLabel>(w.get(), "FromDateLabel")->setText("01 Mar 2026");
    child<QLabel>(w.get(), "ToDateLabel")->setText("31 Mar 2026");
    type(w.get(), "FileNameText", path("inv.csv"));
    type(w.get(), "TaxRateText", "");
    click(w.get(), "OKButton");
    ASSERT_EQ(msgs_->shown().size(), 2);
    EXPECT_EQ(msgs_->shown()[0].text,
              "No tax rate name has been entered. It is required by Xero to calculate the relevant sales tax. "
              "Omitting this will result in zero sales tax on the invoices.\r\nDo you wish to create the file anyway?");
    EXPECT_EQ(msgs_->shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(msgs_->shown()[1].text, "Please enter a starting invoice number");
    EXPECT_TRUE(w->isVisible());
}

// What every export says when its file cannot be opened.
TEST_F(AccountsTexts, FileOpenFailure)
{
    const QString file = path("gone/out.txt");
    for (const auto &run : std::initializer_list<std::function<void()>>{
             [&] { MYOBCustomerExport(file); }, [&] { XeroCustomerExport(file); },
             [&] { MYOBSalesExport(file, "01 Mar 2026", "31 Mar 2026"); },
             [&] { XeroSalesExport(file, "01 Mar 2026", "31 Mar 2026", "1"); }}) {
        msgs_->clear();
        run();
        ASSERT_EQ(msgs_->shown().size(), 1);
        EXPECT_EQ(msgs_->shown()[0].text, "Error 76 encountered when trying to open " + file);
        EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::Exclamation);
    }
}

} // namespace
