#include "AdminWindowTest.h"
#include "admin/AssociateRecord.h"
#include "admin/AssociatesManagementForm.h"
#include "common/Formats.h"
#include "platform/WvsError.h"

#include "support/Pointer.h"

#include <QDate>
#include <QListWidget>
#include <QSet>
#include <functional>

using namespace wvs;
using Field = AssociateRecord::Field;

namespace {

AssociateEntry validEntry(const QString &id = "JB")
{
    return {.id = id, .name = "Jo Bloggs", .password = "pass", .password2 = "pass", .phone = "021 555 123",
            .email = "jo@example.com", .level = 1, .initialScreen = "None", .active = true};
}

class Associates : public wvs::test::AdminWindowTest {
protected:
    int count(const QString &where) { return scalarSql("SELECT COUNT(*) FROM Associates " + where).toInt(); }
    static QListWidget *portalList(QWidget *d) { return child<QListWidget>(d, "PortalAccessList"); }
    // The portal list's entries, the selected ones marked with a "*".
    static QStringList portalListed(QWidget *d)
    {
        QStringList out;
        for (int i = 0; i < portalList(d)->count(); ++i)
            out << portalList(d)->item(i)->text() + (portalList(d)->item(i)->isSelected() ? "*" : "");
        return out;
    }
    static void setPasswords(QWidget *d, const QString &password)
    {
        type(d, "PasswordText", password);
        type(d, "Password2Text", password);
    }
    static void fill(QWidget *d, const QString &id, const QString &name)
    {
        type(d, "IDText", id);
        type(d, "NameText", name);
        setPasswords(d, "pass1");
        choose(d, "LevelCombo", "Administrator");
        choose(d, "DefaultScreenCombo", "Job Schedules Management");
        tick(d, "ActiveCheck", true);
    }
    // Chooses the associate's row and opens the dialog with the list's button; the handler drives the dialog.
    void openOn(AssociatesManagementForm *w, const char *id, const char *button, ModalScript::Handler handler)
    {
        modal_->once("AssociateAddModifyForm", std::move(handler));
        w->grid()->selectRow(rowOf(w->grid(), id));
        click(w, button);
    }
};

TEST_F(Associates, ChecksRunInFieldOrder)
{
    const QString plainOnly = "Entry can only be combinations of alphabetic,numeric and underscore (_) characters";
    const struct { std::function<void(AssociateEntry &)> edit; Field field; QString message; } cases[] = {
        {[](auto &e) { e = AssociateEntry(); }, Field::ID, "Please enter an ID"},
        {[](auto &e) { e.id = "J"; e.name.clear(); }, Field::ID, "The ID must be at least 2 characters"},
        {[](auto &e) { e.id = "J B"; e.name.clear(); }, Field::ID, "The ID cannot contain spaces"},
        {[](auto &e) { e.id = " JB"; e.name.clear(); }, Field::ID, "The ID cannot contain spaces"},
        {[](auto &e) { e.id = "JB "; e.name.clear(); }, Field::ID, "The ID cannot contain spaces"},
        // Only A-Z, a-z, digits and underscore: no commas for the portal's lists, no controls or direction marks.
        {[](auto &e) { e.id = "J,B"; }, Field::ID, plainOnly},
        {[](auto &e) { e.id = "J,B"; e.name.clear(); }, Field::ID, plainOnly},
        {[](auto &e) { e.id = "J\"B"; }, Field::ID, "Equal sign (=) and Quote sign (\") are invalid characters"},
        {[](auto &e) { e.id = "J\tB"; }, Field::ID, plainOnly},
        {[](auto &e) { e.id = "J\u200FB"; }, Field::ID, plainOnly},
        {[](auto &e) { e.name.clear(); e.password.clear(); }, Field::Name, "Please enter a Name"},
        {[](auto &e) { e.password.clear(); e.level.reset(); }, Field::Password, "Please enter a Password"},
        {[](auto &e) { e.password = e.password2 = "abc"; }, Field::Password, "The Password must be at least 4 characters"},
        {[](auto &e) { e.password = e.password2 = "ab cd"; }, Field::Password, "The Password cannot contain spaces"},
        {[](auto &e) { e.password = e.password2 = " abcd"; }, Field::Password, "The Password cannot contain spaces"},
        {[](auto &e) { e.password = e.password2 = "abcd "; }, Field::Password, "The Password cannot contain spaces"},
        {[](auto &e) { e.password = "abc"; e.password2 = "x"; }, Field::Password,
         "The Password must be at least 4 characters"},
        {[](auto &e) { e.password = "ab cd"; e.password2 = "x"; }, Field::Password, "The Password cannot contain spaces"},
        {[](auto &e) { e.password2 = "PASS"; }, Field::Password, "Passwords don't match - please re-enter"},
        {[](auto &e) { e.password2 = "PASS"; e.level.reset(); }, Field::Password, "Passwords don't match - please re-enter"},
        {[](auto &e) { e.level.reset(); e.initialScreen.clear(); }, Field::Level, "Please select an Authority Level"},
        {[](auto &e) { e.initialScreen.clear(); }, Field::InitialScreen, "Please select the Initial Screen"},
        {[](auto &e) { e.id = "A_9z"; e.password = e.password2 = "abcd"; }, Field::None, ""}, // the shortest allowed
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        AssociateEntry e = validEntry();
        c.edit(e);
        const auto r = AssociateRecord::check(e);
        EXPECT_EQ(r.ok, c.message.isEmpty());
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.clearPasswords, c.message.startsWith("Passwords"));
        EXPECT_EQ(r.message, c.message);
    }
    EXPECT_TRUE(msgs_->texts().isEmpty()); // the window shows them, not the checks
}

