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

TEST(Money, ParsesExactAmountsAndRefusesJunk)
{
    EXPECT_EQ(Money::parse("$1,234.05")->cents(), 123405);
    EXPECT_EQ(Money::parse("0.1")->cents(), 10);
    EXPECT_EQ(Money::parse("-3.25")->cents(), -325);
    EXPECT_FALSE(Money::parse("1.234"));
    EXPECT_FALSE(Money::parse("abc"));
    EXPECT_FALSE(Money::parse(""));
    EXPECT_EQ(Money::fromCents(123405).display("New Zealand"), "$1,234.05");
    EXPECT_EQ(Money::fromCents(-5).plain(), "-0.05");
}
