#include "AdminWindowTest.h"
#include "admin/AccessRights.h"
#include "admin/AuthorityAccessForm.h"
#include "admin/AuthorityLevelStore.h"
#include "admin/AuthorityLevelsManagementForm.h"
#include "platform/FlexGrid.h"
#include "core/Session.h"

using namespace wvs;

namespace {

class AuthorityAccessWindow : public wvs::test::AdminWindowTest {
protected:
    int stored(int level, RightsArea area) { return AccessRights::areaValue(level, area); }
};

TEST_F(AuthorityAccessWindow, ShowsStoredBitsAndSavingUnchangedKeepsEveryArea)
{
    // Values no tick combination of these windows produces.
    setAccess(3, /*customers*/ 4, /*customerJobs*/ 2, /*jobTypes*/ 3, /*associates*/ 1, /*company*/ 5,
              /*preferences*/ 4, /*jobSchedules*/ 6, /*accounts*/ 5, /*security*/ 4);
    auto w = show<AuthorityAccessForm>();
    choose(w.get(), "LevelCombo", QStringLiteral("Level 3"));

    EXPECT_FALSE(ticked(w.get(), "CustomersRCheck"));
    EXPECT_TRUE(ticked(w.get(), "CustomersWCheck"));
    EXPECT_TRUE(ticked(w.get(), "CustomerJobsNCheck"));

    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("Authority Access updated")});
    // Every area keeps its value, but job types have no Add Notes box.
    const std::pair<RightsArea, int> kept[] = {
        {RightsArea::Customers, 4}, {RightsArea::CustomerJobs, 2}, {RightsArea::JobTypes, 1},
        {RightsArea::Associates, 1}, {RightsArea::Company, 5},     {RightsArea::Preferences, 4},
        {RightsArea::JobSchedules, 6}, {RightsArea::Accounts, 5},  {RightsArea::Security, 4}};
    for (const auto &[area, value] : kept)
        EXPECT_EQ(stored(3, area), value) << AccessRights::info(area).column.toStdString();
}

TEST_F(AuthorityAccessWindow, SelectAllAndClearAllSaveWholeRows)
{
    writeSql(QStringLiteral("INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (4, 'New')"));
    auto w = show<AuthorityAccessForm>();
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("Please select an Authority Level")});

    choose(w.get(), "LevelCombo", QStringLiteral("New"));
    for (const RightsAreaInfo &i : AccessRights::areas())
        EXPECT_EQ(w->ticks(i.area), RightsTicks()) << i.column.toStdString();
    click(w.get(), "SelectAllButton");
    click(w.get(), "OKButton");
    const auto all = AccessRights::load(4);
    ASSERT_TRUE(all.has_value());
    for (const RightsAreaInfo &i : AccessRights::areas())
        EXPECT_EQ(all->value(i.area), i.hasNotes ? 7 : 5) << i.column.toStdString();

    click(w.get(), "ClearAllButton");
    click(w.get(), "OKButton");
    const auto none = AccessRights::load(4);
    ASSERT_TRUE(none.has_value());
    for (const RightsAreaInfo &i : AccessRights::areas())
        EXPECT_EQ(none->value(i.area), 0) << i.column.toStdString();
}

