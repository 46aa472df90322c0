#include "AdminWindowTest.h"
#include "admin/AccessRights.h"
#include "admin/AssociateRecord.h"
#include "admin/AssociatesManagementForm.h"
#include "support/Keys.h"
#include "support/Pointer.h"

using namespace wvs;
using namespace wvs::test;

namespace {

const QString kModifyAbove = "You cannot modify an Associate whose Authority Level has rights above your own";
const QString kDeleteAbove = "You cannot delete an Associate whose Authority Level has rights above your own";
const QString kGiveAbove = "You cannot give an Associate an Authority Level with rights above your own";

// The clerk (level 2) keeps the associates but not the levels' rights. Within
// his level: the junior's level 3 and level 5 (Customers 1 alone). Above it:
// the senior's level 4, higher in Job Types alone, and the administrator's level 1.
class AssociateLevels : public AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        setAccess(3, 1, 1, 1, 1, 0, 0, 1, 0, 0);
        setAccess(4, 7, 7, 5, 5, 1, 1, 7, 0, 0);
        setAccess(5, 1, 0, 0, 0, 0, 0, 0, 0, 0);
        addAssociate("CL", "Clara Clerk", "pass", 2);
        addAssociate("JR", "Jim Junior", "pass", 3);
        addAssociate("SR", "Sue Senior", "pass", 4);
        other_ = secondConnection();
    }
    void TearDown() override
    {
        other_ = QSqlDatabase();
        AdminWindowTest::TearDown();
    }

    // The clerk logged on, his level with the Security value given.
    void logOnAsClerk(int security)
    {
        setAccess(2, 7, 7, 1, 5, 1, 1, 7, 0, security);
        loginAs("CL", 2);
    }

    // Every associate as stored: ID, name, password, level.
    static QString associates()
    {
        return rowsOf("SELECT AssociateID, AssociateName, AssociatePassword, AssociateAuthorityLevel FROM Associates "
                      "ORDER BY AssociateID");
    }
    static QString stored(const QString &id)
    {
        return rowsOf("SELECT AssociateName, AssociatePassword, AssociateAuthorityLevel FROM Associates "
                      "WHERE AssociateID = ?",
                      {id});
    }
    // Another workstation's change, made while a window is open here.
    void elsewhere(const QString &sql) { writeSql(sql, {}, other_); }

    static void newPassword(QWidget *d, const QString &password)
    {
        retypeBox(d, "PasswordText", password);
        retypeBox(d, "Password2Text", password);
    }

    // The associate's row pointed at and the command given: the list's button,
    // or (none) a double click on the row.
    void command(AssociatesManagementForm *w, const QString &id, const char *button)
    {
        const int row = rowOf(w->grid(), id);
        ASSERT_GT(row, 0) << id.toStdString();
        pointAtRow(w, w->grid(), row, button == nullptr);
        if (button)
            pressButton(w, button);
    }
    // Modify (by the button or a double click) with the dialog driven by the handler.
    void modify(AssociatesManagementForm *w, const QString &id, bool doubleClick, ModalScript::Handler handler)
    {
        modal_->once("AssociateAddModifyForm", std::move(handler));
        command(w, id, doubleClick ? nullptr : "ModifyButton");
    }

    QSqlDatabase other_;
};

