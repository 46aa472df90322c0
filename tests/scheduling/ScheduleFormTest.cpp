#include "jobs/CustomerJobAddModifyForm.h"
#include "platform/FlexGrid.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleGrid.h"
#include "shell/LoginForm.h"
#include "ScheduleTestData.h"
#include "support/Pointer.h"
#include "support/ShownTexts.h"

#include <QPlainTextEdit>

using namespace wvs;
using namespace wvs::schedtest;
using namespace wvs::ScheduleGrid;

namespace {

class ScheduleFormTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        setAccess(2, 1, 1, 1, 1, 1, 1, 1, 0, 0);   // may only look
        setAccess(3, 1, 1, 1, 1, 1, 1, 3, 0, 0);   // may add notes but not publish
    }
    static std::unique_ptr<ScheduleForm> open(const QString &tag) { return shown<ScheduleForm>(tag); }
    int locks(const QString &who) { return count("SELECT COUNT(*) FROM LockedSchedules WHERE AssociateID = ?", {who}); }
    // Sorts the grid by the keys given (an empty key leaves its combo alone).
    static void sortBy(ScheduleForm *form, const QString &key1, const QString &order1, const QString &key2 = {},
                       const QString &order2 = {})
    {
        const std::pair<const char *, QString> choices[] = {
            {"Sort1Combo", key1}, {"Sort1OrderCombo", order1}, {"Sort2Combo", key2}, {"Sort2OrderCombo", order2}};
        for (const auto &[combo, entry] : choices)
            if (!entry.isEmpty())
                choose(form, combo, entry);
        form->SortButton_Click();
    }

    // A closed schedule of two jobs, each on three Mondays, stored in date order.
    qint64 closedSchedule(const QString &status = QStringLiteral("Closed"))
    {
        const qint64 s = addSchedule("2025-03-03", "2025-03-16", status);
        jobA = addJob({.associate = "ADM", .start = "2025-03-03"});
        jobB = addJob({.associate = "BOB", .start = "2025-03-03"});
        for (int i = 0; i < 4; ++i)
            storeJob(s, i % 2 ? jobB : jobA, i < 2 ? "2025-03-03" : "2025-03-10", i, "", i % 2 ? "BOB" : "ADM");
        return s;
    }
    qint64 jobA = 0, jobB = 0;
};

} // namespace

TEST_F(ScheduleFormTest, StatesDoneClicksNotesAndPublishingFollowStatusModeRightsAndThePortalPreference)
{
    const qint64 s = closedSchedule();
    auto viewOpen = open(QStringLiteral("View~%1").arg(addSchedule("2024-01-01", "2024-01-31")));
    for (const char *b : {"AddButton", "ModifyButton", "DeleteButton", "ExcludeButton", "CloseButton"})
        EXPECT_FALSE(enabled(viewOpen.get(), b)) << b;
    EXPECT_EQ(msgs_->texts(), QStringList({"No jobs found"}));

    auto closed = open(QStringLiteral("View~%1").arg(s));
    EXPECT_TRUE(enabled(closed.get(), "CloseButton"));   // saves the order
    EXPECT_FALSE(enabled(closed.get(), "PublishButton"));   // the portal is off
    closed->ExitButton_Click();
    writeSql("UPDATE Preferences SET Portal = 1");
    writeSql("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?", {s});
    setAccess(5, 1, 1, 1, 1, 1, 1, 5, 0, 0);   // the least that may publish
    loginAs("ADM", 5);
    auto publisher = open(QStringLiteral("Modify~%1").arg(s));
    EXPECT_TRUE(enabled(publisher.get(), "PublishButton"));
    // What is missing, what Publish says of it, and what then supplies it.
    writeSql("DELETE FROM Company");
    const struct { const char *message, *supply; } missing[] = {
        {"The Company details have not yet been entered. These are required to publish the schedule on the portal",
         "INSERT INTO Company (RowId, ID) VALUES (1, '')"},
        {"The ID has not been set for the Company. This is required to publish the schedule on the portal",
         "UPDATE Company SET ID = 'WVS42'"},
        {"No Associates have been given access to the portal. At least 1 is required for the schedule to be published",
         "UPDATE Associates SET PortalAccess = 'Y' WHERE AssociateID = 'BOB'"}};
    for (const auto &m : missing) {
        publisher->PublishButton_Click();
        EXPECT_EQ(msgs_->last(), m.message);
        writeSql(m.supply);
    }
    publisher->PublishButton_Click();
    publisher.reset();

    // A level that may only look can neither mark a job done nor add a note.
    loginAs("ADM", 2);
    auto viewer = open(QStringLiteral("View~%1").arg(s));
    viewer->ScheduleGrid_Click(2, ColDone);
    viewer->ScheduleGrid_MouseDown(Qt::RightButton, 2, ColDone);
    EXPECT_EQ(stored(s, jobB, "2025-03-03", "ActualServiceDate"), "");
    EXPECT_EQ(modal_->openedNames(), QStringList({"PortalForm"}));   // no note window
    viewer->ExitButton_Click();

    // One that may add notes may do both, but neither add jobs nor publish.
    loginAs("ADM", 3);
    auto form = open(QStringLiteral("Modify~%1").arg(s));
    EXPECT_FALSE(enabled(form.get(), "AddButton") || enabled(form.get(), "PublishButton"));
    FlexGrid *g = form->grid();
    form->ScheduleGrid_Click(2, ColDone);
    EXPECT_EQ(stored(s, jobB, "2025-03-03", "ActualServiceDate"), "2025-03-03");
    form->ScheduleGrid_Click(2, ColDone);
    EXPECT_EQ(g->cellPictureKey(2, ColDone), "NoCheckImage");

    // The note marks row 3 done on the 11th; a re-sort shows it from the staged rows.
    modal_->on("ScheduleJobNoteForm", [](QDialog *dlg) {
        tick(dlg, "JobDoneCheck", true);
        type(dlg, "DateCompletedText", "11/03/2025");
        child<QPlainTextEdit>(dlg, "NoteText")->setPlainText("Done a day late");
        click(dlg, "OKButton");
    });
    form->ScheduleGrid_MouseDown(Qt::RightButton, 3, ColDone);
    EXPECT_EQ(stored(s, jobA, "2025-03-10", "ActualServiceDate"), "2025-03-11");
    sortBy(form.get(), "Done", "Ascending");
    EXPECT_EQ(g->textMatrix(1, ColJobSeqNo).toLongLong(), jobA);
    EXPECT_EQ(g->cellPictureKey(1, ColDone), "CheckImage");
}

