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
        {"1.", "Nobody", Field::Number, "The Level Number must be a whole number from 1 to 99"},
        {"+5", "Nobody", Field::Number, "The Level Number must be a whole number from 1 to 99"},
        {"5", "", Field::Description, "Please enter a Description"},
        {"1", "Again", Field::Number, "Authority Level Number 1 already exists - please enter another"},
        // Duplicates are found by value, not by the typed text.
        {"01", "Again", Field::Number, "Authority Level Number 01 already exists - please enter another"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        const auto r = AuthorityLevelStore::check(true, QString::fromUtf8(c.number), QString::fromUtf8(c.description));
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
    }
    // Only the duplicate empties the number box.
    EXPECT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("1"), QStringLiteral("x")).clearNumber);
    EXPECT_FALSE(AuthorityLevelStore::check(true, QStringLiteral("0"), QStringLiteral("x")).clearNumber);

    EXPECT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("99"), QStringLiteral("Top")).ok());
    EXPECT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("07"), QStringLiteral("Top")).ok());
}

TEST_F(AuthorityLevelStoreTest, DeleteIsRefusedWhileAnAssociateHoldsTheLevel)
{
    setAccess(4, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 4);
    QStringList asked;
    const auto r = AuthorityLevelStore::remove(4, QStringLiteral("Level 4"), [&](const QString &q) {
        asked << q;
        return true;
    });
    EXPECT_FALSE(r.removed);
    EXPECT_EQ(r.message,
              QStringLiteral("One or more Associates are assigned Authority Level 4 and therefore it cannot be deleted"));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());
    EXPECT_TRUE(AccessRights::load(4).has_value());

    // A level given to an associate while the question is open stays too.
    setAccess(5, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    const auto late = AuthorityLevelStore::remove(5, QStringLiteral("Level 5"), [&](const QString &) {
        addAssociate(QStringLiteral("KB"), QStringLiteral("Kay Bloggs"), QStringLiteral("pass"), 5);
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
    EXPECT_THROW(AuthorityLevelStore::remove(4, QStringLiteral("Level 4"), [](const QString &) { return true; }), WvsError);
    EXPECT_TRUE(AuthorityLevelStore::find(4).has_value());
    EXPECT_TRUE(AccessRights::load(4).has_value());
}

} // namespace
