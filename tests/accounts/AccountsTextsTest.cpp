#include "accounts/AccountsCustomerExportForm.h"
#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/AccountsSalesExportForm.h"
#include "accounts/AccountsTestData.h"
#include "admin/ShownTexts.h"
#include "platform/FileDialog.h"

#include <QLabel>
#include <functional>

using namespace wvs;
using namespace wvs::test;

namespace {

class AccountsTexts : public AccountsTest {
protected:
    template <class W>
    static std::function<std::unique_ptr<QWidget>()> opener(const QString &mode)
    {
        return [mode] {
            auto w = std::make_unique<W>();
            w->Tag = mode;
            w->show();
            settle();
            return std::unique_ptr<QWidget>(std::move(w));
        };
    }
    FileDialogScript files_;
};

// The three accounts windows in each mode: their captions and the file
// dialog's kind, title and filter; the boxes' limits.
TEST_F(AccountsTexts, WindowsAndTheirFileDialogs)
{
    const struct {
        std::function<std::unique_ptr<QWidget>()> open;
        const char *caption;
        bool save;
        const char *title, *filter;
    } windows[] = {
        {opener<AccountsCustomerExportForm>("MYOB"), "Customer Export", true, "Enter the export file name", "txt (*.txt)"},
        {opener<AccountsCustomerExportForm>("Xero"), "Customer Export", true, "Enter the export file name", "csv (*.csv)"},
        {opener<AccountsCustomerImportForm>("MYOB"), "Customers Import", false, "Select the import file", "txt (*.txt)"},
        {opener<AccountsCustomerImportForm>("Xero"), "Customers Import", false, "Select the import file", "csv (*.csv)"},
        {opener<AccountsSalesExportForm>("MYOB"), "Sales Export", true, "Enter the export file name", "txt (*.txt)"},
        {opener<AccountsSalesExportForm>("Xero"), "Sales Export", true, "Enter the export file name", "csv (*.csv)"},
        {opener<AccountsSalesExportForm>("Other"), "Sales Export", true, "Enter the export file name", ""},
    };
    for (const auto &w : windows) {
        auto window = w.open();
        EXPECT_EQ(captions(window.get()), QStringList({w.caption, "&Browse", "&OK", "&Cancel"}));
        EXPECT_EQ(child<QLabel>(window.get(), "FileLabel")->text(), w.save ? "Export file" : "Import file");
        EXPECT_EQ(typingLimit(window.get(), "FileNameText", 300), 255);
        const qsizetype asked = files_.asked().size();
        click(window.get(), "BrowseButton");
        ASSERT_EQ(files_.asked().size(), asked + 1);
        EXPECT_EQ(files_.asked().last().save, w.save);
        EXPECT_EQ(files_.asked().last().title, w.title);
        EXPECT_EQ(files_.asked().last().filter, w.filter);
    }
    auto xero = opener<AccountsSalesExportForm>("Xero")();
    EXPECT_EQ(child<QWidget>(xero.get(), "InfoImage")->toolTip(),
              "The tax rate name spelled EXACTLY as held in Xero. This will be used to determine the sales tax value");
    EXPECT_EQ(typingLimit(xero.get(), "TaxRateText"), 50);
    EXPECT_EQ(typingLimit(xero.get(), "StartingInvNoText"), 10);
}

// The Xero sales window's question about a missing tax rate name.
TEST_F(AccountsTexts, XeroSalesQuestion)
{
    auto w = opener<AccountsSalesExportForm>("Xero")();
    child<QLabel>(w.get(), "FromDateLabel")->setText("01 Mar 2026");
    child<QLabel>(w.get(), "ToDateLabel")->setText("31 Mar 2026");
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
}

} // namespace
