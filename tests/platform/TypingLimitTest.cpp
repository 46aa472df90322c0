#include "platform/TypingLimit.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

TEST(TypingLimit, ValuesSetByTheProgramStayWholeWhileTypingStopsAtTheLimit)
{
    QLineEdit box;
    TypingLimit::apply(&box, 8);
    box.setText(QStringLiteral("$1,234.56"));
    EXPECT_EQ(box.text(), QStringLiteral("$1,234.56"));
    box.setText(QStringLiteral("$12,345,678.00"));
    EXPECT_EQ(box.text(), QStringLiteral("$12,345,678.00"));

    // An over-long value takes no more typing, but it can be shortened.
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, QStringLiteral("9"));
    EXPECT_EQ(box.text(), QStringLiteral("$12,345,678.00"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("$12,345,678.0"));

    box.clear();
    QTest::keyClicks(&box, QStringLiteral("123456789"));
    EXPECT_EQ(box.text(), QStringLiteral("12345678"));
    // Typing over a selection of the same length is no lengthening.
    box.setSelection(0, 1);
    QTest::keyClicks(&box, QStringLiteral("9"));
    EXPECT_EQ(box.text(), QStringLiteral("92345678"));
}

TEST(TypingLimit, APasteIsCutWithoutSplittingACharacter)
{
    QLineEdit box;
    TypingLimit::apply(&box, 4);
    box.setText(QStringLiteral("ab"));
    box.end(false);
    box.setModified(false);
    const QString thumbs = QString::fromUtf8("\xF0\x9F\x91\x8D"); // two UTF-16 units
    box.insert(QStringLiteral("c") + thumbs + QStringLiteral("d"));
    EXPECT_EQ(box.text(), QStringLiteral("abc"));
    EXPECT_EQ(box.cursorPosition(), 3);

    box.setText(QStringLiteral("ab"));
    box.home(false);
    box.insert(thumbs + QStringLiteral("x"));
    EXPECT_EQ(box.text(), thumbs + QStringLiteral("ab"));

    // A letter with its combining accent is one character.
    box.setText(QStringLiteral("abc"));
    box.end(false);
    box.insert(QStringLiteral("e\u0301"));
    EXPECT_EQ(box.text(), QStringLiteral("abc"));

    EXPECT_EQ(TypingLimit::cutToLimit(QStringLiteral("ab") + thumbs, 3), QStringLiteral("ab"));
    EXPECT_EQ(TypingLimit::cutToLimit(QStringLiteral("ab") + thumbs, 4), QStringLiteral("ab") + thumbs);
}

} // namespace
