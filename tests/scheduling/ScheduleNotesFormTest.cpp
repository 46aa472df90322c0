#include "scheduling/ScheduleNotesForm.h"
#include "common/Formats.h"
#include "core/Session.h"
#include "ScheduleTestData.h"
#include "support/ShownTexts.h"

#include <QCheckBox>
#include <QDateTime>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace wvs;
using namespace wvs::schedtest;
using wvs::test::entries;
using wvs::test::expectShown;

namespace {

class ScheduleNotesFormTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        session().currentAssociateName = "Administrator";
        addAssociate("BOB", "Bob Brown", "pw", 1);
        schedule_ = addSchedule("2025-01-01", "2025-12-31", "Closed");
        jobA_ = addJob({.customer = addCustomer({.surname = "Able"})});
        jobB_ = addJob({.customer = addCustomer({.surname = "Baker"}), .associate = "BOB"});
        storeJob(schedule_, jobA_, "2025-03-03", 1);
        storeJob(schedule_, jobB_, "2025-03-03", 2);
        // Two notes on one occurrence, and one on another customer's.
        addNote(schedule_, jobA_, "2025-03-03", "2025-03-04 09:00:00", "Action", "older");
        addNote(schedule_, jobA_, "2025-03-03", "2025-03-05 09:00:00", "Action", "newer");
        addNote(schedule_, jobB_, "2025-03-03", "2025-03-06 09:00:00", "Information", "baker");
    }
    QString note(const QString &time, const char *column = "NoteDetail")
    {
        return scalarSql(QStringLiteral("SELECT %1 FROM ScheduleJobNotes WHERE NoteDateTime = ?").arg(column), {time}).toString();
    }
    static QStringList listed(QWidget *f)
    {
        QStringList out;
        auto *list = child<QListWidget>(f, "CustomerList");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    qint64 schedule_ = 0, jobA_ = 0, jobB_ = 0;
};

TEST_F(ScheduleNotesFormTest, FiltersListNotesNewestFirstAndAFilterChangeEmptiesTheList)
{
    auto f = shown<ScheduleNotesForm>("Schedule~" + QString::number(schedule_));
    EXPECT_TRUE(listed(f.get()).isEmpty());
    click(f.get(), "GoButton");
    click(f.get(), "GoButton");
    EXPECT_EQ(listed(f.get()), QStringList({"Baker, Anna 06/03/2025", "Able, Anna 05/03/2025", "Able, Anna 04/03/2025"}));
    EXPECT_TRUE(child<QPlainTextEdit>(f.get(), "DetailsText")->toPlainText().endsWith("baker"));

    choose(f.get(), "AssociateCombo", "Bob Brown");
    EXPECT_TRUE(listed(f.get()).isEmpty());
    EXPECT_FALSE(enabled(f.get(), "CommentButton"));
    click(f.get(), "GoButton");
    EXPECT_EQ(listed(f.get()), QStringList({"Baker, Anna 06/03/2025"}));

    choose(f.get(), "AssociateCombo", "<All>");
    choose(f.get(), "NoteTypeCombo", "Action");
    choose(f.get(), "CustomerCombo", "Able, Anna");
    click(f.get(), "GoButton");
    EXPECT_EQ(listed(f.get()).size(), 2);

    // Print asks for the period and the printer; Preview shows the schedule's notes of that period.
    answerDates("01 Mar 2025", "31 Mar 2025");
    modal_->once("PrinterSelectForm", [](QDialog *d) { click(d, "PreviewButton"); });
    click(f.get(), "PrintButton");
    EXPECT_EQ(modal_->opened().last().name, "PreviewScheduleNotesForm");
    EXPECT_EQ(modal_->opened().last().tag, QString::number(schedule_) + "~01/03/2025~31/03/2025");

    // A customer of one name: the filter names him by it alone, the list keeps the comma.
    const qint64 hart = addJob({.customer = addCustomer({.surname = "Hart", .forename = ""})});
    const qint64 cher = addJob({.customer = addCustomer({.surname = "", .forename = "Cher"})});
    storeJob(schedule_, hart, "2025-03-03", 3), storeJob(schedule_, cher, "2025-03-03", 4);
    addNote(schedule_, hart, "2025-03-03", "2025-03-08 09:00:00", "Action", "hart");
    addNote(schedule_, cher, "2025-03-03", "2025-03-09 09:00:00", "Action", "cher");
    auto again = shown<ScheduleNotesForm>("Schedule~" + QString::number(schedule_));
    EXPECT_EQ(entries(again.get(), "CustomerCombo"), QStringList({"<All>", "Cher", "Able, Anna", "Baker, Anna", "Hart"}));
    click(again.get(), "GoButton");
    EXPECT_EQ(listed(again.get()).mid(0, 2), QStringList({", Cher 09/03/2025", "Hart,  08/03/2025"}));
}