// Publishing and retrieving ask a Job Schedules value of 5 or more: a stored 4 (Add/Modify/Delete
// without View) does neither, as 3 does not.
TEST_F(ScheduleFormTest, PublishingAndRetrievingAskViewWithAddModifyDelete)
{
    const qint64 s = closedSchedule(QStringLiteral("Published"));
    writeSql("UPDATE Preferences SET Portal = 1");
    writeSql("DELETE FROM Company");
    writeSql("INSERT INTO Company (RowId, ID) VALUES (1, 'WVS42')");
    writeSql("UPDATE Associates SET PortalAccess = 'Y' WHERE AssociateID = 'BOB'");
    const struct { int jobSchedules; bool may; } levels[] = {{4, false}, {5, true}};
    for (const auto &l : levels) {
        SCOPED_TRACE(l.jobSchedules);
        setAccess(9, 1, 1, 1, 1, 1, 1, l.jobSchedules, 0, 0);
        loginAs("ADM", 9);
        auto form = open(QStringLiteral("Modify~%1").arg(s));
        const qsizetype windowsBefore = modal_->opened().size();
        for (const char *button : {"PublishButton", "UpdateButton"}) {
            EXPECT_EQ(enabled(form.get(), button), l.may) << button;
            test::pressButton(form.get(), button);
        }
        // The portal window runs nothing here; what matters is whether it was opened.
        EXPECT_EQ(modal_->openedNames().mid(windowsBefore),
                  l.may ? QStringList({"PortalForm", "PortalForm"}) : QStringList());
        form.reset();
    }
}

