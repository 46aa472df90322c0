#include "output/NotesPrintout.h"
#include "output/PreviewCustomerNotesForm.h"
#include "output/PreviewScheduleNotesForm.h"
#include "customers/NotesForm.h"
#include "PrintTestData.h"

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class NotesPrintTest : public printtest::PrintDbTest {
protected:
    void SetUp() override
    {
        PrintDbTest::SetUp();
        addNotedCustomer(schedule_);
    }
};

TEST_F(NotesPrintTest, ScheduleNotesOfThePeriodPrintNewestFirstWithTheirBlocks)
{
    addNote(schedule_, job_, "2025-03-03", "2025-03-01 00:00:00", "Action", "first day");
    addNote(schedule_, job_, "2025-03-03", "2025-03-31 23:59:00", "Information", "last day");
    addNote(schedule_, job_, "2025-03-03", "2025-04-01 08:00:00", "Information", "outside");

    const QString pdf = nextPdf();
    PrintScheduleNotes(schedule_, d("2025-03-01"), d("2025-03-31"));
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QString p = pages.first();
    for (const char *text : {"Schedule Job Notes", "From: 01/03/2025", "To: 31/03/2025", "31/03/2025 23:59:00 Administrator",
                             "01/03/2025 Administrator", "Customer: Hart", "Service address: 1 Main Road Ponsonby",
                             "Note type: Action", "Page 1"})
        EXPECT_TRUE(p.contains(QLatin1String(text))) << text << "\n" << p.toStdString();
    EXPECT_LT(p.indexOf("last day"), p.indexOf("first day"));
    EXPECT_FALSE(p.contains("outside"));
    EXPECT_EQ(msgs_->texts(), QStringList({"Schedule Notes sent to printer"}));

    PrintScheduleNotes(schedule_, d("2025-05-01"), d("2025-05-31"));
    EXPECT_EQ(msgs_->texts().last(), "Nothing to print");
}

TEST_F(NotesPrintTest, TheCustomerNotesWindowPrintsIntoTheChosenPdfFileOrPreviews)
{
    addCustomerNote("2025-03-02 10:00:00", "Dog in the yard");
    auto form = shown<NotesForm>("Customer~" + QString::number(customer_));
    NotesForm &notes = *form;
    answerDates("01 Mar 2025", "31 Mar 2025");
    modal_->once("PrinterSelectForm", [](QDialog *d) { click(d, "OKButton"); });
    const QString pdf = nextPdf();
    click(&notes, "PrintButton");
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains("Dog in the yard"));
    EXPECT_EQ(msgs_->texts().last(), "Customer Notes sent to printer");

    answerDates("01 Mar 2025", "31 Mar 2025");
    modal_->once("PrinterSelectForm", [](QDialog *d) { click(d, "PreviewButton"); });
    click(&notes, "PrintButton");
    EXPECT_EQ(modal_->opened().last().name, "PreviewCustomerNotesForm");
    EXPECT_EQ(modal_->opened().last().tag, QString::number(customer_) + "~01/03/2025~31/03/2025");
}

TEST_F(NotesPrintTest, APreviewWithNothingToShowSaysSoAndStaysEmpty)
{
    auto preview = shown<PreviewScheduleNotesForm>(QString::number(schedule_) + "~01/03/2025~31/03/2025");
    EXPECT_EQ(msgs_->texts(), QStringList({"Nothing to print"}));
    EXPECT_FALSE(enabled(preview.get(), "NextImage"));
    preview->NextImage_Click();
    EXPECT_EQ(preview->PageNumber, 0);
}

} // namespace
