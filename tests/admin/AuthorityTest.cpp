#include "AdminWindowTest.h"
#include "admin/AccessRights.h"
#include "admin/AuthorityAccessForm.h"
#include "admin/AuthorityLevelStore.h"
#include "admin/AuthorityLevelsManagementForm.h"
#include "admin/CompanyForm.h"
#include "admin/CompanyRecord.h"
#include "admin/PreferenceSettings.h"
#include "admin/PreferencesForm.h"
#include "platform/WvsError.h"
#include "support/Keys.h"

using namespace wvs;
using Field = AuthorityLevelStore::Field;

namespace {

TEST(AccessRightsValues, TickRules)
{
    using A = RightsArea;
    using B = RightsBox;
    // before: with the changed box already in its new state
    const struct { RightsArea area; RightsTicks before; RightsBox changed; RightsTicks after; } cases[] = {
        // Unticking View clears the row.
        {A::Customers, {false, true, true}, B::View, {false, false, false}}, {A::Security, {false, true, false}, B::View, {false, false, false}},
        {A::CustomerJobs, {false, true, true}, B::View, {false, false, false}}, {A::JobSchedules, {false, true, true}, B::View, {false, false, false}},
        {A::Company, {false, true, false}, B::View, {false, false, false}}, {A::Associates, {false, true, false}, B::View, {false, false, false}},
        {A::JobTypes, {false, true, false}, B::View, {false, false, false}}, {A::Preferences, {false, true, false}, B::View, {false, false, false}},
        // Ticking View alone changes nothing else.
        {A::JobSchedules, {true, false, false}, B::View, {true, false, false}},
        // Change or Notes need View...
        {A::JobSchedules, {false, false, true}, B::Notes, {true, false, true}}, {A::Customers, {false, true, false}, B::Change, {true, true, false}},
        {A::Customers, {false, false, true}, B::Notes, {true, false, true}}, {A::CustomerJobs, {false, false, true}, B::Notes, {true, false, true}},
        {A::Associates, {false, true, false}, B::Change, {true, true, false}}, {A::Company, {false, true, false}, B::Change, {true, true, false}},
        {A::JobTypes, {false, true, false}, B::Change, {true, true, false}}, {A::CustomerJobs, {false, true, false}, B::Change, {true, true, false}},
        {A::JobSchedules, {false, true, false}, B::Change, {true, true, false}},
        // ...except where changing stands alone.
        {A::Security, {false, true, false}, B::Change, {false, true, false}}, {A::Accounts, {false, true, false}, B::Change, {false, true, false}},
        {A::Preferences, {false, true, false}, B::Change, {false, true, false}},
        // Unticking Change or Notes leaves View.
        {A::Customers, {true, false, true}, B::Change, {true, false, true}}, {A::Customers, {true, true, false}, B::Notes, {true, true, false}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AccessRights::applyRule(c.area, c.before, c.changed), c.after) << AccessRights::info(c.area).column.toStdString();
}

class AuthorityStore : public wvs::test::DbTest {};

// A failed rights write or level delete, or a delete while the level is held, keeps the level and its rights.
TEST_F(AuthorityStore, RightsAndLevelsSurviveAFailedWriteOrADeleteWhileHeld)
{
    setAccess(4, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    execSql("CREATE TEMP TRIGGER FailRights BEFORE INSERT ON AuthorityAccess BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    RightsValues v;
    v[RightsArea::Customers] = 1;
    EXPECT_THROW(AccessRights::save(1, v), WvsError);
    EXPECT_EQ(AccessRights::areaValue(1, RightsArea::Customers), 7);

    execSql("CREATE TEMP TRIGGER FailRightsDelete BEFORE DELETE ON AuthorityAccess BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(AuthorityLevelStore::remove(4, "Level 4", [](const QString &) { return true; }), WvsError);
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());
    EXPECT_TRUE(AccessRights::load(4).has_value());
    execSql("DROP TRIGGER FailRights"), execSql("DROP TRIGGER FailRightsDelete");

    // Refused while an associate holds the level, before anything is asked.
    addAssociate("JB", "Jo Bloggs", "pass", 4);
    QStringList asked;
    const auto r = AuthorityLevelStore::remove(4, "Level 4", [&](const QString &q) { return asked << q, true; });
    EXPECT_FALSE(r.removed);
    EXPECT_EQ(r.message, "One or more Associates are assigned Authority Level 4 and therefore it cannot be deleted");
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());

    // A level given to an associate while the question is open stays too.
    setAccess(5, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    const auto late = AuthorityLevelStore::remove(5, "Level 5", [&](const QString &) {
        addAssociate("KB", "Kay Bloggs", "pass", 5);
        return true;
    });
    EXPECT_FALSE(late.removed);
    EXPECT_EQ(late.message, "One or more Associates are assigned Authority Level 5 and therefore it cannot be deleted");
    EXPECT_TRUE(AuthorityLevelStore::find(5).has_value());
}

TEST_F(AuthorityStore, LevelAddChecksInOrder)
{
    const QString range = "The Level Number must be a whole number from 1 to 99";
    const struct { const char *number, *description; Field field; QString message; } cases[] = {
        {"", "", Field::Number, "Please enter a Level Number"}, {"ab", "", Field::Number, "The Level Number must be numeric"},
        {"0", "Nobody", Field::Number, range}, {"1.", "Nobody", Field::Number, range}, {"+5", "Nobody", Field::Number, range},
        {"0", "", Field::Number, range},
        {"5", "", Field::Description, "Please enter a Description"},
        {"1", "", Field::Description, "Please enter a Description"},   // the description before the duplicate
        // Duplicates are found by value, not by the typed text; only they empty the box.
        {"1", "Again", Field::Number, "Authority Level Number 1 already exists - please enter another"},
        {"01", "Again", Field::Number, "Authority Level Number 01 already exists - please enter another"},
        {"99", "Top", Field::None, ""}, {"07", "Top", Field::None, ""},
    };
    for (const auto &c : cases) {
        const auto r = AuthorityLevelStore::check(true, c.number, c.description);
        EXPECT_EQ(r.field, c.field) << c.number;
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.clearNumber, c.message.contains("exists")) << c.number;
    }
}

class AuthorityWindows : public wvs::test::AdminWindowTest {
protected:
    // The level's stored values, area after area.
    static QString rights(int level)
    {
        return scalarSql("SELECT Customers || CustomerJobs || JobTypes || Associates || Company || Preferences || "
                         "JobSchedules || Accounts || Security FROM AuthorityAccess WHERE AuthorityLevelNumber = ?",
                         {level})
            .toString();
    }
};

TEST_F(AuthorityWindows, AccessShowsTheLevelTypedAndSavesWholeRows)
{
    // Values no tick combination of these windows produces.
    setAccess(3, 4, 2, 2, 1, 5, 4, 6, 4, 4);
    setAccess(4, 1, 1, 7, 3, 4, 1, 1, 1, 6);
    auto w = shown<AuthorityAccessForm>();
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Please select an Authority Level"});
    msgs_->clear();
    QComboBox *combo = child<QComboBox>(w.get(), "LevelCombo");
    combo->setFocus();
    test::typeKeys(combo, "Le");
    EXPECT_EQ(combo->currentText(), "Level 3");
    EXPECT_FALSE(ticked(w.get(), "CustomersRCheck"));
    EXPECT_TRUE(ticked(w.get(), "CustomersWCheck"));
    EXPECT_TRUE(ticked(w.get(), "CustomerJobsNCheck"));
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Authority Access updated"});
    // Only the bits of the boxes an area has survive (no Add Notes box for job types, associates or security,
    // only the change box for accounts); a ticked accounts box is saved with its View bit.
    EXPECT_EQ(rights(3), "420154654");
    choose(w.get(), "LevelCombo", "Level 4");
    click(w.get(), "OKButton");
    EXPECT_EQ(rights(4), "115141104");

    click(w.get(), "SelectAllButton");
    click(w.get(), "OKButton");
    EXPECT_EQ(rights(4), "775555755");
    click(w.get(), "ClearAllButton");
    tick(w.get(), "CustomersWCheck", true); // ticks View too
    click(w.get(), "OKButton");
    EXPECT_EQ(rights(4), "500000000");

    // One box alone: the Security and Preferences rows store Add/Modify/Delete without View.
    const struct { const char *box; const char *stored; } alone[] = {
        {"SecurityWCheck", "000000004"}, {"PreferencesWCheck", "000004000"}, {"PreferencesRCheck", "000001000"},
        {"AccountsWCheck", "000000050"}, {"JobSchedulesNCheck", "000000300"},
    };
    for (const auto &a : alone) {
        click(w.get(), "ClearAllButton");
        tick(w.get(), a.box, true);
        click(w.get(), "OKButton");
        EXPECT_EQ(rights(4), a.stored) << a.box;
    }
}

TEST_F(AuthorityWindows, ListAddModifyAndDelete)
{
    auto w = shown<AuthorityLevelsManagementForm>();
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

TEST_F(AuthorityWindows, WithoutTheirChangeRightsNeitherRightsNorCompanyNorPreferencesAreSaved)
{
    // Below a Security value of 5 the rights can be looked at but not saved, and the levels not changed.
    std::unique_ptr<AuthorityLevelsManagementForm> w;
    for (int security : {5, 4}) {
        setAccess(2, 7, 7, 5, 5, 5, 5, 7, 5, security);
        loginAs("ADM", 2);
        EXPECT_EQ(enabled(shown<AuthorityAccessForm>().get(), "OKButton"), security == 5);
        w = shown<AuthorityLevelsManagementForm>();
        for (const char *b : {"AddButton", "ModifyButton", "DeleteButton"})
            EXPECT_EQ(enabled(w.get(), b), security == 5) << b;
    }
    w->grid()->selectRow(1);
    emit w->grid()->rowDoubleClicked(1, 1);
    QApplication::processEvents();
    EXPECT_TRUE(modal_->opened().isEmpty());

    // Company Details saves at 5, Preferences at 4 (Add/Modify/Delete alone); below that
    // (4 and 3 included) each window shows what is stored and its Save stores nothing.
    const struct { int company, preferences; bool companySaves, preferencesSave; } cases[] = {
        {1, 1, false, false}, {5, 4, true, true}, {0, 5, false, true}, {4, 3, false, false},
    };
    int round = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "Company " << c.company << ", Preferences " << c.preferences);
        const QString fax = QString::number(++round), rate = QString::number(10 + round);
        CompanyRecord::save({.id = "SPARK1", .name = "Sparkle", .regNo = "REG 1", .gstNo = "12-345", .pAddress1 = "1 Main Rd",
                            .pPostCode = "1010", .pTelephone = "09 555 1234", .pFax = "old fax"});
        PreferenceSettings::save({.taxRate = 9});
        setAccess(2, 1, 1, 1, 1, c.company, c.preferences, 1, 0, 1);
        loginAs("ADM", 2);
        msgs_->clear();

        auto company = shown<CompanyForm>();
        EXPECT_EQ(text(company.get(), "PFaxText"), "old fax");
        EXPECT_EQ(enabled(company.get(), "OKButton"), c.companySaves);
        type(company.get(), "PFaxText", fax);
        click(company.get(), "OKButton");
        EXPECT_EQ(CompanyRecord::load()->pFax, c.companySaves ? fax : "old fax");

        auto preferences = shown<PreferencesForm>();
        EXPECT_EQ(text(preferences.get(), "TaxRateText"), "9");
        EXPECT_EQ(enabled(preferences.get(), "OKButton"), c.preferencesSave);
        type(preferences.get(), "TaxRateText", rate);
        click(preferences.get(), "OKButton");
        EXPECT_EQ(PreferenceSettings::load()->taxRate, c.preferencesSave ? rate.toDouble() : 9);

        EXPECT_EQ(msgs_->texts().contains("Company details saved"), c.companySaves);
        EXPECT_EQ(msgs_->texts().contains("Preferences saved"), c.preferencesSave);
        EXPECT_EQ(msgs_->texts().size(), int(c.companySaves) + int(c.preferencesSave));
    }
}


} // namespace
