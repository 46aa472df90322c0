#include "AdminWindowTest.h"
#include "admin/AssociateAddModifyForm.h"
#include "admin/AssociatesManagementForm.h"
#include "admin/AuthorityAccessForm.h"
#include "admin/AuthorityLevelAddModifyForm.h"
#include "admin/AuthorityLevelsManagementForm.h"
#include "admin/CompanyForm.h"
#include "admin/CompanyRecord.h"
#include "admin/PreferencesForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

using namespace wvs;
using namespace wvs::test;

namespace {

class AdminTexts : public AdminWindowTest {};

// The windows' captions and their buttons' and boxes' captions, how much their text boxes take, and the rights grid.
TEST_F(AdminTexts, CaptionsAndTypingLimits)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    session().installationCountry = "UK";
    const struct { std::unique_ptr<QWidget> window; QStringList captions; QList<std::pair<const char *, int>> limits; } windows[] = {
        {shown<AuthorityAccessForm>(), {"Authority Access", "&Select All", "&Clear All", "&Save", "&Exit"}, {}},
        {shown<AuthorityLevelsManagementForm>(), {"Authority Levels", "&Add", "&Modify", "&Delete", "&Exit"}, {}},
        {shown<AuthorityLevelAddModifyForm>("Add"), {"Add Authority Level", "&Save", "&Exit"},
         {{"NumberText", 2}, {"DescriptionText", 30}}},
        {shown<AuthorityLevelAddModifyForm>("Modify~1"), {"Authority Level Modify", "&Save", "&Exit"}, {}},
        {shown<AssociatesManagementForm>(),
         {"Associates Management", "&Add", "&Modify", "&View", "&Delete", "&Update Portal", "&Exit"}, {}},
        {shown<AssociateAddModifyForm>("Add"), {"Add Associate", "&Save", "&Exit"},
         {{"IDText", 4}, {"NameText", 30}, {"PasswordText", 20}, {"Password2Text", 20}, {"PhoneText", 30}, {"EmailText", 75}}},
        {shown<AssociateAddModifyForm>("Modify~JB"), {"Modify Associate", "&Save", "&Exit"}, {}},
        {shown<AssociateAddModifyForm>("View~JB"), {"View Associate", "&Save", "&Exit"}, {}},
        {shown<CompanyForm>(), {"Company Details", "&OK", "&Exit"},
         {{"IDText", 10}, {"NameText", 30}, {"RegNoText", 30}, {"GSTNoText", 30}, {"PAddress1Text", 50}, {"PAddress4Text", 50},
          {"PPostCodeText", 10}, {"PTelephoneText", 30}, {"PFaxText", 30}, {"PEmailText", 50}, {"SAddress1Text", 50},
          {"SAddress4Text", 50}, {"SPostCodeText", 10}, {"STelephoneText", 30}, {"SFaxText", 30}, {"SEmailText", 50}}},
        {shown<PreferencesForm>(),
         {"Preferences", "Microsoft Outlook", "Other", "Test", "Help", "MYOB", "Xero", "Customer Job Costs include VAT",
          "Show Job Costs on printouts", "Show Job Costs on emails", "Show Customer Phone on emails",
          "Publish on internet portal", "Show Job Costs on portal", "Show Customer Phone on portal", "HTML", "Plain Text",
          "&Save", "&Exit"},
         {{"ServerText", 50}, {"UserNameText", 100}, {"PasswordText", 100}, {"TestEmailText", 100}}},
    };
    for (const auto &w : windows) {
        if (auto *other = w.window->findChild<QRadioButton *>("OtherOption"))
            other->setChecked(true); // the SMTP boxes take typing
        EXPECT_EQ(captions(w.window.get()), w.captions);
        for (const auto &[box, limit] : w.limits)
            EXPECT_EQ(typingLimit(w.window.get(), box), limit) << box;
    }
    EXPECT_EQ(entries(windows[5].window.get(), "DefaultScreenCombo"),
              QStringList({"Customers Management", "Customer Jobs Management", "Job Schedules Management", "None"}));
    session().installationCountry = "New Zealand";
    EXPECT_EQ(child<QCheckBox>(shown<PreferencesForm>().get(), "GSTInclusiveCheck")->text(),
              "Customer Job Costs include tax");

