#include "AdminWindowTest.h"
#include "admin/AccessRights.h"
#include "admin/AssociateRecord.h"
#include "admin/AssociatesManagementForm.h"
#include "admin/AuthorityAccessForm.h"
#include "admin/AuthorityLevelAddModifyForm.h"
#include "admin/AuthorityLevelStore.h"
#include "admin/PreferenceSettings.h"
#include "admin/PreferencesForm.h"

#include <QListWidget>
#include <functional>

using namespace wvs;

namespace {

// A save or delete of the administration windows while another workstation
// removes, renames or takes what it names: the user is told, nothing is
// written, and a window stays open with what was typed.
class Meanwhile : public wvs::test::AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        other_ = secondConnection();
    }
    void TearDown() override
    {
        other_ = QSqlDatabase();
        AdminWindowTest::TearDown();
    }

    // Two associates at level 2, a free level 3, the portal on.
    void reset()
    {
        for (const char *sql : {"DELETE FROM Associates WHERE AssociateID <> 'ADM'", "DELETE FROM CustomerJobs",
                                "DELETE FROM AuthorityLevels WHERE LevelNumber <> 1",
                                "DELETE FROM AuthorityAccess WHERE AuthorityLevelNumber <> 1"})
            writeSql(sql);
        setAccess(2, 1, 1, 1, 1, 1, 1, 1, 0, 0);
        setAccess(3, 7, 7, 5, 5, 5, 4, 7, 0, 0);
        addAssociate("JB", "Jo Bloggs", "pass1", 2);
        addAssociate("AK", "Anna King", "pass2", 2);
        setPortal(true);
        msgs_->clear();
    }
    void elsewhere(const QString &sql) { writeSql(sql, {}, other_); }
    // Every table these windows write, row by row.
    static QString tables()
    {
        QStringList out;
        for (const char *t : {"Associates", "AuthorityLevels", "AuthorityAccess", "CustomerJobs", "Preferences"})
            out << QString(t) + ": " + rowsOf(QString("SELECT * FROM %1 ORDER BY rowid").arg(t));
        return out.join('\n');
    }
    // The associate dialog opened from the list on JB (Modify) or empty (Add), driven by the handler.
    void associateDialog(bool add, ModalScript::Handler handler)
    {
        auto w = shown<AssociatesManagementForm>();
        modal_->once("AssociateAddModifyForm", std::move(handler));
        if (!add)
            w->grid()->selectRow(rowOf(w->grid(), "JB"));
        click(w.get(), add ? "AddButton" : "ModifyButton");
    }

    QSqlDatabase other_;
};

const QString kLevelGone = "The Authority Level no longer exists - it may have been changed or deleted by another user";
const QString kAssociateGone = "The Associate no longer exists - it may have been changed or deleted by another user";

