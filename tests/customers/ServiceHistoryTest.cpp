#include "CustomerTestData.h"
#include "common/Formats.h"
#include "customers/ServiceHistoryForm.h"
#include "platform/FlexGrid.h"
#include "support/DbTest.h"

using namespace wvs;

namespace {

class ServiceHistoryTest : public test::AdminDbTest {
protected:
    void SetUp() override
    {
        AdminDbTest::SetUp();
        addAssociate("JO", "Jo Bloggs", "pw", 1);
        addAssociate("SAM", "Sam Reid", "pw", 1);
        writeSql("INSERT INTO JobTypes (JobTypeCode, JobTypeDescription) VALUES ('WIN', 'Window cleaning'), "
                 "('GUT', 'Gutter clearing')");
        customer_ = test::addCustomer("Smith", "Mary");
        other_ = test::addCustomer("Brown", "Tom");
        windows_ = addJob(customer_, "WIN", "JO", 4550), othersJob_ = addJob(other_, "WIN", "JO", 1000);
        gutters_ = addJob(customer_, "GUT", "GONE", 12000); // assigned to an associate since deleted
    }

    qint64 addJob(qint64 customer, const QString &type, const QString &associate, int cents)
    {
        writeSql("INSERT INTO CustomerJobs (CustomerNumber, JobTypeCode, AssociateID, Cost) VALUES (?, ?, ?, ?)",
                 {customer, type, associate, cents});
        return lastInsertId();
    }
    void occurrence(int schedule, qint64 job, const QDate &planned, const QDate &done = {}, const QString &by = {})
    {
        storeJob(schedule, job, Formats::toStoredDate(planned), 0, Formats::toStoredDate(done), by);
    }
    static QString shown(const QDate &d) { return d.toString("ddd dd MMM yyyy"); }

    qint64 customer_ = 0, other_ = 0, windows_ = 0, gutters_ = 0, othersJob_ = 0;
    const QDate today_ = QDate::currentDate();
};

TEST_F(ServiceHistoryTest, ListsTheCustomersOccurrencesBeforeTodayNewestFirstAndOpensTheNotesOfOne)
{
    occurrence(3, windows_, today_);                                   // today: not yet history
    occurrence(3, windows_, today_.addDays(7));                        // future
    occurrence(2, windows_, today_.addDays(-1), today_.addDays(-1), "JO");
    occurrence(1, gutters_, QDate(2024, 3, 5), QDate(2024, 3, 6), "SAM");
    occurrence(2, gutters_, today_.addDays(-20));                      // never done
    occurrence(1, windows_, QDate(2024, 2, 20), QDate(2024, 2, 21), "LEFT");   // done by someone since deleted
    occurrence(2, othersJob_, today_.addDays(-2), today_.addDays(-2), "JO");
    // Job notes: one of the same job and day on another schedule, one of another day, one of another job
    // on the same schedule and day, and the one.
    const QString yesterday = today_.addDays(-1).toString("yyyy-MM-dd"), neverDone = today_.addDays(-20).toString("yyyy-MM-dd");
    writeSql("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, NoteDetail) "
             "VALUES (5, ?, ?, 'elsewhere'), (2, ?, ?, 'other day'), (2, ?, ?, 'other job'), (2, ?, ?, 'the one')",
             {windows_, yesterday, windows_, today_.toString("yyyy-MM-dd"), othersJob_, yesterday, gutters_, neverDone});

    auto f = DbTest::shown<ServiceHistoryForm>(QString::number(customer_));
    FlexGrid *g = f->grid();
    ASSERT_EQ(g->rows(), 5);
    EXPECT_EQ(g->rowTexts(1), QStringList({"", shown(today_.addDays(-1)), shown(today_.addDays(-1)),
                                           "Window cleaning", "$45.50", "Jo Bloggs", "Jo Bloggs", "",
                                           QString::number(windows_), "2"}));
    EXPECT_EQ(g->rowTexts(2), QStringList({"", shown(today_.addDays(-20)), "", "Gutter clearing", "$120.00", "", "",
                                           "", QString::number(gutters_), "2"}));
    EXPECT_EQ(g->textMatrix(3, ServiceHistoryForm::ColDoneBy), "Sam Reid");
    EXPECT_EQ(g->textMatrix(4, ServiceHistoryForm::ColDoneBy), "");

    EXPECT_EQ(f->windowTitle(), "Service History - Mary Smith 1 Main Rd Remuera");
    EXPECT_EQ(g->rowTexts(0).mid(1, 6),
              QStringList({"Service Date", "Date Done", "Job Type", "Cost", "Assigned To", "Done By"}));
    // Bands of white and light grey from the first row; an occurrence not done is silver and bold.
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 9; ++c) {
            EXPECT_EQ(g->cellBackColor(r, c), r % 2 ? QColor(255, 255, 255) : QColor(224, 224, 224)) << r << c;
            EXPECT_EQ(g->cellForeColor(r, c), r == 2 ? QColor(192, 192, 192) : QColor(0, 0, 0)) << r << c;
            EXPECT_EQ(g->cellBold(r, c), r == 2) << r << c;
        }

    click(f.get(), "NotesButton");
    g->selectRow(1);
    click(f.get(), "NotesButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select the Job first", "No Notes found"}));
    g->selectRow(2);
    f->JobsGrid_DblClick();
    EXPECT_EQ(msgs_->texts().size(), 2);
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened()[0].name + " " + modal_->opened()[0].tag,
              "ScheduleNotesForm History~" + QString::number(gutters_) + "~" + neverDone);
}

} // namespace
