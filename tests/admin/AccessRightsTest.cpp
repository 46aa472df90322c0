#include "admin/AccessRights.h"
#include "support/DbTest.h"
#include "platform/WvsError.h"

using namespace wvs;

namespace {

struct ShowCase {
    RightsArea area;
    int stored;
    RightsTicks shown;  // view, change, notes
    int saved;          // what saving the shown boxes writes back
};

// Every area with values the tick combinations produce and values they don't:
// the boxes show each bit the area has a box for, so nothing is lost but what
// the row cannot hold.
const ShowCase kShowCases[] = {
    {RightsArea::Customers, 0, {false, false, false}, 0},
    {RightsArea::Customers, 1, {true, false, false}, 1},
    {RightsArea::Customers, 2, {false, false, true}, 2},
    {RightsArea::Customers, 3, {true, false, true}, 3},
    {RightsArea::Customers, 4, {false, true, false}, 4},
    {RightsArea::Customers, 5, {true, true, false}, 5},
    {RightsArea::Customers, 6, {false, true, true}, 6},
    {RightsArea::Customers, 7, {true, true, true}, 7},
    {RightsArea::CustomerJobs, 3, {true, false, true}, 3},
    {RightsArea::CustomerJobs, 6, {false, true, true}, 6},
    {RightsArea::JobSchedules, 5, {true, true, false}, 5},
    {RightsArea::JobSchedules, 2, {false, false, true}, 2},
    {RightsArea::JobTypes, 1, {true, false, false}, 1},
    {RightsArea::JobTypes, 3, {true, false, false}, 1},
    {RightsArea::JobTypes, 5, {true, true, false}, 5},
    {RightsArea::JobTypes, 7, {true, true, false}, 5},
    {RightsArea::JobTypes, 2, {false, false, false}, 0},
    {RightsArea::Company, 1, {true, false, false}, 1},
    {RightsArea::Company, 4, {false, true, false}, 4},
    {RightsArea::Company, 5, {true, true, false}, 5},
    {RightsArea::Associates, 3, {true, false, false}, 1},
    {RightsArea::Associates, 7, {true, true, false}, 5},
    {RightsArea::Security, 4, {false, true, false}, 4},
    {RightsArea::Security, 5, {true, true, false}, 5},
    {RightsArea::Security, 6, {false, true, false}, 4},
    {RightsArea::Preferences, 1, {true, false, false}, 1},
    {RightsArea::Preferences, 4, {false, true, false}, 4},
    {RightsArea::Preferences, 2, {false, false, false}, 0},
    {RightsArea::Accounts, 0, {false, false, false}, 0},
    {RightsArea::Accounts, 1, {false, false, false}, 0},
    {RightsArea::Accounts, 4, {false, true, false}, 5},
    {RightsArea::Accounts, 5, {false, true, false}, 5},
    {RightsArea::Accounts, 7, {false, true, false}, 5},
};

TEST(AccessRightsValues, StoredValueShowsItsBitsAndSavesBack)
{
    for (const ShowCase &c : kShowCases) {
        SCOPED_TRACE(AccessRights::info(c.area).column.toStdString() + " " + std::to_string(c.stored));
        const RightsTicks t = AccessRights::ticksFor(c.area, c.stored);
        EXPECT_EQ(t.view, c.shown.view);
        EXPECT_EQ(t.change, c.shown.change);
        EXPECT_EQ(t.notes, c.shown.notes);
        EXPECT_EQ(AccessRights::valueOf(c.area, t), c.saved);
    }
}

struct RuleCase {
    RightsArea area;
    RightsTicks before; // with the changed box already in its new state
    RightsBox changed;
    RightsTicks after;
};

TEST(AccessRightsValues, TickRules)
{
    const RuleCase cases[] = {
        // Unticking View clears the row.
        {RightsArea::Customers, {false, true, true}, RightsBox::View, {false, false, false}},
        {RightsArea::Company, {false, true, false}, RightsBox::View, {false, false, false}},
        {RightsArea::Security, {false, true, false}, RightsBox::View, {false, false, false}},
        // Ticking View alone changes nothing else.
        {RightsArea::JobSchedules, {true, false, false}, RightsBox::View, {true, false, false}},
        // Change or Notes need View...
        {RightsArea::JobSchedules, {false, false, true}, RightsBox::Notes, {true, false, true}},
        {RightsArea::Customers, {false, true, false}, RightsBox::Change, {true, true, false}},
        {RightsArea::JobTypes, {false, true, false}, RightsBox::Change, {true, true, false}},
        {RightsArea::Associates, {false, true, false}, RightsBox::Change, {true, true, false}},
        // ...except where changing stands alone.
        {RightsArea::Security, {false, true, false}, RightsBox::Change, {false, true, false}},
        {RightsArea::Preferences, {false, true, false}, RightsBox::Change, {false, true, false}},
        {RightsArea::Accounts, {false, true, false}, RightsBox::Change, {false, true, false}},
        // Unticking Change or Notes leaves View.
        {RightsArea::Customers, {true, false, true}, RightsBox::Change, {true, false, true}},
        {RightsArea::Customers, {true, true, false}, RightsBox::Notes, {true, true, false}},
    };
    for (const RuleCase &c : cases) {
        SCOPED_TRACE(AccessRights::info(c.area).column.toStdString());
        EXPECT_EQ(AccessRights::applyRule(c.area, c.before, c.changed), c.after);
    }
}

class AccessRightsStore : public wvs::test::DbTest {};

TEST_F(AccessRightsStore, AFailedSaveKeepsThePreviousRow)
{
    // The new row cannot be written after the old one was deleted: the level
    // keeps its previous row.
    execSql(QStringLiteral("CREATE TEMP TRIGGER FailRights BEFORE INSERT ON AuthorityAccess "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    RightsValues v;
    v[RightsArea::Customers] = 1;
    EXPECT_THROW(AccessRights::save(1, v), WvsError);
    EXPECT_EQ(AccessRights::areaValue(1, RightsArea::Customers), 7);
    EXPECT_EQ(AccessRights::areaValue(1, RightsArea::Security), 5);
}

} // namespace
