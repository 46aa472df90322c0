#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "core/Session.h"
#include "support/DbTest.h"
#include "support/Keys.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QTest>

using namespace wvs;

namespace {

const QStringList kLabels = {"StartDateLabel", "EndDateLabel", "StartDayLabel", "ActiveDateLabel",
                             "FromDateLabel", "ToDateLabel"};

// A window with every date label an opener of the pop-up may have; a child widget of it opens the pop-up.
class CalendarFormTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        window_ = std::make_unique<QWidget>();
        for (const QString &name : kLabels)
            (new QLabel(window_.get()))->setObjectName(name);
        picture_ = new QWidget(window_.get());
    }
    void TearDown() override
    {
        window_.reset();
        EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join("|").toStdString();
        DbTest::TearDown();
    }

    QLabel *label(const QString &name) { return window_->findChild<QLabel *>(name); }

    QStringList captions()
    {
        QStringList out;
        for (const QString &name : kLabels)
            out << label(name)->text();
        return out;
    }

    std::unique_ptr<CalendarForm> open(const QString &key)
    {
        session().calendarRequest = key;
        return std::make_unique<CalendarForm>(picture_);
    }

    const QDate today_ = QDate::currentDate();
    std::unique_ptr<QWidget> window_;
    QWidget *picture_ = nullptr;
};

// The range QCalendarWidget allows by itself: no bound set.
QDate noEarliest() { return QCalendarWidget().minimumDate(); }
QDate noLatest() { return QCalendarWidget().maximumDate(); }

} // namespace

// What each key asks for: the label of the other date that bounds the choice
// (a from/start date not after it, a to/end date not before it), whether days
// before today are refused, and the labels a pick writes.
TEST_F(CalendarFormTest, EveryKeyBoundsByTheOtherLabelAndWritesItsOwn)
{
    enum Bound { None, Latest, Earliest };
    const struct { const char *key, *boundLabel; Bound bound; bool notBeforeToday; const char *target; bool weekday; } keys[] = {
        {"CustomerJobStartDate", "EndDateLabel", Latest, true, "StartDateLabel", true},
        {"CustomerJobEndDate", "StartDateLabel", Earliest, true, "EndDateLabel", false},
        {"CustomerJobsActiveDate", "", None, false, "ActiveDateLabel", false},
        {"PortalCustomerJobStartDate", "EndDateLabel", Latest, true, "StartDateLabel", true},
        {"PortalCustomerJobEndDate", "StartDateLabel", Earliest, true, "EndDateLabel", false},
        {"SelectFromDate", "ToDateLabel", Latest, false, "FromDateLabel", false},
        {"SelectToDate", "FromDateLabel", Earliest, false, "ToDateLabel", false},
        {"AccountsSalesFromDate", "ToDateLabel", Latest, false, "FromDateLabel", false},
        {"AccountsSalesToDate", "FromDateLabel", Earliest, false, "ToDateLabel", false},
        {"customerjobstartdate", "", None, false, "", false}, // letter case counts: no such key
    };
    // The other date a year ahead; a Sunday between today and it, and a day after it.
    const QDate other = today_.addYears(1);
    const QDate sunday = today_.addDays(7 + (7 - today_.dayOfWeek()) % 7), afterOther = other.addDays(5);
    for (const auto &k : keys) {
        SCOPED_TRACE(k.key);
        for (const bool otherShown : {false, true}) {
            for (const QString &name : kLabels)
                label(name)->clear();
            label("StartDayLabel")->setVisible(false);
            if (otherShown && k.bound != None)
                label(k.boundLabel)->setText(Formats::toDisplayDate(other));
            auto f = open(k.key);
            const bool bounded = otherShown && k.bound != None;
            EXPECT_EQ(f->monthView()->minimumDate(),
                      bounded && k.bound == Earliest ? other : k.notBeforeToday ? today_ : noEarliest());
            EXPECT_EQ(f->monthView()->maximumDate(), bounded && k.bound == Latest ? other : noLatest());
        }
        const QDate picked = k.bound == Earliest ? afterOther : sunday;
        QStringList expected = captions();
        if (*k.target)
            expected[kLabels.indexOf(k.target)] = picked.toString("dd MMM yyyy");
        if (k.weekday)
            expected[kLabels.indexOf("StartDayLabel")] = "(Sunday)";
        auto f = open(k.key);
        emit f->monthView()->clicked(picked);
        EXPECT_EQ(captions(), expected);
        EXPECT_EQ(label("StartDayLabel")->isHidden(), !k.weekday);
        EXPECT_EQ(session().calendarRequest, "");
        EXPECT_EQ(f->result(), QDialog::Accepted);
    }
}

// Escape closes the pop-up: nothing is written and the request stays. An end
// date already in the past: the start may still not lie before today.
TEST_F(CalendarFormTest, EscapeWritesNothingAndConflictingBoundsKeepTodayPickable)
{
    label("EndDateLabel")->setText("10 Jan 2032");
    auto f = open("CustomerJobStartDate");
    f->show();
    settle();
    test::press(f->monthView(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(f->isVisible());
    EXPECT_NE(f->result(), QDialog::Accepted);
    EXPECT_EQ(captions(), QStringList({"", "10 Jan 2032", "", "", "", ""}));
    EXPECT_EQ(session().calendarRequest, "CustomerJobStartDate");

    label("EndDateLabel")->setText(Formats::toDisplayDate(today_.addDays(-5)));
    f = open("CustomerJobStartDate");
    EXPECT_EQ(f->monthView()->minimumDate(), today_);
    f->pickDate(today_);
    EXPECT_EQ(label("StartDateLabel")->text(), Formats::toDisplayDate(today_));

    // An end date of today: today alone can be picked as the start, and as the end of a job starting today.
    label("EndDateLabel")->setText(Formats::toDisplayDate(today_));
    f = open("CustomerJobStartDate");
    EXPECT_EQ(f->monthView()->minimumDate(), today_);
    EXPECT_EQ(f->monthView()->maximumDate(), today_);
    label("StartDateLabel")->setText(Formats::toDisplayDate(today_));
    f = open("CustomerJobEndDate");
    EXPECT_EQ(f->monthView()->minimumDate(), today_);
    f->pickDate(today_);
    EXPECT_EQ(label("EndDateLabel")->text(), Formats::toDisplayDate(today_));
}