TEST_F(ScheduleFormTest, ExcludedRowsShowGreyStayExcludedThroughASortAndAreLeftOutWhenClosing)
{
    const qint64 s = addSchedule("2025-03-03", "2025-03-16");
    jobA = addJob({.associate = "ADM", .start = "2025-03-03", .asRequired = true});
    jobB = addJob({.associate = "BOB", .start = "2025-03-03"});
    const qint64 oneOff = addJob({.start = "2025-03-04", .end = "2025-03-04", .frequency = 1});
    auto form = open(QStringLiteral("Modify~%1").arg(s));
    FlexGrid *g = form->grid();
    ASSERT_EQ(g->rows(), 6);
    // Excluded rows grey and bold; included again, the as-required one orange and bold, the other black.
    const struct { int row; QColor colour; bool bold; } rows[] = {{1, QColor(255, 128, 0), true}, {2, QColor(0, 0, 0), false}};
    for (const auto &r : rows) {
        g->selectRow(r.row);
        form->ExcludeButton_Click();
        EXPECT_EQ(g->cellForeColor(r.row, ColCustomer), QColor(192, 192, 192));
        EXPECT_TRUE(g->cellBold(r.row, ColCustomer));
        form->ScheduleGrid_Click(r.row, ColCustomer);
        EXPECT_EQ(child<QAbstractButton>(form.get(), "ExcludeButton")->text(), "&Include");
        form->ExcludeButton_Click();
        EXPECT_EQ(g->cellForeColor(r.row, ColJobType), r.colour) << r.row;
        EXPECT_EQ(g->cellBold(r.row, ColJobType), r.bold) << r.row;
    }

    g->selectRow(0);
    form->ExcludeButton_Click();
    form->ModifyButton_Click();
    form->ViewButton_Click();
    g->selectRow(3);   // the one-off job
    msgs_->answer(MsgAnswer::No);
    form->DeleteButton_Click();
    g->selectRow(3);
    form->DeleteButton_Click();
    msgs_->answer(MsgAnswer::No);
    form->CloseButton_Click();
    const QString sure = "Are you sure you want to PERMANENTLY delete the selected Customer Job and any notes which "
                         "may have been made?";
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select the Job to exclude/include", "Please select the Job to modify",
                                           "Please select the Job to view", sure, sure, "Customer Job deleted",
                                           "The Schedule will now be closed - do you wish to continue?"}));
    ASSERT_EQ(count("SELECT COUNT(*) FROM CustomerJobs WHERE JobSeqNo = ?", {oneOff}) + g->rows(), 5);
    g->selectRow(4);   // jobB, 10 March
    form->ExcludeButton_Click();

    // Sorted by associate, descending: BOB's rows first.
    sortBy(form.get(), "Associate", "Descending");
    EXPECT_EQ(g->textMatrix(2, ColDate), "10 Mar 2025");
    EXPECT_EQ(g->cellForeColor(2, ColCustomer), QColor(192, 192, 192));

    // Go generates afresh and forgets what was excluded.
    choose(form.get(), "AssociateCombo", "Administrator");
    form->GoButton_Click();
    ASSERT_EQ(g->rows(), 3);
    g->selectRow(2);   // ADM's job on 10 March
    form->ExcludeButton_Click();

    // Closing with the filter on one associate asks about all jobs; No keeps it open.
    msgs_->clear();
    msgs_->answer(MsgAnswer::No);
    form->CloseButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList({"The Schedule for ALL jobs will now be closed, not just those for "
                                           "Administrator.\r\nDo you wish to continue?"}));
    EXPECT_EQ(status(s), "Open");

    form->CloseButton_Click();
    EXPECT_EQ(storedRows(s).size(), 3);
    EXPECT_EQ(stored(s, jobA, "2025-03-10", "JobSeqNo"), "");   // the excluded one
}

