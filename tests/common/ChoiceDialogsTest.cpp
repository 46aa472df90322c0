#include "common/CalendarForm.h"
#include "common/DateRangeCheck.h"
#include "common/DateSelectForm.h"
#include "common/PrinterSelectForm.h"
#include "core/Session.h"
#include "platform/Printers.h"
#include "support/Pointer.h"
#include "support/ShownTexts.h"
#include "support/DbTest.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace wvs;

namespace {

// The caller, with the members the dialogs hand the dates and the preview request to.
class Opener : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString FromDate MEMBER FromDate)
    Q_PROPERTY(QString ToDate MEMBER ToDate)
    Q_PROPERTY(QString PrintFromDate MEMBER PrintFromDate)
    Q_PROPERTY(QString PrintToDate MEMBER PrintToDate)
    Q_PROPERTY(bool PreviewPrint MEMBER PreviewPrint)
public:
    QString FromDate, ToDate, PrintFromDate, PrintToDate;
    bool PreviewPrint = false;
};

class ChoiceDialogTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        form_ = std::make_unique<DateSelectForm>(&opener_);
    }
    void TearDown() override
    {
        form_.reset();
        DbTest::TearDown();
    }

    // Runs OK with the period and returns the message shown, "" for none.
    QString ok(const QString &mode, const QString &from, const QString &to)
    {
        form_->Tag = mode;
        child<QLabel>(form_.get(), "FromDateLabel")->setText(from);
        child<QLabel>(form_.get(), "ToDateLabel")->setText(to);
        msgs_->clear();
        form_->setResult(QDialog::Rejected);
        form_->findChild<QPushButton *>("OKButton")->click();
        return msgs_->last();
    }

    // Opens the dialog as a caller does and lets the handler act in it.
    void choose(const QString &tag, std::function<void(PrinterSelectForm *)> act)
    {
        modal_->once("PrinterSelectForm", [&](QDialog *d) { act(static_cast<PrinterSelectForm *>(d)); });
        PrinterSelectForm form(&opener_);
        form.Tag = tag;
        showModal(&form);
    }

    Opener opener_;
    std::unique_ptr<DateSelectForm> form_;
};

TEST_F(ChoiceDialogTest, DatesArePickedThroughThePopUpAndHandedOverByEnter)
{
    EXPECT_EQ(form_->windowTitle(), "Select Dates");
    test::expectShown(form_.get(), {{"FromLabel", "From date"}, {"ToLabel", "To date"}, {"OKButton", "&OK"},
                                    {"ExitButton", "&Exit"}});
    for (const auto &[image, day] : {std::pair{"FromDateImage", 5}, {"ToDateImage", 9}}) {
        modal_->once("CalendarForm", [d = day](QDialog *dlg) { static_cast<CalendarForm *>(dlg)->pickDate(QDate(2024, 3, d)); });
        form_->findChild<QToolButton *>(image)->click();
    }

    // Escape is Exit and hands nothing over; Enter is OK.
    form_->Tag = "Schedule";
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        form_->show();
        test::press(form_.get(), key);
        EXPECT_FALSE(form_->isVisible());
        EXPECT_EQ(opener_.FromDate + "|" + opener_.ToDate, key == Qt::Key_Return ? "05 Mar 2024|09 Mar 2024" : "|");
    }
}

// Refused periods and Exit hand nothing over. A new schedule shares no day with one of any status;
// printing notes of a period is no new schedule.
TEST_F(ChoiceDialogTest, RefusedPeriodsAndExitHandNothingOverAndANewScheduleSharesNoDay)
{
    addSchedule("2024-01-01", "2024-01-31", "Open");
    addSchedule("2024-03-01", "2024-03-31", "Published");
    const QString overlap = "The dates selected overlap an existing Schedule";
    const struct { const char *mode, *from, *to; QString refusal; } cases[] = {
        {"Customer Notes", "", "", "Please select a From Date"},
        {"Customer Notes", "01 Mar 2024", "", "Please select a To Date"},
        {"Customer Notes", "10 Mar 2024", "09 Mar 2024", "The From Date cannot be later than the To Date"},
        // Two faults: the first speaks.
        {"Schedule", "", "", "Please select a From Date"},
        {"Schedule", "31 Mar 2024", "20 Mar 2024", "The From Date cannot be later than the To Date"},
        // Before, between; encloses one, ends on its first day, starts on its last day.
        {"Schedule", "01 Dec 2023", "31 Dec 2023", ""}, {"Schedule", "01 Feb 2024", "28 Feb 2024", ""},
        {"Schedule", "20 Dec 2023", "10 Feb 2024", overlap}, {"Schedule", "15 Dec 2023", "01 Jan 2024", overlap},
        {"Schedule", "31 Mar 2024", "15 Apr 2024", overlap}, {"Schedule Notes", "10 Jan 2024", "20 Jan 2024", ""},
        // A period of one day: a from date equal to the to date is taken, for notes and for a new schedule,
        // unless that day is the first or last day of a schedule.
        {"Customer Notes", "10 Mar 2024", "10 Mar 2024", ""}, {"Schedule Notes", "01 Jan 2024", "01 Jan 2024", ""},
        {"Schedule", "05 Feb 2024", "05 Feb 2024", ""}, {"Schedule", "31 Jan 2024", "31 Jan 2024", overlap},
        {"Schedule", "01 Mar 2024", "01 Mar 2024", overlap}};
    for (const auto &c : cases) {
        opener_.FromDate = opener_.PrintFromDate = "before";
        EXPECT_EQ(ok(c.mode, c.from, c.to), c.refusal) << c.from << " - " << c.to;
        EXPECT_EQ(form_->result() == QDialog::Accepted, c.refusal.isEmpty()) << c.from << " - " << c.to;
        const QString &handed = QString(c.mode) == "Schedule" ? opener_.FromDate : opener_.PrintFromDate;
        EXPECT_EQ(handed, c.refusal.isEmpty() ? c.from : "before") << c.from << " - " << c.to;
    }
    form_->Tag = "Schedule";
    opener_.FromDate = "before";
    form_->findChild<QPushButton *>("ExitButton")->click();
    EXPECT_EQ(opener_.FromDate, "before");
    // Across a year end the comparison still follows the calendar.
    addSchedule("2024-12-20", "2025-01-10", "Closed");
    EXPECT_EQ(DateRangeCheck::overlappingSchedules(QDate(2025, 1, 5), QDate(2025, 2, 1)), 1);
    EXPECT_EQ(DateRangeCheck::overlappingSchedules(QDate(2025, 1, 11), QDate(2025, 2, 1)), 0);
}