TEST_F(Associates, AnIdTakenInAnyCaseIsRefusedAndTheLoggedOnAssociateMayRenameButNotDeactivateHimself)
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
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM Associates WHERE AssociateID = 'JB'"), "jb");

    // The logged-on associate may rename but not de-activate himself.
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
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM LockedSchedules"), "BOSS");
}

TEST_F(Associates, RenameIsCarriedIntoEveryTableThatNamesHimOrNotAtAll)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    addAssociate("AK", "Anna King", "pass", 1);
    writeSql("UPDATE Associates SET PortalAccess = 'AK,ADM,jb' WHERE AssociateID = 'AK'");
    writeSql("UPDATE Associates SET PortalAccess = 'ADM,JBX' WHERE AssociateID = 'ADM'");
    writeSql("INSERT INTO CustomerJobs (AssociateID) VALUES ('JB'), ('AK')");
    writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, AssociateID) "
             "VALUES (1, 1, '2025-01-06', 'JB'), (1, 2, '2025-01-06', 'AK')");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB'), (1, 'AK')");
    writeSql("INSERT INTO PublishingSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB')");
    writeSql("INSERT INTO ScheduleStaging (UserID, RecordNumber, Associate) VALUES ('JB', 1, 'AK'), ('AK', 1, 'JB')");

    // A rename that fails half way changes nothing.
    execSql("CREATE TEMP TRIGGER FailLocks BEFORE UPDATE ON LockedSchedules BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(AssociateRecord::modify("JB", validEntry("JOB"), false), WvsError);
    EXPECT_EQ(count("WHERE AssociateID = 'JB'"), 1);
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM CustomerJobs ORDER BY rowid"), "JB;AK");
    execSql("DROP TRIGGER FailLocks");

    ASSERT_TRUE(AssociateRecord::modify("JB", validEntry("JOB"), false).ok);
    EXPECT_EQ(count("WHERE AssociateID = 'JB'"), 0);
    EXPECT_EQ(rowsOf("SELECT AssociateName FROM Associates WHERE AssociateID = 'JOB'"), "Jo Bloggs");
    for (const char *table : {"CustomerJobs", "ScheduleJobs", "LockedSchedules"})
        EXPECT_EQ(rowsOf(QString("SELECT AssociateID FROM %1 ORDER BY rowid").arg(table)), "JOB;AK") << table;
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM PublishingSchedules"), "JOB");
    EXPECT_EQ(rowsOf("SELECT UserID, Associate FROM ScheduleStaging ORDER BY rowid"), "JOB|AK;AK|JOB");
    // Whole entries only: JBX is somebody else.
    EXPECT_EQ(rowsOf("SELECT PortalAccess FROM Associates ORDER BY rowid"), "ADM,JBX;;AK,ADM,JOB");
}

