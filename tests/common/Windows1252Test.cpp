#include "common/Windows1252.h"

#include "support/QtPrinters.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace wvs;

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
