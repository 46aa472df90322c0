#include "common/AutoCompleteComboModule.h"
#include "common/ValidateEntryModule.h"
#include "platform/MessageBox.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace wvs;

TEST(ValidateEntry, RefusesInTheFixedOrder)
{
    MessageScript msgs;
    EXPECT_EQ(ValidateEntry("A=B", true).toInt(), 9);
    EXPECT_FALSE(ValidateEntry("Smith & Co", true).isValid());
    EXPECT_EQ(ValidateEntry("Smith & Co", false).toInt(), 9);
    EXPECT_EQ(msgs.last(), "Spaces not allowed in this field");
    EXPECT_FALSE(ValidateEntry("ABC_123", false).isValid());
    EXPECT_EQ(ValidateEntry("ABC-123", false).toInt(), 9);
    EXPECT_FALSE(ValidateEntry("", false).isValid());
    EXPECT_EQ(msgs.shown().size(), 3);
}

TEST(AutoMatchCBBox, CompletesSelectsCutsBackAndRefusesUnknownText)
{
    MessageScript msgs;
    QComboBox c;
    c.setEditable(true);
    c.addItems({"Albany", "Auckland", "Avondale"});
    c.setCurrentIndex(-1);
    c.lineEdit()->clear();
    EXPECT_EQ(AutoMatchCBBox(&c, 'a'), 0);
    EXPECT_EQ(AutoMatchCBBox(&c, 'u'), 0);
    EXPECT_EQ(c.currentText(), "Auckland");
    EXPECT_EQ(c.lineEdit()->selectedText(), "ckland");
    EXPECT_EQ(AutoMatchCBBox(&c, 8), 0);
    EXPECT_EQ(c.currentText(), "Au");
    EXPECT_EQ(c.lineEdit()->cursorPosition(), 2);
    EXPECT_TRUE(msgs.texts().isEmpty());

    // Unknown text, Enter, Escape and a backspace with nothing selected.
    c.lineEdit()->clear();
    AutoMatchCBBox(&c, 'a');
    EXPECT_EQ(AutoMatchCBBox(&c, 'x'), 0);
    EXPECT_EQ(msgs.last(), "Ax not found");
    EXPECT_EQ(c.currentText(), "Albany");
    EXPECT_EQ(AutoMatchCBBox(&c, 13), 13);
    EXPECT_EQ(c.lineEdit()->cursorPosition(), 6);
    EXPECT_EQ(AutoMatchCBBox(&c, 27), 0);
    EXPECT_EQ(c.currentText(), "Albany");
    EXPECT_EQ(AutoMatchCBBox(&c, 8), 0);
    EXPECT_EQ(c.currentText(), "Alban");
}

// Keys reach the type-ahead as a user's key presses do.
TEST(AutoMatchCBBox, SearchesOnlyPrintableKeysAndWholeCharacters)
{
    MessageScript msgs;
    QComboBox c;
    installAutoMatch(&c);
    c.addItems({"Albany", "😀 Bay"});
    c.setCurrentIndex(-1);
    c.lineEdit()->clear();
    auto press = [&](Qt::Key key, const QString &text) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(c.lineEdit(), &e);
    };
    press(Qt::Key_A, "a");
    press(Qt::Key_Delete, QString(QChar(127)));
    press(Qt::Key_F2, QString(QChar(0x85)));
    EXPECT_TRUE(msgs.texts().isEmpty());
    EXPECT_EQ(AutoMatchCBBox(&c, 127), 0);
    EXPECT_TRUE(msgs.texts().isEmpty());

    c.lineEdit()->clear();
    press(Qt::Key_unknown, "😀");
    EXPECT_EQ(c.currentText(), "😀 Bay");
    EXPECT_EQ(c.lineEdit()->selectedText(), " Bay");
    press(Qt::Key_unknown, "🙂");
    EXPECT_EQ(msgs.texts(), QStringList({"😀🙂 not found"}));
    EXPECT_EQ(c.currentText(), "😀 Bay");

    // Backspace takes a character away whole: after the emoji alone, the box is empty.
    c.lineEdit()->setText("😀");
    c.lineEdit()->end(false);
    press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(c.lineEdit()->text(), "");
    press(Qt::Key_B, "b");
    EXPECT_EQ(msgs.texts(), QStringList({"😀🙂 not found", "b not found"}));
}
