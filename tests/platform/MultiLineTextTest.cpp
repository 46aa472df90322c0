#include "platform/MultiLineText.h"
#include "support/BesidePlain.h"
#include "support/ControlCharacters.h"
#include "support/Keys.h"
#include "support/Literal.h"

#include <QAbstractUndoItem>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units

QMimeData *mime(const QString &text, const QString &html = {}, bool image = false)
{
    auto *m = new QMimeData;
    if (!text.isNull())
        m->setText(text);
    if (!html.isNull())
        m->setHtml(html);
    if (image)
        m->setImageData(QImage(4, 4, QImage::Format_RGB32));
    return m;
}

// None hands the data to Qt's text control, which dies on mime data without formats.
TEST(MultiLineText, PasteAndDropPutInPlainTextOnlyWithinTheLimit)
{
    struct Case {
        const char *what;
        std::function<QMimeData *()> data;
        QString expected; // in a box holding "ab" (cursor at its end) with a limit of 8
    };
    const Case cases[] = {
        {"no formats at all", [] { return new QMimeData; }, "ab"},
        {"an image only", [] { return mime({}, {}, true); }, "ab"},
        {"markup without text", [] { return mime({}, "<b>bold</b>"); }, "ab"},
        {"markup with its text", [] { return mime("bold", "<b>bold</b>", true); }, "abbold"},
        {"Windows line ends", [] { return mime("1\r\n2\r3"); }, "ab1\n2\n3"},
        {"more than fits", [] { return mime("0123456789"); }, "ab012345"},
        {"a character across the limit", [] { return mime("cdefg" + kSmile); }, "abcdefg"},
        {"empty text", [] { return mime(""); }, "ab"},
        {"control characters", [] { return mime(test::bytesOf("c\0d\x1b\x7f\x0b\te\f")); }, "abcd\n\te\n"},
    };
    enum class Way { Keys, Menu, Drop };
    for (const Way way : {Way::Keys, Way::Menu, Way::Drop}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.what) + " by way " + std::to_string(int(way)));
            MultiLineText box(nullptr, 8);
            box.resize(200, 100);
            box.setPlainText("ab");
            box.moveCursor(QTextCursor::End);
            if (way == Way::Drop) {
                // A drop lands where it is let go: after the end of the short text.
                std::unique_ptr<QMimeData> data(c.data());
                const QPoint end(150, 5);
                QDragEnterEvent enter(end, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
                QDragMoveEvent move(end, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
                QDropEvent drop(end, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
                for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
                    QApplication::sendEvent(box.viewport(), e);
            } else {
                QGuiApplication::clipboard()->setMimeData(c.data());
                if (way == Way::Keys)
                    test::press(&box, Qt::Key_V, Qt::ControlModifier);
                else
                    box.paste(); // the context menu's Paste and the middle button
            }
            EXPECT_EQ(box.toPlainText(), c.expected);
        }
    }
    QGuiApplication::clipboard()->clear();

    // Shift+Insert pastes too, over the selection; a read-only box takes nothing.
    MultiLineText box(nullptr, 8);
    box.setPlainText("abcdefgh");
    box.selectAll();
    QGuiApplication::clipboard()->setText("x\ny");
    test::press(&box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box.toPlainText(), "x\ny");
    box.setReadOnly(true);
    box.paste();
    EXPECT_EQ(box.toPlainText(), "x\ny");
    QGuiApplication::clipboard()->clear();
}

TEST(MultiLineText, TypingStopsAtTheLimitWhileAStoredValueStaysWhole)
{
    MultiLineText box(nullptr, 5);
    box.setPlainText("stored and long");
    EXPECT_EQ(box.toPlainText(), "stored and long");
    box.moveCursor(QTextCursor::End);
    test::typeKeys(&box, "x");
    test::press(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.toPlainText(), "stored and lon");

    box.clear();
    test::typeKeys(&box, "abc");
    test::press(&box, Qt::Key_Return);
    test::typeKeys(&box, "defg");
    EXPECT_EQ(box.toPlainText(), "abc\nd");

    // What the box copies out is its plain text.
    box.selectAll();
    box.copy();
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), "abc\nd");
    EXPECT_FALSE(copied->hasHtml());
    QGuiApplication::clipboard()->clear();
}