TEST_F(Meanwhile, ASaveOrDeleteOfWhatWasRemovedOrTakenMeanwhileIsRefusedAndWritesNothing)
{
    // act opens the window (or asks the list's first checks), calls meanwhile where the other
    // workstation acts, saves, and returns the message the user is given.
    using Step = std::function<void()>;
    using Act = std::function<QString(const Step &)>;
    // The associate dialog (Add, or Modify of JB) filled, the other workstation acting, then Save: the
    // message, the dialog still up and, where given, the box that keeps what was typed.
    auto associateSave = [this](bool add, std::function<void(QDialog *)> fill, const char *box = nullptr,
                                const QString &typed = {}) -> Act {
        return [this, add, fill, box, typed](const Step &meanwhile) {
            QString shown;
            associateDialog(add, [&](QDialog *d) {
                fill(d);
                meanwhile();
                click(d, "OKButton");
                shown = msgs_->last();
                EXPECT_TRUE(d->isVisible());
                if (box)
                    EXPECT_EQ(text(d, box), typed);
            });
            return shown;
        };
    };
    const QString deleteLevel3 =
        "DELETE FROM AuthorityLevels WHERE LevelNumber = 3; DELETE FROM AuthorityAccess WHERE AuthorityLevelNumber = 3";
    const struct {
        const char *save;
        QString elsewhere;
        QString message;
        Act act;
    } rows[] = {
        {"associate Add with the level chosen", deleteLevel3, kLevelGone,
         associateSave(
             true,
             [&](QDialog *d) {
                 for (const auto &[box, value] : {std::pair{"IDText", "NW"}, {"NameText", "New One"},
                                                  {"PasswordText", "pass3"}, {"Password2Text", "pass3"}})
                     type(d, box, value);
                 choose(d, "LevelCombo", "Level 3");
                 choose(d, "DefaultScreenCombo", "None");
             },
             "IDText", "NW")},
        {"associate Modify given the level chosen", deleteLevel3, kLevelGone,
         associateSave(false, [&](QDialog *d) { choose(d, "LevelCombo", "Level 3"); })},
        {"associate Modify of one deleted", "DELETE FROM Associates WHERE AssociateID = 'JB'", kAssociateGone, {}},
        {"associate Modify of one whose ID changed", "UPDATE Associates SET AssociateID = 'JX' WHERE AssociateID = 'JB'",
         kAssociateGone, {}},
        {"associate Modify giving portal access to one deleted", "DELETE FROM Associates WHERE AssociateID = 'AK'",
         kAssociateGone,
         associateSave(false,
                       [&](QDialog *d) {
                           tick(d, "PortalAccessCheck", true);
                           auto *list = child<QListWidget>(d, "PortalAccessList");
                           list->findItems("Anna King", Qt::MatchExactly).value(0)->setSelected(true);
                       })},
        {"associate Modify of the ID of one logged on elsewhere",
         "UPDATE Associates SET AssociateStatus = -46000 WHERE AssociateID = 'JB'",
         "Jo Bloggs is currently logged on and therefore his/her ID cannot be changed",
         associateSave(false, [&](QDialog *d) { type(d, "IDText", "JC"); }, "IDText", "JC")},
        // The delete's checks pass before the question; the other workstation acts while it is open.
        {"associate delete of one given a job", "INSERT INTO CustomerJobs (AssociateID) VALUES ('JB')",
         "There are Customer Jobs assigned to  Jo Bloggs therefore he/she cannot be deleted", {}},
        {"associate delete of one logged on elsewhere", "UPDATE Associates SET AssociateStatus = -46000 WHERE AssociateID = 'JB'",
         "Jo Bloggs is currently logged on and therefore cannot be deleted", {}},
        {"associate delete of one whose ID changed", "UPDATE Associates SET AssociateID = 'JX' WHERE AssociateID = 'JB'",
         kAssociateGone, {}},
        {"Authority Access save of a level deleted", deleteLevel3, kLevelGone,
         [&](const Step &meanwhile) {
             auto w = shown<AuthorityAccessForm>();
             choose(w.get(), "LevelCombo", "Level 3");
             click(w.get(), "SelectAllButton");
             meanwhile();
             click(w.get(), "OKButton");
             return msgs_->last();
         }},
        {"authority level Modify of one deleted", deleteLevel3, kLevelGone,
         [&](const Step &meanwhile) {
             auto w = shown<AuthorityLevelAddModifyForm>("Modify~3");
             type(w.get(), "DescriptionText", "Field staff");
             meanwhile();
             click(w.get(), "OKButton");
             EXPECT_TRUE(w->isVisible());
             EXPECT_EQ(text(w.get(), "DescriptionText"), "Field staff");
             return msgs_->last();
         }},
        {"authority level Add of a number added meanwhile",
         "INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (4, 'Theirs')",
         "Authority Level Number 4 already exists - please enter another",
         // Taken between the dialog's checks and its insert.
         [&](const Step &meanwhile) {
             EXPECT_TRUE(AuthorityLevelStore::check(true, "4", "Ours").ok());
             meanwhile();
             const AuthorityLevelStore::Check refused = AuthorityLevelStore::add("4", "Ours");
             EXPECT_TRUE(refused.clearNumber);
             return refused.message;
         }},
        {"authority level delete of one deleted", deleteLevel3, kLevelGone,
         [&](const Step &meanwhile) {
             return AuthorityLevelStore::remove(3, "Level 3", [&](const QString &) { return meanwhile(), true; }).message;
         }},
    };
    // An associate Modify of JB that changes his phone; an associate delete of JB.
    const Act modifyPhone = associateSave(false, [&](QDialog *d) { type(d, "PhoneText", "09 222"); }, "PhoneText", "09 222");
    const Act deleteJB = [&](const Step &meanwhile) {
        EXPECT_EQ(AssociateRecord::removeRefusal("JB", "Jo Bloggs"), "");
        meanwhile();
        return AssociateRecord::remove("JB");
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.save);
        reset();
        QString before;
        const Step meanwhile = [&] {
            for (const QString &sql : r.elsewhere.split("; "))
                elsewhere(sql);
            before = tables();
        };
        QString message;
        const Act act = r.act ? r.act : QString(r.save).startsWith("associate delete") ? deleteJB : modifyPhone;
        EXPECT_NO_THROW(message = act(meanwhile));
        EXPECT_EQ(message, r.message);
        EXPECT_EQ(tables(), before);
    }
}

