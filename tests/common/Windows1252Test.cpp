#include "common/Windows1252.h"
#include "platform/TypingLimit.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace wvs;

// The code page is Latin-1 but for the bytes 0x80 to 0x9F; the five bytes it
// leaves undefined read back as the control characters of the same numbers.
TEST(Windows1252Test, EveryByteReadsAsTheCodePagesCharacterAndWritesBack)
{
    const char16_t high[32] = {
        u'€', 0x81,  u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0x8D,  u'Ž', 0x8F,
        0x90,  u'‘', u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9D,  u'ž', u'Ÿ',
    };
    QByteArray all;
    QString expected;
    for (int b = 0; b < 256; ++b) {
        all += char(b);
        expected += (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(b);
    }
    EXPECT_EQ(Windows1252::decode(all), expected);
    EXPECT_EQ(Windows1252::encode(expected), all);
    // A character the code page lacks is one "?", a pair of surrogates too.
    EXPECT_EQ(Windows1252::encode("Ā😀\u0080Ō"), "????");
    EXPECT_EQ(Windows1252::asWritten("Zoë – “Best” €"), "Zoë – “Best” €");
}

// The five bytes the code page leaves undefined define no character: their
// characters are C1 control characters, which text bound for the portal
// never holds (the rule of control characters refuses them first), and a
// character the code page lacks is missing.
TEST(Windows1252Test, TheFiveUndefinedBytesDefineNoCharacter)
{
    for (const char16_t c : {u'\u0081', u'\u008D', u'\u008F', u'\u0090', u'\u009D'})
        EXPECT_TRUE(TypingLimit::isMended(QChar(c))) << int(c);
    EXPECT_EQ(Windows1252::firstMissing("AB\u0100CD"), "\u0100");
    EXPECT_EQ(Windows1252::firstMissing("Zoë – “Best” € ‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"), "");
}