TEST_F(ScheduleFormTest, UpDownAndSortKeysMoveRowsAndSaveStoresTheOrderOfTheRowsShown)
{
    const qint64 s = closedSchedule(QStringLiteral("Published"));
    auto form = open(QStringLiteral("Modify~%1").arg(s));
    FlexGrid *g = form->grid();
    form->UpButton_Click();   // nothing selected
    g->selectRow(1);
    form->UpButton_Click();   // already at the top
    g->selectRow(4);
    form->DownButton_Click();   // already at the bottom
    form->UpButton_Click();
    EXPECT_EQ(g->selectedRow(), 3);
    form->CloseButton_Click();
    // Saving again after another move builds on what was saved.
    g->selectRow(3);
    form->UpButton_Click();
    form->CloseButton_Click();
    const QStringList saved = storedRows(s);
    EXPECT_EQ(saved, QStringList({row(jobA, "2025-03-03#0"), row(jobB, "2025-03-10#1"), row(jobB, "2025-03-03#2"),
                                  row(jobA, "2025-03-10#3")}));

    // Choosing an associate empties the grid: Save has nothing to store.
    child<QComboBox>(form.get(), "AssociateCombo")->setCurrentIndex(2);
    ASSERT_EQ(g->rows(), 1);
    msgs_->clear();
    form->CloseButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList({"Schedule saved"}));
    EXPECT_EQ(storedRows(s), saved);
    // Go shows that associate's rows; their numbers are exchanged among themselves.
    form->GoButton_Click();
    ASSERT_EQ(g->rows(), 3);
    g->selectRow(2);
    form->UpButton_Click();
    form->CloseButton_Click();
    EXPECT_EQ(storedRows(s), QStringList({row(jobA, "2025-03-03#0"), row(jobB, "2025-03-03#1"), row(jobB, "2025-03-10#2"),
                                          row(jobA, "2025-03-10#3")}));

    // A sort needs a first key and its order; the order it shows is what Save stores.
    choose(form.get(), "AssociateCombo", "<All>");
    form->GoButton_Click();
    msgs_->clear();
    sortBy(form.get(), "Associate", "Ascending");
    child<QComboBox>(form.get(), "Sort1OrderCombo")->setCurrentIndex(-1);
    form->SortButton_Click();
    child<QComboBox>(form.get(), "Sort1Combo")->setCurrentIndex(-1);
    form->SortButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select the order on which to base the sort",
                                           "Please select the column on which to base the sort"}));
    sortBy(form.get(), "Service Date", "Ascending", "Associate", "Descending");
    form->CloseButton_Click();
    EXPECT_EQ(storedRows(s), QStringList({row(jobB, "2025-03-03#0"), row(jobA, "2025-03-03#1"),
                                          row(jobB, "2025-03-10#2"), row(jobA, "2025-03-10#3")}));

    // Whichever key is first, the second may be any of the other ten.
    const QStringList keys = {"As Required", "Associate", "Service Date", "Customer", "Service Address", "Location",
                              "Phone", "Job Type", "Cost", "Notes", "Done"};
    for (const QString &key : keys) {
        choose(form.get(), "Sort1Combo", key);
        QStringList others = keys;
        others.removeOne(key);
        EXPECT_EQ(test::entries(form.get(), "Sort2Combo"), others) << key.toStdString();
    }
}

TEST_F(ScheduleFormTest, OpenScheduleIsLockedAndTrimmedButJobsMarkedDoneCannotBeChanged)
{
    // Re-opened: ADM's occurrence of 3 March was done.
    const qint64 s = closedSchedule("Open");
    writeSql("UPDATE ScheduleJobs SET ActualServiceDate = ScheduleServiceDate WHERE JobSeqNo = ? AND ScheduleSeqNo = 0", {jobA});
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (77, 'ADM'), (?, 'BOB')", {s});
    auto form = open(QStringLiteral("Modify~%1").arg(s));
    EXPECT_EQ(count("SELECT COUNT(*) FROM LockedSchedules WHERE ScheduleNumber = ? AND AssociateID = 'ADM'", {s}), 1);
    for (const char *b : {"AddButton", "ModifyButton", "DeleteButton", "ExcludeButton", "CloseButton"})
        EXPECT_TRUE(enabled(form.get(), b)) << b;
    FlexGrid *g = form->grid();
    ASSERT_EQ(g->rows(), 5);

    form->DeleteButton_Click();
    g->selectRow(1);
    form->ModifyButton_Click();
    form->DeleteButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select the Job to delete",
                                           "The selected Customer Job has been marked as done and therefore cannot be modified",
                                           "The selected Customer Job has been marked as done and therefore cannot be deleted"}));

    // Modify opens the job dialog with the job and its address.
    g->selectRow(2);
    form->ModifyButton_Click();
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened().at(0).tag, QStringLiteral("Modify~%1~%2").arg(jobB).arg(g->textMatrix(2, ColAddressKey)));

    // Add: the dialog reports a saved job through the window, which regenerates.
    const qint64 added = addJob({.start = "2025-03-05", .end = "2025-03-05", .frequency = 1});
    modal_->once("CustomerJobAddModifyForm",
                 [](QDialog *dlg) { static_cast<CustomerJobAddModifyForm *>(dlg)->Opener->JobAdded = true; });
    form->AddButton_Click();
    ASSERT_EQ(g->rows(), 6);
    EXPECT_EQ(g->textMatrix(3, ColJobSeqNo).toLongLong(), added);
    // Leaving frees the user's own locks only; so does a forced log-off.
    form->ExitButton_Click();
    EXPECT_EQ(QList({locks("ADM"), locks("BOB")}), QList({0, 1}));
    auto again = open(QStringLiteral("View~%1").arg(s));
    EXPECT_EQ(locks("ADM"), 1);
    Login::forceLogOff("ADM");
    EXPECT_EQ(locks("ADM"), 0);
}
