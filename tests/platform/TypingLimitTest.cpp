#include "platform/TypingLimit.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

TEST(TypingLimit, ValuesSetByTheProgramStayWholeWhileTypingAndPastesStopAtTheLimit)
{
    QLineEdit box;
    TypingLimit::apply(&box, 8);
    box.setText("$12,345,678.00");
    EXPECT_EQ(box.text(), "$12,345,678.00");
    // An over-long value takes no more typing, but it can be shortened.
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, "9");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "$12,345,678.0");

    box.clear();
    QTest::keyClicks(&box, "123456789");
    EXPECT_EQ(box.text(), "12345678");
    // Typing over a selection of the same length is no lengthening.
    box.setSelection(0, 1);
    QTest::keyClicks(&box, "9");
    EXPECT_EQ(box.text(), "92345678");

    // A paste is cut without splitting a character.
    TypingLimit::apply(&box, 4);
    box.setText("ab");
    box.end(false);
    const QString thumbs = QString::fromUtf8("\xF0\x9F\x91\x8D"); // two UTF-16 units
    box.insert("c" + thumbs + "d");
    EXPECT_EQ(box.text(), "abc");
    box.setText("ab");
    box.home(false);
    box.insert(thumbs + "x");
    EXPECT_EQ(box.text(), thumbs + "ab");
    // A letter with its combining accent is one character.
    box.setText("abc");
    box.end(false);
    box.insert("e\u0301");
    EXPECT_EQ(box.text(), "abc");
    // A pasted line break of any kind becomes a blank; trailing ones are dropped.
    // What no one-line value holds never reaches the box.
    TypingLimit::apply(&box, 0);
    const struct {
        QString pasted, kept;
    } breaks[] = {
        {"one\r\ntwo\nthree\r\n\n", "one two three"},
        {QStringLiteral("one\u2028two\u2028"), "one two"},   // line separator
        {QStringLiteral("one\u2029two\u2029"), "one two"},   // paragraph separator
        {QStringLiteral("one\u0085two\u0085"), "one two"},   // next line
        {"one\vtwo\v", "one two"},
        {"one\ftwo\f", "one two"},
        // A tab is a blank; the other control characters, NUL among them, are dropped.
        {"one\ttwo", "one two"},
        {QString::fromLatin1("one\0two", 7), "onetwo"},
        {"one\atwo", "onetwo"},
        {"one\x1btwo", "onetwo"},
        {"one\x7ftwo", "onetwo"},
        {QString::fromLatin1("a\x01" "b\x07" "c\x1b" "d\x7f" "e\tf\0g\x1f", 14), "abcde fg"},
    };
    for (const auto &b : breaks) {
        box.clear();
        box.insert(b.pasted);
        EXPECT_EQ(box.text(), b.kept) << b.pasted.toStdString();
    }
}

} // namespace
