#include "common/AutoCompleteComboModule.h"
#include "common/ReplyExcerpt.h"
#include "common/ValidateEntryModule.h"
#include "platform/MessageBox.h"
#include "support/ControlCharacters.h"
#include "support/Keys.h"
#include "support/QtPrinters.h"
#include "support/Literal.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>
#include <vector>
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

    // Each refused character alone inside an identifier, with the message it gets; the quote and the
    // equals sign are refused in free text too. Letters, digits, the underscore and every character
    // not listed (accented letters, a tab) pass.
    const QString quoteOrEquals = "Equal sign (=) and Quote sign (\") are invalid characters";
    const QString plain = "Entry can only be combinations of alphabetic,numeric and underscore (_) characters";
    for (const QString c : {"\"", "="}) {
        msgs.clear();
        EXPECT_EQ(ValidateEntry("AB" + c + "1", true).toInt(), 9) << c.toStdString();
        EXPECT_EQ(ValidateEntry("AB" + c + "1", false).toInt(), 9) << c.toStdString();
        EXPECT_EQ(msgs.texts(), QStringList(2, quoteOrEquals)) << c.toStdString();
    }
    const QString listed = QString::fromUtf8("[]`!£$%^&*()+}{~@:?><|¬#';/.,\\-");
    ASSERT_EQ(listed.size(), 31);
    for (const QChar c : listed) {
        msgs.clear();
        EXPECT_EQ(ValidateEntry(QStringLiteral("AB") + c + "1", false).toInt(), 9) << QString(c).toStdString();
        EXPECT_EQ(msgs.texts(), QStringList{plain}) << QString(c).toStdString();
        EXPECT_FALSE(ValidateEntry(QStringLiteral("AB") + c + "1", true).isValid()) << QString(c).toStdString();
    }
    msgs.clear();
    for (const QString &accepted : QStringList{"abcXYZ", "0123456789", "_", QString::fromUtf8("Zoë_Müller"), "A\tB"})
        EXPECT_FALSE(ValidateEntry(accepted, false).isValid()) << accepted.toStdString();
    EXPECT_TRUE(msgs.texts().isEmpty()) << msgs.texts().join(" | ").toStdString();
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
    // The combo box holds the focus for its line edit: the keys go to it.
    ASSERT_EQ(test::focusOn(c.lineEdit()), &c);
    auto press = [&](Qt::Key key, const QString &text) { test::press(text, key); };
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

