#include "platform/Form.h"
#include "platform/TypingLimit.h"
#include "support/BesidePlain.h"
#include "support/ControlCharacters.h"
#include "support/Keys.h"
#include "support/Literal.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

// Gives a limited box and a plain one the same step, and expects both to show
// expected and to stand alike in caret, selection and undo history.
void besidePlain(QLineEdit &box, QLineEdit &plain, const std::function<void(QLineEdit &)> &step, const QString &expected)
{
    step(box);
    step(plain);
    EXPECT_EQ(box.text(), expected);
    EXPECT_EQ(plain.text(), expected);
    EXPECT_EQ(box.isModified(), plain.isModified());
    EXPECT_EQ(box.isUndoAvailable(), plain.isUndoAvailable());
    EXPECT_EQ(box.isRedoAvailable(), plain.isRedoAvailable());
    EXPECT_EQ(box.cursorPosition(), plain.cursorPosition());
    EXPECT_EQ(box.selectedText(), plain.selectedText());
}

TEST(TypingLimit, ValuesSetByTheProgramStayWholeWhileTypingAndPastesStopAtTheLimit)
{
    QLineEdit box;
    TypingLimit::apply(&box, 8);
    box.setText("$12,345,678.00");
    EXPECT_EQ(box.text(), "$12,345,678.00");
    // An over-long value takes no more typing, but it can be shortened.
    box.setFocus();
    box.end(false);
    test::typeKeys(&box, "9");
    test::press(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "$12,345,678.0");

    box.clear();
    test::typeKeys(&box, "123456789");
    EXPECT_EQ(box.text(), "12345678");
    // Typing over a selection of the same length is no lengthening.
    box.setSelection(0, 1);
    test::typeKeys(&box, "9");
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
        {test::bytesOf("one\0two"), "onetwo"},
        {"one\atwo", "onetwo"},
        {"one\x1btwo", "onetwo"},
        {"one\x7ftwo", "onetwo"},
        {test::bytesOf("a\x01" "b\x07" "c\x1b" "d\x7f" "e\tf\0g\x1f"), "abcde fg"},
    };
    for (const auto &b : breaks) {
        box.clear();
        box.insert(b.pasted);
        EXPECT_EQ(box.text(), b.kept) << b.pasted.toStdString();
    }

    // A second limit put on a box replaces the first: a paste that fits the
    // new limit is not cut to the old one.
    QLineEdit twice;
    TypingLimit::apply(&twice, 3);
    TypingLimit::apply(&twice, 10);
    QGuiApplication::clipboard()->setText("abcdefgh");
    test::press(&twice, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(twice.text(), "abcdefgh");
    QGuiApplication::clipboard()->clear();
}

