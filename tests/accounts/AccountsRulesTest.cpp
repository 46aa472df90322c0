#include "accounts/AccountsFileWriter.h"
#include "accounts/InvoiceNumbering.h"
#include "accounts/RoundAdvModule.h"
#include "accounts/Windows1252.h"
#include "support/QtPrinters.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

TEST(RoundAdvTest, RoundsHalvesAwayFromZeroOnTheDecimalDigits)
{
    for (const auto &[value, rounded] : {std::pair{86.9565, 86.96}, {2.345, 2.35}, {-2.345, -2.35},
                                         {1.00445, 1.0} /* four decimals first: 1.0044 */, {99.995, 100.0},
                                         {123456.785, 123456.79}})
        EXPECT_DOUBLE_EQ(RoundAdv(value, 2), rounded) << value;
}

TEST(InvoiceNumberingTest, CountsUpTheTrailingDigitsKeepingTheirWidth)
{
    auto run = [](const QString &start, int n) {
        QStringList out;
        auto numbers = InvoiceNumbering::fromStart(start);
        for (int i = 0; numbers && i < n; ++i)
            out << numbers->next();
        return out;
    };
    EXPECT_EQ(run("0041", 2), QStringList({"0041", "0042"}));
    EXPECT_EQ(run("INV0041", 2), QStringList({"INV0041", "INV0042"}));
    EXPECT_EQ(run("0998", 3), QStringList({"0998", "0999", "1000"}));
    EXPECT_EQ(run("A99", 2), QStringList({"A99", "A100"}));
    EXPECT_EQ(run("2026-17", 1), QStringList({"2026-17"}));

    EXPECT_EQ(InvoiceNumbering::refusal(""), "Please enter a starting invoice number");
    EXPECT_TRUE(InvoiceNumbering::refusal("X" + QString(19, '9')).startsWith("The number at the end"));
    EXPECT_EQ(InvoiceNumbering::refusal("X000" + QString(18, '9')), "");
    EXPECT_FALSE(InvoiceNumbering::fromStart("X" + QString(19, '9')));
}

TEST(AccountsFileRulesTest, AmountsHaveNoForcedDecimalsAndEachPackageItsCodePage)
{
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(10000)), "100");
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(1250)), "12.5");
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(-325)), "-3.25");
    EXPECT_EQ(AccountsFileRules::amount(Money::fromCents(12345678905)), "123456789.05");
    EXPECT_EQ(AccountsFileRules::line(AccountsPackage::MYOB, {"Zoë", "\"Hi\" there", "a\nb"}),
              QByteArray("Zo\xEB,\"\"\"Hi\"\" there\",a b\r\n"));
    EXPECT_EQ(AccountsFileRules::line(AccountsPackage::Xero, {"Zoë", "x\r\ny"}), QByteArray("Zo\xC3\xAB,\"x\r\ny\"\r\n"));
    // MYOB files are in Windows-1252: its quotes, dashes and euro survive.
    EXPECT_EQ(AccountsFileRules::line(AccountsPackage::MYOB, {"O’Neil – “€5”", "Ōrākei 😀"}),
              QByteArray("O\x92Neil \x96 \x93\x80" "5\x94,?r?kei ?\r\n"));
}

TEST(Windows1252Test, TheProgramsTableAgreesWithTheSystemsConverter)
{
    if (!QStringDecoder("windows-1252").isValid())
        GTEST_SKIP() << "no system converter for windows-1252";
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = Windows1252::decode(all);
    EXPECT_EQ(Windows1252::decodeByTable(all), text);
    EXPECT_EQ(Windows1252::encodeByTable(text), all);
    EXPECT_EQ(Windows1252::encode(text), all);
    EXPECT_EQ(Windows1252::encodeByTable("Ā😀\u0080"), "???");
    EXPECT_EQ(Windows1252::encode("Ā😀\u0080"), "???");
}

} // namespace
