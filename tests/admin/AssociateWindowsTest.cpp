#include "AdminWindowTest.h"
#include "admin/AssociateRecord.h"
#include "admin/AssociatesManagementForm.h"
#include "platform/FlexGrid.h"
#include "core/Session.h"

#include <QListWidget>

using namespace wvs;

namespace {

class AssociateWindows : public wvs::test::AdminWindowTest {
protected:
    void setPortal(bool on) { writeSql(QStringLiteral("UPDATE Preferences SET Portal = ?"), {on ? 1 : 0}); }
    static QListWidget *portalList(QWidget *d) { return child<QListWidget>(d, "PortalAccessList"); }
    static QStringList listed(QWidget *d)
    {
        QStringList out;
        for (int i = 0; i < portalList(d)->count(); ++i)
            out << portalList(d)->item(i)->text();
        return out;
    }
    static QStringList selected(QWidget *d)
    {
        QStringList out;
        for (int i = 0; i < portalList(d)->count(); ++i)
            if (portalList(d)->item(i)->isSelected())
                out << portalList(d)->item(i)->text();
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
        setPasswords(d, QStringLiteral("pass1"));
        choose(d, "LevelCombo", QStringLiteral("Administrator"));
        choose(d, "DefaultScreenCombo", QStringLiteral("Job Schedules Management"));
        tick(d, "ActiveCheck", true);
    }
    // Chooses the associate's row and opens the dialog with the list's button;
    // the handler drives the dialog.
    void openOn(AssociatesManagementForm *w, const char *id, const char *button, ModalScript::Handler handler)
    {
        modal_->once(QStringLiteral("AssociateAddModifyForm"), std::move(handler));
        w->grid()->selectRow(rowOf(w->grid(), QString::fromLatin1(id)));
        click(w, button);
    }
};

TEST_F(AssociateWindows, ListShowsLevelsActiveFlagAndInactiveRowsInRed)
{
    setAccess(2, 1, 1, 1, 1, 1, 1, 1, 0, 0);
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 2, false);
    addAssociate(QStringLiteral("XX"), QStringLiteral("No Level"), QStringLiteral("pass"), 42);
    auto w = show<AssociatesManagementForm>();
    FlexGrid *g = w->grid();
    ASSERT_EQ(g->rows(), 3); // the associate whose level is gone is not listed
    const int jb = rowOf(g, QStringLiteral("JB"));
    ASSERT_GT(jb, 0);
    EXPECT_EQ(g->textMatrix(jb, 2), QStringLiteral("Jo Bloggs"));
    EXPECT_EQ(g->textMatrix(jb, 5), QStringLiteral("Level 2"));
    EXPECT_EQ(g->textMatrix(jb, 6), QStringLiteral("No"));
    EXPECT_EQ(g->cellForeColor(jb, 1), QColor(255, 0, 0));
    const int adm = rowOf(g, QStringLiteral("ADM"));
    EXPECT_EQ(g->textMatrix(adm, 6), QStringLiteral("Yes"));
    EXPECT_NE(g->cellForeColor(adm, 1), QColor(255, 0, 0));
    EXPECT_EQ(g->selectedRow(), 0);

    for (const char *b : {"ModifyButton", "ViewButton", "DeleteButton"})
        click(w.get(), b);
    EXPECT_EQ(msgs_->texts(), (QStringList{QStringLiteral("Please select the Associate to be modified"),
                                           QStringLiteral("Please select the Associate to be viewed"),
                                           QStringLiteral("Please select the Associate to be deleted")}));
}

TEST_F(AssociateWindows, AddTwoInARow)
{
    auto w = show<AssociatesManagementForm>();
    modal_->once(QStringLiteral("AssociateAddModifyForm"), [&](QDialog *d) {
        EXPECT_FALSE(enabled(d, "PortalAccessCheck")); // the portal is off
        fill(d, QStringLiteral("JB"), QStringLiteral("Jo Bloggs"));
        msgs_->answer(MsgAnswer::Yes);
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "IDText"), QString());
        EXPECT_FALSE(ticked(d, "ActiveCheck"));
        EXPECT_EQ(child<QComboBox>(d, "LevelCombo")->currentIndex(), -1);
        // The initial screen stays chosen.
        EXPECT_EQ(child<QComboBox>(d, "DefaultScreenCombo")->currentText(), QStringLiteral("Job Schedules Management"));
        fill(d, QStringLiteral("AK"), QStringLiteral("Anna King"));
        msgs_->answer(MsgAnswer::No);
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    click(w.get(), "AddButton");
    EXPECT_EQ(w->grid()->rows(), 4);
    const auto jb = AssociateRecord::load(QStringLiteral("JB"));
    ASSERT_TRUE(jb.has_value());
    EXPECT_EQ(jb->initialScreen, QStringLiteral("SchedulesManagementForm"));
}

