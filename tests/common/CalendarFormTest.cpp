#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "core/Session.h"
#include "support/DbTest.h"

#include <QCalendarWidget>
#include <QLabel>

using namespace wvs;

namespace {

const QStringList kLabels = {"StartDateLabel", "EndDateLabel", "StartDayLabel", "ActiveDateLabel",
                             "FromDateLabel", "ToDateLabel"};

// A window with every date label an opener of the pop-up may have; a child
// widget of it opens the pop-up, as the date pictures do.
class CalendarFormTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        window_ = std::make_unique<QWidget>();
        for (const QString &name : kLabels)
            (new QLabel(window_.get()))->setObjectName(name);
        label("StartDayLabel")->setVisible(false);
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

    static QString shown(const QDate &d) { return Formats::toDisplayDate(d); }

    const QDate today_ = QDate::currentDate();
    std::unique_ptr<QWidget> window_;
    QWidget *picture_ = nullptr;
};

// The range QCalendarWidget allows by itself: no bound set.
QDate noEarliest() { return QCalendarWidget().minimumDate(); }
QDate noLatest() { return QCalendarWidget().maximumDate(); }

} // namespace

// Each request is bounded by the other date shown and writes only its own label.
TEST_F(CalendarFormTest, EveryKeyBoundsByTheOtherLabelAndWritesItsOwn)
{
    const QDate other = today_.addDays(40);
    for (const CalendarForm::Request &r : CalendarForm::requests()) {
        SCOPED_TRACE(r.key.toStdString());
        for (const QString &name : kLabels)
            label(name)->clear();
        label("StartDayLabel")->setVisible(false);
        if (!r.boundLabel.isEmpty())
            label(r.boundLabel)->setText(shown(other));
        auto f = open(r.key);
        const QDate earliest = r.notBeforeToday ? today_ : noEarliest();
        EXPECT_EQ(f->monthView()->minimumDate(), r.boundLabel.isEmpty() || r.boundIsLatest ? earliest : other);
        EXPECT_EQ(f->monthView()->maximumDate(), !r.boundLabel.isEmpty() && r.boundIsLatest ? other : noLatest());

        const QDate picked = r.boundLabel.isEmpty() || r.boundIsLatest ? today_.addDays(10) : other.addDays(3);
        QStringList expected = captions();
        expected[kLabels.indexOf(r.targetLabel)] = shown(picked);
        if (!r.weekdayLabel.isEmpty())
            expected[kLabels.indexOf(r.weekdayLabel)] = "(" + Formats::weekdayName(picked) + ")";
        emit f->monthView()->clicked(picked);
        EXPECT_EQ(captions(), expected);
        EXPECT_EQ(label("StartDayLabel")->isHidden(), r.weekdayLabel.isEmpty());
        EXPECT_EQ(session().calendarRequest, "");
        EXPECT_EQ(f->result(), QDialog::Accepted);
    }
}

TEST_F(CalendarFormTest, OutOfBoundsDaysAndConflictingBoundsWriteNothingWrong)
{
    label("StartDateLabel")->setText("10 Jan 2030");
    auto end = open("CustomerJobEndDate");
    EXPECT_EQ(end->monthView()->minimumDate(), QDate(2030, 1, 10));
    // Nothing is written and the pop-up stays.
    end->pickDate(QDate(2030, 1, 9));
    EXPECT_EQ(label("EndDateLabel")->text(), "");
    end->pickDate(QDate(2030, 1, 10));
    EXPECT_EQ(label("EndDateLabel")->text(), "10 Jan 2030");

    // An end date already in the past: the start may still not lie before today.
    label("EndDateLabel")->setText(shown(today_.addDays(-5)));
    auto f = open("CustomerJobStartDate");
    EXPECT_EQ(f->monthView()->minimumDate(), today_);
    EXPECT_GE(f->monthView()->maximumDate(), today_);
    f->pickDate(today_);
    EXPECT_EQ(label("StartDateLabel")->text(), shown(today_));

}
