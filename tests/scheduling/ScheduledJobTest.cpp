#include "platform/WvsError.h"
#include "scheduling/ScheduleJobNote.h"
#include "scheduling/ScheduleJobNoteForm.h"
#include "scheduling/ScheduledJobUpdates.h"
#include "ScheduleTestData.h"
#include "support/ShownTexts.h"

#include <QPlainTextEdit>
#include <QRadioButton>

using namespace wvs;
using namespace wvs::schedtest;
using wvs::test::expectShown;

namespace {

// A closed schedule with one weekly job stored on its two Mondays.
class ScheduledJobTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        job = addJob({.customer = addCustomer({.surname = "Jones", .forename = "Mary"}), .associate = "BOB", .start = "2025-03-03"});
        schedule = addSchedule("2025-03-03", "2025-03-16", "Closed");
        storeJob(schedule, job, "2025-03-03", 0, "", "BOB"), storeJob(schedule, job, "2025-03-10", 1, "2025-03-11", "ADM");
        populate(schedule);
    }
    int stagedDone(const QString &date) { return count("SELECT Done FROM ScheduleStaging WHERE JobSeqNo = ? AND ServiceDate = ?", {job, date}); }
    ScheduledJobUpdates::StagedRowKey staged(const QString &date)
    {
        return {"ADM", count("SELECT RecordNumber FROM ScheduleStaging WHERE JobSeqNo = ? AND ServiceDate = ?", {job, date})};
    }
    JobNoteOutcome save(const QString &date, const JobNoteEntry &e, QStringList *asked = nullptr, bool answer = true,
                        const JobNoteState *shown = nullptr)
    {
        return ScheduleJobNote::save(schedule, d(date.toLatin1().constData()), job, e, "Administrator",
                                     [&](const QString &q) { if (asked) *asked << q; return answer; }, shown,
                                     QDateTime(d("2025-03-12"), QTime(9, 30)));
    }
    int notes() { return count("SELECT COUNT(*) FROM ScheduleJobNotes"); }
    qint64 job = 0, schedule = 0;
};

} // namespace

TEST_F(ScheduledJobTest, DoneClickRecordsThePlannedDateAndUndoingRestoresTheJobsAssociate)
{
    // Occurrences alike but for the schedule, or for the job: a click never changes them.
    const qint64 other = addSchedule("2025-04-01", "2025-04-30", "Closed");
    const qint64 neighbour = addJob({.associate = "BOB", .start = "2025-03-03"});
    for (const auto &[s, j] : {std::pair{other, job}, std::pair{schedule, neighbour}}) {
        storeJob(s, j, "2025-03-03", 7, "", "BOB");
        storeJob(s, j, "2025-03-10", 8, "2025-03-11", "ADM");
    }
    auto untouched = [&] {
        for (const auto &[s, j] : {std::pair{other, job}, std::pair{schedule, neighbour}})
            EXPECT_EQ(stored(s, j, "2025-03-03", doneBy) + " " + stored(s, j, "2025-03-10", doneBy), "/BOB 2025-03-11/ADM")
                << s << " " << j;
    };
    ASSERT_TRUE(ScheduledJobUpdates::markDone(schedule, job, d("2025-03-03"), "BOB", staged("2025-03-03")));
    EXPECT_EQ(stored(schedule, job, "2025-03-03", doneBy), "2025-03-03/BOB");
    untouched();
    EXPECT_EQ(stagedDone("2025-03-03"), 0);

    // Done by ADM on the 11th; marked not done it goes back to the job's associate.
    ASSERT_TRUE(ScheduledJobUpdates::markNotDone(schedule, job, d("2025-03-10"), staged("2025-03-10")));
    EXPECT_EQ(stored(schedule, job, "2025-03-10", doneBy), "/BOB");
    EXPECT_EQ(stagedDone("2025-03-10"), 1);
    EXPECT_EQ(stored(schedule, job, "2025-03-03", "ActualServiceDate"), "2025-03-03");   // the other one keeps its mark
    untouched();

    // An occurrence that is not stored changes nothing, the staging row included.
    writeSql("DELETE FROM ScheduleJobs WHERE ScheduleServiceDate = '2025-03-03'");
    EXPECT_FALSE(ScheduledJobUpdates::markNotDone(schedule, job, d("2025-03-03"), staged("2025-03-03")));
    EXPECT_EQ(stagedDone("2025-03-03"), 0);
}

