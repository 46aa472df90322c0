#pragma once
#include <QDate>
#include <QList>

// The dated occurrences of one customer job within a schedule's period.
//
// A job's dates are the dates its recurrence code denotes on or after its
// StartDate and, when it has one, on or before its EndDate, kept to the period
// [from, to]. With an occurrence limit only the first `remaining` of those, in
// date order, are returned: dates of the rhythm that fall before the period
// count neither way.
//
// The occurrence limit. For a job whose Occurrences is above 0:
//     remaining = Occurrences - (done occurrences of the job on OTHER schedules)
// where a done occurrence is a ScheduleJobs row of the job with a non-empty
// ActualServiceDate. The schedule being generated must be left out of that
// count: when a closed schedule is re-opened and generated again, its own done
// rows are occurrences it is about to show once more, and counting them would
// use up the job's occurrences against itself. remainingOccurrences() below
// turns the two numbers into the argument; when the done count has reached
// Occurrences it gives -1 and the job yields nothing (0 would mean "no limit").
//
// Nothing here reads the database or touches a window; the cost of a job grows
// with the dates it yields, not with the length of the period or the years
// since the job started.
namespace wvs {

// Dates of the job with recurrence code `frequency` in [from, to], ascending.
// A null endDate means the job has no end. remaining 0 sets no limit; above 0
// it is the most dates returned; below 0 the job's occurrences are used up and
// nothing is returned. A null startDate, from or to, or from after to, gives
// nothing, as does any code outside the kinds' ranges.
QList<QDate> expandOccurrences(const QDate &startDate, const QDate &endDate, int frequency, int remaining,
                               const QDate &from, const QDate &to);

// The `remaining` argument for a job: 0 (no limit) when occurrences is 0 or
// less, otherwise occurrences less doneOnOtherSchedules, or -1 when that
// leaves none.
int remainingOccurrences(int occurrences, int doneOnOtherSchedules);

// What every kind shares: the job's first and last day, the period and the
// occurrence limit, as expandOccurrences received them.
struct ExpansionBounds {
    QDate startDate;
    QDate endDate;       // null: no end
    int remaining = 0;   // 0 no limit, above 0 the most dates, below 0 none
    QDate from;
    QDate to;
};

// The expanders, one per kind of recurrence code, each given the parameters
// read from the code's digits. Each returns its dates within the bounds in
// ascending order; parameters that name no day (0 days, weeks or months, an
// empty weekday set, a weekday outside 1-7, an occurrence outside 1-5, a month
// outside 1-12, a day that month never has) give no dates.
QList<QDate> CheckDailyDays(const ExpansionBounds &b, int everyDays);
QList<QDate> CheckDailyWeekdays(const ExpansionBounds &b);
QList<QDate> CheckWeekly(const ExpansionBounds &b, int everyWeeks, int weekdaySet);
QList<QDate> CheckMonthlyDay(const ExpansionBounds &b, int dayOfMonth, int everyMonths);
QList<QDate> CheckMonthlyLastDay(const ExpansionBounds &b, int everyMonths);
QList<QDate> CheckMonthlyOccurrence(const ExpansionBounds &b, int nth, int weekday, int everyMonths);
QList<QDate> CheckYearlyDay(const ExpansionBounds &b, int month, int dayOfMonth);
QList<QDate> CheckYearlyOccurrence(const ExpansionBounds &b, int nth, int weekday, int month);

} // namespace wvs
