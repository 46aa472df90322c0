#pragma once
#include <QString>

// The recurrence code stored in CustomerJobs.Frequency: one number whose range
// selects the kind of recurrence and whose decimal digits carry its parameters.
//
//   Every N days                 N                                  1 .. 365
//   Every weekday                399 (any of 366 .. 999)
//   Weekly                       100000 + K*1000 + mask             K weeks, mask Mon 1 .. Sun 64
//   Monthly on day D             10000 + D*100 + M                  every M months
//   Monthly on the last day      19900 + M
//   Monthly on the Nth weekday   20000 + N*1000 + W*100 + M         N 1..4, 5 = last; W Mon 1 .. Sun 7
//   Yearly on a date             30000 + month*100 + day
//   Yearly on the Nth weekday    40000 + N*1000 + W*100 + month
//   No recurrence                0
//
// Two readings of the ranges exist. The customer-job dialog shows every code of
// 1-999, 10001-29999, 30001-49999 and 100001-199999 in one of its four frames
// (so 19000, 20000 and 40000 open a frame with no list entry chosen). Every
// other reader (schedules, the job list, the e-mail) gives 19000, 20000, 30000
// and 40000 no kind and so no dates.
namespace wvs {

// ---------------------------------------------------------------------------
// Kinds as the schedules, the job list and the e-mail read them.

enum class RecurrenceKind {
    None,               // 0, out of every range, 19000, 20000, 30000, 40000
    EveryNDays,         // 1 .. 365
    EveryWeekday,       // 366 .. 999
    Weekly,             // 100001 .. 199999
    MonthlyDay,         // 10001 .. 18999
    MonthlyLastDay,     // 19001 .. 19999
    MonthlyNthWeekday,  // 20001 .. 29999
    YearlyDate,         // 30001 .. 39999
    YearlyNthWeekday,   // 40001 .. 49999
};

RecurrenceKind recurrenceKind(int code);

// The parameters of a code, read from its digits. Fields a kind does not use
// stay 0. Values are as the digits give them: a code the dialog never writes
// may carry 0 weeks, a weekday 8 or a month 13; such a rule denotes no date.
struct RecurrenceRule {
    RecurrenceKind kind = RecurrenceKind::None;
    int days = 0;          // EveryNDays: the interval
    int weeks = 0;         // Weekly: K
    int weekdayMask = 0;   // Weekly: the days as a 7-bit set (Monday 1 .. Sunday 64), see weekdaysOfMask
    int dayOfMonth = 0;    // MonthlyDay: D; YearlyDate: the day
    int months = 0;        // Monthly kinds: every M months (negative for a last-day code below 19900)
    int nth = 0;           // NthWeekday kinds: 1 .. 4, 5 = the last
    int weekday = 0;       // NthWeekday kinds: Monday 1 .. Sunday 7
    int month = 0;         // Yearly kinds: January 1 .. December 12
};

RecurrenceRule decodeRule(int code);

// The weekdays a weekly mask names. A mask above 127 is taken apart greedily
// from the top: above 63 counts Sunday and takes 64 away, then above 31
// Saturday, and so on down to Monday, so every mask names some set of days.
// The result is a 7-bit set, Monday 1 .. Sunday 64.
int weekdaysOfMask(int mask);

// True when the 7-bit set holds dayOfWeek (Monday 1 .. Sunday 7).
bool maskHasWeekday(int weekdaySet, int dayOfWeek);

// ---------------------------------------------------------------------------
// The customer-job dialog's frequency controls as values. Fields are named after
// the controls they stand for. Numbers are what the boxes hold (the encoder
// rounds each to a whole number, a half to the even neighbour); list fields are
// 0-based positions, -1 when no entry is chosen; weekdayMask is the sum of the
// ticked boxes, MondayCheck 1 .. SundayCheck 64.

enum class FrequencyOption { None, Daily, Weekly, Monthly, Yearly };  // DailyOption .. YearlyOption

struct FrequencySettings {
    FrequencyOption option = FrequencyOption::None;
    // The selected sub-option of the frame, 0 when none:
    //   Daily   1 DailyOption1 (every N days), 2 DailyOption2 (every weekday)
    //   Monthly 1 MonthlyOption1 (day D), 2 MonthlyOption2 (Nth weekday), 3 MonthlyOption3 (last day)
    //   Yearly  1 YearlyOption1 (date), 2 YearlyOption2 (Nth weekday of a month)
    int subOption = 0;

    double dailyText1 = 0;     // every N days
    double weeklyText1 = 0;    // every K weeks
    int weekdayMask = 0;       // MondayCheck .. SundayCheck
    double monthlyText1 = 0;   // day D of the month
    double monthlyText2 = 0;   // ... of every M months
    int monthlyCombo1 = -1;    // "1st" .. "4th", "Last"
    int monthlyCombo2 = -1;    // "Monday" .. "Sunday"
    double monthlyText3 = 0;   // ... of every M months
    double monthlyText4 = 0;   // the last day of every M months
    int yearlyCombo1 = -1;     // "January" .. "December"
    double yearlyText1 = 0;    // the day
    int yearlyCombo2 = -1;     // "1st" .. "4th", "Last"
    int yearlyCombo3 = -1;     // "Monday" .. "Sunday"
    int yearlyCombo4 = -1;     // "January" .. "December"

    bool operator==(const FrequencySettings &) const = default;
};

// The outcome of encoding: the code, or the objectName of the control whose
// value cannot be stored in its digits (empty, fractional beyond rounding, out
// of bounds, a list position past the list's end). On a fault the code is 0.
struct FrequencyEncoding {
    int code = 0;
    QString faultControl;
    bool ok() const { return faultControl.isEmpty(); }
};

// Builds the code from the controls. Exactly one branch runs, chosen by
// `option`; within it the sub-option picks the formula. A Daily frame with no
// sub-option gives 399, a Monthly frame with neither day nor weekday chosen
// gives the last-day code, a Yearly frame without YearlyOption1 the weekday
// code; no option gives 0. Numbers must lie within what the dialog accepts
// (days 1-365, weeks 1-52, day of month 1-31, months 1-12, a yearly day within
// the month, 29 February allowed); a list with nothing chosen adds 0 to its
// digit, as does an empty set of weekdays.
FrequencyEncoding encodeFrequency(const FrequencySettings &settings);

// Which frame the dialog selects for a stored code (1-999 Daily, 100001-199999
// Weekly, 10001-29999 Monthly, 30001-49999 Yearly; any other code none).
FrequencyOption frequencyOptionOf(int code);

// The controls a stored code shows: the frame, its sub-option and the values
// of its boxes, lists and weekday boxes; the other fields keep their defaults.
// A digit that names no list entry (an occurrence above 5, a weekday above 7,
// a month above 12, or 0) gives position -1, so the list shows no choice. A
// code outside every frame gives option None.
FrequencySettings decodeFrequency(int code);

} // namespace wvs
