#include "platform/ErrorHandlingModule.h"
#include "platform/FlexGrid.h"
#include "platform/MultiLineText.h"
#include "scheduling/CommentForm.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleGrid.h"
#include "scheduling/ScheduleJobNote.h"
#include "scheduling/ScheduleJobNoteForm.h"
#include "scheduling/ScheduleLocks.h"
#include "scheduling/ScheduleNotesForm.h"
#include "scheduling/ScheduledJobUpdates.h"
#include "scheduling/SchedulesManagementForm.h"
#include "ScheduleTestData.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>
#include <memory>

using namespace wvs;
using namespace wvs::schedtest;

namespace {

// A window opened (or what it shows read) at this workstation, a row removed
// or changed at another one, then the save: refused with its message, and
// nothing of the schedules, their visits and notes, the customer jobs, the
// associates or the locks written.
class ScheduleGoneElsewhereTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
    }

    // Every row starts from the same schedules: an Open one in March holding
    // Bob's weekly job and a one-off, and a Closed one in April with the
    // weekly job's two Mondays stored, not done, and an Action note on the first.
    void freshSchedules()
    {
        for (const char *table : {"Schedules", "ScheduleJobs", "ScheduleJobNotes", "CustomerJobs", "LockedSchedules",
                                  "ScheduleStaging"})
            writeSql(QStringLiteral("DELETE FROM ") + QString::fromLatin1(table));
        if (count("SELECT COUNT(*) FROM Associates WHERE AssociateID = 'BOB'") == 0)
            addAssociate("BOB", "Bob Builder", "pw", 1);
        open = addSchedule("2025-03-03", "2025-03-16");
        closed = addSchedule("2025-04-07", "2025-04-20", "Closed");
        weekly = addJob({.associate = "BOB", .start = "2025-03-03"});
        oneOff = addJob({.associate = "BOB", .start = "2025-03-05", .end = "2025-03-05", .frequency = 1});
        storeJob(closed, weekly, "2025-04-07", 0, "", "BOB"), storeJob(closed, weekly, "2025-04-14", 1, "", "BOB");
        addNote(closed, weekly, "2025-04-07", noteTime, "Action", "Gate locked");
    }

    QString database()
    {
        QStringList tables;
        for (const char *sql : {"SELECT * FROM Schedules ORDER BY 1", "SELECT * FROM ScheduleJobs ORDER BY 1, 2, 3",
                                "SELECT * FROM ScheduleJobNotes ORDER BY 1, 2, 3, 4", "SELECT * FROM CustomerJobs ORDER BY 1",
                                "SELECT AssociateID FROM Associates ORDER BY 1",
                                "SELECT * FROM LockedSchedules ORDER BY 1, 2"})
            tables << rowsOf(QString::fromLatin1(sql));
        return tables.join('\n');
    }

    // The last message shown.
    QString lastShown() const { return msgs_->last(); }
    template <class F>
    static QString thrown(F &&save)
    {
        const auto e = trapError(std::forward<F>(save));
        return e ? e->description : QString();
    }

    const QString noteTime = QStringLiteral("2025-04-08 09:00:00");
    qint64 open = 0, closed = 0, weekly = 0, oneOff = 0;
};

const QString jobGone = "The Customer Job no longer exists - it may have been changed or deleted by another user";
const QString scheduleGone = "The Schedule no longer exists - it may have been changed or deleted by another user";
const QString associateGone = "The Associate no longer exists - it may have been changed or deleted by another user";

} // namespace

