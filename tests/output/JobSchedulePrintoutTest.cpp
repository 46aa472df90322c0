#include "output/JobSchedulePrintout.h"
#include "output/PreviewScheduleForm.h"
#include "output/SchedulePrintForm.h"
#include "scheduling/ScheduleForm.h"
#include "platform/PrintSurface.h"
#include "core/Session.h"
#include "PrintTestData.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class JobSchedulePrintTest : public printtest::PrintDbTest {
protected:
    QStringList printed(const QString &associate = QString())
    {
        const QString pdf = nextPdf();
        PrintWorkvane(schedule_, associate);
        return pdfPages(pdf);
    }
};

TEST_F(JobSchedulePrintTest, PrintsHeadingColumnsAndFooterIntoAPdfFile)
{
    writeSql("INSERT OR REPLACE INTO Company (RowId, CompanyName, PTelephone, PEmail) VALUES (1, 'Clean Co', '09 555', 'a@b.nz')");
    jobOn("ADM", {"2025-03-03"}, {.surname = "Featherstonehaugh-Cholmondeley",   // cut at 28 characters
                                  .forename = "Ann", .phone2 = "021 999", .preferredPhone = 2});

    const QStringList pages = printed();
    ASSERT_EQ(pages.size(), 1);
    const QString p = pages.first();
    for (const char *text : {"Job Schedule", "Clean Co", "Email: a@b.nz", "Monday 03/03/2025",
                             "Customer", "Address", "Phone", "Job", "Comments", "Featherstonehaugh-Cholmondel ",
                             "1 Main Road", "Ponsonby", "021 999", "Window cleaning", "Page 1", "By: "})
        EXPECT_TRUE(p.contains(QLatin1String(text))) << text << "\n" << p.toStdString();
    EXPECT_FALSE(p.contains("Featherstonehaugh-Cholmondele"));
    EXPECT_EQ(msgs_->texts(), QStringList({"Job Schedule sent to printer"}));

    // Unchosen columns leave their headings out.
    SchedulePrintSelection s = SchedulePrintSelection::all();
    s.phone = s.comments = false;
    schedulePrintSelection() = s;
    const QString again = printed().first();
    EXPECT_FALSE(again.contains("021 999"));
    EXPECT_FALSE(again.contains("Comments"));
}

TEST_F(JobSchedulePrintTest, EachAssociatePrintsOnPagesOfHisOwn)
{
    addAssociate("BOB", "Sam Jones", "pw", 1);
    addAssociate("SAM", "Sam Jones", "pw", 1);   // same name, another associate
    jobOn("BOB", {"2025-03-03", "2025-03-04"});
    jobOn("SAM", {"2025-03-03"});
    schedulePrintSelection().breakOnDate = false;
    QStringList pages = printed();
    ASSERT_EQ(pages.size(), 2);   // one per associate, the second date on BOB's page
    EXPECT_TRUE(pages.at(0).contains("Tuesday 04/03/2025"));
    EXPECT_TRUE(pages.at(1).contains("Page 2"));

    // Only one associate: his pages alone.
    pages = printed("SAM");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains("Monday 03/03/2025"));
}

TEST_F(JobSchedulePrintTest, AnOccurrenceNotYetDoneIsPrintedUnderItsJobsAssociate)
{
    addAssociate("BOB", "Bob Brown", "pw", 1);
    const qint64 job = jobOn("BOB", {});
    storeJob(schedule_, job, "2025-03-03", 1, QString(), QString());       // not done: no associate of its own
    storeJob(schedule_, job, "2025-03-10", 2, "2025-03-10", "ADM");        // done by another
    const QStringList pages = printed();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages.join("").contains("Bob Brown Monday 03/03/2025"));
    EXPECT_EQ(printed("BOB").size(), 1);
}

TEST_F(JobSchedulePrintTest, NothingToPrintWritesNoFileAndAFailedDocumentLeavesNoFile)
{
    addAssociate("BOB", "Bob Brown", "pw", 1);
    jobOn("ADM", {"2025-03-03"});
    const QString pdf = nextPdf();
    PrintWorkvane(schedule_, "BOB");
    EXPECT_EQ(msgs_->texts(), QStringList({"Nothing to print"}));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(files_->asked().isEmpty());

    {
        PrinterSurface surface(QString(), pdf, QPageLayout::Portrait);
        surface.Print("half a page");
        surface.NewPage();
    }   // never ended
    EXPECT_FALSE(QFile::exists(pdf));

    {
        PrinterSurface surface(QString(), pdf, QPageLayout::Portrait);
        surface.Print("one page");
        surface.NewPage();
        surface.EndDoc();
    }
    EXPECT_EQ(pdfPages(pdf).size(), 1);   // no blank page after the last NewPage

    // A file cut short (a full disk) is not taken for a printed one.
    EXPECT_TRUE(pdfFileComplete(pdf));
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(f.size() / 2);
    }
    EXPECT_FALSE(pdfFileComplete(pdf));
}