// A text the box was given comes back as it was, whatever the user edits
// elsewhere in it: no-break spaces stay, and paragraphs end in line breaks.
TEST(MultiLineText, GivesBackItsTextAsTypedAndAPasteAsOneUndoStep)
{
    const QString nbsp(QChar(0x00A0));
    MultiLineText box;
    box.setPlainText("Price 10" + nbsp + "000 NZD");
    box.moveCursor(QTextCursor::End);
    test::typeKeys(&box, "!");
    EXPECT_EQ(box.text(), "Price 10" + nbsp + "000 NZD!");
    test::press(&box, Qt::Key_Return);
    test::typeKeys(&box, "Paid");
    test::press(&box, Qt::Key_Return, Qt::ShiftModifier); // a line break within the paragraph
    test::typeKeys(&box, "in full");
    EXPECT_EQ(box.text(), "Price 10" + nbsp + "000 NZD!\nPaid\nin full");
    // What is copied out and pasted back keeps them too.
    box.selectAll();
    box.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), box.text());
    box.clear();
    box.paste();
    EXPECT_EQ(box.text(), "Price 10" + nbsp + "000 NZD!\nPaid\nin full");

    // A paste leaves its control characters out and goes in as one step,
    // as the same text does into a plain box.
    const auto edits = [](QPlainTextEdit &b, const QString &clip) {
        QStringList seen;
        test::typeKeys(&b, "typed ");
        QGuiApplication::clipboard()->setText(clip);
        test::press(&b, Qt::Key_V, Qt::ControlModifier);
        seen << b.toPlainText();
        test::press(&b, Qt::Key_Z, Qt::ControlModifier);
        seen << b.toPlainText();
        test::press(&b, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        seen << b.toPlainText();
        return seen;
    };
    const QString pasted = test::bytesOf("a\0b\x01" "c\x1b" "d\x7f" "e\tf\ng");
    const QString mended = "abcde\tf\ng";
    MultiLineText ours;
    QPlainTextEdit plain;
    const QStringList expected{"typed " + mended, "typed ", "typed " + mended};
    EXPECT_EQ(edits(plain, mended), expected);
    EXPECT_EQ(edits(ours, pasted), expected);
    EXPECT_EQ(ours.text(), "typed " + mended);
    // What is typed after it is a step of its own.
    test::typeKeys(&ours, " more");
    test::press(&ours, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ours.text(), "typed " + mended);
    QGuiApplication::clipboard()->clear();
}

