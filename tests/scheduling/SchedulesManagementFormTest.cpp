#include "platform/FlexGrid.h"
#include "scheduling/ScheduleRecords.h"
#include "scheduling/SchedulesManagementForm.h"
#include "ScheduleTestData.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class SchedulesListTest : public ScheduleDbTest {
protected:
    static std::unique_ptr<SchedulesManagementForm> open() { return shown<SchedulesManagementForm>(); }
    static void selectRows(FlexGrid *g, int first, int last)
    {
        QAbstractItemModel *m = g->model();
        g->selectionModel()->select(QItemSelection(m->index(first - 1, 1), m->index(last - 1, 3)),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        g->selectionModel()->setCurrentIndex(m->index(first - 1, 1), QItemSelectionModel::NoUpdate);
    }
};

} // namespace

TEST_F(SchedulesListTest, ListsTheNewestFirstReopensAClosedOneOpensNotesAndUsersBelowFullRightsMayOnlyView)
{
    const qint64 jan = addSchedule("2025-01-06", "2025-01-31", "Closed");
    const qint64 mar = addSchedule("2025-03-01", "2025-03-31", "Open");
    addSchedule("2025-02-01", "2025-02-28", "Published");
    auto form = open();
    FlexGrid *g = form->grid();
    ASSERT_EQ(g->rows(), 4);
    form->ModifyButton_Click();
    form->DeleteButton_Click();
    form->ViewButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select the Schedule to be modified",
                                           "Please select the Schedule(s) to be deleted",
                                           "Please select the Schedule to be viewed"}));

    // A Closed schedule is only re-opened (after Yes), not opened; an Open one opens.
    g->selectRow(3);
    msgs_->answer(MsgAnswer::No);
    form->ModifyButton_Click();
    EXPECT_EQ(msgs_->last(), "The selected Schedule has a status of Closed and therefore cannot be modified - do you "
                             "wish to change its status back to Open?");
    EXPECT_EQ(status(jan), "Closed");
    g->selectRow(3);
    form->ModifyButton_Click();
    EXPECT_EQ(status(jan) + g->textMatrix(3, 3), "OpenOpen");
    EXPECT_TRUE(modal_->opened().isEmpty());
    g->selectRow(1);
    form->SchedulesGrid_DblClick();
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened().at(0).tag, QStringLiteral("Modify~%1").arg(mar));

    // Notes opens the notes of a schedule that has any.
    g->selectRow(1);
    form->NotesButton_Click();
    EXPECT_EQ(msgs_->last(), "No Notes found for the selected Schedule");
    const qint64 job = addJob({.start = "2025-03-03"});
    storeJob(mar, job, "2025-03-03", 0);
    addNote(mar, job, "2025-03-03", "2025-03-04 09:00:00", "Action", "n");
    // Back from the notes, the list shows what another workstation added meanwhile.
    modal_->once("ScheduleNotesForm", [&](QDialog *) {
        writeSql("INSERT INTO Schedules (FromDate, ToDate, Status) VALUES ('2025-04-01', '2025-04-30', 'Open')", {},
                 secondConnection());
    });
    g->selectRow(1);
    form->NotesButton_Click();
    EXPECT_EQ(modal_->opened().last().name, "ScheduleNotesForm");
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("Schedule~%1").arg(mar));
    ASSERT_EQ(g->rows(), 5);
    EXPECT_EQ(g->textMatrix(1, 1), "01 Apr 2025");

    setAccess(2, 1, 1, 1, 1, 1, 1, 5, 0, 0);
    loginAs("ADM", 2);
    const qsizetype seen = modal_->opened().size();
    auto viewer = open();
    for (const char *b : {"AddButton", "ModifyButton", "DeleteButton"})
        EXPECT_FALSE(enabled(viewer.get(), b)) << b;
    viewer->grid()->selectRow(2);
    viewer->SchedulesGrid_DblClick();   // no Modify: a double click opens nothing
    viewer->ViewButton_Click();
    ASSERT_EQ(modal_->opened().size(), seen + 1);
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("View~%1").arg(mar));

    // Each sum of rights below the full 7 may only view; 7 may add, change, delete and see notes.
    for (int rights : {0, 1, 3, 5, 7}) {
        setAccess(4, 1, 1, 1, 1, 1, 1, rights, 0, 0);
        loginAs("ADM", 4);
        auto list = open();
        for (const char *b : {"AddButton", "ModifyButton", "DeleteButton", "NotesButton"})
            EXPECT_EQ(enabled(list.get(), b), rights == 7) << b << " " << rights;
        for (const char *b : {"ViewButton", "ExitButton"})
            EXPECT_TRUE(enabled(list.get(), b)) << b << " " << rights;
    }

    // A Published schedule, like a Closed one, is only offered to be re-opened.
    auto list = open();
    for (int r = 1; r < list->grid()->rows(); ++r) {
        if (list->grid()->textMatrix(r, 3) != "Published")
            continue;
        list->grid()->selectRow(r);
        msgs_->answer(MsgAnswer::No);
        list->ModifyButton_Click();
        EXPECT_EQ(msgs_->last(), "The selected Schedule has a status of Published and therefore cannot be modified - do "
                                 "you wish to change its status back to Open?");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Schedules WHERE Status = 'Published'"), 1);
}