TEST_F(ScheduledJobTest, LeavingRaisesLastServiceDatesButNeverMovesThemBack)
{
    const qint64 later = addJob({}), none = addJob({}), notDone = addJob({});
    for (const auto &[j, last] : {std::pair{job, "2025-03-05"}, std::pair{later, "2025-03-20"},
                                  std::pair{notDone, "2025-01-01"}})
        writeSql("UPDATE CustomerJobs SET LastServiceDate = ? WHERE JobSeqNo = ?", {last, j});
    writeSql("UPDATE ScheduleJobs SET ActualServiceDate = '2025-03-03' WHERE ScheduleServiceDate = '2025-03-03'");
    storeJob(schedule, later, "2025-03-03", 2, "2025-03-03"), storeJob(schedule, later, "2025-03-10", 3, "2025-03-10");
    storeJob(schedule, none, "2025-03-10", 4, "2025-03-12"), storeJob(schedule, notDone, "2025-03-10", 5);
    storeJob(addSchedule("2025-04-01", "2025-04-30", "Closed"), notDone, "2025-04-07", 0, "2025-04-07");   // another schedule

    ScheduledJobUpdates::updateLastServiceDates(schedule);
    EXPECT_EQ(QStringList({lastService(job), lastService(later), lastService(none), lastService(notDone)}),
              QStringList({"2025-03-11", "2025-03-20", "2025-03-12", "2025-01-01"}));
}

TEST_F(ScheduledJobTest, DeletingAJobFromTheScheduleIsRefusedWhileStoredAndTakesItsNotes)
{
    EXPECT_EQ(ScheduledJobUpdates::deleteJobRefusal(job),
              "The selected Customer Job is contained on 2 closed Job Schedule(s) and therefore cannot be deleted");
    EXPECT_THROW(ScheduledJobUpdates::deleteJob(job), WvsError);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CustomerJobs WHERE JobSeqNo = ?", {job}), 1);

    const qint64 fresh = addJob({.start = "2025-03-03"});
    for (qint64 s : {schedule, qint64(99)})
        addNote(s, fresh, "2025-03-03", "", "Action", "x");
    ScheduledJobUpdates::deleteJob(fresh);
    EXPECT_EQ(count("SELECT (SELECT COUNT(*) FROM CustomerJobs WHERE JobSeqNo = ?) + "
                    "(SELECT COUNT(*) FROM ScheduleJobNotes WHERE JobSeqNo = ?)", {fresh, fresh}), 0);
}

TEST_F(ScheduledJobTest, NoteChecksTheEntryInOrderAndSavesTheDoneStateAndTheRemarkTogether)
{
    JobNoteEntry e{.done = true, .associateID = "BOB", .note = "Done early", .noteType = "Information"};
    // The date is asked for first, also when no associate is chosen either.
    for (const char *bad : {"", "31/02/2025", "2025-03-04", "4/3/2025", "04/03/2025x"}) {
        for (const QString &associate : {QString("BOB"), QString()}) {
            e.dateText = bad;
            e.associateID = associate;
            const JobNoteOutcome out = save("2025-03-03", e);
            EXPECT_EQ(out.message, bad[0] ? "The date completed must be a valid date entered as DD/MM/YYYY"
                                          : "Please enter the date the job was completed") << bad;
            EXPECT_EQ(out.focus, JobNoteOutcome::Field::Date) << bad;
        }
    }
    EXPECT_EQ(notes(), 0);
    e.dateText = "04/03/2025";
    e.associateID.clear();
    EXPECT_EQ(save("2025-03-03", e).message, "Please select the Associate who completed the job");

    // No remark: the question; No keeps the dialog open and writes nothing.
    e.associateID = "BOB";
    e.note.clear();
    QStringList asked;
    EXPECT_FALSE(save("2025-03-03", e, &asked, false).saved);
    EXPECT_EQ(asked, QStringList({"No Note has been entered - is this correct?"}));
    EXPECT_EQ(stored(schedule, job, "2025-03-03", "ActualServiceDate"), "");

    // An occurrence that is not on the schedule is refused, note and all.
    e.note = "Lost";
    JobNoteOutcome out = save("2025-03-17", e);
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.message, "This Job is no longer on the Schedule, so nothing has been saved");
    EXPECT_EQ(notes(), 0);

    // Accepted: the done state and the remark are saved together. A save changes
    // its own visit only, never another date of the same job, ticked or unticked.
    storeJob(schedule, job, "2025-03-05", 2, "2025-03-05", "BOB");
    auto visits = [&] {
        return rowsOf("SELECT ScheduleServiceDate, ActualServiceDate, AssociateID FROM ScheduleJobs "
                      "WHERE JobSeqNo = ? ORDER BY 1", {job});
    };
    out = save("2025-03-03", {.done = true, .dateText = "04/03/2025", .associateID = "ADM",
                                             .note = "Gate was locked, came back next day", .noteType = "Action"});
    ASSERT_TRUE(out.saved);
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(stored(schedule, job, "2025-03-03", doneBy), "2025-03-04/ADM");
    EXPECT_EQ(visits(), "2025-03-03|2025-03-04|ADM;2025-03-05|2025-03-05|BOB;2025-03-10|2025-03-11|ADM");
    EXPECT_EQ(scalarSql("SELECT ScheduleNumber || '/' || JobSeqNo || '/' || ScheduleServiceDate || '/' || NoteDateTime "
                        "|| '/' || NoteAuthor || '/' || NoteType || '/' || ActionTaken FROM ScheduleJobNotes").toString(),
              QStringLiteral("%1/%2/2025-03-03/2025-03-12 09:30:00/Administrator/Action/0").arg(schedule).arg(job));

    // Saved unticked with no remark (after Yes): only that occurrence is cleared, back with the job's associate.
    out = save("2025-03-10", {});
    ASSERT_TRUE(out.saved);
    EXPECT_EQ(out.result, 2);
    EXPECT_EQ(stored(schedule, job, "2025-03-10", doneBy), "/BOB");
    EXPECT_EQ(stored(schedule, job, "2025-03-03", "ActualServiceDate"), "2025-03-04");
    EXPECT_EQ(notes(), 1);
    EXPECT_EQ(visits(), "2025-03-03|2025-03-04|ADM;2025-03-05|2025-03-05|BOB;2025-03-10||BOB");
    // The visit between the two, ticked and then unticked.
    const std::pair<JobNoteEntry, QString> middle[] = {
        {{.done = true, .dateText = "06/03/2025", .associateID = "ADM"}, "2025-03-05|2025-03-06|ADM"},
        {{}, "2025-03-05||BOB"},
    };
    for (const auto &[entry, visit] : middle) {
        ASSERT_TRUE(save("2025-03-05", entry).saved);
        EXPECT_EQ(visits(), "2025-03-03|2025-03-04|ADM;" + visit + ";2025-03-10||BOB");
    }
}