// A paste after typing, by each way a user pastes, walks back and forth
// through Ctrl+Z and Ctrl+Shift+Z as the same paste of the mended text does
// in a plain box: the typing before it is a step of its own. So does a
// second paste after a first that scrolled the box.
TEST(MultiLineText, APasteByEveryWayIsUndoneAloneAsInAPlainBox)
{
    const struct {
        const char *what;
        QString pasted, mended;
    } pastes[] = {
        {"one line", " PASTED", " PASTED"},
        {"two lines", " PA\r\nSTED", " PA\nSTED"},
        {"control characters", test::bytesOf(" P\x01" "A\0S\x7fT\tE\x1b" "D"), " PAST\tED"},
        {"control characters only", test::bytesOf("\x01\x02"), ""},
    };
    using Way = test::PasteWay;
    const auto viaClipboard = [](const std::function<void(QPlainTextEdit &)> &paste) {
        return [=](QPlainTextEdit &b, const QString &text) {
            QGuiApplication::clipboard()->setText(text);
            paste(b);
        };
    };
    const std::pair<const char *, Way> ways[] = {
        {"Ctrl+V", viaClipboard([](QPlainTextEdit &b) { test::press(&b, Qt::Key_V, Qt::ControlModifier); })},
        {"Shift+Insert", viaClipboard([](QPlainTextEdit &b) { test::press(&b, Qt::Key_Insert, Qt::ShiftModifier); })},
        {"the context menu", viaClipboard([](QPlainTextEdit &b) { b.paste(); })},
        {"a drop", [](QPlainTextEdit &b, const QString &text) {
             QMimeData data;
             data.setText(text);
             QTextCursor end(b.document());
             end.movePosition(QTextCursor::End);
             const QPoint at = b.cursorRect(end).center() + QPoint(40, 0);
             QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
                 QApplication::sendEvent(b.viewport(), e);
         }},
        {"an input method", [](QPlainTextEdit &b, const QString &text) {
             test::focusOn(&b);
             test::commit(text);
         }},
    };
    for (const auto &[way, paste] : ways)
        for (const auto &p : pastes) {
            SCOPED_TRACE(std::string(p.what) + " by " + way);
            MultiLineText ours;
            QPlainTextEdit plain;
            for (QPlainTextEdit *b : {static_cast<QPlainTextEdit *>(&ours), &plain})
                b->resize(300, 120);
            const auto both = [&](const std::function<void(QPlainTextEdit &)> &step) { test::besidePlain(ours, plain, step); };
            both([](QPlainTextEdit &b) { test::typeKeys(&b, "Gate code 1234"); });
            both(test::keyStep(Qt::Key_Return));
            both([](QPlainTextEdit &b) { test::typeKeys(&b, "Dog in yard"); });
            both([&](QPlainTextEdit &b) { paste(b, &b == &ours ? p.pasted : p.mended); });
            EXPECT_EQ(ours.text(), "Gate code 1234\nDog in yard" + p.mended);
            // Nothing pasted, nothing to undo: the first Ctrl+Z takes the typing.
            const QString before = p.mended.isEmpty() ? "Gate code 1234\n" : "Gate code 1234\nDog in yard";
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier));
            EXPECT_EQ(ours.text(), before);
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier));
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
            EXPECT_EQ(ours.text(), before);
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
            EXPECT_EQ(ours.text(), "Gate code 1234\nDog in yard" + p.mended);
            both(test::keyStep(Qt::Key_Z, Qt::ControlModifier));
            EXPECT_EQ(ours.text(), before);
        }
    // A paste that scrolls the box, the caret moved, and a second paste.
    const Way dropAtCaret = [](QPlainTextEdit &b, const QString &text) {
        if (qobject_cast<MultiLineText *>(&b))
            return test::dropText(b.viewport(), b.cursorRect().center(), text);
        // Qt's own box dies on a drop that scrolls it: it pastes there instead.
        QGuiApplication::clipboard()->setText(text);
        b.paste();
    };
    for (const auto &[way, paste] : ways) {
        SCOPED_TRACE(std::string("twice by ") + way);
        MultiLineText ours;
        QPlainTextEdit plain;
        test::twoPastesBesidePlain(ours, plain, std::string(way) == "a drop" ? dropAtCaret : paste);
    }
    QGuiApplication::clipboard()->clear();
}

