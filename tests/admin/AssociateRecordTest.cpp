#include <functional>
#include "admin/AssociateRecord.h"
#include "core/Session.h"
#include "platform/WvsError.h"
#include "support/DbTest.h"

using namespace wvs;
using Field = AssociateRecord::Field;

namespace {

AssociateEntry validEntry(const QString &id = QStringLiteral("JB"))
{
    AssociateEntry e;
    e.id = id;
    e.name = QStringLiteral("Jo Bloggs");
    e.password = QStringLiteral("pass");
    e.password2 = QStringLiteral("pass");
    e.phone = QStringLiteral("021 555 123");
    e.email = QStringLiteral("jo@example.com");
    e.level = 1;
    e.initialScreen = QStringLiteral("None");
    e.active = true;
    return e;
}

class AssociateRecordTest : public wvs::test::DbTest {
protected:
    QString text(const QString &sql, const QVariantList &params = {}) { return scalarSql(sql, params).toString(); }
    int count(const QString &sql, const QVariantList &params = {}) { return scalarSql(sql, params).toInt(); }
    // The values of an expression over a table's rows in the order they were added.
    QString listed(const char *table, const char *expr)
    {
        return text(QStringLiteral("SELECT group_concat(x) FROM (SELECT %2 AS x FROM %1 ORDER BY rowid)")
                        .arg(QString::fromLatin1(table), QString::fromLatin1(expr)));
    }
};

TEST_F(AssociateRecordTest, ChecksRunInFieldOrder)
{
    struct Case {
        std::function<void(AssociateEntry &)> edit;
        Field field;
        const char *message;
    };
    const Case cases[] = {
        {[](AssociateEntry &e) { e = AssociateEntry(); }, Field::ID, "Please enter an ID"},
        {[](AssociateEntry &e) { e.id = QStringLiteral("J"); e.name.clear(); }, Field::ID, "The ID must be at least 2 characters"},
        {[](AssociateEntry &e) { e.id = QStringLiteral("J B"); e.name.clear(); }, Field::ID, "The ID cannot contain spaces"},
        // Characters that would break the comma-separated portal lists and files.
        {[](AssociateEntry &e) { e.id = QStringLiteral("J,B"); }, Field::ID,
         "Entry can only be combinations of alphabetic,numeric and underscore (_) characters"},
        {[](AssociateEntry &e) { e.id = QStringLiteral("J\"B"); }, Field::ID,
         "Equal sign (=) and Quote sign (\") are invalid characters"},
        // Only A-Z, a-z, digits and underscore: no control characters, accents,
        // emoji or direction marks.
        {[](AssociateEntry &e) { e.id = QStringLiteral("J\tB"); }, Field::ID,
         "Entry can only be combinations of alphabetic,numeric and underscore (_) characters"},
        {[](AssociateEntry &e) { e.id = QStringLiteral("J\u200FB"); }, Field::ID,
         "Entry can only be combinations of alphabetic,numeric and underscore (_) characters"},
        {[](AssociateEntry &e) { e.name.clear(); e.password.clear(); }, Field::Name, "Please enter a Name"},
        {[](AssociateEntry &e) { e.password.clear(); e.level.reset(); }, Field::Password, "Please enter a Password"},
        {[](AssociateEntry &e) { e.password = e.password2 = QStringLiteral("abc"); }, Field::Password,
         "The Password must be at least 4 characters"},
        {[](AssociateEntry &e) { e.password = e.password2 = QStringLiteral("ab cd"); }, Field::Password,
         "The Password cannot contain spaces"},
        {[](AssociateEntry &e) { e.password2 = QStringLiteral("PASS"); }, Field::Password, "Passwords don't match - please re-enter"},
        {[](AssociateEntry &e) { e.level.reset(); e.initialScreen.clear(); }, Field::Level, "Please select an Authority Level"},
        {[](AssociateEntry &e) { e.initialScreen.clear(); }, Field::InitialScreen, "Please select the Initial Screen"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        AssociateEntry e = validEntry();
        c.edit(e);
        const auto r = AssociateRecord::check(e);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.clearPasswords, c.edit != nullptr && QString::fromUtf8(c.message).startsWith(QStringLiteral("Passwords")));
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
    }
    AssociateEntry shortest = validEntry(QStringLiteral("A_9z"));
    shortest.password = shortest.password2 = QStringLiteral("abcd");
    EXPECT_TRUE(AssociateRecord::check(shortest).ok);
    // The checks themselves show nothing: the window does.
    EXPECT_TRUE(msgs_->texts().isEmpty());
}

TEST_F(AssociateRecordTest, AnIdTakenInAnyCaseIsRefusedButAChangeOfCaseIsNot)
{
    const auto added = AssociateRecord::add(validEntry(QStringLiteral("adm")), false);
    EXPECT_FALSE(added.ok);
    EXPECT_TRUE(added.clearId);
    EXPECT_EQ(added.field, Field::ID);
    EXPECT_EQ(added.message, QStringLiteral("Associate ID adm already exists - please enter another"));

    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    const auto renamed = AssociateRecord::modify(QStringLiteral("JB"), validEntry(QStringLiteral("Adm")), false);
    EXPECT_FALSE(renamed.ok);
    EXPECT_TRUE(renamed.clearId);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateID = 'JB'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates")), 2);

    EXPECT_TRUE(AssociateRecord::modify(QStringLiteral("JB"), validEntry(QStringLiteral("jb")), false).ok);
    EXPECT_EQ(text(QStringLiteral("SELECT AssociateID FROM Associates WHERE AssociateID = 'JB'")), QStringLiteral("jb"));
}

TEST_F(AssociateRecordTest, RenameIsCarriedIntoEveryTableThatNamesHim)
{
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    addAssociate(QStringLiteral("AK"), QStringLiteral("Anna King"), QStringLiteral("pass"), 1);
    writeSql(QStringLiteral("UPDATE Associates SET PortalAccess = 'AK,ADM,jb' WHERE AssociateID = 'AK'"));
    writeSql(QStringLiteral("UPDATE Associates SET PortalAccess = 'ADM,JBX' WHERE AssociateID = 'ADM'"));
    writeSql(QStringLiteral("INSERT INTO CustomerJobs (AssociateID) VALUES ('JB'), ('AK')"));
    writeSql(QStringLiteral("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, AssociateID) "
                            "VALUES (1, 1, '2025-01-06', 'JB'), (1, 2, '2025-01-06', 'AK')"));
    writeSql(QStringLiteral("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB'), (1, 'AK')"));
    writeSql(QStringLiteral("INSERT INTO ScheduleStaging (UserID, RecordNumber, Associate) VALUES ('JB', 1, 'AK'), "
                            "('AK', 1, 'JB')"));

    AssociateEntry e = validEntry(QStringLiteral("JOB"));
    ASSERT_TRUE(AssociateRecord::modify(QStringLiteral("JB"), e, false).ok);

    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateID = 'JB'")), 0);
    EXPECT_EQ(text(QStringLiteral("SELECT AssociateName FROM Associates WHERE AssociateID = 'JOB'")), QStringLiteral("Jo Bloggs"));
    for (const char *table : {"CustomerJobs", "ScheduleJobs", "LockedSchedules"})
        EXPECT_EQ(listed(table, "AssociateID"), QStringLiteral("JOB,AK")) << table;
    EXPECT_EQ(listed("ScheduleStaging", "UserID || ':' || Associate"), QStringLiteral("JOB:AK,AK:JOB"));
    // Whole entries only: JBX is somebody else.
    EXPECT_EQ(text(QStringLiteral("SELECT PortalAccess FROM Associates WHERE AssociateID = 'AK'")), QStringLiteral("AK,ADM,JOB"));
    EXPECT_EQ(text(QStringLiteral("SELECT PortalAccess FROM Associates WHERE AssociateID = 'ADM'")), QStringLiteral("ADM,JBX"));
}

TEST_F(AssociateRecordTest, AFailedRenameChangesNothing)
{
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    writeSql(QStringLiteral("INSERT INTO CustomerJobs (AssociateID) VALUES ('JB')"));
    execSql(QStringLiteral("CREATE TEMP TRIGGER FailLocks BEFORE UPDATE ON LockedSchedules "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    writeSql(QStringLiteral("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB')"));
    EXPECT_THROW(AssociateRecord::modify(QStringLiteral("JB"), validEntry(QStringLiteral("JOB")), false), WvsError);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateID = 'JB'")), 1);
    EXPECT_EQ(text(QStringLiteral("SELECT AssociateID FROM CustomerJobs")), QStringLiteral("JB"));
}

TEST_F(AssociateRecordTest, TheLoggedOnAssociateMayRenameButNotDeactivateHimself)
{
    loginAs(QStringLiteral("ADM"), 1);
    AssociateEntry off = validEntry(QStringLiteral("ADX"));
    off.active = false;
    const auto r = AssociateRecord::modify(QStringLiteral("ADM"), off, false);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("You cannot de-activate yourself!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateID = 'ADM' AND Active = 1")), 1);

    writeSql(QStringLiteral("UPDATE Associates SET AssociateStatus = -46000 WHERE AssociateID = 'ADM'"));
    writeSql(QStringLiteral("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (3, 'ADM')"));
    AssociateEntry e = validEntry(QStringLiteral("BOSS"));
    e.name = QStringLiteral("The Boss");
    ASSERT_TRUE(AssociateRecord::modify(QStringLiteral("ADM"), e, false).ok);
    EXPECT_EQ(session().currentAssociateID, QStringLiteral("BOSS"));
    EXPECT_EQ(session().currentAssociateName, QStringLiteral("The Boss"));
    // Still marked logged on, and his open schedule is still his.
    EXPECT_EQ(scalarSql(QStringLiteral("SELECT AssociateStatus FROM Associates WHERE AssociateID = 'BOSS'")).toDouble(), -46000);
    EXPECT_EQ(text(QStringLiteral("SELECT AssociateID FROM LockedSchedules")), QStringLiteral("BOSS"));

    // Someone else may be made inactive; his other fields are written too.
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo"), QStringLiteral("pass"), 1);
    AssociateEntry other = validEntry();
    other.active = false;
    other.portalAccess = true;
    EXPECT_TRUE(AssociateRecord::modify(QStringLiteral("JB"), other, true).ok);
    const auto row = AssociateRecord::load(QStringLiteral("JB"));
    EXPECT_FALSE(row->active);
    EXPECT_EQ(row->name, QStringLiteral("Jo Bloggs"));
    EXPECT_EQ(row->portalAccess, QStringLiteral("JB"));
}

TEST_F(AssociateRecordTest, DeleteIsRefusedForHimselfAndWhileCustomerJobsAreAssigned)
{
    loginAs(QStringLiteral("ADM"), 1);
    EXPECT_EQ(AssociateRecord::removeRefusal(QStringLiteral("adm"), QStringLiteral("Admin")),
              QStringLiteral("You cannot delete yourself!"));
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    EXPECT_EQ(AssociateRecord::removeRefusal(QStringLiteral("JB"), QStringLiteral("Jo Bloggs")), QString());
    writeSql(QStringLiteral("INSERT INTO CustomerJobs (AssociateID) VALUES ('jb')"));
    EXPECT_EQ(AssociateRecord::removeRefusal(QStringLiteral("JB"), QStringLiteral("Jo Bloggs")),
              QStringLiteral("There are Customer Jobs assigned to  Jo Bloggs therefore he/she cannot be deleted"));
}

TEST_F(AssociateRecordTest, DeleteRemovesHimEverywhereHeCouldBlockOthers)
{
    loginAs(QStringLiteral("ADM"), 1);
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    writeSql(QStringLiteral("UPDATE Associates SET PortalAccess = 'ADM,JB' WHERE AssociateID = 'ADM'"));
    writeSql(QStringLiteral("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB'), (1, 'ADM')"));
    writeSql(QStringLiteral("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, AssociateID) "
                            "VALUES (1, 1, '2025-01-06', 'JB')"));

    AssociateRecord::remove(QStringLiteral("JB"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates")), 1);
    EXPECT_EQ(text(QStringLiteral("SELECT group_concat(AssociateID) FROM LockedSchedules")), QStringLiteral("ADM"));
    EXPECT_EQ(text(QStringLiteral("SELECT PortalAccess FROM Associates WHERE AssociateID = 'ADM'")), QStringLiteral("ADM"));
    // The record of who did a job stays.
    EXPECT_EQ(text(QStringLiteral("SELECT AssociateID FROM ScheduleJobs")), QStringLiteral("JB"));
}

TEST_F(AssociateRecordTest, ModifyKeepsWhatAnotherWorkstationSavedMeanwhile)
{
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1, true, 40000);
    addAssociate(QStringLiteral("AK"), QStringLiteral("Anna King"), QStringLiteral("pass"), 1);
    const auto row = AssociateRecord::load(QStringLiteral("JB"));
    AssociateEntry shown;
    shown.id = row->id;
    shown.name = row->name;
    shown.password = shown.password2 = row->password;
    shown.phone = row->phone;
    shown.email = row->email;
    shown.level = row->level;
    shown.initialScreen = row->initialScreen;
    shown.active = row->active;

    // Workstation B changes the phone and gives portal access.
    QSqlDatabase b = secondConnection();
    writeSql(QStringLiteral("UPDATE Associates SET AssociatePhone = '09 111', PortalAccess = 'JB,AK' "
                            "WHERE AssociateID = 'JB'"), {}, b);

    // Workstation A, which loaded him before, changes only the e-mail.
    AssociateEntry a = shown;
    a.email = QStringLiteral("jo@new.example");
    ASSERT_TRUE(AssociateRecord::modify(QStringLiteral("JB"), a, true, &shown).ok);
    const auto after = AssociateRecord::load(QStringLiteral("JB"));
    EXPECT_EQ(after->email, QStringLiteral("jo@new.example"));
    EXPECT_EQ(after->phone, QStringLiteral("09 111"));
    EXPECT_EQ(after->portalAccess, QStringLiteral("JB,AK"));
    EXPECT_EQ(after->name, QStringLiteral("Jo Bloggs"));
    // Someone logged off is given today's date serial.
    EXPECT_GT(after->status, 45000);
    EXPECT_LT(after->status, 80000);

    // A row deleted meanwhile elsewhere is not written again.
    EXPECT_TRUE(AssociateRecord::modify(QStringLiteral("GONE"), validEntry(QStringLiteral("GONE")), false).ok);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Associates")), 3);
}

} // namespace
