#include "accounts/AccountsCustomerExportForm.h"
#include "accounts/AccountsCustomerImportForm.h"
#include "accounts/AccountsSalesExportForm.h"
#include "accounts/AccountsTestData.h"
#include "admin/ShownTexts.h"
#include "platform/FileDialog.h"

#include <QLabel>

using namespace wvs;
using namespace wvs::test;

namespace {

class AccountsTexts : public AccountsTest {
protected:
    FileDialogScript files_;
};

// The three accounts windows in each mode: their captions and the file
// dialog's kind, title and filter; the boxes' limits; a chosen file kept
// whole however long.
TEST_F(AccountsTexts, WindowsAndTheirFileDialogs)
{
    const struct {
        std::unique_ptr<QWidget> (*open)(const QString &);
        const char *mode;
        const char *caption;
        bool save;
        const char *title, *filter;
    } windows[] = {
        {open<AccountsCustomerExportForm>, "MYOB", "Customer Export", true, "Enter the export file name", "txt (*.txt)"},
        {open<AccountsCustomerExportForm>, "Xero", "Customer Export", true, "Enter the export file name", "csv (*.csv)"},
        {open<AccountsCustomerImportForm>, "MYOB", "Customers Import", false, "Select the import file", "txt (*.txt)"},
        {open<AccountsCustomerImportForm>, "Xero", "Customers Import", false, "Select the import file", "csv (*.csv)"},
        {open<AccountsSalesExportForm>, "MYOB", "Sales Export", true, "Enter the export file name", "txt (*.txt)"},
        {open<AccountsSalesExportForm>, "Xero", "Sales Export", true, "Enter the export file name", "csv (*.csv)"},
        {open<AccountsSalesExportForm>, "Other", "Sales Export", true, "Enter the export file name", ""},
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
    auto xero = open<AccountsSalesExportForm>("Xero");
    EXPECT_EQ(child<QWidget>(xero.get(), "InfoImage")->toolTip(),
              "The tax rate name spelled EXACTLY as held in Xero. This will be used to determine the sales tax value");
    EXPECT_EQ(typingLimit(xero.get(), "TaxRateText"), 50);
    EXPECT_EQ(typingLimit(xero.get(), "StartingInvNoText"), 10);
}

} // namespace