// Each control character and separator, pasted by the keys (to the focus
// widget), dropped on the viewport or committed by an input method into a
// comment, is kept as the one rule of every box says.
// A character held with Alt, Meta or Ctrl on the keypad types nothing and goes
// on to the window, where Qt's own box types it, and so does Ctrl+Alt with a
// digit or a sign ("ab" then Ctrl+Alt+1 stays "ab": Ctrl+Alt is AltGr only on
// Windows); AltGr's, Shift's and the keypad's characters type as in Qt's box,
// and Ctrl's keys still edit.
TEST(MultiLineText, AKeyHeldWithAKeyThatIsNoTypingOneTypesNothing)
{
    QWidget window;
    MultiLineText ours(&window);
    QPlainTextEdit plain(&window);
    test::KeysReaching toWindow(&window);
    const auto both = [&](const std::function<void(QPlainTextEdit &)> &step) { test::besidePlain(ours, plain, step); };
    for (const test::HeldKey &k : test::heldKeys()) {
        SCOPED_TRACE(k.name);
        both([](QPlainTextEdit &b) {
            b.setPlainText("ab\ncd");
            b.moveCursor(QTextCursor::End);
        });
        test::focusOn(&plain);
        test::press(k);
        EXPECT_EQ(plain.toPlainText(), "ab\ncd" + k.text);
        test::focusOn(&ours);
        test::press(k);
        EXPECT_EQ(ours.text(), k.types ? "ab\ncd" + k.text : "ab\ncd");
        EXPECT_EQ(ours.document()->isUndoAvailable(), k.types);
        EXPECT_EQ(toWindow.keys.size(), k.types ? 0 : 1) << toWindow.keys.join(", ").toStdString();
        toWindow.keys.clear();
    }
    // Select all, copy, paste and undo.
    both([](QPlainTextEdit &b) {
        b.clear();
        test::typeKeys(&b, "abc");
    });
    both(test::keyStep(Qt::Key_A, Qt::ControlModifier));
    both(test::keyStep(Qt::Key_C, Qt::ControlModifier));
    both(test::keyStep(Qt::Key_End, Qt::ControlModifier));
    both(test::keyStep(Qt::Key_V, Qt::ControlModifier));
    EXPECT_EQ(ours.text(), "abcabc");
    both(test::keyStep(Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(ours.text(), "abc");
    EXPECT_EQ(toWindow.keys, QStringList{});
    QGuiApplication::clipboard()->clear();
}

TEST(MultiLineText, EveryControlCharacterByEveryWayIntoAComment)
{
    MultiLineText box;
    box.resize(300, 120);
    for (const test::ControlRow &row : test::controlRows())
        EXPECT_EQ(test::afterEachWay(&box, box.viewport(), QPoint(20, 10), test::withControl(row), [&] { box.clear(); },
                                     [&] { return box.text(); }),
                  QStringList(3, row.comment))
            << row.name << " by Ctrl+V, an input method, a drop";
}

} // namespace

// A drop from elsewhere goes in where it is let go, whatever line the caret
// is on, as in a plain box, and tells the source it was taken, and how: a
// move (Shift held) removes the text at its source. The caret is at the end.
TEST(MultiLineText, ADropGoesInWhereItIsLetGoAndTellsItsSource)
{
    const struct {
        const char *what;
        int at; // the position let go at; -1: past the end of the last line
        QString dropped;
        Qt::KeyboardModifiers held;
        QString expected;
        Qt::DropAction told;
    } drops[] = {
        {"in the middle of a line", 19, "big ", Qt::NoModifier, "Gate code 1234\nDog big in yard", Qt::CopyAction},
        {"a move on an earlier line", 5, "front ", Qt::ShiftModifier, "Gate front code 1234\nDog in yard",
         Qt::MoveAction},
        {"past the end of the last line", -1, "!", Qt::NoModifier, "Gate code 1234\nDog in yard!", Qt::CopyAction},
    };
    for (const auto &d : drops) {
        SCOPED_TRACE(d.what);
        MultiLineText ours;
        QPlainTextEdit plain;
        const auto both = [&](const std::function<void(QPlainTextEdit &)> &step) { test::besidePlain(ours, plain, step); };
        both([](QPlainTextEdit &b) {
            b.resize(300, 120);
            test::typeKeys(&b, "Gate code 1234");
            test::press(Qt::Key_Return);
            test::typeKeys(&b, "Dog in yard");
        });
        both([&](QPlainTextEdit &b) {
            QTextCursor there(b.document());
            there.movePosition(QTextCursor::End);
            if (d.at >= 0)
                there.setPosition(d.at);
            const QPoint at = b.cursorRect(there).center() + QPoint(d.at < 0 ? 40 : 0, 0);
            QMimeData data;
            data.setText(d.dropped);
            const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
            QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, d.held);
            QDragMoveEvent move(at, offered, &data, Qt::LeftButton, d.held);
            QDropEvent drop(at, offered, &data, Qt::LeftButton, d.held);
            for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
                QApplication::sendEvent(b.viewport(), e);
            EXPECT_TRUE(drop.isAccepted());
            EXPECT_EQ(drop.dropAction(), d.told);
        });
        EXPECT_EQ(ours.text(), d.expected);
        both(test::keyStep(Qt::Key_Z, Qt::ControlModifier));
        EXPECT_EQ(ours.text(), "Gate code 1234\nDog in yard");
    }
}

