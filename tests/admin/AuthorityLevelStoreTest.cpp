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
    struct Case {
        const char *number;
        const char *description;
        Field field;
        const char *message;
    };
    const Case cases[] = {
        {"", "", Field::Number, "Please enter a Level Number"},
        {"ab", "", Field::Number, "The Level Number must be numeric"},
        {"0", "Nobody", Field::Number, "The Level Number must be a whole number from 1 to 99"},
        {"-1", "Nobody", Field::Number, "The Level Number must be a whole number from 1 to 99"},
        {"-", "Nobody", Field::Number, "The Level Number must be numeric"},
        {"1.", "Nobody", Field::Number, "The Level Number must be a whole number from 1 to 99"},
        {"+5", "Nobody", Field::Number, "The Level Number must be a whole number from 1 to 99"},
        {"5", "", Field::Description, "Please enter a Description"},
        {"1", "Again", Field::Number, "Authority Level Number 1 already exists - please enter another"},
        // Duplicates are found by value, not by the typed text.
        {"01", "Again", Field::Number, "Authority Level Number 01 already exists - please enter another"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        msgs_->clear();
        const auto r = AuthorityLevelStore::check(true, QString::fromUtf8(c.number), QString::fromUtf8(c.description));
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(msgs_->texts(), QStringList{QString::fromUtf8(c.message)});
    }
    // Only the duplicate empties the number box.
    EXPECT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("1"), QStringLiteral("x")).clearNumber);
    EXPECT_FALSE(AuthorityLevelStore::check(true, QStringLiteral("0"), QStringLiteral("x")).clearNumber);

    msgs_->clear();
    EXPECT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("99"), QStringLiteral("Top")).ok());
    EXPECT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("07"), QStringLiteral("Top")).ok());
    EXPECT_TRUE(msgs_->texts().isEmpty());
}

TEST_F(AuthorityLevelStoreTest, DeleteIsRefusedWhileAnAssociateHoldsTheLevel)
{
    setAccess(4, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 4);
    EXPECT_FALSE(AuthorityLevelStore::remove(4, QStringLiteral("Level 4")));
    EXPECT_EQ(msgs_->texts(),
              QStringList{QStringLiteral("One or more Associates are assigned Authority Level 4 and therefore it cannot be deleted")});
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());
    EXPECT_TRUE(AccessRights::load(4).has_value());
}

TEST_F(AuthorityLevelStoreTest, AFailedDeleteKeepsLevelAndRights)
{
    setAccess(4, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    execSql(QStringLiteral("CREATE TEMP TRIGGER FailRightsDelete BEFORE DELETE ON AuthorityAccess "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_THROW(AuthorityLevelStore::remove(4, QStringLiteral("Level 4")), WvsError);
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());
    EXPECT_TRUE(AccessRights::load(4).has_value());
}

} // namespace