    // The rights grid: its headings, one row per area in this order, "N/A" where an area has no box.
    const QList<QStringList> expected = {
        {"Function", "View", "Add/Modify/Delete", "Add Notes"},
        {"Company Details", "CompanyRCheck", "CompanyWCheck", "N/A"},
        {"Associates", "AssociatesRCheck", "AssociatesWCheck", "N/A"},
        {"Customers", "CustomersRCheck", "CustomersWCheck", "CustomersNCheck"},
        {"Job Types", "JobTypesRCheck", "JobTypesWCheck", "N/A"},
        {"Customer Jobs", "CustomerJobsRCheck", "CustomerJobsWCheck", "CustomerJobsNCheck"},
        {"Job Schedules", "JobSchedulesRCheck", "JobSchedulesWCheck", "JobSchedulesNCheck"},
        {"Accounts Interface", "N/A", "AccountsWCheck", "N/A"},
        {"Security", "SecurityRCheck", "SecurityWCheck", "N/A"},
        {"Preferences", "PreferencesRCheck", "PreferencesWCheck", "N/A"},
    };
    QGridLayout *grid = windows[0].window->findChild<QGridLayout *>();
    ASSERT_NE(grid, nullptr);
    QList<QStringList> shown;
    for (int r = 0; r < grid->rowCount(); ++r) {
        shown << QStringList();
        for (int c = 0; c < grid->columnCount(); ++c) {
            QWidget *cell = grid->itemAtPosition(r, c) ? grid->itemAtPosition(r, c)->widget() : nullptr;
            auto *label = qobject_cast<QLabel *>(cell);
            shown.last() << (label ? label->text() : cell ? cell->objectName() : QString());
        }
    }
    EXPECT_EQ(shown, expected);
}

// The lists' headings and shading, an inactive associate's red row, and their messages.
TEST_F(AdminTexts, ListsHeadingsColoursAndMessages)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1, false);
    addAssociate("AK", "Anna King", "pass", 1);
    writeSql("INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (2, 'Office'), (3, 'Field')");
    setPortal(true);
    auto associates = shown<AssociatesManagementForm>();
    auto levels = shown<AuthorityLevelsManagementForm>();
    EXPECT_EQ(headings(associates->grid()), QStringList({"", "ID", "Name", "Phone", "Email", "Authority Level", "Active", ""}));
    EXPECT_EQ(headings(levels->grid()), QStringList({"", "Level", "Description", ""}));
    const QColor white(255, 255, 255), grey(224, 224, 224), red(255, 0, 0);
    for (FlexGrid *g : {associates->grid(), levels->grid()}) {
        ASSERT_EQ(g->rows(), 4);
        for (int r = 1; r < g->rows(); ++r)
            for (int c = 0; c < g->cols(); ++c) {
                EXPECT_EQ(g->cellBackColor(r, c), r % 2 ? white : grey) << r << "," << c;
                const bool inactive = g == associates->grid() && g->textMatrix(r, 2) == "Jo Bloggs";
                EXPECT_EQ(g->cellForeColor(r, c) == red, inactive) << r << "," << c;
            }
    }
    EXPECT_EQ(associates->grid()->textMatrix(rowOf(associates->grid(), "JB"), 6), "No");
    EXPECT_EQ(associates->grid()->textMatrix(rowOf(associates->grid(), "AK"), 6), "Yes");

    const struct { QWidget *list; const char *button, *sql, *message; } cases[] = {
        {levels.get(), "ModifyButton", "", "Please select the Level to be modified"},
        {levels.get(), "DeleteButton", "", "Please select the Level to be deleted"},
        {associates.get(), "ModifyButton", "", "Please select the Associate to be modified"},
        {associates.get(), "ViewButton", "", "Please select the Associate to be viewed"},
        {associates.get(), "PortalButton", "DELETE FROM Company",
         "The Company details have not yet been entered. These are required to access the portal"},
        {associates.get(), "PortalButton", "INSERT INTO Company (RowId, ID) VALUES (1, '')",
         "The ID has not been set for the Company. This is required to access the portal"},
    };
    for (const auto &c : cases) {
        if (*c.sql)
            writeSql(c.sql);
        msgs_->clear();
        click(c.list, c.button);
        EXPECT_EQ(msgs_->texts(), QStringList{c.message});
    }
    EXPECT_TRUE(modal_->opened().isEmpty());
}

} // namespace
