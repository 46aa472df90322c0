#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "platform/Modal.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QScreen>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace wvs {

namespace {

// The pop-up sits this far from the screen's top left corner (500 and 800 twips).
constexpr int kLeftPx = 500 / 15;
constexpr int kTopPx = 800 / 15;

QLabel *findLabel(QWidget *opener, const QString &name)
{
    if (!opener || name.isEmpty())
        return nullptr;
    QWidget *window = opener->window();
    if (window->objectName() == name)
        return qobject_cast<QLabel *>(window);
    return window->findChild<QLabel *>(name);
}

} // namespace

const QList<CalendarForm::Request> &CalendarForm::requests()
{
    // A from/start date may not lie after the to/end date already shown, a
    // to/end date not before the from/start date; job dates not before today.
    static const QList<Request> table = {
        {"CustomerJobStartDate", "EndDateLabel", true, true, "StartDateLabel", "StartDayLabel"},
        {"CustomerJobEndDate", "StartDateLabel", false, true, "EndDateLabel", ""},
        {"CustomerJobsActiveDate", "", false, false, "ActiveDateLabel", ""},
        {"PortalCustomerJobStartDate", "EndDateLabel", true, true, "StartDateLabel", "StartDayLabel"},
        {"PortalCustomerJobEndDate", "StartDateLabel", false, true, "EndDateLabel", ""},
        {"SelectFromDate", "ToDateLabel", true, false, "FromDateLabel", ""},
        {"SelectToDate", "FromDateLabel", false, false, "ToDateLabel", ""},
        {"AccountsSalesFromDate", "ToDateLabel", true, false, "FromDateLabel", ""},
        {"AccountsSalesToDate", "FromDateLabel", false, false, "ToDateLabel", ""},
    };
    return table;
}

const CalendarForm::Request *CalendarForm::request(const QString &key)
{
    for (const Request &r : requests())
        if (r.key == key)   // exact, letter case counts
            return &r;
    return nullptr;
}

CalendarForm::CalendarForm(QWidget *opener, QWidget *parent)
    : Form(parent), opener_(opener), monthView_(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("CalendarForm"));
    monthView_->setObjectName(QStringLiteral("MonthView"));
    monthView_->setGridVisible(false);
    monthView_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(monthView_);
    setSizeGripEnabled(false);

    connect(monthView_, &QCalendarWidget::clicked, this, &CalendarForm::pickDate);
    connect(monthView_, &QCalendarWidget::activated, this, &CalendarForm::pickDate);
    connect(monthView_, &QCalendarWidget::currentPageChanged, this, &CalendarForm::markUnavailableDays);

    loadRequest();
    markUnavailableDays(monthView_->yearShown(), monthView_->monthShown());
}

// Days outside the bounds (before today, or beyond the other date) are drawn
// grey and struck through on every page, so the user sees before clicking
// that they cannot be chosen.
void CalendarForm::markUnavailableDays(int year, int month)
{
    monthView_->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat unavailable;
    unavailable.setForeground(QColor(160, 160, 160));
    unavailable.setFontStrikeOut(true);
    const QDate first(year, month, 1);
    if (!first.isValid())
        return;
    // A page shows up to six weeks around its month.
    for (QDate d = first.addDays(-7); d <= first.addMonths(1).addDays(14); d = d.addDays(1))
        if (d < monthView_->minimumDate() || d > monthView_->maximumDate())
            monthView_->setDateTextFormat(d, unavailable);
}

bool CalendarForm::showsUnavailable(const QDate &date) const
{
    return monthView_->dateTextFormat(date).fontStrikeOut();
}

void CalendarForm::loadRequest()
{
    guarded("CalendarForm", "Form_Load", [&] {
        const QDate today = QDate::currentDate();
        monthView_->setSelectedDate(today);
        if (const Request *r = request(session().calendarRequest)) {
            if (r->notBeforeToday)
                monthView_->setMinimumDate(today);
            if (const QLabel *bound = findLabel(opener_, r->boundLabel)) {
                const QDate d = Formats::fromDisplayDate(bound->text());
                if (d.isValid()) {
                    if (!r->boundIsLatest) {
                        monthView_->setMinimumDate(d);
                    } else if (d >= monthView_->minimumDate()) {
                        // An end date before today would leave nothing to pick:
                        // then only "not before today" holds.
                        monthView_->setMaximumDate(d);
                    }
                }
            }
        }
        QScreen *screen = opener_ ? opener_->screen() : QGuiApplication::primaryScreen();
        if (screen)
            move(screen->geometry().topLeft() + QPoint(kLeftPx, kTopPx));
    });
}

void CalendarForm::pick(QWidget *opener, const QString &key)
{
    session().calendarRequest = key;
    CalendarForm form(opener, opener ? opener->window() : nullptr);
    showModal(&form);
}

void CalendarForm::pickDate(const QDate &date)
{
    if (picked_)
        return;
    guarded("CalendarForm", "MonthView_DateClick", [&] {
        if (!date.isValid() || date < monthView_->minimumDate() || date > monthView_->maximumDate())
            return;
        picked_ = true;
        if (const Request *r = request(session().calendarRequest)) {
            if (QLabel *target = findLabel(opener_, r->targetLabel))
                target->setText(Formats::toDisplayDate(date));
            if (QLabel *day = findLabel(opener_, r->weekdayLabel)) {
                day->setText(QLatin1Char('(') + Formats::weekdayName(date) + QLatin1Char(')'));
                day->setVisible(true);
            }
        }
        session().calendarRequest.clear();
        accept();
    });
}

namespace {
// The little calendar picture beside a date label.
QIcon calendarIcon()
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 15, 14));
    p.fillRect(QRectF(3, 4, 14, 4), QColor(190, 40, 40));
    p.setPen(QColor(90, 90, 90));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            p.drawPoint(QPointF(5 + c * 3.2, 10 + r * 2.6));
    return QIcon(pm);
}
} // namespace

QToolButton *CalendarForm::dateButton(QWidget *parent, const char *name, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setIcon(calendarIcon());
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace wvs
