#include "common/CalendarForm.h"
#include "common/DateRangeCheck.h"
#include "common/DateSelectForm.h"
#include "common/PrinterSelectForm.h"
#include "core/Session.h"
#include "platform/Printers.h"
#include "support/ShownTexts.h"
#include "support/DbTest.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace wvs;

namespace {

// A window that asks for a period or a printer, with the members the dialogs
// hand the dates and the preview request to.
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

    QLabel *label(const char *name) const { return form_->findChild<QLabel *>(name); }
    // Runs OK with the period and returns the message shown, "" for none.
    QString ok(const QString &mode, const QString &from, const QString &to)
    {
        form_->Tag = mode;
        label("FromDateLabel")->setText(from);
        label("ToDateLabel")->setText(to);
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
        QTest::keyClick(form_.get(), key);
        EXPECT_FALSE(form_->isVisible());
        EXPECT_EQ(opener_.FromDate + "|" + opener_.ToDate, key == Qt::Key_Return ? "05 Mar 2024|09 Mar 2024" : "|");
    }
}

// Refused periods hand nothing over, nor does Exit. A new period overlaps an
// existing schedule of any status when it shares at least one day with it;
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
        // Before, between; ends inside, encloses one, ends on its first day, starts on its last day.
        {"Schedule", "01 Dec 2023", "31 Dec 2023", ""}, {"Schedule", "01 Feb 2024", "28 Feb 2024", ""},
        {"Schedule", "20 Dec 2023", "05 Jan 2024", overlap}, {"Schedule", "20 Dec 2023", "10 Feb 2024", overlap},
        {"Schedule", "15 Dec 2023", "01 Jan 2024", overlap}, {"Schedule", "31 Mar 2024", "15 Apr 2024", overlap},
        {"Schedule Notes", "10 Jan 2024", "20 Jan 2024", ""}};
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

TEST_F(ChoiceDialogTest, ListsThePrintersWithTheCurrentOneChosenAndEnterPrintsOnTheChosenOne)
{
    PrinterScript printers({"Office Laser", "Front Desk", "Workshop"}, 1);
    int listed = 0, current = -1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) {
        EXPECT_EQ(f->windowTitle(), "Select a Printer");
        test::expectShown(f, {{"SelectLabel", " Printer"}, {"OKButton", "&Print"}, {"PreviewButton", "Pre&view"},
                              {"CancelButton", "&Cancel"}});
        auto *combo = f->findChild<QComboBox *>("PrinterCombo");
        listed = combo->count();
        current = combo->currentIndex();
        combo->setCurrentIndex(2);
        QTest::keyClick(f, Qt::Key_Return); // the Print button
    });
    EXPECT_EQ(listed, 4); // and the PDF file
    EXPECT_EQ(current, 1);
    EXPECT_EQ(session().selectedPrinterIndex, 2);
    EXPECT_EQ(session().defaultPrinterIndex, 1);
    EXPECT_FALSE(opener_.PreviewPrint);
}

TEST_F(ChoiceDialogTest, CancelHandsBackNineNineNinePreviewIsForNotesOnlyAndWithoutPrintersThePdfFileIsOffered)
{
    PrinterScript printers({"Office Laser", "Front Desk"}, 0);
    session().selectedPrinterIndex = 1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "CancelButton"); });
    EXPECT_EQ(session().selectedPrinterIndex, 999);
    session().selectedPrinterIndex = 1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) {
        QTest::keyClick(f, Qt::Key_Escape);
        EXPECT_FALSE(f->isVisible());
    });
    EXPECT_EQ(session().selectedPrinterIndex, 999);
    EXPECT_FALSE(opener_.PreviewPrint);

    choose("ScheduleNotes", [&](PrinterSelectForm *f) {
        f->findChild<QComboBox *>("PrinterCombo")->setCurrentIndex(1);
        click(f, "PreviewButton");
    });
    EXPECT_TRUE(opener_.PreviewPrint);
    EXPECT_EQ(session().selectedPrinterIndex, 1);

    printers.printers.clear();
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "OKButton"); });
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(session().selectedPrinterIndex, 0);
}

} // namespace

#include "ChoiceDialogsTest.moc"