TEST_F(Associates, DeleteIsRefusedWhileJobsAreAssignedElseRemovesHimEverywhereHeCouldBlockOthers)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    writeSql("INSERT INTO CustomerJobs (AssociateID) VALUES ('jb')");
    EXPECT_EQ(AssociateRecord::removeRefusal("JB", "Jo Bloggs"),
              "There are Customer Jobs assigned to  Jo Bloggs therefore he/she cannot be deleted");
    writeSql("DELETE FROM CustomerJobs");
    EXPECT_EQ(AssociateRecord::removeRefusal("JB", "Jo Bloggs"), QString());

    writeSql("UPDATE Associates SET PortalAccess = 'ADM,JB' WHERE AssociateID = 'ADM'");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB'), (1, 'ADM')");
    writeSql("INSERT INTO PublishingSchedules (ScheduleNumber, AssociateID) VALUES (1, 'JB')");
    writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, AssociateID) "
             "VALUES (1, 1, '2025-01-06', 'JB')");
    AssociateRecord::remove("JB");
    EXPECT_EQ(count(""), 1);
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM LockedSchedules"), "ADM");
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM PublishingSchedules"), "");
    EXPECT_EQ(rowsOf("SELECT PortalAccess FROM Associates"), "ADM");
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM ScheduleJobs"), "JB"); // the record of who did a job stays
}

TEST_F(Associates, ModifyKeepsWhatAnotherWorkstationSavedMeanwhile)
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
    EXPECT_EQ(QStringList({after->email, after->phone, after->portalAccess}),
              QStringList({"jo@new.example", "09 111", "JB,AK"}));
    // Someone logged off is given today's date serial.
    EXPECT_GT(after->status, 45000);
    EXPECT_LT(after->status, 80000);

    // A row deleted meanwhile elsewhere is not written again, and the user is told.
    EXPECT_EQ(AssociateRecord::modify("GONE", validEntry("GONE"), false).message,
              "The Associate no longer exists - it may have been changed or deleted by another user");
    EXPECT_EQ(count(""), 3);
}

TEST_F(Associates, ListLeavesOutLostLevelsAndDeletesAnyoneButHimself)
{
    setAccess(2, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate("JB", "Jo Bloggs", "pass", 2, false);
    addAssociate("XX", "No Level", "pass", 42);
    auto w = shown<AssociatesManagementForm>();
    FlexGrid *g = w->grid();
    ASSERT_EQ(g->rows(), 3); // the associate whose level is gone is not listed
    EXPECT_EQ(g->textMatrix(rowOf(g, "JB"), 5), "Level 2");
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), "Please select the Associate to be deleted");
    g->selectRow(rowOf(g, "ADM"));
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), "You cannot delete yourself!");
    g->selectRow(rowOf(g, "JB"));
    msgs_->clear();
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Are you sure you want to PERMANENTLY delete Associate Jo Bloggs?",
                                           "Associate deleted"}));
    EXPECT_EQ(g->rows(), 2);

    // A level that may only look at associates can view them but add none.
    loginAs("ADM", 2);
    auto viewer = shown<AssociatesManagementForm>();
    EXPECT_FALSE(enabled(viewer.get(), "AddButton"));
    EXPECT_TRUE(enabled(viewer.get(), "ViewButton"));

    // Adding, modifying and deleting need an Associates value of 5 at least: 4 is short of it.
    for (const int value : {4, 5}) {
        setAccess(3, 1, 1, 1, value, 1, 1, 1, 0, 0);
        loginAs("ADM", 3);
        auto gated = shown<AssociatesManagementForm>();
        for (const char *b : {"AddButton", "ModifyButton", "DeleteButton"})
            EXPECT_EQ(enabled(gated.get(), b), value == 5) << b << " " << value;
    }
}