// Whatever way a character is typed, it is searched, kept and taken away
// whole: an emoji with its skin tone, a letter with a combining accent, and
// a family of people joined into one.
TEST(AutoMatchCBBox, TypesAndTakesAwayCharactersAsTheUserSeesThem)
{
    MessageScript msgs;
    QWidget window;
    QComboBox c(&window);
    installAutoMatch(&c);
    // The keys the box leaves alone reach its window (the modifier keys' own
    // presses too, as from any keyboard, which are not recorded).
    test::KeysReaching toWindow(&window);
    QStringList &reached = toWindow.keys;
    const QString thumbs = QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"); // thumbs up, medium skin tone
    const QString accented = QStringLiteral("E\u0301");                               // E, combining acute accent
    const QString family = QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7");
    c.addItems({thumbs + " Team", accented + "cole", family + " Family", "Tasman"});
    ASSERT_EQ(test::focusOn(c.lineEdit()), &c);
    auto press = [&](const QString &text, Qt::Key key = Qt::Key_unknown, Qt::KeyboardModifiers held = Qt::NoModifier) {
        test::press(text, key, held);
    };
    for (const auto &[character, item] : {std::pair{thumbs, c.itemText(0)}, {accented, c.itemText(1)}, {family, c.itemText(2)}}) {
        for (const bool oneKey : {false, true}) {
            SCOPED_TRACE(item.toStdString() + (oneKey ? " as one key" : " one code point a key"));
            c.setCurrentIndex(-1);
            c.lineEdit()->clear();
            if (oneKey) {
                press(character);
            } else {
                for (const char32_t point : character.toUcs4()) {
                    press(QString::fromUcs4(&point, 1));
                    EXPECT_EQ(c.lineEdit()->text(), item); // each key finds the item
                }
            }
            EXPECT_EQ(c.lineEdit()->text(), item);
            EXPECT_EQ(c.lineEdit()->selectedText(), item.mid(character.size()));
            // Backspace cuts the completion back to what was typed, then takes the character whole.
            press("\b", Qt::Key_Backspace);
            EXPECT_EQ(c.lineEdit()->text(), character);
            press("\b", Qt::Key_Backspace);
            EXPECT_EQ(c.lineEdit()->text(), "");
            press("t", Qt::Key_T);
            EXPECT_EQ(c.lineEdit()->text(), "Tasman");
            c.lineEdit()->setText("ab" + character);
            press("\b", Qt::Key_Backspace);
            EXPECT_EQ(c.lineEdit()->text(), "ab");
            EXPECT_TRUE(msgs.texts().isEmpty()) << msgs.texts().join(" / ").toStdString();
        }
    }

    // Alt and a letter types nothing and goes on to the window; Ctrl's keys are the box's own.
    c.setCurrentIndex(-1);
    c.lineEdit()->clear();
    press("t", Qt::Key_T);
    press("x", Qt::Key_X, Qt::AltModifier);
    press("X", Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(c.lineEdit()->text(), "Tasman");
    EXPECT_EQ(c.lineEdit()->selectedText(), "asman");
    EXPECT_EQ(reached, QStringList({"Alt+X", "Alt+Shift+X"}));
    press("a", Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(c.lineEdit()->selectedText(), "Tasman");
    EXPECT_TRUE(msgs.texts().isEmpty()) << msgs.texts().join(" / ").toStdString();

    // Meta (Super) and a letter, alone or with Shift, Ctrl or a keypad's key,
    // types nothing either and goes on to the window: never "Tx".
    reached.clear();
    c.lineEdit()->clear();
    press("t", Qt::Key_T);
    press("x", Qt::Key_X, Qt::MetaModifier);
    press("X", Qt::Key_X, Qt::MetaModifier | Qt::ShiftModifier);
    press("x", Qt::Key_X, Qt::MetaModifier | Qt::ControlModifier);
    press("5", Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(c.lineEdit()->text(), "Tasman");
    EXPECT_EQ(c.lineEdit()->selectedText(), "asman");
    EXPECT_EQ(reached.size(), 4) << reached.join(", ").toStdString();
    EXPECT_TRUE(msgs.texts().isEmpty()) << msgs.texts().join(" / ").toStdString();

    // A paste by any way, and an input method's commit, is mended as a
    // one-line box takes it and searched as if typed: the box holds an item
    // or the typed part of one, never a control character.
    c.addItem("Port Chalmers");
    const QString longText = "T" + QString(9999, QChar('a'));
    const struct {
        const char *what;
        QString typed, pasted, text, selected, message; // typed before the paste
    } pastes[] = {
        {"a line break", "", "Port\r\nCh", "Port Chalmers", "almers", {}},
        {"a tab", "", "port\tch", "Port Chalmers", "almers", {}},
        {"a control character", "", test::bytesOf("Po\x01rt\0 C\x7f"), "Port Chalmers", "halmers", {}},
        {"a whole item", "", "Tasman", "Tasman", "", {}},
        {"after a completion", "p", test::bytesOf("or\x02t\n"), "Port Chalmers", " Chalmers", {}},
        {"a text no item begins with", "t", "AB\r\nCD\tE\x01" "F", "Tasman", "asman", "TAB CD EF not found"},
        {"10,000 characters", "", longText, "", "", longText + " not found"},
    };
    // Every paste key as the platform maps it (Ctrl+V, Shift+Insert, ...),
    // and Shift with the keypad's Insert, goes where a user's keys go: to
    // the combo box, which holds the focus.
    using Way = std::pair<std::string, std::function<void(const QString &)>>;
    std::vector<Way> ways;
    QList<QKeyCombination> pasteKeys;
    for (const QKeySequence &k : QKeySequence::keyBindings(QKeySequence::Paste))
        pasteKeys << k[0];
    pasteKeys << QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_Insert);
    for (const QKeyCombination key : pasteKeys)
        ways.push_back({QKeySequence(key).toString().toStdString(), [key](const QString &text) {
                            QGuiApplication::clipboard()->setText(text);
                            test::press(key.key() == Qt::Key_V ? QString(QChar(0x16)) : QString(), key.key(),
                                        key.keyboardModifiers());
                        }});
    // The context menu by the menu key (to the focus widget) and by the
    // right button (to the line edit under the pointer).
    const auto menuPaste = [&](const QString &text, bool byKey) {
        QGuiApplication::clipboard()->setText(text);
        test::pasteFromMenu(c.lineEdit(), byKey);
    };
    ways.push_back({"the menu key", [&](const QString &text) { menuPaste(text, true); }});
    ways.push_back({"the right button", [&](const QString &text) { menuPaste(text, false); }});
    ways.push_back({"a drop", [&](const QString &text) { test::dropText(c.lineEdit(), QPoint(5, 5), text); }});
    ways.push_back({"an input method", [](const QString &text) { test::commit(text); }});
    for (const auto &[way, paste] : ways)
        for (const auto &p : pastes) {
            SCOPED_TRACE(p.what + (" by " + way));
            c.setCurrentIndex(-1);
            c.lineEdit()->clear();
            if (!p.typed.isEmpty())
                press(p.typed);
            msgs.clear();
            paste(p.pasted);
            EXPECT_EQ(c.lineEdit()->text(), p.text);
            EXPECT_EQ(c.lineEdit()->selectedText(), p.selected);
            EXPECT_EQ(msgs.texts(), p.message.isEmpty() ? QStringList() : QStringList{p.message});
        }
    QGuiApplication::clipboard()->clear();
}

// Each control character and separator pasted into a type-ahead box, by the
// keys (to the combo box, which holds the focus), an input method or a drop,
// is searched as a one-line box would take it.
// A character held with Alt, Meta or Ctrl on the keypad, sent where a user's
// keys go (the combo box), neither searches nor types and goes on to the
// window, and so does Ctrl+Alt's with a digit or a sign (AltGr only on
// Windows); AltGr's, Shift's and the keypad's characters are searched as typed.
TEST(AutoMatchCBBox, AKeyHeldWithAKeyThatIsNoTypingOneNeverSearches)
{
    MessageScript msgs;
    QWidget window;
    QComboBox c(&window);
    installAutoMatch(&c);
    test::KeysReaching toWindow(&window);
    // An item for every key's character, so a key that searched would find one.
    c.addItems({"Tasman", "T@ Bay", QString::fromUtf8("T€ Bay"), "TO Bay", "T5 Bay", "T\u00e9 Bay", "T\u00b2 Bay",
                "T{ Bay", "T1 Bay", "T! Bay", "T. Bay"});
    ASSERT_EQ(test::focusOn(c.lineEdit()), &c);
    for (const test::HeldKey &k : test::heldKeys()) {
        SCOPED_TRACE(k.name);
        c.setCurrentIndex(-1);
        c.lineEdit()->clear();
        test::press("t", Qt::Key_T);
        test::press(k);
        EXPECT_EQ(c.lineEdit()->text(), k.types ? "T" + k.text.toUpper() + " Bay" : "Tasman");
        EXPECT_EQ(c.lineEdit()->selectedText(), k.types ? " Bay" : "asman");
        EXPECT_EQ(toWindow.keys.size(), k.types ? 0 : 1) << toWindow.keys.join(", ").toStdString();
        toWindow.keys.clear();
    }
    EXPECT_TRUE(msgs.texts().isEmpty()) << msgs.texts().join(" / ").toStdString();
}

TEST(AutoMatchCBBox, EveryControlCharacterIsSearchedAsOnOneLine)
{
    MessageScript msgs;
    QComboBox c;
    installAutoMatch(&c);
    c.addItems({"AB CD Road", "ABCD Lane"});
    const std::pair<const char *, std::function<void(const QString &)>> ways[] = {
        {"Ctrl+V", [&](const QString &text) {
             QGuiApplication::clipboard()->setText(text);
             test::press(&c, Qt::Key_V, Qt::ControlModifier);
         }},
        {"an input method", [&](const QString &text) {
             test::focusOn(&c);
             test::commit(text);
         }},
        {"a drop", [&](const QString &text) { test::dropText(c.lineEdit(), QPoint(5, 5), text); }},
        {"the menu key", [&](const QString &text) {
             QGuiApplication::clipboard()->setText(text);
             test::pasteFromMenu(c.lineEdit(), true);
         }},
    };
    for (const test::ControlRow &row : test::controlRows())
        for (const auto &[way, paste] : ways) {
            SCOPED_TRACE(std::string(row.name) + " by " + way);
            c.setCurrentIndex(-1);
            c.lineEdit()->clear();
            paste(test::withControl(row));
            EXPECT_EQ(c.lineEdit()->text(), row.oneLine == "AB CD" ? "AB CD Road" : "ABCD Lane");
            EXPECT_TRUE(msgs.texts().isEmpty()) << msgs.texts().join(" / ").toStdString();
        }
    QGuiApplication::clipboard()->clear();
}

// A server's reply in a message: 20 lines and 1,000 characters whole and exact, a longer one cut at the first of
// those limits on a whole character, then "…".
TEST(ReplyExcerpt, KeepsTwentyLinesOrAThousandCharactersWhole)
{
    const QString ellipsis(QChar(0x2026));
    auto lines = [](int n, const QString &separator) {
        QStringList out;
        for (int i = 1; i <= n; ++i)
            out << QString("line %1").arg(i);
        return out.join(separator);
    };
    for (const QString &separator : {"\r\n", "\n", "\r"}) {
        EXPECT_EQ(wvs::replyExcerpt(lines(20, separator)), lines(20, separator));
        EXPECT_EQ(wvs::replyExcerpt(lines(20, separator) + separator), lines(20, separator) + separator);
        EXPECT_EQ(wvs::replyExcerpt(lines(21, separator)), lines(20, separator) + ellipsis);
    }
    const QString thousand = QString(999, 'a') + "b";
    EXPECT_EQ(wvs::replyExcerpt(thousand), thousand);
    EXPECT_EQ(wvs::replyExcerpt(thousand + "c"), thousand + ellipsis);
    // A character of two units across the limit is left out whole.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(wvs::replyExcerpt(QString(999, 'a') + emoji), QString(999, 'a') + ellipsis);
    EXPECT_EQ(wvs::replyExcerpt("No"), "No");
    EXPECT_EQ(wvs::replyExcerpt(""), "");
}