TEST_F(AssociateLevels, ALevelIsWithinAnotherWhenNoAreaIsHigherAndOnlyTheSecurityChangeRightReachesPastIt)
{
    setAccess(2, 7, 7, 1, 5, 1, 1, 7, 0, 0);
    setAccess(6, 0, 0, 0, 0, 0, 0, 0, 0, 0), setAccess(9, 0, 0, 0, 0, 0, 0, 0, 0, 0); // the levels saved below
    EXPECT_TRUE(AccessRights::within(2, 2));
    EXPECT_TRUE(AccessRights::within(3, 2));
    EXPECT_FALSE(AccessRights::within(2, 3));
    // One area that grants more is enough, whichever it is: the clerk's rights
    // with one area at a value that opens a command the other's value does not
    // (7 over 6 where changing asks 7, 5 over 4 or 1 where it asks 5, 4 over 1
    // in Preferences, 1 over 0).
    const RightsValues clerk = *AccessRights::load(2);
    const QMap<RightsArea, std::pair<int, int>> aboveAndBelow{
        {RightsArea::Customers, {7, 6}},    {RightsArea::CustomerJobs, {7, 6}}, {RightsArea::JobTypes, {5, 1}},
        {RightsArea::Associates, {5, 4}},   {RightsArea::Company, {5, 1}},      {RightsArea::Preferences, {4, 1}},
        {RightsArea::JobSchedules, {7, 6}}, {RightsArea::Accounts, {1, 0}},     {RightsArea::Security, {1, 0}}};
    for (const RightsAreaInfo &i : AccessRights::areas()) {
        RightsValues higher = clerk, lower = clerk;
        higher[i.area] = aboveAndBelow[i.area].first;
        lower[i.area] = aboveAndBelow[i.area].second;
        AccessRights::save(6, higher);
        AccessRights::save(9, lower);
        EXPECT_FALSE(AccessRights::within(6, 9)) << i.column.toStdString();
        EXPECT_TRUE(AccessRights::within(9, 6)) << i.column.toStdString();
    }
    // A level whose rights were never saved holds none: within every level, and
    // only a level without rights is within it.
    writeSql("INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (8, 'New')");
    EXPECT_TRUE(AccessRights::within(8, 5));
    EXPECT_FALSE(AccessRights::within(5, 8));
    setAccess(7, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(AccessRights::within(7, 8));

    // Security 5 gives any level; 4 (Add/Modify/Delete alone) and 1 only those within one's own.
    for (const int security : {0, 1, 4, 5}) {
        setAccess(2, 7, 7, 1, 5, 1, 1, 7, 0, security);
        EXPECT_EQ(AccessRights::mayAssign(2, 1), security == 5) << security;
        EXPECT_EQ(AccessRights::mayAssign(2, 4), security == 5) << security;
        EXPECT_TRUE(AccessRights::mayAssign(2, 3)) << security;
    }
}

// What a stored value grants in an area, as the rights give it: any value opens
// the area, 3 adds notes where the area has them, 5 publishes a schedule,
// and changing asks 7 where the area has notes, 4 in Preferences (its
// Add/Modify/Delete alone) and 5 elsewhere. A value is within another when it
// grants nothing the other does not, whatever the numbers.
TEST_F(AssociateLevels, ALevelIsComparedByWhatEachValueGrantsNotByTheNumber)
{
    setAccess(6, 0, 0, 0, 0, 0, 0, 0, 0, 0), setAccess(7, 0, 0, 0, 0, 0, 0, 0, 0, 0); // the levels saved below
    struct Row {
        RightsArea area;
        int value, ceiling;
        bool within;
    };
    const Row rows[] = {
        // Add/Modify/Delete without View grants no more than View where changing asks View too.
        {RightsArea::Security, 4, 1, true},       {RightsArea::Security, 1, 4, true},
        {RightsArea::Security, 5, 4, false},      {RightsArea::Associates, 4, 1, true},
        {RightsArea::Company, 4, 1, true},        {RightsArea::JobTypes, 4, 1, true},
        {RightsArea::JobSchedules, 4, 3, true},   {RightsArea::Customers, 4, 3, true},
        // ... but reaches adding notes (3) where the area has notes.
        {RightsArea::JobSchedules, 4, 1, false},  {RightsArea::CustomerJobs, 4, 2, false},
        {RightsArea::Customers, 6, 3, true},      {RightsArea::CustomerJobs, 6, 5, true},
        // Preferences saves with Add/Modify/Delete alone.
        {RightsArea::Preferences, 4, 1, false},   {RightsArea::Preferences, 1, 4, true},
        {RightsArea::Preferences, 5, 4, true},
        // Notes without View open the area only; View and notes add notes.
        {RightsArea::Customers, 2, 1, true},      {RightsArea::Customers, 3, 2, false},
        {RightsArea::JobTypes, 3, 1, true},       {RightsArea::JobTypes, 5, 3, false},
        // Publishing asks 5 of Job Schedules, changing 7.
        {RightsArea::JobSchedules, 5, 3, false},  {RightsArea::JobSchedules, 7, 5, false},
        {RightsArea::JobSchedules, 5, 6, true},   {RightsArea::Customers, 5, 3, true},
        {RightsArea::Customers, 7, 5, false},     {RightsArea::CustomerJobs, 7, 6, false},
        // No tick combination stores 8: it grants what 7 grants.
        {RightsArea::Customers, 8, 7, true},      {RightsArea::Accounts, 5, 1, false},
        {RightsArea::Accounts, 1, 0, false},      {RightsArea::Company, 0, 0, true},
    };
    for (const Row &r : rows) {
        RightsValues level, ceiling;
        level[r.area] = r.value;
        ceiling[r.area] = r.ceiling;
        AccessRights::save(6, level);
        AccessRights::save(7, ceiling);
        EXPECT_EQ(AccessRights::within(6, 7), r.within)
            << AccessRights::info(r.area).column.toStdString() << " " << r.value << " within " << r.ceiling;
    }
}

// The office clerk, with View alone in Security, keeps an associate whose level
// stores Add/Modify/Delete alone there: it grants him nothing more.
TEST_F(AssociateLevels, AnAssociateWhoseLevelGrantsNoMoreIsKeptWhateverItsNumbers)
{
    setAccess(5, 7, 7, 1, 5, 1, 1, 7, 0, 4);
    writeSql("UPDATE AuthorityLevels SET LevelDescription = 'Viewer' WHERE LevelNumber = 5");
    addAssociate("VW", "Vic Viewer", "pass", 5);
    logOnAsClerk(1);
    auto w = shown<AssociatesManagementForm>();
    modify(w.get(), "VW", false, [&](QDialog *d) {
        EXPECT_EQ(entries(d, "LevelCombo"), QStringList({"Level 2", "Level 3", "Viewer"}));
        newPassword(d, "vw22");
        pressButton(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(stored("VW"), "Vic Viewer|vw22|5");
    EXPECT_EQ(msgs_->texts(), QStringList());
    msgs_->answer(MsgAnswer::Yes);
    command(w.get(), "VW", "DeleteButton");
    EXPECT_EQ(msgs_->last(), "Associate deleted");
    EXPECT_EQ(stored("VW"), "");
}

TEST_F(AssociateLevels, AddOffersAndSavesOnlyLevelsWithinOnesOwnWithoutTheSecurityChangeRight)
{
    for (const int security : {0, 5}) {
        SCOPED_TRACE(testing::Message() << "Security " << security);
        logOnAsClerk(security);
        auto w = shown<AssociatesManagementForm>();
        const QString id = QStringLiteral("N%1").arg(security);
        modal_->once("AssociateAddModifyForm", [&](QDialog *d) {
            EXPECT_EQ(entries(d, "LevelCombo"),
                      security == 5 ? QStringList({"Administrator", "Level 2", "Level 3", "Level 4", "Level 5"})
                                    : QStringList({"Level 2", "Level 3", "Level 5"}));
            typeKeys(child<QWidget>(d, "IDText"), id);
            typeKeys(child<QWidget>(d, "NameText"), "New One");
            typeKeys(child<QWidget>(d, "PasswordText"), "word");
            typeKeys(child<QWidget>(d, "Password2Text"), "word");
            typeKeys(child<QWidget>(d, "DefaultScreenCombo"), "N");
            typeKeys(child<QWidget>(d, "LevelCombo"), security == 5 ? "Adm" : "Level 5");
            // Level 5 comes to hold more than the clerk's own while the window is open.
            elsewhere("UPDATE AuthorityAccess SET Company = 5 WHERE AuthorityLevelNumber = 5");
            const QString before = associates();
            msgs_->clear();
            if (security == 0) {
                pressButton(d, "OKButton");
                EXPECT_EQ(msgs_->texts(), QStringList{kGiveAbove});
                EXPECT_EQ(associates(), before);
                EXPECT_TRUE(d->isVisible());
                EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(d, "LevelCombo"));
                // Back as it was, the level is given.
                elsewhere("UPDATE AuthorityAccess SET Company = 0 WHERE AuthorityLevelNumber = 5");
            }
            msgs_->answer(MsgAnswer::No);
            pressButton(d, "OKButton");
            EXPECT_FALSE(d->isVisible());
        });
        pressButton(w.get(), "AddButton");
        EXPECT_EQ(stored(id), security == 5 ? "New One|word|1" : "New One|word|5");
    }
}

TEST_F(AssociateLevels, ModifyOfALevelAboveOnesOwnNeedsTheSecurityChangeRightOnesOwnRecordStaysOpen)
{
    logOnAsClerk(0);
    auto w = shown<AssociatesManagementForm>();
    const QString before = associates();
    // Neither the senior nor the administrator, by the button or a double click: no window, nothing changed.
    for (const char *id : {"SR", "ADM"})
        for (const char *button : {"ModifyButton", static_cast<const char *>(nullptr)}) {
            msgs_->clear();
            command(w.get(), id, button);
            EXPECT_EQ(msgs_->texts(), QStringList{kModifyAbove}) << id << (button ? button : "double click");
        }
    EXPECT_TRUE(modal_->opened().isEmpty());
    EXPECT_EQ(associates(), before);

    // The junior: only levels within the clerk's, and the one he holds, are offered; his password changes.
    modify(w.get(), "JR", false, [&](QDialog *d) {
        EXPECT_EQ(entries(d, "LevelCombo"), QStringList({"Level 2", "Level 3", "Level 5"}));
        newPassword(d, "jr22");
        pressButton(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(stored("JR"), "Jim Junior|jr22|3");

    // Raised to the senior's level elsewhere while his window is open: Save changes nothing.
    modify(w.get(), "JR", true, [&](QDialog *d) {
        newPassword(d, "jr33");
        elsewhere("UPDATE Associates SET AssociateAuthorityLevel = 4 WHERE AssociateID = 'JR'");
        msgs_->clear();
        pressButton(d, "OKButton");
        EXPECT_EQ(msgs_->texts(), QStringList{kModifyAbove});
        EXPECT_TRUE(d->isVisible());
    });
    EXPECT_EQ(stored("JR"), "Jim Junior|jr22|4");

    // A level offered that comes to hold more than the clerk's while the window is open is not given.
    elsewhere("UPDATE Associates SET AssociateAuthorityLevel = 3 WHERE AssociateID = 'JR'");
    modify(w.get(), "JR", false, [&](QDialog *d) {
        choose(d, "LevelCombo", "Level 5");
        elsewhere("UPDATE AuthorityAccess SET JobTypes = 5 WHERE AuthorityLevelNumber = 5");
        msgs_->clear();
        pressButton(d, "OKButton");
        EXPECT_EQ(msgs_->texts(), QStringList{kGiveAbove});
        elsewhere("UPDATE AuthorityAccess SET JobTypes = 0 WHERE AuthorityLevelNumber = 5");
        pressButton(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(stored("JR"), "Jim Junior|jr22|5");

    // His own name and password.
    modify(w.get(), "CL", false, [&](QDialog *d) {
        retypeBox(d, "NameText", "Clara Bell");
        newPassword(d, "cl44");
        pressButton(d, "OKButton");
    });
    EXPECT_EQ(stored("CL"), "Clara Bell|cl44|2");
    // Raised elsewhere while logged on: still his own record, and the level he holds is kept.
    elsewhere("UPDATE Associates SET AssociateAuthorityLevel = 4 WHERE AssociateID = 'CL'");
    modify(w.get(), "CL", true, [&](QDialog *d) {
        EXPECT_EQ(entries(d, "LevelCombo"), QStringList({"Level 2", "Level 3", "Level 4", "Level 5"}));
        newPassword(d, "cl55");
        pressButton(d, "OKButton");
    });
    EXPECT_EQ(stored("CL"), "Clara Bell|cl55|4");

    // With the Security change right: the senior is given the administrator's level, the administrator a new password.
    logOnAsClerk(5);
    w = shown<AssociatesManagementForm>();
    modify(w.get(), "SR", false, [&](QDialog *d) {
        EXPECT_EQ(entries(d, "LevelCombo"), QStringList({"Administrator", "Level 2", "Level 3", "Level 4", "Level 5"}));
        choose(d, "LevelCombo", "Administrator");
        pressButton(d, "OKButton");
    });
    modify(w.get(), "ADM", true, [&](QDialog *d) {
        newPassword(d, "adm55");
        pressButton(d, "OKButton");
    });
    EXPECT_EQ(stored("SR"), "Sue Senior|pass|1");
    EXPECT_EQ(stored("ADM"), "Administrator|adm55|1");
}

TEST_F(AssociateLevels, DeleteOfALevelAboveOnesOwnNeedsTheSecurityChangeRight)
{
    logOnAsClerk(0);
    auto w = shown<AssociatesManagementForm>();
    const QString before = associates();
    for (const char *id : {"SR", "ADM"}) {
        msgs_->clear();
        command(w.get(), id, "DeleteButton");
        EXPECT_EQ(msgs_->texts(), QStringList{kDeleteAbove}) << id; // no question asked
    }
    EXPECT_EQ(associates(), before);
    msgs_->answer(MsgAnswer::Yes);
    command(w.get(), "JR", "DeleteButton");
    EXPECT_EQ(msgs_->last(), "Associate deleted");
    EXPECT_EQ(stored("JR"), "");

    // Raised after the question was answered: the delete itself refuses him.
    addAssociate("JR", "Jim Junior", "pass", 3);
    elsewhere("UPDATE Associates SET AssociateAuthorityLevel = 1 WHERE AssociateID = 'JR'");
    EXPECT_EQ(AssociateRecord::remove("JR"), kDeleteAbove);
    EXPECT_EQ(stored("JR"), "Jim Junior|pass|1");

    logOnAsClerk(5);
    w = shown<AssociatesManagementForm>();
    for (const char *id : {"SR", "ADM"}) {
        msgs_->answer(MsgAnswer::Yes);
        command(w.get(), id, "DeleteButton");
        EXPECT_EQ(msgs_->last(), "Associate deleted") << id;
        EXPECT_EQ(stored(id), "") << id;
    }
}

} // namespace
