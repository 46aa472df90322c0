#include <functional>
#include "admin/AssociateRecord.h"
#include "core/Session.h"
#include "platform/WvsError.h"
#include "support/DbTest.h"

using namespace wvs;
using Field = AssociateRecord::Field;

namespace {

AssociateEntry validEntry(const QString &id = "JB")
{
    return {.id = id, .name = "Jo Bloggs", .password = "pass", .password2 = "pass", .phone = "021 555 123",
            .email = "jo@example.com", .level = 1, .initialScreen = "None", .active = true};
}

class AssociateRecordTest : public wvs::test::DbTest {
protected:
    QString text(const QString &sql) { return scalarSql(sql).toString(); }
    int count(const QString &where) { return scalarSql("SELECT COUNT(*) FROM Associates " + where).toInt(); }
    // The values of an expression over a table's rows in the order they were added.
    QString listed(const QString &table, const QString &expr)
    {
        return text(QString("SELECT group_concat(x) FROM (SELECT %2 AS x FROM %1 ORDER BY rowid)").arg(table, expr));
    }
};

TEST_F(AssociateRecordTest, ChecksRunInFieldOrder)
{
    const QString plainOnly = "Entry can only be combinations of alphabetic,numeric and underscore (_) characters";
    const struct {
        std::function<void(AssociateEntry &)> edit;
        Field field;
        QString message;
    } cases[] = {
        {[](auto &e) { e = AssociateEntry(); }, Field::ID, "Please enter an ID"},
        {[](auto &e) { e.id = "J"; e.name.clear(); }, Field::ID, "The ID must be at least 2 characters"},
        {[](auto &e) { e.id = "J B"; e.name.clear(); }, Field::ID, "The ID cannot contain spaces"},
        // Only A-Z, a-z, digits and underscore: nothing that would break the
        // portal's comma-separated lists, no control characters or direction marks.
        {[](auto &e) { e.id = "J,B"; }, Field::ID, plainOnly},
        {[](auto &e) { e.id = "J\"B"; }, Field::ID, "Equal sign (=) and Quote sign (\") are invalid characters"},
        {[](auto &e) { e.id = "J\tB"; }, Field::ID, plainOnly},
        {[](auto &e) { e.id = "J\u200FB"; }, Field::ID, plainOnly},
        {[](auto &e) { e.name.clear(); e.password.clear(); }, Field::Name, "Please enter a Name"},
        {[](auto &e) { e.password.clear(); e.level.reset(); }, Field::Password, "Please enter a Password"},
        {[](auto &e) { e.password = e.password2 = "abc"; }, Field::Password, "The Password must be at least 4 characters"},
        {[](auto &e) { e.password = e.password2 = "ab cd"; }, Field::Password, "The Password cannot contain spaces"},
        {[](auto &e) { e.password2 = "PASS"; }, Field::Password, "Passwords don't match - please re-enter"},
        {[](auto &e) { e.level.reset(); e.initialScreen.clear(); }, Field::Level, "Please select an Authority Level"},
        {[](auto &e) { e.initialScreen.clear(); }, Field::InitialScreen, "Please select the Initial Screen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        AssociateEntry e = validEntry();
        c.edit(e);
        const auto r = AssociateRecord::check(e);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.clearPasswords, c.message.startsWith("Passwords"));
        EXPECT_EQ(r.message, c.message);
    }
    AssociateEntry shortest = validEntry("A_9z");
    shortest.password = shortest.password2 = "abcd";
    EXPECT_TRUE(AssociateRecord::check(shortest).ok);
    EXPECT_TRUE(msgs_->texts().isEmpty()); // the window shows them, not the checks
}

TEST_F(AssociateRecordTest, AnIdTakenInAnyCaseIsRefusedButAChangeOfCaseIsNot)
{
    const auto added = AssociateRecord::add(validEntry("adm"), false);
    EXPECT_FALSE(added.ok);
    EXPECT_TRUE(added.clearId);
    EXPECT_EQ(added.message, "Associate ID adm already exists - please enter another");

    addAssociate("JB", "Jo Bloggs", "pass", 1);
    const auto renamed = AssociateRecord::modify("JB", validEntry("Adm"), false);
    EXPECT_FALSE(renamed.ok);
    EXPECT_EQ(count("WHERE AssociateID = 'JB'"), 1);
    EXPECT_TRUE(AssociateRecord::modify("JB", validEntry("jb"), false).ok);
    EXPECT_EQ(text("SELECT AssociateID FROM Associates WHERE AssociateID = 'JB'"), "jb");
}

TEST_F(AssociateRecordTest, RenameIsCarriedIntoEveryTableThatNamesHim)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    addAssociate("AK", "Anna King", "pass", 1);
    writeSql("UPDATE Associates SET PortalAccess = 'AK,ADM,jb' WHERE AssociateID = 'AK'");
    writeSql("UPDATE Associates SET PortalAccess = 'ADM,JBX' WHERE AssociateID = 'ADM'");
    writeSql("INSERT INTO CustomerJobs (AssociateID) VALUES ('JB'), ('AK')");
    writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, AssociateID) "
             "VALUES (1, 1, '2025-01-06', 'JB'), (1, 2, '2025-01-06', 'AK')");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB'), (1, 'AK')");
    writeSql("INSERT INTO ScheduleStaging (UserID, RecordNumber, Associate) VALUES ('JB', 1, 'AK'), ('AK', 1, 'JB')");

    ASSERT_TRUE(AssociateRecord::modify("JB", validEntry("JOB"), false).ok);
    EXPECT_EQ(count("WHERE AssociateID = 'JB'"), 0);
    EXPECT_EQ(text("SELECT AssociateName FROM Associates WHERE AssociateID = 'JOB'"), "Jo Bloggs");
    for (const char *table : {"CustomerJobs", "ScheduleJobs", "LockedSchedules"})
        EXPECT_EQ(listed(table, "AssociateID"), "JOB,AK") << table;
    EXPECT_EQ(listed("ScheduleStaging", "UserID || ':' || Associate"), "JOB:AK,AK:JOB");
    // Whole entries only: JBX is somebody else.
    EXPECT_EQ(listed("Associates", "PortalAccess"), "ADM,JBX,,AK,ADM,JOB");
}