// A mended paste is one step of the box's undo history, as a paste into a
// plain line edit is: the same keys undo and redo it, to the same texts.
TEST(TypingLimit, AMendedPasteIsOneUndoStepAsInAPlainBox)
{
    const struct {
        const char *what;
        QString pasted, mended;
        int selected = 0; // characters of "abc" selected from its end
        int limit = 0;
    } pastes[] = {
        {"a tab", "x\ty", "x y"},
        {"a line break", "x\ny\n", "x y"},
        {"a NUL", test::bytesOf("x\0y"), "xy"},
        {"over the selection", "x\ty", "x y", 1},
        {"cut at the limit", "x\tyz", "x ", 0, 5},
    };
    // The ways a user pastes; each puts the clipboard's text in.
    const std::pair<const char *, std::function<void(QLineEdit &)>> ways[] = {
        {"Ctrl+V", [](QLineEdit &b) { test::press(&b, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [](QLineEdit &b) { test::press(&b, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"the context menu", [](QLineEdit &b) {
             QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), b.mapToGlobal(QPoint(5, 5)));
             QCoreApplication::sendEvent(test::focusOn(&b), &menuKey);
             auto *menu = b.findChild<QMenu *>();
             ASSERT_NE(menu, nullptr);
             for (QAction *a : menu->actions())
                 if (a->text().startsWith("&Paste"))
                     a->trigger();
             menu->close();
             QCoreApplication::processEvents(); // the menu deletes itself
         }},
    };
    for (const auto &[way, paste] : ways)
        for (const auto &p : pastes) {
            SCOPED_TRACE(std::string(p.what) + " by " + way);
            QLineEdit box, plain;
            TypingLimit::apply(&box, p.limit);
            // The keys go to both boxes alike; what each shows is compared after every step.
            const auto both = [&](const std::function<void(QLineEdit &)> &step, const QString &expected) {
                besidePlain(box, plain, step, expected);
            };
            const QString typed = QString("abc").left(3 - p.selected);
            const QString after = typed + p.mended;
            both([](QLineEdit &b) { test::typeKeys(&b, "abc"); }, "abc");
            both([&](QLineEdit &b) { b.setSelection(3, -p.selected); }, "abc");
            both([&](QLineEdit &b) {
                QGuiApplication::clipboard()->setText(&b == &box ? p.pasted : p.mended);
                paste(b);
            }, after);
            EXPECT_TRUE(box.isModified());
            // Typing after the paste (where the box has room) is a step of its own.
            if (p.limit == 0) {
                both([](QLineEdit &b) { test::typeKeys(&b, "q"); }, after + "q");
                both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), after);
            }
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), "abc");
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), after);
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), "abc");
            both(test::keyStep(Qt::Key_Y, Qt::ControlModifier), after);
        }
    QGuiApplication::clipboard()->clear();

    // A drop from elsewhere lands where it is let go (here past the end) as
    // in a plain box, mended; one Ctrl+Z takes it back.
    QLineEdit box, plain;
    TypingLimit::apply(&box, 0);
    for (QLineEdit *b : {&box, &plain}) {
        b->resize(300, 30);
        test::typeKeys(b, "abc");
        QMimeData data;
        data.setText(b == &box ? "x\ty\n" : "x y");
        const QPoint end(290, 15);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &enter);
        QCoreApplication::sendEvent(b, &drop);
        EXPECT_EQ(b->text(), "abcx y");
        EXPECT_TRUE(b->isModified());
    }
    test::press(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), "abc");
    test::press(&box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.text(), "abcx y");
}