TEST_F(JobSchedulePrintTest, AFileThatCannotBeWrittenIsSaidSoAndTheProgramGoesOn)
{
    jobOn("ADM", {"2025-03-03"});
    const QString unwritable = nextPdf("no such folder/out.pdf");
    PrintWorkvane(schedule_, "ADM");
    EXPECT_EQ(msgs_->texts(), QStringList({"Cannot write the file " + unwritable}));
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(JobSchedulePrintTest, PreviewPagesBackAndForthShowingTheSamePages)
{
    for (const char *d : {"2025-03-03", "2025-03-04", "2025-03-05"})
        jobOn("ADM", {d});
    PreviewScheduleForm preview;
    preview.Tag = QString::number(schedule_) + "~";
    preview.show();
    settle();
    const QImage first = preview.pageImage();
    EXPECT_TRUE(preview.AtFirstPage);
    preview.NextImage_Click();
    preview.NextImage_Click();
    const QImage third = preview.pageImage();
    EXPECT_TRUE(preview.AtLastPage);
    EXPECT_FALSE(enabled(&preview, "NextImage"));
    preview.PreviousImage_Click();
    preview.PreviousImage_Click();
    EXPECT_EQ(preview.pageImage(), first);
    EXPECT_FALSE(enabled(&preview, "PreviousImage"));
    preview.NextImage_Click();
    preview.NextImage_Click();
    EXPECT_EQ(preview.pageImage(), third);
    EXPECT_EQ(preview.pagesDrawn(), 3);   // shown again, not drawn again
    EXPECT_NE(first, third);
}

TEST_F(JobSchedulePrintTest, PrintOptionsCheckThePortraitWidthAndKeepTheChoice)
{
    schedulePrintSelection() = SchedulePrintSelection();
    writeSql("UPDATE Preferences SET ShowCostOnSchedPrint = 0");
    modal_->once("SchedulePrintForm", [&](QDialog *d) {
        EXPECT_TRUE(child<QRadioButton>(d, "LandscapeOption")->isChecked());   // first use: landscape, all ticked
        EXPECT_FALSE(ticked(d, "CostCheck"));
        child<QRadioButton>(d, "PortraitOption")->setChecked(true);
        click(d, "OKButton");   // every column is wider than an upright sheet
        EXPECT_TRUE(d->isVisible());
        tick(d, "CommentCheck", false);
        tick(d, "PhoneCheck", false);
        click(d, "PreviewButton");
    });
    SchedulePrintForm options;
    showModal(&options);
    EXPECT_EQ(msgs_->texts(), QStringList({"The width of the selected fields exceeds the printer's printable area.\r\n"
                                           "Change the selection or set the orientation to landscape"}));
    EXPECT_TRUE(options.PreviewChosen);
    EXPECT_EQ(session().selectedPrinterIndex, 0);
    EXPECT_TRUE(schedulePrintSelection().portrait);
    EXPECT_FALSE(schedulePrintSelection().comments);
    EXPECT_EQ(count("SELECT COUNT(*) FROM SchedulePrintFields WHERE Orientation = 'P' AND Phone = 0 AND Cost = 0"), 1);

    modal_->once("SchedulePrintForm", [&](QDialog *d) {
        EXPECT_TRUE(child<QRadioButton>(d, "PortraitOption")->isChecked());
        EXPECT_FALSE(ticked(d, "PhoneCheck"));
        click(d, "UnselectAllButton");
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        click(d, "CancelButton");
    });
    SchedulePrintForm again;
    showModal(&again);
    EXPECT_EQ(msgs_->texts().last(), "No fields selected");
    EXPECT_EQ(session().selectedPrinterIndex, 999);
}

class SchedulePrintCommandTest : public printtest::PrintDbTest {};

TEST_F(SchedulePrintCommandTest, TheScheduleWindowsPrintGoesThroughTheOptionsToPrintoutOrPreview)
{
    addAssociate("BOB", "Bob Builder", "pw", 1);
    const qint64 s = addSchedule("2025-03-03", "2025-03-16", "Closed");
    storeJob(s, addJob({.associate = "ADM", .start = "2025-03-03"}), "2025-03-03", 0, "", "ADM");
    storeJob(s, addJob({.associate = "BOB", .start = "2025-03-03"}), "2025-03-03", 1, "", "BOB");
    auto form = shown<ScheduleForm>("Modify~" + QString::number(s));
    click(form.get(), "GoButton");
    ASSERT_TRUE(child<QWidget>(form.get(), "PrintButton")->isVisible());

    // Preview of one associate's part: the preview is told which.
    choose(form.get(), "AssociateCombo", "Bob Builder");
    click(form.get(), "GoButton");
    modal_->once("SchedulePrintForm", [&](QDialog *d) { click(d, "PreviewButton"); });
    form->PrintButton_Click();
    ASSERT_EQ(modal_->openedNames().last(), "PreviewScheduleForm");
    EXPECT_EQ(modal_->opened().last().tag, QString::number(s) + "~BOB");
    EXPECT_TRUE(form->PreviewRequested);

    // Print of every associate, into the PDF file the user names.
    choose(form.get(), "AssociateCombo", "<All>");
    click(form.get(), "GoButton");
    modal_->once("SchedulePrintForm", [&](QDialog *d) { click(d, "OKButton"); });
    const QString pdf = nextPdf();
    form->PrintButton_Click();
    EXPECT_EQ(pdfPages(pdf).size(), 2);
    EXPECT_EQ(msgs_->texts().last(), "Job Schedule sent to printer");

    // Cancelled: nothing printed.
    modal_->once("SchedulePrintForm", [&](QDialog *d) { click(d, "CancelButton"); });
    form->PrintButton_Click();
    EXPECT_EQ(files_->asked().size(), 1);
    form->ExitButton_Click();
}

} // namespace
