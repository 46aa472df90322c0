#include "AdminWindowTest.h"
#include "admin/AssociateRecord.h"
#include "admin/AssociatesManagementForm.h"

#include <QListWidget>

using namespace wvs;

namespace {

class AssociateWindows : public wvs::test::AdminWindowTest {
protected:
    void setPortal(bool on) { writeSql("UPDATE Preferences SET Portal = ?", {on ? 1 : 0}); }
    static QListWidget *portalList(QWidget *d) { return child<QListWidget>(d, "PortalAccessList"); }
    // The portal list's entries, the selected ones marked with a "*".
    static QStringList listed(QWidget *d)
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
    // Chooses the associate's row and opens the dialog with the list's button;
    // the handler drives the dialog.
    void openOn(AssociatesManagementForm *w, const char *id, const char *button, ModalScript::Handler handler)
    {
        modal_->once("AssociateAddModifyForm", std::move(handler));
        w->grid()->selectRow(rowOf(w->grid(), id));
        click(w, button);
    }
};

TEST_F(AssociateWindows, ListLeavesOutLostLevelsAndDeletesAnyoneButHimself)
{
    setAccess(2, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate("JB", "Jo Bloggs", "pass", 2, false);
    addAssociate("XX", "No Level", "pass", 42);
    auto w = show<AssociatesManagementForm>();
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
    auto viewer = show<AssociatesManagementForm>();
    EXPECT_FALSE(enabled(viewer.get(), "AddButton"));
    EXPECT_TRUE(enabled(viewer.get(), "ViewButton"));
}

TEST_F(AssociateWindows, AddTwoInARow)
{
    auto w = show<AssociatesManagementForm>();
    modal_->once("AssociateAddModifyForm", [&](QDialog *d) {
        EXPECT_FALSE(enabled(d, "PortalAccessCheck")); // the portal is off
        fill(d, "JB", "Jo Bloggs");
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
    EXPECT_EQ(w->grid()->rows(), 4);
    EXPECT_EQ(AssociateRecord::load("JB")->initialScreen, "SchedulesManagementForm");
}

TEST_F(AssociateWindows, ModifyShowsTheRecordAndPortalListWithoutHimself)
{
    setPortal(true);
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    addAssociate("AK", "Anna King", "pass", 1);
    addAssociate("MT", "Mike Tee", "pass", 1);
    writeSql("UPDATE Associates SET PortalAccess = 'JB,MT,GONE', InitialScreen = 'CustomersManagementForm' "
             "WHERE AssociateID = 'JB'");
    auto w = show<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        EXPECT_EQ(child<QComboBox>(d, "DefaultScreenCombo")->currentText(), "Customers Management");
        EXPECT_TRUE(ticked(d, "PortalAccessCheck"));
        EXPECT_EQ(listed(d), QStringList({"Administrator", "Anna King", "Mike Tee*"}));
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
        EXPECT_EQ(listed(d), QStringList({"Administrator", "Anna King", "Mike Tee"}));
        click(d, "OKButton");
    });
    EXPECT_EQ(AssociateRecord::load("JB")->portalAccess, "");
}

TEST_F(AssociateWindows, ViewCannotSaveAndFailedChecksKeepTheWindowOpen)
{
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    auto w = show<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ViewButton", [&](QDialog *d) { EXPECT_FALSE(enabled(d, "OKButton")); });
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        type(d, "Password2Text", "PASS");
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "PasswordText") + text(d, "Password2Text"), "");
    });
    EXPECT_EQ(msgs_->texts().size(), 1);
    EXPECT_EQ(AssociateRecord::load("JB")->password, "pass");
}

TEST_F(AssociateWindows, WhileThePortalIsInUseAPasswordMustReachItAsTyped)
{
    setPortal(true);
    addAssociate("JB", "Jo Bloggs", "pass", 1);
    auto w = show<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
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
    EXPECT_EQ(msgs_->texts().size(), 3);
    EXPECT_EQ(AssociateRecord::load("JB")->password, "pa/ss");

    // Without the portal the password is stored as typed.
    setPortal(false);
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        setPasswords(d, "pa|ss");
        click(d, "OKButton");
    });
    EXPECT_EQ(AssociateRecord::load("JB")->password, "pa|ss");
}

} // namespace