TEST_F(AssociateWindows, ModifyShowsTheRecordAndPortalListWithoutHimself)
{
    setPortal(true);
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    addAssociate(QStringLiteral("AK"), QStringLiteral("Anna King"), QStringLiteral("pass"), 1);
    addAssociate(QStringLiteral("MT"), QStringLiteral("Mike Tee"), QStringLiteral("pass"), 1);
    writeSql(QStringLiteral("UPDATE Associates SET PortalAccess = 'JB,MT,GONE', InitialScreen = 'CustomersManagementForm' "
                            "WHERE AssociateID = 'JB'"));
    auto w = show<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        EXPECT_EQ(child<QComboBox>(d, "DefaultScreenCombo")->currentText(), QStringLiteral("Customers Management"));
        EXPECT_TRUE(ticked(d, "PortalAccessCheck"));
        EXPECT_TRUE(ticked(d, "ActiveCheck"));
        EXPECT_EQ(listed(d), (QStringList{QStringLiteral("Administrator"), QStringLiteral("Anna King"),
                                          QStringLiteral("Mike Tee")}));
        EXPECT_EQ(selected(d), QStringList{QStringLiteral("Mike Tee")});
        portalList(d)->item(1)->setSelected(true); // Anna King
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    // In list order, and the ID of an associate who no longer exists is dropped.
    EXPECT_EQ(AssociateRecord::load(QStringLiteral("JB"))->portalAccess, QStringLiteral("JB,AK,MT"));
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(QLatin1Char('|')).toStdString();

    // Unticking portal access deselects and disables the list, and saves none.
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        tick(d, "PortalAccessCheck", false);
        EXPECT_FALSE(enabled(d, "PortalAccessList"));
        EXPECT_TRUE(selected(d).isEmpty());
        click(d, "OKButton");
    });
    EXPECT_EQ(AssociateRecord::load(QStringLiteral("JB"))->portalAccess, QString());
}

TEST_F(AssociateWindows, ViewCannotSaveAndFailedChecksKeepTheWindowOpen)
{
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    auto w = show<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ViewButton", [&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("View Associate"));
        EXPECT_FALSE(enabled(d, "OKButton"));
    });

    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        type(d, "Password2Text", QStringLiteral("PASS"));
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "PasswordText"), QString());
        EXPECT_EQ(text(d, "Password2Text"), QString());
        setPasswords(d, QStringLiteral("word"));
        type(d, "IDText", QStringLiteral("adm"));
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "IDText"), QString());
    });
    EXPECT_EQ(msgs_->texts(), (QStringList{QStringLiteral("Passwords don't match - please re-enter"),
                                           QStringLiteral("Associate ID adm already exists - please enter another")}));
    EXPECT_EQ(AssociateRecord::load(QStringLiteral("JB"))->password, QStringLiteral("pass"));
}

TEST_F(AssociateWindows, WhileThePortalIsInUseAPasswordMustReachItAsTyped)
{
    setPortal(true);
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    auto w = show<AssociatesManagementForm>();
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        for (const QString &typed : {QStringLiteral("pa|ss"), QStringLiteral("pass\nword"), QStringLiteral("pass\rword")}) {
            setPasswords(d, typed);
            click(d, "OKButton");
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(msgs_->last(), AssociateRecord::portalPasswordRefusal());
            EXPECT_EQ(d->focusWidget(), child<QWidget>(d, "PasswordText"));
            EXPECT_EQ(text(d, "PasswordText"), typed);
        }
        setPasswords(d, QStringLiteral("pa/ss"));
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(msgs_->texts().size(), 3);
    EXPECT_EQ(AssociateRecord::load(QStringLiteral("JB"))->password, QStringLiteral("pa/ss"));

    // Without the portal the password is stored as typed.
    setPortal(false);
    openOn(w.get(), "JB", "ModifyButton", [&](QDialog *d) {
        setPasswords(d, QStringLiteral("pa|ss"));
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(AssociateRecord::load(QStringLiteral("JB"))->password, QStringLiteral("pa|ss"));
}

TEST_F(AssociateWindows, DeleteFromTheList)
{
    addAssociate(QStringLiteral("JB"), QStringLiteral("Jo Bloggs"), QStringLiteral("pass"), 1);
    auto w = show<AssociatesManagementForm>();
    w->grid()->selectRow(rowOf(w->grid(), QStringLiteral("ADM")));
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("You cannot delete yourself!"));
    w->grid()->selectRow(rowOf(w->grid(), QStringLiteral("JB")));
    click(w.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("Associate deleted"));
    EXPECT_EQ(w->grid()->rows(), 2);
    EXPECT_FALSE(AssociateRecord::load(QStringLiteral("JB")).has_value());
}

} // namespace
