#include "jobs/RecurrenceCode.h"

#include <gtest/gtest.h>

using namespace wvs;

namespace {

constexpr int Mon = 1, Tue = 2, Wed = 4, Thu = 8, Fri = 16, Sat = 32, Sun = 64;

using O = FrequencyOption;
FrequencySettings daily(int sub, double days = 0) { return {.option = O::Daily, .subOption = sub, .dailyText1 = days}; }
FrequencySettings weekly(double weeks, int mask) { return {.option = O::Weekly, .weeklyText1 = weeks, .weekdayMask = mask}; }
FrequencySettings monthlyDay(double day, double months) { return {.option = O::Monthly, .subOption = 1, .monthlyText1 = day, .monthlyText2 = months}; }
FrequencySettings monthlyNth(int nth, int weekday, double months)
{ return {.option = O::Monthly, .subOption = 2, .monthlyCombo1 = nth, .monthlyCombo2 = weekday, .monthlyText3 = months}; }
FrequencySettings monthlyLast(double months) { return {.option = O::Monthly, .subOption = 3, .monthlyText4 = months}; }
FrequencySettings yearlyDate(int month, double day) { return {.option = O::Yearly, .subOption = 1, .yearlyCombo1 = month, .yearlyText1 = day}; }
FrequencySettings yearlyNth(int nth, int weekday, int month)
{ return {.option = O::Yearly, .subOption = 2, .yearlyCombo2 = nth, .yearlyCombo3 = weekday, .yearlyCombo4 = month}; }

} // namespace

// Each worked example encodes to its code, and the code shows the same controls again.
TEST(RecurrenceCode, WorkedExamplesEncodeAndDecode)
{
    const struct { FrequencySettings settings; int code; } examples[] = {
        {daily(1, 3), 3}, {daily(2), 399}, {weekly(1, Mon), 101001}, {weekly(2, Mon | Thu), 102009},
        {weekly(1, Sat | Sun), 101096}, {weekly(52, 127), 152127}, {monthlyDay(15, 1), 11501},
        {monthlyDay(31, 3), 13103}, {monthlyDay(1, 12), 10112}, {monthlyLast(2), 19902},
        {monthlyNth(1, 1, 1), 22201}, {monthlyNth(4, 4, 3), 25503},   // 2nd Tuesday, last Friday
        {yearlyDate(11, 25), 31225}, {yearlyDate(0, 1), 30101},
        {yearlyNth(0, 0, 8), 41109}, {yearlyNth(4, 6, 2), 45703},    // 1st Monday of September, last Sunday of March
        {FrequencySettings{}, 0},
    };
    for (const auto &e : examples) {
        const FrequencyEncoding enc = encodeFrequency(e.settings);
        EXPECT_TRUE(enc.ok()) << e.code << " " << enc.faultControl.toStdString();
        EXPECT_EQ(enc.code, e.code);
        EXPECT_EQ(decodeFrequency(e.code), e.settings) << e.code;
    }
}

// Every code the dialog can write shows controls that save back to the same code.
TEST(RecurrenceCode, EveryDialogCodeRoundTrips)
{
    std::vector<int> codes{399};
    for (int n = 1; n <= 365; ++n)
        codes.push_back(n);
    for (int k = 1; k <= 52; ++k)
        for (int mask = 1; mask <= 127; ++mask)
            codes.push_back(100000 + k * 1000 + mask);
    for (int m = 1; m <= 12; ++m) {
        codes.push_back(19900 + m);
        for (int day = 1; day <= 31; ++day)
            codes.push_back(10000 + day * 100 + m);
        for (int n = 1; n <= 5; ++n)
            for (int w = 1; w <= 7; ++w) {
                codes.push_back(20000 + n * 1000 + w * 100 + m);
                codes.push_back(40000 + n * 1000 + w * 100 + m);
            }
        const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int day = 1; day <= lengths[m - 1]; ++day)
            codes.push_back(30000 + m * 100 + day);
    }
    int failures = 0;
    for (int code : codes) {
        const FrequencySettings shown = decodeFrequency(code);
        const FrequencyEncoding saved = encodeFrequency(shown);
        if ((!saved.ok() || saved.code != code) && ++failures <= 10)
            ADD_FAILURE() << code << " saved again as " << saved.code << " " << saved.faultControl.toStdString();
        // The schedules read the same code as a kind with dates.
        if (recurrenceKind(code) == RecurrenceKind::None && ++failures <= 10)
            ADD_FAILURE() << code << " has no kind";
    }
    EXPECT_EQ(failures, 0);
}

// The edges of the ranges: the dialog shows 1-999, 10001-29999, 30001-49999 and 100001-199999 in their
// frames and nothing else; the schedules, the list and the e-mail give 19000, 20000 and 40000 no kind either.
// 365 is every 365 days, 366 every weekday.
TEST(RecurrenceCode, RangesEndWhereTheyEnd)
{
    using K = RecurrenceKind;
    const struct { int code; FrequencyOption frame; RecurrenceKind kind; } edges[] = {
        {-1, O::None, K::None},          {0, O::None, K::None},
        {1, O::Daily, K::EveryNDays},    {365, O::Daily, K::EveryNDays},
        {366, O::Daily, K::EveryWeekday}, {999, O::Daily, K::EveryWeekday},
        {1000, O::None, K::None},        {10000, O::None, K::None},
        {10001, O::Monthly, K::MonthlyDay}, {18999, O::Monthly, K::MonthlyDay},
        {19000, O::Monthly, K::None},    {19001, O::Monthly, K::MonthlyLastDay},
        {19999, O::Monthly, K::MonthlyLastDay}, {20000, O::Monthly, K::None},
        {20001, O::Monthly, K::MonthlyNthWeekday}, {29999, O::Monthly, K::MonthlyNthWeekday},
        {30000, O::None, K::None},       {30001, O::Yearly, K::YearlyDate},
        {39999, O::Yearly, K::YearlyDate}, {40000, O::Yearly, K::None},
        {40001, O::Yearly, K::YearlyNthWeekday}, {49999, O::Yearly, K::YearlyNthWeekday},
        {50000, O::None, K::None},       {100000, O::None, K::None},
        {100001, O::Weekly, K::Weekly},  {199999, O::Weekly, K::Weekly},
        {200000, O::None, K::None},
    };
    for (const auto &e : edges) {
        EXPECT_EQ(frequencyOptionOf(e.code), e.frame) << e.code;
        EXPECT_EQ(decodeFrequency(e.code).option, e.frame) << e.code;
        EXPECT_EQ(recurrenceKind(e.code), e.kind) << e.code;
    }
    EXPECT_EQ(decodeFrequency(365), daily(1, 365));
    EXPECT_EQ(decodeFrequency(366), daily(2));
}