TEST_F(Associates, ModifyShowsTheRecordAndPortalListWithoutHimself)
{
    setPortal(true);
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    addAssociate("AK", "Anna King", "pass", 1);
    addAssociate("MT", "Mike Tee", "pass", 1);
    writeSql("UPDATE Associates SET PortalAccess = 'JB,MT,GONE', InitialScreen = 'CustomersManagementForm' "
             "WHERE AssociateID = 'JB'");
    auto w = shown<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        EXPECT_EQ(child<QComboBox>(d, "DefaultScreenCombo")->currentText(), "Customers Management");
        EXPECT_TRUE(ticked(d, "PortalAccessCheck"));
        EXPECT_EQ(portalListed(d), QStringList({"Administrator", "Anna King", "Mike Tee*"}));
        portalList(d)->item(1)->setSelected(true); // Anna King
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    // In list order, and the ID of an associate who no longer exists is dropped.
    EXPECT_EQ(AssociateRecord::load("JB")->portalAccess, "JB,AK,MT");

    // Unticking portal access deselects and disables the list, and saves none.
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        tick(d, "PortalAccessCheck", false);
        EXPECT_FALSE(enabled(d, "PortalAccessList"));
        EXPECT_EQ(portalListed(d), QStringList({"Administrator", "Anna King", "Mike Tee"}));
        click(d, "OKButton");
    });
    EXPECT_EQ(AssociateRecord::load("JB")->portalAccess, "");

    // Portal access with nobody else chosen is his own ID alone; one chosen adds that one.
    for (const auto &[chosen, stored] : {std::pair{-1, "JB"}, {2, "JB,MT"}}) {
        openOn(w.get(), "JB", "ModifyButton", [&, chosen = chosen](QDialog *d) {
            tick(d, "PortalAccessCheck", true);
            if (chosen >= 0)
                portalList(d)->item(chosen)->setSelected(true);
            click(d, "OKButton");
        });
        EXPECT_EQ(AssociateRecord::load("JB")->portalAccess, stored);
    }

    // Each initial screen is stored as the window it opens, and shown again as chosen.
    for (const auto &[entry, form] : {std::pair{"Customers Management", "CustomersManagementForm"},
                                      {"Customer Jobs Management", "CustomerJobsManagementForm"},
                                      {"Job Schedules Management", "SchedulesManagementForm"}, {"None", "None"}}) {
        openOn(w.get(), "JB", "ModifyButton", [&, entry = entry](QDialog *d) {
            choose(d, "DefaultScreenCombo", entry);
            click(d, "OKButton");
        });
        EXPECT_EQ(AssociateRecord::load("JB")->initialScreen, form);
        openOn(w.get(), "JB", "ViewButton", [&, entry = entry](QDialog *d) {
            EXPECT_EQ(child<QComboBox>(d, "DefaultScreenCombo")->currentText(), entry);
        });
    }
}