TEST_F(ScheduleGoneElsewhereTest, ASaveNamingARowRemovedOrChangedElsewhereWritesNothingAndSaysSo)
{
    using Save = std::function<QString()>;
    using Opening = std::function<Save()>;
    // Bob deleted at the other workstation, his jobs first handed to ADM.
    const QStringList bobDeleted = {"UPDATE CustomerJobs SET AssociateID = 'ADM' WHERE AssociateID = 'BOB'",
                                    "DELETE FROM Associates WHERE AssociateID = 'BOB'"};
    const QStringList closedDeleted = {"DELETE FROM Schedules WHERE Status = 'Closed'",
                                       "DELETE FROM ScheduleJobs", "DELETE FROM ScheduleJobNotes"};

    // The Open schedule's window, closed with Yes to the question.
    const Opening closing = [this]() -> Save {
        std::shared_ptr<ScheduleForm> w = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(open));
        return [w, this] {
            msgs_->answer(MsgAnswer::Yes);
            click(w.get(), "CloseButton");
            return lastShown();
        };
    };
    // The Closed schedule's window, its first row (7 April) clicked in the done column;
    // the row then shows the visit as stored.
    const Opening doneClick = [this]() -> Save {
        std::shared_ptr<ScheduleForm> w = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
        return [w, this] {
            w->ScheduleGrid_Click(1, ScheduleGrid::ColDone);
            EXPECT_EQ(w->grid()->cellPictureKey(1, ScheduleGrid::ColDone),
                      count("SELECT COUNT(*) FROM ScheduleJobs WHERE ActualServiceDate <> ''") ? "CheckImage"
                                                                                                : "NoCheckImage");
            return lastShown();
        };
    };
    // The note on 7 April, saved done by Bob on its planned day.
    const Opening jobNote = [this]() -> Save {
        std::shared_ptr<ScheduleJobNoteForm> w =
            shown<ScheduleJobNoteForm>(QStringLiteral("%1~2025-04-07~%2").arg(closed).arg(weekly));
        tick(w.get(), "JobDoneCheck", true);
        child<QPlainTextEdit>(w.get(), "NoteText")->setPlainText("Done");
        return [w, this] {
            w->OKButton_Click();
            return lastShown();
        };
    };
    // The schedule's notes listed, the Action note's box ticked.
    const Opening actionTaken = [this]() -> Save {
        std::shared_ptr<ScheduleNotesForm> w = shown<ScheduleNotesForm>(QStringLiteral("Schedule~%1").arg(closed));
        click(w.get(), "GoButton");
        return [w, this] {
            click(w.get(), "ActionCheck");
            return lastShown();
        };
    };
    const Opening comment = [this]() -> Save {
        std::shared_ptr<CommentForm> w = shown<CommentForm>(
            QStringLiteral("%1~2025-04-07~%2~%3").arg(closed).arg(weekly).arg(noteTime));
        child<QPlainTextEdit>(w.get(), "CommentText")->setPlainText("Called back");
        // The window stays open with the comment typed.
        return [w, this] {
            click(w.get(), "OKButton");
            const bool kept = w->isVisible() && child<MultiLineText>(w.get(), "CommentText")->text() == "Called back";
            return lastShown() + (kept ? "" : " (the comment lost)");
        };
    };
    // The schedules list, the Closed schedule (the newest, row 1) chosen and a
    // command clicked, the user answering Yes to its question.
    auto listCommand = [this](void (SchedulesManagementForm::*command)()) -> Opening {
        return [this, command]() -> Save {
            std::shared_ptr<SchedulesManagementForm> w = shown<SchedulesManagementForm>();
            return [w, this, command] {
                w->grid()->selectRow(1);
                msgs_->answer(MsgAnswer::Yes);
                (w.get()->*command)();
                return lastShown();
            };
        };
    };
    const Opening reopen = listCommand(&SchedulesManagementForm::ModifyButton_Click);
    const Opening listDelete = listCommand(&SchedulesManagementForm::DeleteButton_Click);
    // The Closed schedule's window, the second row moved up and the order saved.
    const Opening order = [this]() -> Save {
        std::shared_ptr<ScheduleForm> w = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
        return [w, this] {
            w->grid()->selectRow(2);
            w->UpButton_Click();
            click(w.get(), "CloseButton");
            return lastShown();
        };
    };
    // The schedule window has read its schedule and now records its lock.
    const Opening lock = [this]() -> Save {
        return [this] { return thrown([&] { ScheduleLocks::lock(open, "ADM"); }); };
    };
    // Asked about deleting the one-off from the schedule window, the user answers Yes.
    const Opening jobDelete = [this]() -> Save {
        return [this] { return thrown([&] { ScheduledJobUpdates::deleteJob(oneOff); }); };
    };
    const Opening scheduleDelete = [this]() -> Save {
        return [this] { return thrown([&] { ScheduleRecords::remove({open}, "ADM"); }); };
    };
    const Opening scheduleAdd = []() -> Save {
        return [] { return thrown([] { ScheduleRecords::create(d("2025-05-01"), d("2025-05-31")); }); };
    };

    const struct {
        const char *what;
        Opening opening;
        QStringList elsewhere;
        QString message;
    } rows[] = {
        {"close, a job of the grid deleted", closing, {"DELETE FROM CustomerJobs WHERE StartDate = '2025-03-05'"}, jobGone},
        {"close, the associate of the grid's visits deleted", closing, bobDeleted, associateGone},
        {"close, the schedule deleted", closing, {"DELETE FROM Schedules WHERE Status = 'Open'"},
         "The Schedule no longer exists and therefore cannot be closed"},
        {"done click, the visit recorded done elsewhere", doneClick,
         {"UPDATE ScheduleJobs SET ActualServiceDate = '2025-04-08', AssociateID = 'ADM' "
          "WHERE ScheduleServiceDate = '2025-04-07'"},
         "This Job has already been marked as done by another user - the date and Associate recorded there have "
         "been kept"},
        {"done click, the schedule deleted", doneClick, closedDeleted, scheduleGone},
        {"done click, the grid's associate deleted", doneClick, bobDeleted, associateGone},
        {"job note, the associate who did it deleted", jobNote, bobDeleted, associateGone},
        {"job note, the schedule deleted", jobNote, closedDeleted, scheduleGone},
        {"action taken, the note removed", actionTaken, {"DELETE FROM ScheduleJobNotes"},
         "Cannot find the selected message - this is a database error!"},
        {"action taken, the schedule deleted", actionTaken, closedDeleted, scheduleGone},
        {"comment, the note removed", comment, {"DELETE FROM ScheduleJobNotes"},
         "Cannot find the selected message - this is a database error!"},
        {"comment, the schedule deleted", comment, closedDeleted, scheduleGone},
        {"re-open, the schedule deleted", reopen, closedDeleted, scheduleGone},
        {"order save, the schedule deleted", order, closedDeleted, scheduleGone},
        {"schedule delete, the schedule deleted", listDelete, closedDeleted, scheduleGone},
        {"opening, the schedule deleted", lock, {"DELETE FROM Schedules WHERE Status = 'Open'"}, scheduleGone},
        {"job delete, the job deleted meanwhile", jobDelete, {"DELETE FROM CustomerJobs WHERE StartDate = '2025-03-05'"},
         jobGone},
        {"job delete, the job stored on a schedule closed meanwhile", jobDelete,
         {"INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate) "
          "SELECT ScheduleNumber, (SELECT JobSeqNo FROM CustomerJobs WHERE StartDate = '2025-03-05'), '2025-03-05' "
          "FROM Schedules WHERE Status = 'Open'",
          "UPDATE Schedules SET Status = 'Closed' WHERE Status = 'Open'"},
         "The selected Customer Job is contained on 1 closed Job Schedule(s) and therefore cannot be deleted"},
        {"schedule delete, opened by Bob meanwhile", scheduleDelete,
         {"INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) SELECT ScheduleNumber, 'BOB' FROM Schedules "
          "WHERE Status = 'Open'"},
         "Bob Builder currently has this Schedule open and therefore it cannot be deleted"},
        {"schedule add, an overlapping schedule added meanwhile", scheduleAdd,
         {"INSERT INTO Schedules (FromDate, ToDate, Status) VALUES ('2025-05-20', '2025-06-10', 'Open')"},
         "The dates selected overlap an existing Schedule"},
    };
    QSqlDatabase other = secondConnection();
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        freshSchedules();
        const Save save = r.opening();
        for (const QString &sql : r.elsewhere)
            writeSql(sql, {}, other);
        const QString before = database();
        msgs_->clear();
        EXPECT_EQ(save(), r.message);
        EXPECT_EQ(database(), before);
    }
}