TEST_F(AssociateRecordTest, AFailedRenameChangesNothing)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    writeSql("INSERT INTO CustomerJobs (AssociateID) VALUES ('JB')");
    execSql("CREATE TEMP TRIGGER FailLocks BEFORE UPDATE ON LockedSchedules BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB')");
    EXPECT_THROW(AssociateRecord::modify("JB", validEntry("JOB"), false), WvsError);
    EXPECT_EQ(count("WHERE AssociateID = 'JB'"), 1);
    EXPECT_EQ(text("SELECT AssociateID FROM CustomerJobs"), "JB");
}

TEST_F(AssociateRecordTest, TheLoggedOnAssociateMayRenameButNotDeactivateHimself)
{
    loginAs("ADM", 1);
    AssociateEntry off = validEntry("ADX");
    off.active = false;
    const auto r = AssociateRecord::modify("ADM", off, false);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "You cannot de-activate yourself!");
    EXPECT_EQ(count("WHERE AssociateID = 'ADM' AND Active = 1"), 1);

    writeSql("UPDATE Associates SET AssociateStatus = -46000 WHERE AssociateID = 'ADM'");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (3, 'ADM')");
    AssociateEntry e = validEntry("BOSS");
    e.name = "The Boss";
    ASSERT_TRUE(AssociateRecord::modify("ADM", e, false).ok);
    EXPECT_EQ(session().currentAssociateID, "BOSS");
    EXPECT_EQ(session().currentAssociateName, "The Boss");
    // Still marked logged on, and his open schedule is still his.
    EXPECT_EQ(AssociateRecord::load("BOSS")->status, -46000);
    EXPECT_EQ(text("SELECT AssociateID FROM LockedSchedules"), "BOSS");
}

TEST_F(AssociateRecordTest, DeleteIsRefusedWhileCustomerJobsAreAssigned)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    EXPECT_EQ(AssociateRecord::removeRefusal("JB", "Jo Bloggs"), QString());
    writeSql("INSERT INTO CustomerJobs (AssociateID) VALUES ('jb')");
    EXPECT_EQ(AssociateRecord::removeRefusal("JB", "Jo Bloggs"),
              "There are Customer Jobs assigned to  Jo Bloggs therefore he/she cannot be deleted");
}

TEST_F(AssociateRecordTest, DeleteRemovesHimEverywhereHeCouldBlockOthers)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    writeSql("UPDATE Associates SET PortalAccess = 'ADM,JB' WHERE AssociateID = 'ADM'");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB'), (1, 'ADM')");
    writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, AssociateID) "
             "VALUES (1, 1, '2025-01-06', 'JB')");
    AssociateRecord::remove("JB");
    EXPECT_EQ(count(""), 1);
    EXPECT_EQ(listed("LockedSchedules", "AssociateID"), "ADM");
    EXPECT_EQ(text("SELECT PortalAccess FROM Associates"), "ADM");
    EXPECT_EQ(text("SELECT AssociateID FROM ScheduleJobs"), "JB"); // the record of who did a job stays
}

TEST_F(AssociateRecordTest, ModifyKeepsWhatAnotherWorkstationSavedMeanwhile)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1, true, 40000);
    addAssociate("AK", "Anna King", "pass", 1);
    const AssociateEntry shown = validEntry();
    // Workstation B changes the phone and gives portal access.
    writeSql("UPDATE Associates SET AssociatePhone = '09 111', PortalAccess = 'JB,AK' WHERE AssociateID = 'JB'", {},
             secondConnection());
    // Workstation A, whose dialog showed him before, changes only the e-mail.
    AssociateEntry a = shown;
    a.email = "jo@new.example";
    ASSERT_TRUE(AssociateRecord::modify("JB", a, true, &shown).ok);
    const auto after = AssociateRecord::load("JB");
    EXPECT_EQ(after->email, "jo@new.example");
    EXPECT_EQ(after->phone, "09 111");
    EXPECT_EQ(after->portalAccess, "JB,AK");
    // Someone logged off is given today's date serial.
    EXPECT_GT(after->status, 45000);
    EXPECT_LT(after->status, 80000);

    // A row deleted meanwhile elsewhere is not written again.
    EXPECT_TRUE(AssociateRecord::modify("GONE", validEntry("GONE"), false).ok);
    EXPECT_EQ(count(""), 3);
}

} // namespace