TEST_F(ScheduledJobTest, TheNoteWindowShowsTheRecordedStateAndFillsTheFieldsWhenTicked)
{
    auto open = [&](const char *date) { return shown<ScheduleJobNoteForm>(QStringLiteral("%1~%2~%3").arg(schedule).arg(date).arg(job)); };
    EXPECT_EQ(ScheduleJobNoteForm().windowTitle(), "Schedule Job Remarks");
    auto done = open("2025-03-10");
    EXPECT_EQ(done->windowTitle(), "Job Note - Mary Jones");
    expectShown(done.get(), {{"JobDoneCheck", "Job completed?"}, {"DateCompletedLabel", "Date completed"},
                             {"Label1", "DD/MM/YYYY"}, {"AssociateLabel", "Completed by"}, {"NoteLabel", "Remarks"},
                             {"ActionOption", "Action required"}, {"InvoicingOption", "Invoicing purposes"},
                             {"InfoOption", "Information only"}, {"OKButton", "&Save"}, {"ExitButton", "&Exit"}});
    auto *dateText = child<QLineEdit>(done.get(), "DateCompletedText");
    auto *associate = child<QComboBox>(done.get(), "AssociateCombo");
    EXPECT_TRUE(ticked(done.get(), "JobDoneCheck"));
    EXPECT_EQ(dateText->text() + " " + associate->currentText(), "11/03/2025 Administrator");
    tick(done.get(), "JobDoneCheck", false);
    EXPECT_TRUE(dateText->text().isEmpty() && associate->currentIndex() == -1);
    // Exit after changes writes nothing.
    done->ExitButton_Click();
    EXPECT_EQ(stored(schedule, job, "2025-03-10", "ActualServiceDate"), "2025-03-11");

    auto notDone = open("2025-03-03");
    dateText = child<QLineEdit>(notDone.get(), "DateCompletedText");
    // Typing into the empty date box marks the job done on its planned date.
    dateText->setText("1");
    EXPECT_TRUE(ticked(notDone.get(), "JobDoneCheck"));
    EXPECT_EQ(dateText->text() + " " + child<QComboBox>(notDone.get(), "AssociateCombo")->currentText(),
              "03/03/2025 Bob Builder");
    // The date box takes at most 10 characters; OK saves what the window shows.
    EXPECT_EQ(test::typingLimit(notDone.get(), "DateCompletedText"), 10);
    dateText->setText("04/03/2025");
    child<QPlainTextEdit>(notDone.get(), "NoteText")->setPlainText("Invoice sent");
    child<QRadioButton>(notDone.get(), "InvoicingOption")->setChecked(true);
    notDone->OKButton_Click();
    EXPECT_EQ(msgs_->last(), "Save completed");
    EXPECT_EQ(stored(schedule, job, "2025-03-03", "ActualServiceDate"), "2025-03-04");
    EXPECT_EQ(scalarSql("SELECT NoteType || '/' || NoteDetail FROM ScheduleJobNotes").toString(), "Invoicing/Invoice sent");

    // Ticked for an occurrence that names no associate: none is chosen.
    storeJob(schedule, job, "2025-03-12", 3, "", "");
    auto nobody = open("2025-03-12");
    tick(nobody.get(), "JobDoneCheck", true);
    EXPECT_EQ(child<QLineEdit>(nobody.get(), "DateCompletedText")->text(), "12/03/2025");
    EXPECT_EQ(child<QComboBox>(nobody.get(), "AssociateCombo")->currentIndex(), -1);
    nobody->ExitButton_Click();

    // The other two kinds of note, "Information only" being chosen as the window opens.
    for (const auto &[option, type] : {std::pair{"", "Information"}, std::pair{"ActionOption", "Action"}}) {
        auto w = open("2025-03-10");
        child<QPlainTextEdit>(w.get(), "NoteText")->setPlainText(type);
        if (*option)
            child<QRadioButton>(w.get(), option)->setChecked(true);
        w->OKButton_Click();
        EXPECT_EQ(scalarSql("SELECT NoteType FROM ScheduleJobNotes WHERE NoteDetail = ?", {type}).toString(), type);
    }
    // The caption names the forename, a blank and the surname, whichever of the two is empty.
    for (const auto &[surname, forename, caption] : {std::tuple{"Jones", "", "Job Note -  Jones"},
                                                     std::tuple{"", "Mary", "Job Note - Mary "}}) {
        const qint64 other = addJob({.customer = addCustomer({.surname = surname, .forename = forename})});
        storeJob(schedule, other, "2025-03-03", 9);
        EXPECT_EQ(shown<ScheduleJobNoteForm>(QStringLiteral("%1~2025-03-03~%2").arg(schedule).arg(other))->windowTitle(),
                  caption);
    }
}

