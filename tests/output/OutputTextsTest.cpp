#include "core/Session.h"
#include "output/JobSchedulePrintout.h"
#include "output/PreviewCustomerNotesForm.h"
#include "output/PreviewScheduleForm.h"
#include "output/PreviewScheduleNotesForm.h"
#include "output/ScheduleEmailForm.h"
#include "output/ScheduleExportForm.h"
#include "output/SchedulePrintForm.h"
#include "scheduling/ShownTexts.h"
#include "PrintTestData.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace wvs;
using wvs::test::expectShown;

namespace {
class OutputTextsTest : public printtest::PrintDbTest {};
} // namespace

TEST_F(OutputTextsTest, PrintExportEmailAndPreviewWindowsShowTheirCaptions)
{
    SchedulePrintForm print;
    EXPECT_EQ(print.windowTitle(), "Print Job Schedule");
    expectShown(&print, {{"PrinterLabel", " Printer"}, {"LayoutLabel", "Layout"}, {"PortraitOption", "Portrait"},
                         {"LandscapeOption", "Landscape"}, {"SelectLabel", "Fields to be printed"},
                         {"CustomerNameCheck", "Customer Name"}, {"AddressCheck", "Service Address"},
                         {"LocationCheck", "Service Location"}, {"PhoneCheck", "Customer Phone"},
                         {"JobTypeCheck", "Job Description"}, {"CostCheck", "Cost"}, {"CommentCheck", "Job Comments"},
                         {"CheckBoxCheck", "Check Box"}, {"PageBreakCheck", "Page Break by Service Date"},
                         {"SelectAllButton", "&Select All"}, {"UnselectAllButton", "&Unselect All"},
                         {"OKButton", "&Print"}, {"PreviewButton", "Pre&view"}, {"CancelButton", "&Cancel"}});

    // The export columns (their headings in the file are guarded with the export).
    ScheduleExportForm columns;
    EXPECT_EQ(columns.windowTitle(), " ");
    expectShown(&columns, {{"SelectLabel", "Select the fields to be exported"}, {"AssociateCheck", "Associate"},
                           {"ServiceDateCheck", "Service Date"}, {"ForenameCheck", "Customer Forename"},
                           {"SurnameCheck", "Customer Surname"}, {"PhoneCheck", "Customer Phone"},
                           {"Address1Check", "Service Address Line 1"}, {"Address2Check", "Service Address Line 2"},
                           {"Address3Check", "Service Address Line 3"}, {"SuburbCheck", "Service Location"},
                           {"CityCheck", "Service City"}, {"JobTypeCheck", "Job Description"}, {"CostCheck", "Cost"},
                           {"CommentCheck", "Job Comments"}, {"SelectAllButton", "&Select All"},
                           {"UnselectAllButton", "&Unselect All"}, {"OKButton", "&OK"}, {"ExitButton", "&Exit"}});

    ScheduleEmailForm email;
    EXPECT_EQ(email.windowTitle(), "Send Email");
    expectShown(&email, {{"MessageFrame", "Message"}, {"AddressFrame", "To Address"},
                         {"RecordOption", "Address on Associate record"}, {"SpecificOption", "To be entered on email"},
                         {"OKButton", "&OK"}, {"CancelButton", "&Cancel"}});
    auto *message = email.findChild<QPlainTextEdit *>("MessageText");   // at most 255 characters
    QTest::keyClicks(message, QString(260, 'x'));
    EXPECT_EQ(message->toPlainText(), QString(255, 'x'));

    PreviewScheduleForm schedule;
    PreviewScheduleNotesForm scheduleNotes;
    PreviewCustomerNotesForm customerNotes;
    for (const QWidget *preview : std::initializer_list<const QWidget *>{&schedule, &scheduleNotes, &customerNotes}) {
        expectShown(preview, {{"ExitButton", "&Close"}, {"PrintButton", "&Print"}});
        EXPECT_EQ(preview->findChild<QPushButton *>("ExitButton")->toolTip(), "Close this window");
    }
}

TEST_F(OutputTextsTest, TheJobSchedulePageHeadsItsColumnsInOrderAndSignsItsFooter)
{
    session().currentAssociateName = "Administrator";
    writeSql("INSERT OR REPLACE INTO Company (RowId, CompanyName, PTelephone, PEmail) "
             "VALUES (1, 'Clean Co', '09 555', 'a@b.nz')");
    jobOn("ADM", {"2025-03-03"}, {.phone2 = "021 999", .preferredPhone = 2});
    const QString pdf = nextPdf();
    PrintWorkvane(schedule_, QString());
    const QString page = pdfPages(pdf).value(0);
    // The lines of the printed page, as patterns.
    for (const char *line : {R"(^\s*Job Schedule\s+Clean Co$)", R"(^\s*Phone: 09 555\s+Email: a@b\.nz$)",
                             R"(^Administrator Monday 03/03/2025$)", R"(^Customer\s+Address\s+Phone\s+Job\s+Comments$)",
                             R"(^Smith, Anna\s+1 Main Road\s+021 999\s+Window cleaning$)", R"(^\s+Ponsonby\s+\$45\.00$)",
                             R"(^Date printed: \S+ \S+\s+By: Administrator\s.*\sPage 1$)"})
        EXPECT_TRUE(page.contains(QRegularExpression(QString::fromLatin1(line), QRegularExpression::MultilineOption)))
            << line << "\n" << page.toStdString();
    EXPECT_EQ(msgs_->texts(), QStringList({"Job Schedule sent to printer"}));
}