TEST_F(ScheduleNotesFormTest, TickAndCommentGoToTheSelectedNoteOnlyAndTheOccurrencesBrowserShowsItsTexts)
{
    auto f = shown<ScheduleNotesForm>("History~" + QString::number(jobA_) + "~2025-03-03");
    // One note type on the occurrence: listed at once.
    EXPECT_EQ(listed(f.get()).size(), 2);
    auto *list = child<QListWidget>(f.get(), "CustomerList");
    list->setCurrentRow(1);   // the older note
    EXPECT_EQ(note("2025-03-04 09:00:00", "ActionTaken"), "0");   // showing writes nothing
    click(f.get(), "ActionCheck");
    EXPECT_EQ(note("2025-03-04 09:00:00", "ActionTaken") + note("2025-03-05 09:00:00", "ActionTaken"), "10");
    // Notes alike but for the schedule, or for the job, are not ticked with it.
    addNote(addSchedule("2026-01-01", "2026-12-31", "Closed"), jobA_, "2025-03-03", "2025-03-04 09:00:00", "Action", "elsewhere");
    addNote(schedule_, jobB_, "2025-03-03", "2025-03-04 09:00:00", "Action", "other job");
    click(f.get(), "ActionCheck");
    click(f.get(), "ActionCheck");
    EXPECT_EQ(rowsOf("SELECT NoteDetail, ActionTaken FROM ScheduleJobNotes WHERE NoteDateTime = '2025-03-04 09:00:00' "
                     "ORDER BY NoteDetail"), "elsewhere|0;older|1;other job|0");
    writeSql("DELETE FROM ScheduleJobNotes WHERE NoteDetail IN ('elsewhere', 'other job')");

    list->setCurrentRow(1);
    modal_->once("CommentForm", [&](QDialog *d) {
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        child<QPlainTextEdit>(d, "CommentText")->setPlainText("called back");
        click(d, "OKButton");
    });
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
    click(f.get(), "CommentButton");
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_EQ(msgs_->texts(), QStringList({"No comment added!", "Comment saved"}));
    EXPECT_EQ(note("2025-03-05 09:00:00"), "newer");
    // The block names the moment of the comment in the general date form: a second while the comment was added.
    QStringList blocks;
    for (QDateTime at = before; at <= after.addMSecs(1000); at = at.addSecs(1))
        blocks << "older\r\n-COMMENT-\r\n" + Formats::toShortDate(at.date()) + " " + at.time().toString("HH:mm:ss")
                      + " by Administrator - called back";
    const QString older = note("2025-03-04 09:00:00");
    EXPECT_TRUE(blocks.contains(older)) << older.toStdString();

    // An occurrence with two note types: none chosen.
    addNote(schedule_, jobA_, "2025-03-03", "2025-03-07 09:00:00", "Information", "dog");
    auto notes = shown<ScheduleNotesForm>("History~" + QString::number(jobA_) + "~2025-03-03");
    EXPECT_EQ(notes->windowTitle(), "Schedule Notes From 01/01/2025 to 31/12/2025");
    expectShown(notes.get(), {{"FilterLabel", "Filter:"}, {"CustomerNameLabel", "Customer Name"},
                              {"AssociateLabel", "Assigned Associate"}, {"NoteTypeLabel", "Note Type"},
                              {"GoButton", "&Go"}, {"CustomerLabel", "Customer / Date"}, {"DetailsLabel", "Details"},
                              {"ActionCheck", "Action taken"}, {"CommentButton", "Add &Comment"},
                              {"PrintButton", "&Print"}, {"ExitButton", "Exit"}});
    EXPECT_EQ(entries(notes.get(), "NoteTypeCombo"),
              QStringList({"<All>", "Action", "Invoicing", "Information"}));
    msgs_->clear();
    click(notes.get(), "GoButton");
    choose(notes.get(), "NoteTypeCombo", "<All>");
    click(notes.get(), "GoButton");
    child<QListWidget>(notes.get(), "CustomerList")->setCurrentRow(0);
    writeSql("DELETE FROM ScheduleJobNotes");   // gone meanwhile
    modal_->once("CommentForm", [](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Add Comment");
        expectShown(d, {{"OKButton", "&Save"}, {"ExitButton", "&Exit"}});
        child<QPlainTextEdit>(d, "CommentText")->setPlainText("called");
        click(d, "OKButton");
    });
    click(notes.get(), "CommentButton");   // and the list is sought afresh
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select a Note Type",
                                           "Cannot find the selected message - this is a database error!",
                                           "No Notes found"}));
}

// "Action taken" stands beside a note that asks for something to be done (Action, Invoicing), showing whether it
// was; a note that only informs has none. Moving along the list shows and hides it note by note.
TEST_F(ScheduleNotesFormTest, ActionTakenShowsBesideActionAndInvoicingNotesOnly)
{
    writeSql("DELETE FROM ScheduleJobNotes");
    const struct { const char *type; bool taken, shown; } notes[] = {   // listed newest first
        {"Action", true, true}, {"Information", false, false}, {"Invoicing", false, true}, {"Action", false, true},
        {"Invoicing", true, true}, {"Information", true, false}};
    for (int i = 0; const auto &n : notes) {
        const QString time = QStringLiteral("2025-03-%1 09:00:00").arg(20 - i++);
        addNote(schedule_, jobA_, "2025-03-03", time, n.type, n.type);
        writeSql("UPDATE ScheduleJobNotes SET ActionTaken = ? WHERE NoteDateTime = ?", {n.taken ? 1 : 0, time});
    }
    auto f = shown<ScheduleNotesForm>("Schedule~" + QString::number(schedule_));
    click(f.get(), "GoButton");
    ASSERT_EQ(listed(f.get()).size(), 6);
    auto *list = child<QListWidget>(f.get(), "CustomerList");
    auto *box = child<QCheckBox>(f.get(), "ActionCheck");
    for (int row = 0; const auto &n : notes) {
        list->setCurrentRow(row++);   // the first is selected by Go
        EXPECT_EQ(box->isVisibleTo(f.get()), n.shown) << row << " " << n.type;
        if (n.shown)
            EXPECT_EQ(box->isChecked(), n.taken) << row << " " << n.type;
    }
}


} // namespace