TEST_F(ScheduledJobTest, ANoteSavedWithTheDoneStateLeftAsShownKeepsAMarkRecordedElsewhereMeanwhile)
{
    // The dialog opened, another workstation then changed the visit, and this
    // one saves a remark: the done state is written only when the user changed it.
    const struct {
        const char *date;
        const char *elsewhere;
        JobNoteEntry entry;
        const char *visit;
        int result;   // what the grid is told: 1 done, 2 not done, as stored
    } rows[] = {
        {"2025-03-03", "UPDATE ScheduleJobs SET ActualServiceDate = '2025-03-04', AssociateID = 'ADM' "
                       "WHERE ScheduleServiceDate = '2025-03-03'",
         {.note = "Left unticked", .noteType = "Information"}, "2025-03-04/ADM", 1},
        {"2025-03-10", "UPDATE ScheduleJobs SET ActualServiceDate = '', AssociateID = 'BOB' "
                       "WHERE ScheduleServiceDate = '2025-03-10'",
         {.done = true, .dateText = "11/03/2025", .associateID = "ADM", .note = "Left ticked", .noteType = "Action"},
         "/BOB", 2},
        {"2025-03-03", "UPDATE ScheduleJobs SET ActualServiceDate = '2025-03-04', AssociateID = 'ADM' "
                       "WHERE ScheduleServiceDate = '2025-03-03'",
         {.done = true, .dateText = "05/03/2025", .associateID = "BOB", .note = "Ticked here", .noteType = "Action"},
         "2025-03-05/BOB", 1},
    };
    for (const auto &r : rows) {
        writeSql("UPDATE ScheduleJobs SET ActualServiceDate = '', AssociateID = 'BOB' WHERE ScheduleServiceDate = '2025-03-03'");
        writeSql("UPDATE ScheduleJobs SET ActualServiceDate = '2025-03-11', AssociateID = 'ADM' "
                 "WHERE ScheduleServiceDate = '2025-03-10'");
        const JobNoteState shown = ScheduleJobNote::load(schedule, d(r.date), job);
        writeSql(r.elsewhere, {}, secondConnection());
        const int before = notes();
        const JobNoteOutcome out = save(r.date, r.entry, nullptr, true, &shown);
        ASSERT_TRUE(out.saved) << r.entry.note.toStdString();
        EXPECT_EQ(out.result, r.result) << r.entry.note.toStdString();
        EXPECT_EQ(stored(schedule, job, r.date, doneBy), r.visit) << r.entry.note.toStdString();
        EXPECT_EQ(notes(), before + 1) << r.entry.note.toStdString();
    }
}