// A limit leaves Undo and Redo as Qt's own maximum length does: typing, a
// paste, a commit or a drop past the limit, then Undo and Redo step by step,
// show the same texts in both boxes.
TEST(TypingLimit, UndoAndRedoPastTheLimitGoAsWithAMaximumLength)
{
    using Step = std::function<void(QLineEdit &)>;
    const auto typed = [](const QString &text) -> Step { return [=](QLineEdit &b) { test::typeKeys(&b, text); }; };
    const auto pasted = [](const QString &text) -> Step {
        return [=](QLineEdit &b) {
            QGuiApplication::clipboard()->setText(text);
            test::press(&b, Qt::Key_V, Qt::ControlModifier);
        };
    };
    const auto committed = [](const QString &text) -> Step {
        return [=](QLineEdit &b) {
            test::focusOn(&b);
            test::commit(text, "pre");
        };
    };
    const auto dropped = [](const QString &text) -> Step {
        return [=](QLineEdit &b) { test::dropText(&b, QPoint(290, 15), text); };
    };
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers held = Qt::NoModifier) -> Step {
        return test::keyStep(k, held);
    };
    const Step undo = key(Qt::Key_Z, Qt::ControlModifier), redo = key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    const struct {
        const char *what;
        std::vector<std::pair<Step, QString>> steps; // each step and the text after it
    } rows[] = {
        {"typing past the limit, then Backspaces",
         {{typed("abcdefghijkl"), "abcdefghij"},
          {key(Qt::Key_Backspace), "abcdefghi"},
          {key(Qt::Key_Backspace), "abcdefgh"},
          {undo, "abcdefghij"},
          {undo, ""},
          {redo, "abcdefghij"},
          {redo, "abcdefgh"}}},
        {"a paste past the limit, then typing",
         {{typed("abc"), "abc"},
          {pasted("defghijklmn"), "abcdefghij"},
          {typed("x"), "abcdefghij"},
          {undo, "abc"},
          {undo, ""},
          {redo, "abc"},
          {redo, "abcdefghij"},
          {undo, "abc"}}},
        {"an input method's commit past the limit",
         {{typed("abcdefgh"), "abcdefgh"},
          {committed("xyz"), "abcdefghxy"},
          {committed("q"), "abcdefghxy"},
          {undo, ""},
          {redo, "abcdefghxy"}}},
        {"a drop past the limit",
         {{typed("abc"), "abc"},
          {key(Qt::Key_Left), "abc"}, // Qt's own drop would join the typing
          {key(Qt::Key_End), "abc"},
          {dropped("defghijklmn"), "abcdefghij"},
          {undo, "abc"},
          {redo, "abcdefghij"}}},
        {"typing over a selection at the limit",
         {{typed("abcdefghij"), "abcdefghij"},
          {key(Qt::Key_Left, Qt::ShiftModifier), "abcdefghij"},
          {key(Qt::Key_Left, Qt::ShiftModifier), "abcdefghij"},
          {typed("xyz"), "abcdefghxy"},
          {undo, "abcdefghij"},
          {redo, "abcdefghxy"}}},
        {"a key that types two characters, one past the limit",
         {{typed("abcdefghi"), "abcdefghi"},
          {[](QLineEdit &b) {
              test::focusOn(&b);
              test::press("xy");
          }, "abcdefghix"},
          {undo, ""},
          {redo, "abcdefghix"}}},
        {"a stored tab deleted and brought back",
         {{[](QLineEdit &b) { b.setText("a\tbc"); }, "a\tbc"},
          {typed("z"), "a\tbcz"},
          {key(Qt::Key_Home), "a\tbcz"},
          {key(Qt::Key_Right), "a\tbcz"},
          {key(Qt::Key_Delete), "abcz"},
          {undo, "a\tbcz"},
          {undo, "a\tbc"},
          {redo, "a\tbcz"},
          {redo, "abcz"}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        QLineEdit box, plain;
        TypingLimit::apply(&box, 10);
        plain.setMaxLength(10);
        for (QLineEdit *b : {&box, &plain})
            b->resize(300, 30);
        int n = 0;
        for (const auto &[step, expected] : row.steps) {
            SCOPED_TRACE("step " + std::to_string(++n));
            besidePlain(box, plain, step, expected);
        }
    }
    QGuiApplication::clipboard()->clear();
}

// An input method's commit that must be mended goes in as one undo step, as
// the mended commit does in a plain box: the typing before it stays undoable
// and the box stays modified.
TEST(TypingLimit, AMendedInputMethodCommitIsOneUndoStepAsInAPlainBox)
{
    const struct {
        const char *what;
        QString commit, mended;
        int limit = 0;
    } commits[] = {
        {"a tab", "x\ty", "x y"},
        {"a line break", "x\ny\r\n", "x y"},
        {"a NUL", test::bytesOf("x\0y"), "xy"},
        {"past the limit", "xyz", "xy", 5},
        {"a Chinese phrase past the limit", QStringLiteral("\u4E2D\u6587\u8F93\u5165\u6CD5"), QStringLiteral("\u4E2D\u6587\u8F93"), 6},
        {"a Japanese phrase past the limit", QStringLiteral("\u65E5\u672C\u8A9E\u3067\u3059"), QStringLiteral("\u65E5\u672C"), 5},
    };
    for (const auto &c : commits) {
        SCOPED_TRACE(c.what);
        QLineEdit box, plain;
        TypingLimit::apply(&box, c.limit);
        const auto both = [&](const std::function<void(QLineEdit &)> &step, const QString &expected) {
            besidePlain(box, plain, step, expected);
        };
        const QString after = "abc" + c.mended;
        both([](QLineEdit &b) { test::typeKeys(&b, "abc"); }, "abc");
        both(test::keyStep(Qt::Key_Left), "abc");
        both(test::keyStep(Qt::Key_Right), "abc");
        both([&](QLineEdit &b) {
            test::focusOn(&b);
            test::commit(&b == &box ? c.commit : c.mended, "pre");
        }, after);
        EXPECT_TRUE(box.isModified());
        both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), "abc");
        both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), "");
        both(test::keyStep(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), "abc");
        both(test::keyStep(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), after);
        both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), "abc");
        both(test::keyStep(Qt::Key_Y, Qt::ControlModifier), after);
    }
}

// An input method's commit that replaces selected text in a box at its
// limit keeps what fits in place of the selection, as typing over it does.
TEST(TypingLimit, ACommitOverASelectionInAFullBoxKeepsWhatFits)
{
    QLineEdit box;
    TypingLimit::apply(&box, 5);
    test::typeKeys(&box, "abcde");
    box.setSelection(2, 2); // "cd"
    test::commit("wxyz");
    EXPECT_EQ(box.text(), "abwxe");
    box.setSelection(0, 5);
    test::commit(QStringLiteral("\u4E2D\u6587\u8F93\u5165\u6CD5\u4E2D"));
    EXPECT_EQ(box.text(), QStringLiteral("\u4E2D\u6587\u8F93\u5165\u6CD5"));
}