TEST_F(SchedulesListTest, AddsASchedulesOfAtMostOneYearAndOpensIt)
{
    auto form = open();
    // Left without OK: nothing, even after an earlier add left the To date set.
    form->ToDate = "31 Dec 2030";
    form->AddButton_Click();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Schedules"), 0);

    answerDates("15 Jan 2025", "01 Feb 2026");
    form->AddButton_Click();
    EXPECT_EQ(msgs_->last(), "A Job Schedule cannot have a timespan of more than 1 year");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Schedules"), 0);
    // Twelve calendar months from the first month to the last, whatever the days.
    EXPECT_FALSE(ScheduleRecords::exceedsOneYear(d("2025-01-01"), d("2026-01-01")));
    EXPECT_FALSE(ScheduleRecords::exceedsOneYear(d("2024-02-29"), d("2025-02-28")));
    EXPECT_TRUE(ScheduleRecords::exceedsOneYear(d("2025-01-31"), d("2026-02-01")));
    // A last day before the first is not refused here: its month count is nought or less.
    EXPECT_FALSE(ScheduleRecords::exceedsOneYear(d("2025-03-31"), d("2025-03-01")));
    EXPECT_FALSE(ScheduleRecords::exceedsOneYear(d("2026-03-01"), d("2024-01-01")));

    answerDates("01 Jan 2025", "31 Jan 2026");
    form->AddButton_Click();
    const qint64 made = count("SELECT ScheduleNumber FROM Schedules WHERE FromDate = '2025-01-01'");
    ASSERT_GT(made, 0);
    // The window opens the schedule the insert made.
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("Modify~%1").arg(made));
    EXPECT_EQ(form->grid()->rows(), 2);

    // Overlapping the new schedule: refused by the dialog, nothing added.
    answerDates("01 Dec 2025", "15 Jan 2026");
    form->AddButton_Click();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Schedules"), 1);

    msgs_->answer(MsgAnswer::No);
    const int opened = int(modal_->opened().size());
    answerDates("01 Feb 2026", "07 Feb 2026");
    form->AddButton_Click();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Schedules"), 2);
    EXPECT_EQ(modal_->opened().size(), opened + 1);   // the date dialog only
}

TEST_F(SchedulesListTest, DeletesSeveralTogetherUnlessOneIsPublishedAndKeptOrOpenElsewhere)
{
    addAssociate("BOB", "Bob Builder", "pw", 1);
    const qint64 a = addSchedule("2025-03-01", "2025-03-31", "Closed");
    const qint64 b = addSchedule("2025-02-01", "2025-02-28", "Published");
    const qint64 c = addSchedule("2025-01-01", "2025-01-31", "Open");
    const qint64 kept = addSchedule("2024-12-01", "2024-12-31", "Closed");
    const qint64 job = addJob({.start = "2025-01-06"});
    for (qint64 s : {a, b, c, kept}) {
        storeJob(s, job, "2025-01-06", 0);
        addNote(s, job, "2025-01-06", "2025-01-06 09:00:00", "Action", "n");
    }
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (?, 'BOB'), (?, 'ADM')", {c, b});
    auto form = open();
    FlexGrid *g = form->grid();

    // The portal question answered No: none of the three goes.
    selectRows(g, 1, 3);
    msgs_->answer(MsgAnswer::Yes);
    msgs_->answer(MsgAnswer::No);
    form->DeleteButton_Click();
    EXPECT_EQ(msgs_->last(), "A selected Schedule has been published on the internet portal. Deleting it in WVS (which cannot "
                             "be undone) will not remove it from the portal, but it will be overwritten when the next "
                             "Schedule is published. Do you wish to continue?");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Schedules"), 4);

    // Bob has one of them open: refused, none goes.
    selectRows(g, 1, 3);
    form->DeleteButton_Click();
    EXPECT_EQ(msgs_->last(), "Bob Builder currently has this Schedule open and therefore it cannot be deleted");
    EXPECT_EQ(count("SELECT COUNT(*) FROM ScheduleJobs"), 4);

    // Free again (the user's own lock never stands in his way): all three go with their rows and notes.
    writeSql("DELETE FROM LockedSchedules WHERE AssociateID = 'BOB'");
    selectRows(g, 1, 3);
    form->DeleteButton_Click();
    EXPECT_EQ(msgs_->last(), "Schedule(s) deleted");
    for (const char *table : {"Schedules", "ScheduleJobs", "ScheduleJobNotes"})
        EXPECT_EQ(rowsOf(QStringLiteral("SELECT ScheduleNumber FROM %1").arg(table)), QString::number(kept)) << table;
    EXPECT_EQ(g->rows(), 2);
}
