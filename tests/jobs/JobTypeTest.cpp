#include "JobsDbTest.h"
#include "jobs/JobTypeRecords.h"
#include "jobs/JobTypesManagementForm.h"
#include "platform/FlexGrid.h"
#include "support/Keys.h"
#include "support/Pointer.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace wvs;

namespace {

class JobTypeTest : public test::SmithJobsTest {
protected:
    void SetUp() override
    {
        SmithJobsTest::SetUp();
        addJobType("LAWN", "Lawn mowing", "300");
    }
    qint64 jobOf(const QString &type)
    {
        return addJob(customer_, address_, [&](test::JobData &j) { j.jobType = type; });
    }
    JobTypeRecords::SaveOutcome save(const QString &mode, const QString &oldCode, const JobType &t, bool answer = true)
    {
        return JobTypeRecords::save(mode, oldCode, t, [&](const QString &q) { return asked_ << q, answer; });
    }
    QString typeOfJob(qint64 job) { return jobFields(job, "JobTypeCode"); }
    QStringList asked_;
};

TEST_F(JobTypeTest, DeleteIsRefusedWhileUndoneScheduledJobsAreDueOrCustomerJobsRemain)
{
    const QDate today(2031, 7, 7);
    const qint64 job = jobOf("CLEAN");
    const qint64 schedule = addSchedule("2031-07-01", "2031-07-31", "Closed");
    // Done, or planned before today: not uncompleted work.
    storeJob(schedule, job, "2031-07-08", 0, "2031-07-08", {});
    storeJob(schedule, job, "2031-07-06", 0, {}, {});
    storeJob(schedule, jobOf("CLEAN"), "2031-07-07", 0, "2031-07-07", {}); // due today and done
    EXPECT_EQ(JobTypeRecords::deleteRefusal("CLEAN", "Window cleaning", today),
              "There are Customer Jobs for Window cleaning therefore it cannot be deleted");
    // An undone occurrence due today.
    storeJob(schedule, job, "2031-07-07", 0, {}, {});
    EXPECT_EQ(JobTypeRecords::deleteRefusal("CLEAN", "Window cleaning", today),
              "There are uncompleted Scheduled Jobs for Window cleaning therefore it cannot be deleted");

    // A job given to the type at another workstation after the check keeps it.
    EXPECT_EQ(JobTypeRecords::deleteRefusal("LAWN", "Lawn mowing", today), "");
    jobOf("LAWN");
    EXPECT_EQ(JobTypeRecords::remove("LAWN", "Lawn mowing", today),
              "There are Customer Jobs for Lawn mowing therefore it cannot be deleted");
    EXPECT_TRUE(JobTypeRecords::find("LAWN"));
    writeSql("DELETE FROM CustomerJobs WHERE JobTypeCode = 'LAWN'");
    EXPECT_EQ(JobTypeRecords::remove("LAWN", "Lawn mowing", today), "");
    EXPECT_FALSE(JobTypeRecords::find("LAWN"));
}

TEST_F(JobTypeTest, ChangedCodeIsCarriedIntoEveryCustomerJobAndAModifyKeepsAnotherWorkstationsChange)
{
    const qint64 a = jobOf("CLEAN"), b = jobOf("CLEAN"), other = jobOf("LAWN");
    // A rename onto an existing code is refused and changes nothing.
    auto out = save("Modify", "CLEAN", {"LAWN", "Windows", ""});
    EXPECT_EQ(out.status, JobTypeRecords::SaveOutcome::Refused);
    EXPECT_EQ(out.message, "Job Type Code LAWN already exists - please enter another");
    EXPECT_EQ(out.focus, "CodeText");
    EXPECT_EQ(typeOfJob(a), "CLEAN");

    out = save("Modify", "CLEAN", {"WIN", "Windows", "201"});
    ASSERT_EQ(out.status, JobTypeRecords::SaveOutcome::Saved) << out.message.toStdString();
    EXPECT_EQ(typeOfJob(a) + typeOfJob(b), "WINWIN");
    EXPECT_EQ(typeOfJob(other), "LAWN");
    EXPECT_FALSE(JobTypeRecords::find("CLEAN"));
    EXPECT_EQ(JobTypeRecords::find("WIN")->accountsRef, "201");

    // A change of case is a rename.
    save("Modify", "WIN", {"win", "Window washing", ""});
    EXPECT_EQ(typeOfJob(a).toStdString(), "win");

    // A Modify keeps what another workstation saved meanwhile: B changes the accounts reference, A the description.
    const JobType shown = *JobTypeRecords::find("LAWN");
    writeSql("UPDATE JobTypes SET AccountsRef = '350' WHERE JobTypeCode = 'LAWN'", {}, secondConnection());
    JobType entry = shown;
    entry.description = "Lawns and edges";
    JobTypeRecords::save("Modify", "LAWN", entry, [](const QString &) { return true; }, &shown);
    EXPECT_EQ(JobTypeRecords::find("LAWN")->description + "|" + JobTypeRecords::find("LAWN")->accountsRef, "Lawns and edges|350");
}

TEST_F(JobTypeTest, AddChecksInOrderAndAsksAboutTheAccountsReferenceFirst)
{
    EXPECT_EQ(save("Add", {}, {"X", "", ""}).message, "Please enter a Description");
    EXPECT_EQ(save("Add", {}, {"", "", ""}).message, "Please enter a Code");

    writeSql("INSERT OR REPLACE INTO Preferences (RowId, MYOB) VALUES (1, 1)");
    // A missing description speaks before the question about the reference.
    EXPECT_EQ(save("Add", {}, {"GUTTER", "", ""}).message, "Please enter a Description");
    EXPECT_TRUE(asked_.isEmpty());
    EXPECT_EQ(save("Add", {}, {"GUTTER", "Gutters", ""}, false).status, JobTypeRecords::SaveOutcome::Declined);
    EXPECT_EQ(asked_.size(), 1);
    EXPECT_FALSE(JobTypeRecords::find("GUTTER"));

    // Confirmed, the duplicate code is still refused.
    const auto out = save("Add", {}, {"CLEAN", "Again", ""});
    EXPECT_EQ(asked_.size(), 2);
    EXPECT_EQ(out.message, "Job Type Code CLEAN already exists - please enter another");
    EXPECT_TRUE(out.clearCode);
    EXPECT_EQ(JobTypeRecords::find("CLEAN")->description, "Window cleaning");

    // Xero alone asks as MYOB does; with neither package an empty reference is saved without a question.
    writeSql("UPDATE Preferences SET MYOB = 0, Xero = 1");
    EXPECT_EQ(save("Add", {}, {"GUTTER", "Gutters", ""}, false).status, JobTypeRecords::SaveOutcome::Declined);
    EXPECT_EQ(asked_.size(), 3);
    writeSql("UPDATE Preferences SET Xero = 0");
    EXPECT_EQ(save("Add", {}, {"GUTTER", "Gutters", ""}, false).status, JobTypeRecords::SaveOutcome::Saved);
    EXPECT_EQ(asked_.size(), 3);
}

TEST_F(JobTypeTest, APastedLineBreakIsNotStoredWithAOneLineValue)
{
    // The code, what is pasted into the description and into the accounts reference, what is stored.
    const struct { const char *code; QString description, accounts, stored; } cases[] = {
        {"P1", "Window wash\r\n", "\n", "Window wash|"}, {"P2", "a\nb", "x\r\n", "a b|x"}};
    for (const auto &c : cases) {
        modal_->once("JobTypeAddModifyForm", [&](QDialog *d) {
            type(d, "CodeText", c.code);
            for (const auto &[box, pasted] : {std::pair{"DescriptionText", c.description}, {"AccountsText", c.accounts}}) {
                QGuiApplication::clipboard()->setText(pasted);
                test::press(child<QLineEdit>(d, box), Qt::Key_V, Qt::ControlModifier);
            }
            click(d, "OKButton");
        });
        msgs_->answer(MsgAnswer::No); // no other job type to add
        JobTypesManagementForm list;
        click(&list, "AddButton");
        EXPECT_EQ(scalarSql("SELECT JobTypeDescription || '|' || AccountsRef FROM JobTypes WHERE JobTypeCode = ?", {c.code})
                      .toString(), c.stored) << c.code;
    }
    QGuiApplication::clipboard()->clear();
}

// Every box of the dialog is saved to its own column: a job type added from the list, then modified from it with
// every box typed over.
TEST_F(JobTypeTest, EveryBoxIsSavedToItsOwnColumnWhenAddedAndWhenModified)
{
    const struct { const char *box, *added, *changed, *column; } boxes[] = {
        {"CodeText", "GUT", "EAVES", "JobTypeCode"},
        {"DescriptionText", "Gutter cleaning", "Eaves and gutters", "JobTypeDescription"},
        {"AccountsText", "410", "420", "AccountsRef"},
    };
    QStringList columns, table;
    for (const auto &b : boxes)
        columns << b.column;
    for (QSqlQuery q = execSql("PRAGMA table_info(JobTypes)"); q.next();)
        table << q.value(1).toString();
    EXPECT_EQ(columns, table); // no column is left out

    auto list = shown<JobTypesManagementForm>();
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "added" : "modified");
        modal_->once("JobTypeAddModifyForm", [&](QDialog *d) {
            for (const auto &b : boxes) {
                test::retypeKeys(child<QWidget>(d, b.box), adding ? b.added : b.changed);
            }
            test::pressButton(d, "OKButton");
        });
        msgs_->clear();
        msgs_->answer(MsgAnswer::No); // no other job type to add
        if (!adding)
            test::pointAtRow(list.get(), list->grid(), int(test::column(list->grid(), 1).indexOf("GUT")) + 1);
        test::pressButton(list.get(), adding ? "AddButton" : "ModifyButton");
        EXPECT_EQ(msgs_->texts(), adding ? QStringList{"Job Type added. Do you wish to add another?"} : QStringList{});
        const QString code = adding ? "GUT" : "EAVES";
        for (const auto &b : boxes)
            EXPECT_EQ(rowsOf(QStringLiteral("SELECT %1 FROM JobTypes WHERE JobTypeCode = ?").arg(b.column), {code}),
                      QString(adding ? b.added : b.changed)) << b.box;
    }
    EXPECT_EQ(rowsOf("SELECT COUNT(*) FROM JobTypes"), "3");
}