// What another workstation saved meanwhile is kept by a save that did not change it, and what the
// window does not show is never written back.
TEST_F(Meanwhile, ASaveKeepsWhatItDidNotChange)
{
    PreferenceSettings::save({.taxRate = 15, .xeroTaxRateName = "GST on Income", .emailProvider = "Outlook"});
    setAccess(3, 7, 7, 5, 5, 5, 4, 7, 0, 0);
    writeSql("INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (2, 'Office'), (5, 'Level 5')");
    const QString rightsOf = "SELECT Customers, Associates FROM AuthorityAccess WHERE AuthorityLevelNumber = %1";
    // opens: the preferences, the level dialog's Tag, or the level chosen in Authority Access.
    const struct {
        const char *save, *opens, *elsewhere;
        std::function<void(QWidget *)> change;
        const char *stored;
        QString sql;
    } rows[] = {
        {"Preferences: the Xero tax rate name saved by the sales export", "Preferences",
         "UPDATE Preferences SET XeroTaxRateName = 'GST 15%'",
         [](QWidget *w) { type(w, "TaxRateText", "12.5"); }, "12.5|GST 15%",
         "SELECT TaxRate, XeroTaxRateName FROM Preferences"},
        {"Preferences: boxes ticked and the server saved at the other workstation", "Preferences",
         "UPDATE Preferences SET ShowCostOnSchedPrint = 1, SMTPServer = 'smtp.example.com'",
         [](QWidget *w) { tick(w, "ScheduleEmailPhoneCheck", true); }, "1|1|smtp.example.com",
         "SELECT ShowCostOnSchedPrint, ShowPhoneOnSchedEmail, SMTPServer FROM Preferences"},
        // A level added starts with no rights, even where a row was left for its number.
        {"authority level Add over a rights row left for its number", "Add",
         "INSERT INTO AuthorityAccess (AuthorityLevelNumber, Security, Associates) VALUES (4, 7, 7)",
         [](QWidget *w) {
             type(w, "NumberText", "4");
             type(w, "DescriptionText", "Ours");
         },
         "4|Ours|", "SELECT LevelNumber, LevelDescription, AuthorityLevelNumber FROM AuthorityLevels "
                    "LEFT JOIN AuthorityAccess ON AuthorityLevelNumber = LevelNumber WHERE LevelNumber = 4"},
        {"authority level Modify saved unchanged over a description saved at the other workstation", "Modify~2",
         "UPDATE AuthorityLevels SET LevelDescription = 'Field staff' WHERE LevelNumber = 2", [](QWidget *) {},
         "Field staff", "SELECT LevelDescription FROM AuthorityLevels WHERE LevelNumber = 2"},
        {"Authority Access: Customers saved at the other workstation, Associates here", "Level 3",
         "UPDATE AuthorityAccess SET Customers = 1 WHERE AuthorityLevelNumber = 3",
         [](QWidget *w) { tick(w, "AssociatesWCheck", false); }, "1|1", rightsOf.arg(3)},
        {"Authority Access: a level without rights given some at the other workstation", "Level 5",
         "INSERT INTO AuthorityAccess (AuthorityLevelNumber, Customers) VALUES (5, 7)",
         [](QWidget *w) { tick(w, "AssociatesRCheck", true); }, "7|1", rightsOf.arg(5)},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.save);
        msgs_->clear();
        std::unique_ptr<QWidget> w;
        const QString opens = r.opens;
        if (opens == "Preferences") {
            w = shown<PreferencesForm, QWidget>();
        } else if (opens.startsWith("Level")) {
            w = shown<AuthorityAccessForm, QWidget>();
            choose(w.get(), "LevelCombo", opens);
        } else {
            w = shown<AuthorityLevelAddModifyForm, QWidget>(opens);
        }
        elsewhere(r.elsewhere);
        r.change(w.get());
        msgs_->answer(MsgAnswer::No);
        click(w.get(), "OKButton");
        EXPECT_EQ(rowsOf(r.sql), QString(r.stored));
    }
}

} // namespace
