#include "output/SchedulePrintSelection.h"
#include "scheduling/ScheduleForm.h"
#include "core/Session.h"
#include "PrintTestData.h"

#include <QComboBox>

using namespace wvs;
using namespace wvs::schedtest;

namespace {

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