// Each control character and separator, pasted by the keys (to the focus
// widget), dropped or committed by an input method into a one-line box, is
// kept as the one rule of every box says.
// A text's end of line breaks and control characters goes whole, in any
// order: it leaves no blank behind, by the rule and by every way into a box.
TEST(TypingLimit, ATrailingLineBreakGoesWithTheControlCharactersAroundIt)
{
    QLineEdit box;
    box.resize(300, 30);
    TypingLimit::apply(&box, 0);
    const struct {
        QString pasted, kept;
    } cases[] = {
        {"AB\n\x01", "AB"},
        {"AB\x01\n", "AB"},
        {"AB\r\n\x7f\u0085\x1b", "AB"},
        {"AB\n\x01" "CD\n", "AB CD"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pasted.toStdString());
        EXPECT_EQ(TypingLimit::onOneLine(c.pasted), c.kept);
        EXPECT_EQ(test::afterEachWay(&box, &box, QPoint(5, 15), c.pasted, [&] { box.clear(); },
                                     [&] { return box.text(); }),
                  QStringList(3, c.kept))
            << "by Ctrl+V, an input method, a drop";
    }
}

// A character held with Alt, Meta or Ctrl on the keypad types nothing and goes
// on to the window, where Qt's own box types it, and so does Ctrl+Alt with a
// digit or a sign ("ab" then Ctrl+Alt+1 stays "ab": Ctrl+Alt is AltGr only on
// Windows); AltGr's, Shift's and the keypad's characters type as in Qt's box,
// and Ctrl's keys still edit.
TEST(TypingLimit, AKeyHeldWithAKeyThatIsNoTypingOneTypesNothing)
{
    // Each box in a window of its own: a box that loses the focus within its
    // window drops its selection.
    QWidget window;
    QLineEdit box(&window), plain;
    TypingLimit::apply(&box, 0);
    test::KeysReaching toWindow(&window);
    for (const test::HeldKey &k : test::heldKeys()) {
        SCOPED_TRACE(k.name);
        for (QLineEdit *b : {&box, &plain}) {
            b->setText("ab");
            test::focusOn(b);
            test::press(k);
        }
        EXPECT_EQ(plain.text(), "ab" + k.text);
        EXPECT_EQ(box.text(), k.types ? "ab" + k.text : "ab");
        EXPECT_EQ(toWindow.keys.size(), k.types ? 0 : 1) << toWindow.keys.join(", ").toStdString();
        toWindow.keys.clear();
    }
    // Select all, copy, paste and undo.
    const auto both = [&](const std::function<void(QLineEdit &)> &step, const QString &expected) {
        besidePlain(box, plain, step, expected);
    };
    both([](QLineEdit &b) {
        b.clear();
        test::typeKeys(&b, "abc");
    }, "abc");
    both(test::keyStep(Qt::Key_A, Qt::ControlModifier), "abc");
    both(test::keyStep(Qt::Key_C, Qt::ControlModifier), "abc");
    both(test::keyStep(Qt::Key_End), "abc");
    both(test::keyStep(Qt::Key_V, Qt::ControlModifier), "abcabc");
    both(test::keyStep(Qt::Key_Z, Qt::ControlModifier), "abc");
    EXPECT_EQ(toWindow.keys, QStringList{});
    QGuiApplication::clipboard()->clear();
}

