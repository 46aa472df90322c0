#include "admin/AccessRights.h"
#include "admin/AuthorityLevelStore.h"
#include "platform/WvsError.h"
#include "support/DbTest.h"

using namespace wvs;
using Field = AuthorityLevelStore::Field;

namespace {

class AuthorityLevelStoreTest : public wvs::test::DbTest {};

TEST_F(AuthorityLevelStoreTest, AddChecksInOrder)
{
    const QString range = "The Level Number must be a whole number from 1 to 99";
    const struct {
        const char *number, *description;
        Field field;
        QString message;
    } cases[] = {
        {"", "", Field::Number, "Please enter a Level Number"},
        {"ab", "", Field::Number, "The Level Number must be numeric"},
        {"0", "Nobody", Field::Number, range},
        {"1.", "Nobody", Field::Number, range},
        {"+5", "Nobody", Field::Number, range},
        {"5", "", Field::Description, "Please enter a Description"},
        // Duplicates are found by value, not by the typed text; only they empty the box.
        {"1", "Again", Field::Number, "Authority Level Number 1 already exists - please enter another"},
        {"01", "Again", Field::Number, "Authority Level Number 01 already exists - please enter another"},
        {"99", "Top", Field::None, ""},
        {"07", "Top", Field::None, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.number);
        const auto r = AuthorityLevelStore::check(true, c.number, c.description);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.clearNumber, c.message.contains("exists"));
    }
}

TEST_F(AuthorityLevelStoreTest, DeleteIsRefusedWhileAnAssociateHoldsTheLevel)
{
    setAccess(4, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate("JB", "Jo Bloggs", "pass", 4);
    QStringList asked;
    const auto r = AuthorityLevelStore::remove(4, "Level 4", [&](const QString &q) { return asked << q, true; });
    EXPECT_FALSE(r.removed);
    EXPECT_EQ(r.message,
              "One or more Associates are assigned Authority Level 4 and therefore it cannot be deleted");
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());

    // A level given to an associate while the question is open stays too.
    setAccess(5, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    const auto late = AuthorityLevelStore::remove(5, "Level 5", [&](const QString &) {
        addAssociate("KB", "Kay Bloggs", "pass", 5);
        return true;
    });
    EXPECT_FALSE(late.removed);
    EXPECT_TRUE(late.message.contains(QLatin1String("Authority Level 5")));
    EXPECT_TRUE(AuthorityLevelStore::find(5).has_value());
}

TEST_F(AuthorityLevelStoreTest, AFailedDeleteKeepsLevelAndRights)
{
    setAccess(4, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    execSql(QStringLiteral("CREATE TEMP TRIGGER FailRightsDelete BEFORE DELETE ON AuthorityAccess "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_THROW(AuthorityLevelStore::remove(4, "Level 4", [](const QString &) { return true; }), WvsError);
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());
    EXPECT_TRUE(AccessRights::load(4).has_value());
}

} // namespace