// A box's limit leaves Undo and Redo as in a plain box whose own edit stops
// at the limit (the plain box is given only what fits): what goes past the
// limit never goes in, so no undo step holds it, and an undo or redo brings
// back the text as it was, even a stored text longer than the limit.
TEST(MultiLineText, UndoAndRedoGoAsInAPlainBoxThatStopsAtTheLimit)
{
    using Step = std::function<void(QPlainTextEdit &, bool ours)>;
    const auto typed = [](const QString &ours, const QString &plain) -> Step {
        return [=](QPlainTextEdit &b, bool isOurs) { test::typeKeys(&b, isOurs ? ours : plain); };
    };
    // Qt's own paste joins the typing after it to its undo step: the plain
    // box puts its text in as an edit block that ends in a step changing
    // nothing, as a paste apart from the typing around it.
    struct Apart : QAbstractUndoItem {
        void undo() override {}
        void redo() override {}
    };
    const auto pasted = [](const QString &ours, const QString &plain) -> Step {
        return [=](QPlainTextEdit &b, bool isOurs) {
            if (!isOurs) {
                QTextCursor c = b.textCursor();
                c.beginEditBlock();
                c.insertText(plain);
                b.document()->appendUndoItem(new Apart);
                c.endEditBlock();
                return b.setTextCursor(c);
            }
            QGuiApplication::clipboard()->setText(ours);
            test::press(&b, Qt::Key_V, Qt::ControlModifier);
        };
    };
    const auto committed = [](const QString &ours, const QString &plain) -> Step {
        return [=](QPlainTextEdit &b, bool isOurs) {
            test::focusOn(&b);
            test::commit(isOurs ? ours : plain, "pre");
        };
    };
    // Qt's own box dies on a drop that scrolls it: the plain box pastes instead.
    const auto dropped = [&](const QString &ours, const QString &plain) -> Step {
        return [=](QPlainTextEdit &b, bool isOurs) {
            if (!isOurs)
                return pasted(plain, plain)(b, false);
            test::dropText(b.viewport(), b.cursorRect().center(), ours);
        };
    };
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers held = Qt::NoModifier) -> Step {
        return [=](QPlainTextEdit &b, bool) { test::press(&b, k, held); };
    };
    // A key past the limit: the plain box is given nothing.
    const auto pastLimit = [&](Qt::Key k) -> Step {
        return [=](QPlainTextEdit &b, bool isOurs) {
            if (isOurs)
                key(k)(b, true);
        };
    };
    const Step stored = [](QPlainTextEdit &b, bool) {
        b.setPlainText(QString("Stored text. ").repeated(20)); // 260 characters
        b.moveCursor(QTextCursor::End);
    };
    const Step undo = key(Qt::Key_Z, Qt::ControlModifier), redo = key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);

    const QString p254 = QString("Gate code 1234, the dog stays in the back yard. ").repeated(6).left(254);
    const QString p250 = p254.left(250);
    const QString long300 = QString("Call before arriving; ").repeated(14).left(300);
    const QString dear = "Dear customer, ";
    const QString s260 = QString("Stored text. ").repeated(20);
    const struct {
        const char *what;
        std::vector<std::pair<Step, QString>> steps; // each step and the text after it
    } rows[] = {
        {"typing past the limit after a paste",
         {{pasted(p250, p250), p250},
          {typed("abcdefghij", "abcde"), p250 + "abcde"},
          {undo, p250},
          {undo, ""},
          {undo, ""},
          {redo, p250},
          {redo, p250 + "abcde"},
          {redo, p250 + "abcde"}}},
        {"Backspaces at the limit",
         {{pasted(p250, p250), p250},
          {typed("abcdefghij", "abcde"), p250 + "abcde"},
          {key(Qt::Key_Backspace), p250 + "abcd"},
          {key(Qt::Key_Backspace), p250 + "abc"},
          {undo, p250 + "abcde"},
          {undo, p250},
          {undo, ""},
          {redo, p250},
          {redo, p250 + "abcde"},
          {redo, p250 + "abc"}}},
        {"a paste past the limit, then typing",
         {{typed(dear, dear), dear},
          {pasted(long300, long300.left(240)), dear + long300.left(240)},
          {typed("xyz", ""), dear + long300.left(240)},
          {pastLimit(Qt::Key_Return), dear + long300.left(240)},
          {undo, dear},
          {redo, dear + long300.left(240)},
          {undo, dear},
          {undo, ""},
          {redo, dear},
          {redo, dear + long300.left(240)}}},
        {"Return at the limit",
         {{pasted(p250.left(249), p250.left(249)), p250.left(249)},
          {typed("abcde", "abcde"), p250.left(249) + "abcde"},
          {key(Qt::Key_Return), p250.left(249) + "abcde\n"},
          {pastLimit(Qt::Key_Return), p250.left(249) + "abcde\n"},
          {typed("f", ""), p250.left(249) + "abcde\n"},
          {undo, p250.left(249) + "abcde"},
          {undo, p250.left(249)},
          {redo, p250.left(249) + "abcde"},
          {redo, p250.left(249) + "abcde\n"}}},
        {"a key that types two characters, one past the limit",
         {{pasted(p254, p254), p254},
          {[](QPlainTextEdit &b, bool isOurs) {
               test::focusOn(&b);
               test::press(isOurs ? "xy" : "x");
           }, p254 + "x"},
          {undo, p254},
          {undo, ""},
          {redo, p254},
          {redo, p254 + "x"}}},
        {"an input method's commit past the limit",
         {{pasted(p250, p250), p250},
          {committed("abcdefghij", "abcde"), p250 + "abcde"},
          {committed("klm", ""), p250 + "abcde"},
          {undo, p250},
          {undo, ""},
          {redo, p250},
          {redo, p250 + "abcde"}}},
        {"a drop past the limit",
         {{typed(dear, dear), dear},
          {dropped(long300, long300.left(240)), dear + long300.left(240)},
          {typed("x", ""), dear + long300.left(240)},
          {undo, dear},
          {redo, dear + long300.left(240)}}},
        {"a stored text longer than the limit, emptied and brought back",
         {{stored, s260},
          {key(Qt::Key_A, Qt::ControlModifier), s260},
          {key(Qt::Key_Delete), ""},
          {undo, s260},
          {redo, ""},
          {undo, s260},
          {key(Qt::Key_Backspace), s260.chopped(1)},
          {key(Qt::Key_Backspace), s260.chopped(2)},
          {undo, s260},
          {redo, s260.chopped(2)}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        MultiLineText ours(nullptr, 255);
        QPlainTextEdit plain;
        for (QPlainTextEdit *b : {static_cast<QPlainTextEdit *>(&ours), &plain})
            b->resize(300, 120);
        int n = 0;
        for (const auto &[step, expected] : row.steps) {
            SCOPED_TRACE("step " + std::to_string(++n));
            test::besidePlain(ours, plain, [&](QPlainTextEdit &b) { step(b, &b == &ours); });
            EXPECT_EQ(ours.text(), expected);
        }
    }
    QGuiApplication::clipboard()->clear();
}
