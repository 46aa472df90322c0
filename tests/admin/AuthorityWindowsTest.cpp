#include "AdminWindowTest.h"
#include "admin/AccessRights.h"
#include "admin/AuthorityAccessForm.h"
#include "admin/AuthorityLevelStore.h"
#include "admin/AuthorityLevelsManagementForm.h"

using namespace wvs;

namespace {

class AuthorityAccessWindow : public wvs::test::AdminWindowTest {};

TEST_F(AuthorityAccessWindow, ShowsStoredBitsAndSavingUnchangedKeepsEveryArea)
{
    // Values no tick combination of these windows produces.
    setAccess(3, 4, 2, 3, 1, 5, 4, 6, 5, 4);
    auto w = show<AuthorityAccessForm>();
    choose(w.get(), "LevelCombo", "Level 3");
    EXPECT_FALSE(ticked(w.get(), "CustomersRCheck"));
    EXPECT_TRUE(ticked(w.get(), "CustomersWCheck"));
    EXPECT_TRUE(ticked(w.get(), "CustomerJobsNCheck"));
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Authority Access updated"});
    // Every area keeps its value, but job types have no Add Notes box.
    EXPECT_EQ(scalarSql("SELECT Customers || CustomerJobs || JobTypes || Associates || Company || Preferences || "
                        "JobSchedules || Accounts || Security FROM AuthorityAccess WHERE AuthorityLevelNumber = 3")
                  .toString(),
              "421154654");
}

TEST_F(AuthorityAccessWindow, SelectAllClearAllAndTheTickRulesSaveWholeRows)
{
    writeSql("INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (4, 'New')");
    auto w = show<AuthorityAccessForm>();
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Please select an Authority Level");
    choose(w.get(), "LevelCombo", "New");
    click(w.get(), "SelectAllButton");
    click(w.get(), "OKButton");
    EXPECT_EQ(scalarSql("SELECT Customers || CustomerJobs || JobTypes || Associates || Company || Preferences || "
                        "JobSchedules || Accounts || Security FROM AuthorityAccess WHERE AuthorityLevelNumber = 4")
                  .toString(),
              "775555755");
    click(w.get(), "ClearAllButton");
    tick(w.get(), "CustomersWCheck", true); // ticks View too
    click(w.get(), "OKButton");
    EXPECT_EQ(AccessRights::areaValue(4, RightsArea::Customers), 5);
    EXPECT_EQ(AccessRights::areaValue(4, RightsArea::Security), 0);
}

TEST_F(AuthorityAccessWindow, TypingALevelShowsItsRightsSoSaveWritesTheLevelShown)
{
    setAccess(3, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    auto w = show<AuthorityAccessForm>();
    QComboBox *combo = child<QComboBox>(w.get(), "LevelCombo");
    combo->setFocus();
    QTest::keyClicks(combo, "Le");
    EXPECT_EQ(combo->currentText(), "Level 3");
    EXPECT_TRUE(ticked(w.get(), "CustomersRCheck"));
    EXPECT_FALSE(ticked(w.get(), "CustomersWCheck"));
}

class AuthorityLevelsWindow : public wvs::test::AdminWindowTest {};

TEST_F(AuthorityLevelsWindow, ListAddModifyAndDelete)
{
    auto w = show<AuthorityLevelsManagementForm>();
    FlexGrid *grid = w->grid();
    // Add two levels in one opening of the dialog.
    modal_->once("AuthorityLevelAddModifyForm", [&](QDialog *d) {
        for (const char *number : {"2", "3"}) {
            type(d, "NumberText", number);
            type(d, "DescriptionText", number[0] == '2' ? "Office" : "Field");
            msgs_->answer(number[0] == '2' ? MsgAnswer::Yes : MsgAnswer::No);
            click(d, "OKButton");
        }
    });
    click(w.get(), "AddButton");
    EXPECT_EQ(msgs_->texts(), QStringList(2, "Level added. Do you wish to add another?"));
    EXPECT_EQ(grid->rows(), 4);

    // Modify: the number is fixed, the description changes.
    modal_->once("AuthorityLevelAddModifyForm", [&](QDialog *d) {
        EXPECT_FALSE(enabled(d, "NumberText"));
        EXPECT_EQ(text(d, "DescriptionText"), "Office");
        type(d, "DescriptionText", "Office staff");
        click(d, "OKButton");
    });
    const int row = rowOf(grid, "2");
    grid->selectRow(row);
    emit grid->rowDoubleClicked(row, 1);
    QApplication::processEvents();
    EXPECT_EQ(AuthorityLevelStore::find(2)->description, "Office staff");

    // Delete asks by description, then removes the level and its rights.
    setAccess(3, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    w->PopulateGrid();
    grid->selectRow(rowOf(grid, "3"));
    msgs_->clear();
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Are you sure you want to PERMANENTLY delete Level Level 3?", "Level deleted"}));
    EXPECT_FALSE(AccessRights::load(3).has_value());
    EXPECT_EQ(grid->rows(), 3);
}

TEST_F(AuthorityLevelsWindow, WithoutTheSecurityChangeRightNothingCanBeChanged)
{
    setAccess(2, 7, 7, 5, 5, 5, 5, 7, 5, 1);
    loginAs("ADM", 2);
    auto access = show<AuthorityAccessForm>(); // the rights can be looked at but not saved
    EXPECT_FALSE(enabled(access.get(), "OKButton"));
    auto w = show<AuthorityLevelsManagementForm>();
    for (const char *b : {"AddButton", "ModifyButton", "DeleteButton"})
        EXPECT_FALSE(enabled(w.get(), b)) << b;
    w->grid()->selectRow(1);
    emit w->grid()->rowDoubleClicked(1, 1);
    QApplication::processEvents();
    EXPECT_TRUE(modal_->opened().isEmpty());
}

} // namespace