// Print, Enter and Preview hand back the chosen printer, Preview for notes only; Cancel and Escape hand back 999.
// Without printers the PDF file is offered.
TEST_F(ChoiceDialogTest, ThePrinterChosenOrNineNineNineIsHandedBackAndPreviewIsForNotesOnly)
{
    PrinterScript printers({"Office Laser", "Front Desk", "Workshop"}, 1);
    int listed = 0, current = -1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) {
        EXPECT_EQ(f->windowTitle(), "Select a Printer");
        test::expectShown(f, {{"SelectLabel", " Printer"}, {"OKButton", "&Print"}, {"PreviewButton", "Pre&view"},
                              {"CancelButton", "&Cancel"}});
        listed = f->findChild<QComboBox *>("PrinterCombo")->count();
        current = f->findChild<QComboBox *>("PrinterCombo")->currentIndex();
    });
    EXPECT_EQ(listed, 4); // and the PDF file
    EXPECT_EQ(current, 1);
    EXPECT_EQ(session().defaultPrinterIndex, 1);

    const struct { const char *tag; Qt::Key key; const char *button; int handed; bool preview; } cases[] = {
        {"CustomerNotes", Qt::Key_Return, "", 2, false}, {"CustomerNotes", Qt::Key_Escape, "", 999, false},
        {"CustomerNotes", Qt::Key_unknown, "CancelButton", 999, false},
        {"ScheduleNotes", Qt::Key_unknown, "PreviewButton", 2, true}};
    for (const auto &c : cases) {
        session().selectedPrinterIndex = 1;
        choose(c.tag, [&](PrinterSelectForm *f) {
            f->findChild<QComboBox *>("PrinterCombo")->setCurrentIndex(2);
            if (*c.button)
                click(f, c.button);
            else
                test::press(f, c.key);
            EXPECT_FALSE(f->isVisible());
        });
        EXPECT_EQ(session().selectedPrinterIndex, c.handed) << c.tag << c.button;
        EXPECT_EQ(session().defaultPrinterIndex, 1) << c.tag << c.button;   // the default stays the one current before
        EXPECT_EQ(opener_.PreviewPrint, c.preview) << c.tag << c.button;
    }

    printers.printers.clear();
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "OKButton"); });
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(session().selectedPrinterIndex, 0);
}

// With nothing installed to print on, not even the PDF file, the chooser says so and greys its Print button:
// neither a click on it nor Enter hands anything back. Preview still leads on (a preview needs no printer), and
// Cancel hands back 999.
TEST_F(ChoiceDialogTest, WithNoPrinterInstalledTheChooserSaysNoPrintersFoundAndGreysPrint)
{
    PrinterScript printers({});
    printers.pdfFile = false;
    for (const char *leave : {"PreviewButton", "CancelButton"}) {
        msgs_->clear();
        opener_.PreviewPrint = false;
        choose("CustomerNotes", [&](PrinterSelectForm *f) {
            ASSERT_EQ(msgs_->shown().size(), 1);
            EXPECT_EQ(msgs_->shown()[0].text, "No printers found");
            EXPECT_EQ(msgs_->shown()[0].buttons, MsgButtons::Ok);
            EXPECT_TRUE(msgs_->shown()[0].title.isEmpty());
            EXPECT_EQ(child<QComboBox>(f, "PrinterCombo")->count(), 0);
            EXPECT_FALSE(child<QPushButton>(f, "OKButton")->isEnabled());
            EXPECT_TRUE(child<QPushButton>(f, "PreviewButton")->isEnabled());
            test::pressButton(f, "OKButton");
            test::press(child<QComboBox>(f, "PrinterCombo"), Qt::Key_Return);
            EXPECT_TRUE(f->isVisible());
            EXPECT_EQ(session().selectedPrinterIndex, 999);
            test::pressButton(f, leave);
            EXPECT_FALSE(f->isVisible());
        });
        EXPECT_EQ(msgs_->texts(), QStringList{"No printers found"}) << leave;
        const bool preview = std::string(leave) == "PreviewButton";
        EXPECT_EQ(opener_.PreviewPrint, preview) << leave;
        EXPECT_EQ(session().selectedPrinterIndex == 999, !preview) << leave;
    }
}

} // namespace

#include "ChoiceDialogsTest.moc"
#include "support/Keys.h"
