#include "scheduling/RecurrenceExpansion.h"

#include "jobs/RecurrenceCode.h"

#include <algorithm>
#include <limits>

namespace wvs {

namespace {

// Rounds a / b up, for b > 0 and any a.
qint64 ceilDiv(qint64 a, qint64 b)
{
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

qint64 floorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The days a job may yield a date on, as Julian day numbers, and the room the
// occurrence limit leaves. `open` is false when no day is left.
class Collector {
public:
    explicit Collector(const ExpansionBounds &b)
    {
        if (!b.startDate.isValid() || !b.from.isValid() || !b.to.isValid() || b.remaining < 0)
            return;
        lo = std::max(b.startDate.toJulianDay(), b.from.toJulianDay());
        hi = b.to.toJulianDay();
        if (b.endDate.isValid())
            hi = std::min(hi, b.endDate.toJulianDay());
        limit = b.remaining > 0 ? b.remaining : std::numeric_limits<qsizetype>::max();
        open = lo <= hi;
    }

    bool inside(qint64 jd) const { return jd >= lo && jd <= hi; }
    bool full() const { return dates.size() >= limit; }

    // Adds a day known to lie in [lo, hi]; false once the limit is reached.
    bool add(qint64 jd)
    {
        dates.append(QDate::fromJulianDay(jd));
        return !full();
    }

    qint64 lo = 0;
    qint64 hi = -1;
    qsizetype limit = 0;
    bool open = false;
    QList<QDate> dates;
};

int daysInMonth(int year, int month)
{
    return QDate(year, month, 1).daysInMonth();
}

// Months counted from a fixed origin, so that stepping by M months is addition.
qint64 monthIndex(const QDate &d)
{
    return qint64(d.year()) * 12 + (d.month() - 1);
}

void splitMonthIndex(qint64 index, int &year, int &month)
{
    const qint64 y = floorDiv(index, 12);
    year = int(y);
    month = int(index - y * 12) + 1;
}

// The nth (1-4; 5 = last) weekday (Monday 1 .. Sunday 7) of a month.
QDate nthWeekdayOf(int year, int month, int nth, int weekday)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    if (nth == 5) {
        const int last = first.daysInMonth();
        const QDate lastDay(year, month, last);
        return QDate(year, month, last - (lastDay.dayOfWeek() - weekday + 7) % 7);
    }
    const int offset = (weekday - first.dayOfWeek() + 7) % 7;
    return QDate(year, month, 1 + offset + (nth - 1) * 7);
}

// Dates of a monthly rhythm: one date per month, in the month holding the first
// occurrence on or after the start date and every M-th month after it.
// `inMonth(year, month)` gives the month's date (invalid: none that month).
template <typename InMonth>
QList<QDate> monthlySeries(const ExpansionBounds &b, int everyMonths, InMonth inMonth)
{
    Collector c(b);
    if (!c.open || everyMonths <= 0)
        return {};

    // The month of the first occurrence: the start date's own month when its
    // date there is not before the start, else the next month.
    qint64 first = monthIndex(b.startDate);
    {
        int y, m;
        splitMonthIndex(first, y, m);
        const QDate d = inMonth(y, m);
        if (!d.isValid() || d < b.startDate)
            ++first;
    }

    const qint64 loMonth = monthIndex(QDate::fromJulianDay(c.lo));
    const qint64 hiMonth = monthIndex(QDate::fromJulianDay(c.hi));
    qint64 k = std::max<qint64>(0, ceilDiv(loMonth - first, everyMonths));
    for (qint64 idx = first + k * everyMonths; idx <= hiMonth; idx += everyMonths) {
        int y, m;
        splitMonthIndex(idx, y, m);
        const QDate d = inMonth(y, m);
        if (!d.isValid())
            continue;
        const qint64 jd = d.toJulianDay();
        if (jd > c.hi)
            break;
        if (jd >= c.lo && !c.add(jd))
            break;
    }
    return c.dates;
}

// Dates of a yearly rhythm: `inYear(year)` gives the year's date (invalid:
// none that year), every year from the start on.
template <typename InYear>
QList<QDate> yearlySeries(const ExpansionBounds &b, InYear inYear)
{
    Collector c(b);
    if (!c.open)
        return {};
    const int lastYear = QDate::fromJulianDay(c.hi).year();
    for (int y = QDate::fromJulianDay(c.lo).year(); y <= lastYear; ++y) {
        const QDate d = inYear(y);
        if (!d.isValid())
            continue;
        const qint64 jd = d.toJulianDay();
        if (c.inside(jd) && !c.add(jd))
            break;
    }
    return c.dates;
}

} // namespace

int remainingOccurrences(int occurrences, int doneOnOtherSchedules)
{
    if (occurrences <= 0)
        return 0;
    const qint64 left = qint64(occurrences) - std::max(0, doneOnOtherSchedules);
    return left > 0 ? int(left) : -1;
}

QList<QDate> CheckDailyDays(const ExpansionBounds &b, int everyDays)
{
    Collector c(b);
    if (!c.open || everyDays <= 0)
        return {};
    const qint64 start = b.startDate.toJulianDay();
    for (qint64 jd = start + ceilDiv(c.lo - start, everyDays) * everyDays; jd <= c.hi; jd += everyDays) {
        if (!c.add(jd))
            break;
    }
    return c.dates;
}

QList<QDate> CheckDailyWeekdays(const ExpansionBounds &b)
{
    Collector c(b);
    if (!c.open)
        return {};
    qint64 jd = c.lo;
    while (jd <= c.hi) {
        const int dow = QDate::fromJulianDay(jd).dayOfWeek();
        if (dow == 6) {
            jd += 2;
        } else if (dow == 7) {
            jd += 1;
        } else {
            if (!c.add(jd))
                break;
            ++jd;
        }
    }
    return c.dates;
}

QList<QDate> CheckWeekly(const ExpansionBounds &b, int everyWeeks, int weekdaySet)
{
    Collector c(b);
    if (!c.open || everyWeeks <= 0 || (weekdaySet & 127) == 0)
        return {};
    const qint64 start = b.startDate.toJulianDay();
    const qint64 step = qint64(everyWeeks) * 7;
    // The first block whose last day (block start + 6) reaches the first day
    // allowed; a block that began before the period still gives its days in it.
    const qint64 firstBlock = std::max<qint64>(0, ceilDiv(c.lo - start - 6, step));
    for (qint64 block = start + firstBlock * step; block <= c.hi; block += step) {
        for (qint64 jd = std::max(block, c.lo); jd <= std::min(block + 6, c.hi); ++jd) {
            if (maskHasWeekday(weekdaySet, QDate::fromJulianDay(jd).dayOfWeek()) && !c.add(jd))
                return c.dates;
        }
    }
    return c.dates;
}

QList<QDate> CheckMonthlyDay(const ExpansionBounds &b, int dayOfMonth, int everyMonths)
{
    if (dayOfMonth <= 0)
        return {};
    return monthlySeries(b, everyMonths, [dayOfMonth](int y, int m) {
        return QDate(y, m, std::min(dayOfMonth, daysInMonth(y, m)));
    });
}

QList<QDate> CheckMonthlyLastDay(const ExpansionBounds &b, int everyMonths)
{
    return monthlySeries(b, everyMonths, [](int y, int m) { return QDate(y, m, daysInMonth(y, m)); });
}

QList<QDate> CheckMonthlyOccurrence(const ExpansionBounds &b, int nth, int weekday, int everyMonths)
{
    if (nth < 1 || nth > 5 || weekday < 1 || weekday > 7)
        return {};
    return monthlySeries(b, everyMonths, [nth, weekday](int y, int m) { return nthWeekdayOf(y, m, nth, weekday); });
}

QList<QDate> CheckYearlyDay(const ExpansionBounds &b, int month, int dayOfMonth)
{
    // 29 February exists in leap years only; a day no year's month has (31
    // April) gives nothing.
    if (month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > daysInMonth(2000, month))
        return {};
    return yearlySeries(b, [month, dayOfMonth](int y) { return QDate(y, month, dayOfMonth); });
}

QList<QDate> CheckYearlyOccurrence(const ExpansionBounds &b, int nth, int weekday, int month)
{
    if (nth < 1 || nth > 5 || weekday < 1 || weekday > 7 || month < 1 || month > 12)
        return {};
    return yearlySeries(b, [nth, weekday, month](int y) { return nthWeekdayOf(y, month, nth, weekday); });
}

QList<QDate> expandOccurrences(const QDate &startDate, const QDate &endDate, int frequency, int remaining,
                               const QDate &from, const QDate &to)
{
    const ExpansionBounds b{startDate, endDate, remaining, from, to};
    const RecurrenceRule r = decodeRule(frequency);
    switch (r.kind) {
    case RecurrenceKind::None:
        return {};
    case RecurrenceKind::EveryNDays:
        return CheckDailyDays(b, r.days);
    case RecurrenceKind::EveryWeekday:
        return CheckDailyWeekdays(b);
    case RecurrenceKind::Weekly:
        return CheckWeekly(b, r.weeks, r.weekdayMask);
    case RecurrenceKind::MonthlyDay:
        return CheckMonthlyDay(b, r.dayOfMonth, r.months);
    case RecurrenceKind::MonthlyLastDay:
        return CheckMonthlyLastDay(b, r.months);
    case RecurrenceKind::MonthlyNthWeekday:
        return CheckMonthlyOccurrence(b, r.nth, r.weekday, r.months);
    case RecurrenceKind::YearlyDate:
        return CheckYearlyDay(b, r.month, r.dayOfMonth);
    case RecurrenceKind::YearlyNthWeekday:
        return CheckYearlyOccurrence(b, r.nth, r.weekday, r.month);
    }
    return {};
}

} // namespace wvs
