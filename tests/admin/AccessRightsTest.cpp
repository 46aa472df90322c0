#include "admin/AccessRights.h"
#include "support/DbTest.h"
#include "platform/WvsError.h"

using namespace wvs;

namespace {

TEST(AccessRightsValues, StoredValueShowsTheBitsOfTheAreasBoxes)
{
    // Only the bits the area has a box for survive.
    const struct { RightsArea area; int stored; RightsTicks shown /* view, change, notes */; int saved; } cases[] = {
        {RightsArea::JobTypes, 7, {true, true, false}, 5},   {RightsArea::JobTypes, 2, {false, false, false}, 0},
        {RightsArea::Associates, 3, {true, false, false}, 1}, {RightsArea::Security, 6, {false, true, false}, 4},
        {RightsArea::Company, 4, {false, true, false}, 4},    {RightsArea::Accounts, 1, {false, false, false}, 0},
        {RightsArea::Accounts, 4, {false, true, false}, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(AccessRights::info(c.area).column.toStdString() + " " + std::to_string(c.stored));
        const RightsTicks t = AccessRights::ticksFor(c.area, c.stored);
        EXPECT_EQ(t, c.shown);
        EXPECT_EQ(AccessRights::valueOf(c.area, t), c.saved);
    }
}

TEST(AccessRightsValues, TickRules)
{
    // before: with the changed box already in its new state
    const struct { RightsArea area; RightsTicks before; RightsBox changed; RightsTicks after; } cases[] = {
        // Unticking View clears the row.
        {RightsArea::Customers, {false, true, true}, RightsBox::View, {false, false, false}},
        {RightsArea::Security, {false, true, false}, RightsBox::View, {false, false, false}},
        // Ticking View alone changes nothing else.
        {RightsArea::JobSchedules, {true, false, false}, RightsBox::View, {true, false, false}},
        // Change or Notes need View...
        {RightsArea::JobSchedules, {false, false, true}, RightsBox::Notes, {true, false, true}},
        {RightsArea::Customers, {false, true, false}, RightsBox::Change, {true, true, false}},
        {RightsArea::Associates, {false, true, false}, RightsBox::Change, {true, true, false}},
        // ...except where changing stands alone.
        {RightsArea::Security, {false, true, false}, RightsBox::Change, {false, true, false}},
        {RightsArea::Accounts, {false, true, false}, RightsBox::Change, {false, true, false}},
        // Unticking Change or Notes leaves View.
        {RightsArea::Customers, {true, false, true}, RightsBox::Change, {true, false, true}},
        {RightsArea::Customers, {true, true, false}, RightsBox::Notes, {true, true, false}},
    };
    for (const auto &c : cases) {
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