TEST_F(JobTypeTest, AViewOnlyUserCanStillUpdateThePortalWhichNeedsTheCompanyID)
{
    setAccess(2, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    addAssociate("VW", "Viewer", "pw", 2);
    loginAs("VW", 2);
    JobTypesManagementForm list;
    for (const char *name : {"AddButton", "ModifyButton", "DeleteButton"})
        EXPECT_FALSE(enabled(&list, name)) << name;
    // The portal is not in use, and the button is there all the same.
    for (const char *name : {"PortalButton", "ExitButton"})
        EXPECT_TRUE(enabled(&list, name) && !child(&list, name)->isHidden()) << name;
    EXPECT_EQ(child<QPushButton>(&list, "PortalButton")->text(), "&Update Portal");

    // A double-click does not open the record either.
    list.grid()->selectRow(1);
    emit list.grid()->rowDoubleClicked(1, 1);
    // 4 is still below the right to change job types; 5 has it.
    for (const auto &[value, changes] : {std::pair{4, false}, {5, true}}) {
        setAccess(3, 1, 1, value, 1, 1, 1, 1, 1, 1);
        loginAs("VW", 3);
        JobTypesManagementForm other;
        for (const char *name : {"AddButton", "ModifyButton", "DeleteButton"})
            EXPECT_EQ(enabled(&other, name), changes) << name << " " << value;
    }
    loginAs("VW", 2);

    writeSql("DELETE FROM Company");
    click(&list, "PortalButton");
    writeSql("INSERT INTO Company (RowId, ID, CompanyName) VALUES (1, '', 'Acme')");
    click(&list, "PortalButton");
    EXPECT_EQ(msgs_->texts(),
              QStringList({"The Company details have not yet been entered. These are required to access the portal",
                           "The ID has not been set for the Company. This is required to access the portal"}));
    EXPECT_TRUE(modal_->opened().isEmpty());

    // With the ID set, the portal window is opened to send the job types.
    writeSql("UPDATE Company SET ID = 'ABCD'");
    click(&list, "PortalButton");
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened()[0].name + " " + modal_->opened()[0].tag, "PortalForm JobTypes~");
}

} // namespace
