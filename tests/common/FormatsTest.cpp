#include "common/Formats.h"
#include "common/Money.h"

#include <gtest/gtest.h>

using namespace wvs;

TEST(Formats, ShortDateIsStrict)
{
    EXPECT_EQ(Formats::fromShortDate("29/02/2024"), QDate(2024, 2, 29));
    EXPECT_FALSE(Formats::fromShortDate("29/02/2025").isValid());
    EXPECT_FALSE(Formats::fromShortDate("1/2/2025").isValid());
}

// Amounts as a number is read: currency sign, grouping and decimal point
// taken, more decimals rounded to the cent with a half away from zero.
TEST(Money, ParsesAmountsToTheCentAndRefusesJunk)
{
    const std::pair<const char *, std::optional<qint64>> cases[] = {
        {"$1,234.05", 123405}, {"0.1", 10},  {"-3.25", -325},         {"1.234", 123},
        {"1.999", 200},        {"$1,234.5", 123450}, {"-1.005", -101}, {"0.0049", 0},
        {"1.2.3", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt},
    };
    for (const auto &[text, cents] : cases) {
        const std::optional<Money> m = Money::parse(text);
        EXPECT_EQ(m ? std::optional<qint64>(m->cents()) : std::nullopt, cents) << text;
    }
    EXPECT_EQ(Money::fromCents(123405).display("New Zealand"), "$1,234.05");
    EXPECT_EQ(Money::fromCents(-5).plain(), "-0.05");
}
