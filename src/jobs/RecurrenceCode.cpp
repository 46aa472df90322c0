#include "jobs/RecurrenceCode.h"

#include <cmath>
#include <optional>

namespace wvs {

namespace {

// A box's number as a whole number, a half going to the even neighbour; empty
// when it is not a finite number or falls outside [low, high].
std::optional<int> wholeIn(double value, int low, int high)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
    if (r < low || r > high)
        return std::nullopt;
    return static_cast<int>(r);
}

// A list position as the digit it contributes: position + 1, 0 for no choice.
std::optional<int> listDigit(int position, int entries)
{
    if (position < -1 || position >= entries)
        return std::nullopt;
    return position + 1;
}

// A position read from a digit, or -1 when the digit names no entry.
int positionOf(int value, int entries)
{
    return (value >= 1 && value <= entries) ? value - 1 : -1;
}

int monthLength(int month)
{
    static const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (month >= 1 && month <= 12) ? lengths[month - 1] : 31;
}

FrequencyEncoding fault(const char *control)
{
    return FrequencyEncoding{0, QString::fromLatin1(control)};
}

} // namespace

RecurrenceKind recurrenceKind(int code)
{
    if (code >= 1 && code <= 365)
        return RecurrenceKind::EveryNDays;
    if (code >= 366 && code <= 999)
        return RecurrenceKind::EveryWeekday;
    if (code > 100000 && code < 200000)
        return RecurrenceKind::Weekly;
    if (code > 10000 && code < 19000)
        return RecurrenceKind::MonthlyDay;
    if (code > 19000 && code < 20000)
        return RecurrenceKind::MonthlyLastDay;
    if (code > 20000 && code < 30000)
        return RecurrenceKind::MonthlyNthWeekday;
    if (code > 30000 && code < 40000)
        return RecurrenceKind::YearlyDate;
    if (code > 40000 && code < 50000)
        return RecurrenceKind::YearlyNthWeekday;
    return RecurrenceKind::None;
}

int weekdaysOfMask(int mask)
{
    if (mask <= 0)
        return 0;
    int k = mask;
    int set = 0;
    // From Sunday (64) down to Tuesday (2): a value above the next lower
    // power's double counts the day once.
    for (int bit = 64; bit >= 2; bit /= 2) {
        if (k > bit - 1) {
            set |= bit;
            k -= bit;
        }
    }
    if (k > 0)
        set |= 1;
    return set;
}

bool maskHasWeekday(int weekdaySet, int dayOfWeek)
{
    return dayOfWeek >= 1 && dayOfWeek <= 7 && (weekdaySet & (1 << (dayOfWeek - 1))) != 0;
}

RecurrenceRule decodeRule(int code)
{
    RecurrenceRule r;
    r.kind = recurrenceKind(code);
    switch (r.kind) {
    case RecurrenceKind::None:
    case RecurrenceKind::EveryWeekday:
        break;
    case RecurrenceKind::EveryNDays:
        r.days = code;
        break;
    case RecurrenceKind::Weekly:
        r.weeks = code / 1000 - 100;
        r.weekdayMask = weekdaysOfMask(code % 1000);
        break;
    case RecurrenceKind::MonthlyDay:
        r.dayOfMonth = code / 100 - 100;
        r.months = code % 100;
        break;
    case RecurrenceKind::MonthlyLastDay:
        r.months = code - 19900;
        break;
    case RecurrenceKind::MonthlyNthWeekday:
        r.nth = code / 1000 - 20;
        r.weekday = (code / 100) % 10;
        r.months = code % 100;
        break;
    case RecurrenceKind::YearlyDate:
        r.month = code / 100 - 300;
        r.dayOfMonth = code % 100;
        break;
    case RecurrenceKind::YearlyNthWeekday:
        r.nth = code / 1000 - 40;
        r.weekday = (code / 100) % 10;
        r.month = code % 100;
        break;
    }
    return r;
}