TEST_F(AuthorityAccessWindow, TypingALevelShowsItsRightsSoSaveWritesTheLevelShown)
{
    setAccess(3, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    auto w = show<AuthorityAccessForm>();
    QComboBox *combo = child<QComboBox>(w.get(), "LevelCombo");
    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("Le"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Level 3"));
    EXPECT_TRUE(ticked(w.get(), "CustomersRCheck"));
    EXPECT_FALSE(ticked(w.get(), "CustomersWCheck"));
}

class AuthorityLevelsWindow : public wvs::test::AdminWindowTest {};

TEST_F(AuthorityLevelsWindow, ListAddModifyAndDelete)
{
    auto w = show<AuthorityLevelsManagementForm>();
    FlexGrid *grid = w->grid();
    ASSERT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("1"));
    EXPECT_EQ(grid->textMatrix(1, 2), QStringLiteral("Administrator"));

    click(w.get(), "ModifyButton");
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), (QStringList{QStringLiteral("Please select the Level to be modified"),
                                           QStringLiteral("Please select the Level to be deleted")}));

    // Add two levels in one opening of the dialog.
    modal_->once(QStringLiteral("AuthorityLevelAddModifyForm"), [&](QDialog *d) {
        type(d, "NumberText", QStringLiteral("2"));
        type(d, "DescriptionText", QStringLiteral("Office"));
        msgs_->answer(MsgAnswer::Yes);
        click(d, "OKButton");
        EXPECT_EQ(text(d, "NumberText"), QString());
        type(d, "NumberText", QStringLiteral("3"));
        type(d, "DescriptionText", QStringLiteral("Field"));
        msgs_->answer(MsgAnswer::No);
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    msgs_->clear();
    click(w.get(), "AddButton");
    EXPECT_EQ(msgs_->texts(), (QStringList{QStringLiteral("Level added. Do you wish to add another?"),
                                           QStringLiteral("Level added. Do you wish to add another?")}));
    EXPECT_EQ(grid->rows(), 4);
    EXPECT_EQ(grid->selectedRow(), 0);

    // Modify: the number is fixed, the description changes.
    modal_->once(QStringLiteral("AuthorityLevelAddModifyForm"), [&](QDialog *d) {
        EXPECT_EQ(d->property("Tag").toString(), QStringLiteral("Modify~2"));
        EXPECT_FALSE(enabled(d, "NumberText"));
        EXPECT_EQ(text(d, "DescriptionText"), QStringLiteral("Office"));
        type(d, "DescriptionText", QStringLiteral("Office staff"));
        click(d, "OKButton");
    });
    int row = rowOf(grid, QStringLiteral("2"));
    grid->selectRow(row);
    emit grid->rowDoubleClicked(row, 1);
    QApplication::processEvents();
    EXPECT_EQ(AuthorityLevelStore::find(2)->description, QStringLiteral("Office staff"));

    // Delete asks by description, then removes the level and its rights.
    setAccess(3, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    w->PopulateGrid();
    grid->selectRow(rowOf(grid, QStringLiteral("3")));
    msgs_->clear();
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), (QStringList{QStringLiteral("Are you sure you want to PERMANENTLY delete Level Level 3?"),
                                           QStringLiteral("Level deleted")}));
    EXPECT_FALSE(AuthorityLevelStore::find(3).has_value());
    EXPECT_FALSE(AccessRights::load(3).has_value());
    EXPECT_EQ(grid->rows(), 3);
}

TEST_F(AuthorityLevelsWindow, ColumnWidthsDoNotFollowTheScreenScale)
{
    // A scaled list window (such as the associates list) opened earlier in
    // the session has set the screen factor; this list keeps its own widths.
    session().resizeFactor = 1.25;
    auto w = show<AuthorityLevelsManagementForm>();
    EXPECT_EQ(w->grid()->colWidthTwips(0), 0);
    EXPECT_EQ(w->grid()->colWidthTwips(1), 800);
    EXPECT_EQ(w->grid()->colWidthTwips(2), 3750);
    EXPECT_EQ(w->grid()->colWidthTwips(3), 300);
}

TEST_F(AuthorityLevelsWindow, WithoutTheSecurityChangeRightNothingCanBeChanged)
{
    setAccess(2, 7, 7, 5, 5, 5, 5, 7, 5, 1);
    loginAs(QStringLiteral("ADM"), 2);
    // The rights can be looked at but not saved.
    auto access = show<AuthorityAccessForm>();
    EXPECT_FALSE(enabled(access.get(), "OKButton"));
    choose(access.get(), "LevelCombo", QStringLiteral("Level 2"));
    EXPECT_TRUE(ticked(access.get(), "CustomersNCheck"));
    // The list is read-only.
    auto w = show<AuthorityLevelsManagementForm>();
    EXPECT_FALSE(enabled(w.get(), "AddButton"));
    EXPECT_FALSE(enabled(w.get(), "ModifyButton"));
    EXPECT_FALSE(enabled(w.get(), "DeleteButton"));
    w->grid()->selectRow(1);
    emit w->grid()->rowDoubleClicked(1, 1);
    QApplication::processEvents();
    EXPECT_TRUE(modal_->opened().isEmpty());
}

} // namespace