TEST_F(Associates, FailedChecksKeepTheWindowOpenAPortalPasswordMustReachItAsTypedAndTwoAreAddedInARow)
{
    setPortal(true);
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    auto w = shown<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ViewButton", [&](QDialog *d) { EXPECT_FALSE(enabled(d, "OKButton")); });
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        type(d, "Password2Text", "PASS");
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "PasswordText") + text(d, "Password2Text"), "");
        for (const QString &typed : {"pa|ss", "pass\nword", "pass\rword"}) {
            setPasswords(d, typed);
            click(d, "OKButton");
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(msgs_->last(), AssociateRecord::portalPasswordRefusal());
            EXPECT_EQ(d->focusWidget(), child<QWidget>(d, "PasswordText"));
            EXPECT_EQ(text(d, "PasswordText"), typed);
        }
        setPasswords(d, "pa/ss");
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(msgs_->texts().size(), 4);
    EXPECT_EQ(AssociateRecord::load("JB")->password, "pa/ss");

    // Without the portal the password is stored as typed.
    setPortal(false);
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        setPasswords(d, "pa|ss");
        click(d, "OKButton");
    });
    EXPECT_EQ(AssociateRecord::load("JB")->password, "pa|ss");

    // Two added in a row, the portal off.
    msgs_->clear();
    modal_->once("AssociateAddModifyForm", [&](QDialog *d) {
        EXPECT_FALSE(enabled(d, "PortalAccessCheck")); // the portal is off
        fill(d, "KB", "Kay Bloggs");
        msgs_->answer(MsgAnswer::Yes);
        click(d, "OKButton");
        EXPECT_EQ(text(d, "IDText"), "");
        // The initial screen stays chosen.
        EXPECT_EQ(child<QComboBox>(d, "DefaultScreenCombo")->currentText(), "Job Schedules Management");
        fill(d, "AK", "Anna King");
        msgs_->answer(MsgAnswer::No);
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    click(w.get(), "AddButton");
    EXPECT_EQ(msgs_->texts(), QStringList(2, "Associate added. Do you wish to add another?"));
    EXPECT_EQ(w->grid()->rows(), 5);
    EXPECT_EQ(AssociateRecord::load("KB")->initialScreen, "SchedulesManagementForm");
}

// Every control of the dialog is saved to its own column: an associate
// added from the list, then every control changed through Modify. The
// password goes into both of its boxes; the status is today's date serial.
TEST_F(Associates, EveryControlIsSavedToItsOwnColumnWhenAddedAndWhenModified)
{
    setPortal(true);
    setAccess(2, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    setAccess(3, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate("AK", "Anna King", "pass", 1);
    addAssociate("MT", "Mike Tee", "pass", 1);
    // entered: typed into a box or a list box, the entry clicked in the
    // portal list, "ticked" or "" for a tick box (ticked by its Space key).
    // first: added; second: modified.
    const SavedControl controls[] = {
        {"IDText", "NEW", "NEW", "NOVA", "NOVA", "AssociateID"},
        {"NameText", "Nora New", "Nora New", "Nova Renamed", "Nova Renamed", "AssociateName"},
        {"PasswordText", "pwAdd1", "pwAdd1", "pwMod2", "pwMod2", "AssociatePassword"},
        {"PhoneText", "021 100", "021 100", "021 200", "021 200", "AssociatePhone"},
        {"EmailText", "nora@add.example", "nora@add.example", "nova@mod.example", "nova@mod.example", "AssociateEmail"},
        {"LevelCombo", "Level 3", "3", "Level 2", "2", "AssociateAuthorityLevel"},
        {"DefaultScreenCombo", "Customers", "CustomersManagementForm", "Job", "SchedulesManagementForm", "InitialScreen"},
        {"PortalAccessList", "Anna King", "NEW,AK", "Mike Tee", "NOVA,MT", "PortalAccess"},
        {"ActiveCheck", "ticked", "1", "", "0", "Active"},
    };
    expectDistinct(controls);

    const auto enter = [](QDialog *d, const char *control, const QString &value) {
        QWidget *c = child<QWidget>(d, control);
        if (auto *list = qobject_cast<QListWidget *>(c)) {
            if (!ticked(d, "PortalAccessCheck"))
                test::press(child<QWidget>(d, "PortalAccessCheck"), Qt::Key_Space);
            for (int i = 0; i < list->count(); ++i)
                if (list->item(i)->isSelected() != (list->item(i)->text() == value))
                    test::pointAndClick(d, list->viewport(), list->visualItemRect(list->item(i)).center());
        } else if (qobject_cast<QCheckBox *>(c)) {
            if (ticked(d, control) != (value == "ticked"))
                test::press(c, Qt::Key_Space);
        } else if (auto *combo = qobject_cast<QComboBox *>(c); combo && !combo->isEditable()) {
            test::focusOn(c);
            test::typeKeys(value);
        } else {
            retypeBox(d, control, value);
            if (QLatin1String(control) == "PasswordText")
                retypeBox(d, "Password2Text", value);
        }
    };
    auto w = shown<AssociatesManagementForm>();
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "added" : "modified");
        writeSql("UPDATE Associates SET AssociateStatus = 40000");
        modal_->once("AssociateAddModifyForm", [&](QDialog *d) {
            for (const auto &c : controls)
                enter(d, c.control, adding ? c.first : c.second);
            msgs_->answer(MsgAnswer::No); // to adding another
            test::pressButton(d, "OKButton");
            EXPECT_FALSE(d->isVisible());
        });
        if (!adding)
            test::pointAtRow(w.get(), w->grid(), rowOf(w->grid(), "NEW"));
        test::pressButton(w.get(), adding ? "AddButton" : "ModifyButton");
        const QString id = adding ? "NEW" : "NOVA";
        for (const auto &c : controls)
            EXPECT_EQ(rowsOf(QString("SELECT %1 FROM Associates WHERE AssociateID = ?").arg(c.column), {id}),
                      QString(adding ? c.firstStored : c.secondStored))
                << c.control;
        EXPECT_EQ(scalarSql("SELECT AssociateStatus FROM Associates WHERE AssociateID = ?", {id}).toDouble(),
                  double(Formats::dateSerial(QDate::currentDate())));
        EXPECT_EQ(rowsOf("SELECT COUNT(*) FROM Associates"), "4");
    }
}

} // namespace