FrequencyEncoding encodeFrequency(const FrequencySettings &s)
{
    switch (s.option) {
    case FrequencyOption::None:
        return {};

    case FrequencyOption::Daily: {
        if (s.subOption != 1)
            return {399, {}};
        const auto n = wholeIn(s.dailyText1, 1, 365);
        if (!n)
            return fault("DailyText1");
        return {*n, {}};
    }

    case FrequencyOption::Weekly: {
        const auto k = wholeIn(s.weeklyText1, 1, 52);
        if (!k)
            return fault("WeeklyText1");
        if (s.weekdayMask < 0 || s.weekdayMask > 127)
            return fault("MondayCheck");
        return {100000 + *k * 1000 + s.weekdayMask, {}};
    }

    case FrequencyOption::Monthly: {
        if (s.subOption == 1) {
            const auto d = wholeIn(s.monthlyText1, 1, 31);
            if (!d)
                return fault("MonthlyText1");
            const auto m = wholeIn(s.monthlyText2, 1, 12);
            if (!m)
                return fault("MonthlyText2");
            return {10000 + *d * 100 + *m, {}};
        }
        if (s.subOption == 2) {
            const auto n = listDigit(s.monthlyCombo1, 5);
            if (!n)
                return fault("MonthlyCombo1");
            const auto w = listDigit(s.monthlyCombo2, 7);
            if (!w)
                return fault("MonthlyCombo2");
            const auto m = wholeIn(s.monthlyText3, 1, 12);
            if (!m)
                return fault("MonthlyText3");
            return {20000 + *n * 1000 + *w * 100 + *m, {}};
        }
        const auto m = wholeIn(s.monthlyText4, 1, 12);
        if (!m)
            return fault("MonthlyText4");
        return {19900 + *m, {}};
    }

    case FrequencyOption::Yearly: {
        if (s.subOption == 1) {
            const auto month = listDigit(s.yearlyCombo1, 12);
            if (!month)
                return fault("YearlyCombo1");
            const auto day = wholeIn(s.yearlyText1, 1, monthLength(*month));
            if (!day)
                return fault("YearlyText1");
            return {30000 + *month * 100 + *day, {}};
        }
        const auto n = listDigit(s.yearlyCombo2, 5);
        if (!n)
            return fault("YearlyCombo2");
        const auto w = listDigit(s.yearlyCombo3, 7);
        if (!w)
            return fault("YearlyCombo3");
        const auto month = listDigit(s.yearlyCombo4, 12);
        if (!month)
            return fault("YearlyCombo4");
        return {40000 + *n * 1000 + *w * 100 + *month, {}};
    }
    }
    return {};
}

FrequencyOption frequencyOptionOf(int code)
{
    if (code >= 1 && code <= 999)
        return FrequencyOption::Daily;
    if (code >= 100001 && code <= 199999)
        return FrequencyOption::Weekly;
    if (code >= 10001 && code <= 29999)
        return FrequencyOption::Monthly;
    if (code >= 30001 && code <= 49999)
        return FrequencyOption::Yearly;
    return FrequencyOption::None;
}

FrequencySettings decodeFrequency(int code)
{
    FrequencySettings s;
    s.option = frequencyOptionOf(code);
    switch (s.option) {
    case FrequencyOption::None:
        break;

    case FrequencyOption::Daily:
        if (code >= 366) {
            s.subOption = 2;
        } else {
            s.subOption = 1;
            s.dailyText1 = code;
        }
        break;

    case FrequencyOption::Weekly:
        s.weeklyText1 = code / 1000 - 100;
        s.weekdayMask = weekdaysOfMask(code % 1000);
        break;

    case FrequencyOption::Monthly:
        if (code <= 18999) {
            s.subOption = 1;
            s.monthlyText1 = code / 100 - 100;
            s.monthlyText2 = code % 100;
        } else if (code >= 19001 && code <= 19999) {
            s.subOption = 3;
            s.monthlyText4 = code - 19900;
        } else {  // 19000 and 20000 .. 29999
            s.subOption = 2;
            s.monthlyCombo1 = positionOf(code / 1000 - 20, 5);
            s.monthlyCombo2 = positionOf((code / 100) % 10, 7);
            s.monthlyText3 = code % 100;
        }
        break;

    case FrequencyOption::Yearly:
        if (code <= 39999) {
            s.subOption = 1;
            s.yearlyCombo1 = positionOf(code / 100 - 300, 12);
            s.yearlyText1 = code % 100;
        } else {  // 40000 .. 49999
            s.subOption = 2;
            s.yearlyCombo2 = positionOf(code / 1000 - 40, 5);
            s.yearlyCombo3 = positionOf((code / 100) % 10, 7);
            s.yearlyCombo4 = positionOf(code % 100, 12);
        }
        break;
    }
    return s;
}

} // namespace wvs