// A window's combo box jumps to the entry a typed letter starts; a letter held with Alt or Meta (a greyed
// button's mnemonic) leaves the choice as it was and goes on to the window, while a plain letter, AltGr's
// and the arrows choose as before. Ctrl+Alt is AltGr only where the window system sends AltGr so (Windows):
// here, as on the X server, Ctrl+Alt+C is a command.
TEST(TypingLimit, AComboBoxTakesNoLetterHeldWithAltOrMeta)
{
    Form window;
    QComboBox *combo = listCombo(&window, "ScreenCombo",
                                 {"Customers Management", "Customer Jobs Management", "Job Schedules Management", "None"});
    window.show();
    test::KeysReaching toWindow(&window);
    combo->setCurrentIndex(0);
    test::focusOn(combo);
    const struct { const char *name; Qt::Key key; const char *text; Qt::KeyboardModifiers held; } commands[] = {
        {"Alt+N", Qt::Key_N, "n", Qt::AltModifier},
        {"Alt+Shift+J", Qt::Key_J, "J", Qt::AltModifier | Qt::ShiftModifier},
        {"Meta+N", Qt::Key_N, "n", Qt::MetaModifier},
        {"Ctrl+Meta+J", Qt::Key_J, "j", Qt::ControlModifier | Qt::MetaModifier},
    };
    for (const auto &c : commands) {
        SCOPED_TRACE(c.name);
        test::press(c.text, c.key, c.held);
        EXPECT_EQ(combo->currentText(), "Customers Management");
    }
    EXPECT_EQ(toWindow.keys.size(), 4) << toWindow.keys.join(", ").toStdString();
    toWindow.keys.clear();

    test::press("n", Qt::Key_N);
    EXPECT_EQ(combo->currentText(), "None");
    test::press(Qt::Key_Up);
    EXPECT_EQ(combo->currentText(), "Job Schedules Management");
    QTest::qWait(1100); // the combo's search starts afresh
    test::press("c", Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(combo->currentText(), "Job Schedules Management");
    EXPECT_EQ(toWindow.keys, QStringList{"Ctrl+Alt+C"});
    toWindow.keys.clear();
    test::press("c", Qt::Key_C, Qt::GroupSwitchModifier);
    EXPECT_EQ(combo->currentText(), "Customers Management");
    EXPECT_EQ(toWindow.keys, QStringList{});
}

// Ctrl+Alt with a character is AltGr, and types, only on a window system that sends AltGr so: Windows (its
// "windows" and "direct2d" platforms). The X server, Wayland and a window system without a keyboard of its own
// send AltGr as its own level, with no Alt held, and there Ctrl+Alt+1 is a command.
TEST(TypingLimit, CtrlAltTypesOnlyWhereTheWindowSystemSendsAltGrSo)
{
    const struct { const char *name; Qt::Key key; QString text; Qt::KeyboardModifiers held; bool onWindows; bool elsewhere; }
        keys[] = {
            {"Ctrl+Alt+1", Qt::Key_1, "1", Qt::ControlModifier | Qt::AltModifier, false, true},
            {"Ctrl+Alt+Shift+1", Qt::Key_Exclam, "!", Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, false,
             true},
            {"Ctrl+Alt+Q as AltGr @", Qt::Key_Q, "@", Qt::ControlModifier | Qt::AltModifier, false, true},
            {"AltGr @", Qt::Key_At, "@", Qt::GroupSwitchModifier, false, false},
            {"AltGr { with no key held", Qt::Key_BraceLeft, "{", Qt::NoModifier, false, false},
            {"Alt+1", Qt::Key_1, "1", Qt::AltModifier, true, true},
            {"Ctrl+Meta+Alt+1", Qt::Key_1, "1", Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier, true, true},
            {"Ctrl+Alt+Backspace", Qt::Key_Backspace, "\b", Qt::ControlModifier | Qt::AltModifier, false, false},
        };
    for (const auto &k : keys) {
        const QKeyEvent e(QEvent::KeyPress, k.key, k.held, k.text);
        for (const char *windows : {"windows", "direct2d"}) {
            SCOPED_TRACE(std::string(k.name) + " on " + windows);
            EXPECT_TRUE(TypingLimit::ctrlAltIsAltGr(windows));
            EXPECT_EQ(TypingLimit::isCommandCharacter(&e, windows), k.onWindows);
        }
        for (const char *other : {"xcb", "wayland", "offscreen", "minimal"}) {
            SCOPED_TRACE(std::string(k.name) + " on " + other);
            EXPECT_FALSE(TypingLimit::ctrlAltIsAltGr(other));
            EXPECT_EQ(TypingLimit::isCommandCharacter(&e, other), k.elsewhere);
        }
    }
}

TEST(TypingLimit, EveryControlCharacterByEveryWayIntoAOneLineBox)
{
    QLineEdit box;
    box.resize(300, 30);
    TypingLimit::apply(&box, 20);
    for (const test::ControlRow &row : test::controlRows()) {
        EXPECT_EQ(test::afterEachWay(&box, &box, QPoint(5, 15), test::withControl(row), [&] { box.clear(); },
                                     [&] { return box.text(); }),
                  QStringList(3, row.oneLine))
            << row.name << " by Ctrl+V, an input method, a drop";
        box.clear();
        QGuiApplication::clipboard()->setText(test::withControl(row));
        test::pasteFromMenu(&box, true);
        EXPECT_EQ(box.text(), row.oneLine) << row.name << " by the context menu";
    }
    QGuiApplication::clipboard()->clear();
}

} // namespace
