#include "common/AutoCompleteComboModule.h"
#include "customers/CustomerAddModifyForm.h"
#include "platform/FormRegistry.h"
#include "platform/MessageBox.h"
#include "platform/MultiLineText.h"
#include "support/BesidePlain.h"
#include "support/ShownTexts.h"
#include "support/TestData.h"
#include "support/Keys.h"
#include "support/Literal.h"
#include "support/UnderX.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QAction>
#include <QMenu>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <dlfcn.h>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace wvs;
using wvs::test::byHand;
using wvs::test::XHand;

namespace {

class PasteTest : public test::DataDbTest {
protected:
    // Every window the program registers, made as its opener makes it.
    static std::vector<std::unique_ptr<QDialog>> windows()
    {
        std::vector<std::unique_ptr<QDialog>> all;
        for (const QString &name : FormRegistry::names())
            all.emplace_back(FormRegistry::create(name));
        return all;
    }
    // The window shown and active on the X server's screen; false when it never showed.
    static bool onScreen(QWidget *window)
    {
        window->show();
        const bool exposed = QTest::qWaitForWindowExposed(window);
        window->activateWindow();
        settle();
        return exposed;
    }
    // The customer window with its Tag, shown and active on the X server's screen.
    static std::unique_ptr<CustomerAddModifyForm> onScreen(const QString &tag)
    {
        auto form = shown<CustomerAddModifyForm>(tag);
        EXPECT_TRUE(onScreen(form.get()));
        return form;
    }
    // The boxes that take text; a browser shows a page of the program's own and takes nothing.
    static QList<QAbstractScrollArea *> multiLineBoxes(QWidget *w)
    {
        QList<QAbstractScrollArea *> boxes = w->findChildren<QAbstractScrollArea *>();
        boxes.removeIf([](QObject *b) {
            return qobject_cast<QTextBrowser *>(b) || (!qobject_cast<QPlainTextEdit *>(b) && !qobject_cast<QTextEdit *>(b));
        });
        return boxes;
    }
};

TEST_F(PasteTest, EveryMultiLineBoxIsTheOneThatTakesPlainTextOnly)
{
    QStringList names;
    for (const auto &w : windows())
        for (QAbstractScrollArea *box : multiLineBoxes(w.get())) {
            names << w->objectName() + "." + box->objectName();
            EXPECT_NE(qobject_cast<MultiLineText *>(box), nullptr) << names.last().toStdString();
        }
    // The comment of a customer, a job and a schedule entry, customer and schedule notes, the e-mails'
    // messages and the portal request's two comments.
    EXPECT_EQ(names.size(), 10) << names.join(", ").toStdString();
}

// A comment saved after an edit keeps every character the user did not
// touch, and a pasted control character never reaches the database.
TEST_F(PasteTest, ACommentSavedAfterAnEditKeepsItsNoBreakSpacesAndNoControlCharacter)
{
    const QString stored = QString("Price 10") + QChar(0x00A0) + "000 NZD";
    const qint64 n = addCustomer({.comment = stored, .cSuburb = "Ponsonby"});
    addAddress(n);
    writeSql("UPDATE Customers SET CAddress1 = '1 Main Road', CPostCode = '1011' WHERE CustomerNumber = ?", {n});
    const auto edit = [&](const std::function<void(QPlainTextEdit *)> &typing) {
        auto form = shown<CustomerAddModifyForm>("Modify~" + QString::number(n));
        auto *box = child<QPlainTextEdit>(form.get(), "CommentText");
        box->setFocus();
        box->moveCursor(QTextCursor::End);
        typing(box);
        click(form.get(), "OKButton");
        EXPECT_FALSE(form->isVisible()) << msgs_->texts().join(" / ").toStdString();
        return rowsOf("SELECT CustomerComment FROM Customers WHERE CustomerNumber = ?", {n});
    };
    EXPECT_EQ(edit([](QPlainTextEdit *box) { test::typeKeys(box, "!"); }), stored + "!");
    EXPECT_EQ(edit([](QPlainTextEdit *box) {
        box->selectAll();
        QGuiApplication::clipboard()->setText(test::bytesOf("a\0b\x01" "c\x1b" "d\x7f" "e\tf\ng"));
        test::press(box, Qt::Key_V, Qt::ControlModifier);
    }), "abcde\tf\ng");
    QGuiApplication::clipboard()->clear();
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_PasteIntoEveryBoxWithAnOwnerlessClipboard)
{
    int pasted = 0;
    for (const auto &w : windows())
        for (QAbstractScrollArea *box : multiLineBoxes(w.get())) {
            auto *text = qobject_cast<QPlainTextEdit *>(box);
            ASSERT_NE(text, nullptr);
            text->setReadOnly(false);
            test::press(text, Qt::Key_V, Qt::ControlModifier);
            test::press(text, Qt::Key_Insert, Qt::ShiftModifier);
            text->paste(); // the context menu's Paste
            EXPECT_EQ(text->toPlainText(), "");
            ++pasted;
        }
    std::printf("pasted into %d boxes\n", pasted);
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_ClickInAScrolledCommentPutsTheCaretOnTheClickedLine)
{
    auto form = onScreen("Add");
    auto *box = child<QPlainTextEdit>(form.get(), "CommentText");
    XHand hand;
    ASSERT_TRUE(hand.ready()) << "no XTEST on the X server (libX11.so.6, libXtst.so.6)";

    box->setFocus();
    for (int n = 1; n <= 20; ++n) {
        if (n > 1)
            test::press(box, Qt::Key_Return);
        test::typeKeys(box, QString("Line %1").arg(n, 2, 10, QChar('0')));
    }
    ASSERT_EQ(box->document()->blockCount(), 20);
    QScrollBar *bar = box->verticalScrollBar();
    const QPoint middle = box->viewport()->mapToGlobal(box->viewport()->rect().center());
    // Where a line's fifth character begins on the screen, and whether the view shows it.
    auto lineAt = [&](int line) {
        QTextCursor at(box->document()->findBlockByNumber(line - 1));
        at.setPosition(at.position() + 5);
        return box->cursorRect(at);
    };
    // Clicks on that line, types "XX" and gives the line back.
    auto clickAndType = [&](int line) {
        const QRect r = lineAt(line);
        EXPECT_TRUE(box->viewport()->rect().contains(r)) << "line " << line << " is not in view";
        EXPECT_TRUE(byHand(hand, [&](XHand &h) {
            h.click(box->viewport()->mapToGlobal(r.center()));
            h.key('x', true);
            h.key('x', true);
        }));
        return box->document()->findBlockByNumber(line - 1).text();
    };

    // The first word selected, the view scrolled by the wheel to the end, a click on line 15.
    QTextCursor word(box->document());
    word.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    box->setTextCursor(word);
    ASSERT_TRUE(byHand(hand, [&](XHand &h) {
        h.moveTo(middle);
        for (int notch = 0; notch < 10; ++notch)
            h.wheel(false);
    }));
    ASSERT_GT(bar->value(), 0);
    ASSERT_EQ(bar->value(), bar->maximum());
    const int scrolled = bar->value();
    EXPECT_EQ(clickAndType(15), "Line XX15");
    EXPECT_EQ(bar->value(), scrolled);
    EXPECT_EQ(box->document()->findBlockByNumber(3).text(), "Line 04");

    // Everything selected, the view at the top, a click on line 2.
    test::press(box, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(box->textCursor().selectedText().size(), box->toPlainText().size());
    ASSERT_TRUE(byHand(hand, [&](XHand &h) {
        h.moveTo(middle);
        for (int notch = 0; notch < 10; ++notch)
            h.wheel(true);
    }));
    ASSERT_EQ(bar->value(), 0);
    EXPECT_EQ(clickAndType(2), "Line XX02");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(box->document()->lastBlock().text(), "Line 20");

    // The pointer selects as in any text box: Shift and a click extend from
    // the caret, a press and drag selects anew, a double click takes a word.
    const auto on = [&](int line, int column) {
        QTextCursor at(box->document()->findBlockByNumber(line - 1));
        at.setPosition(at.position() + column);
        return box->viewport()->mapToGlobal(box->cursorRect(at).center());
    };
    ASSERT_TRUE(byHand(hand, [&](XHand &h) {
        h.click(on(3, 0));
        h.shiftClick(on(4, 4));
    }));
    EXPECT_EQ(box->textCursor().selectedText(), QString("Line 03") + QChar::ParagraphSeparator + "Line");
    ASSERT_TRUE(byHand(hand, [&](XHand &h) { h.drag(on(5, 2), on(6, 5)); }));
    EXPECT_EQ(box->textCursor().selectedText(), QString("ne 05") + QChar::ParagraphSeparator + "Line ");
    ASSERT_TRUE(byHand(hand, [&](XHand &h) { h.doubleClick(on(7, 6)); }));
    EXPECT_EQ(box->textCursor().selectedText(), "07");
    EXPECT_EQ(bar->value(), 0);
    std::printf("clicked in the comment\n");
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_DragOutOfTheCommentOntoAFullOneLineBox)
{
    const QString comment = "Gate code 1234\nDog in the yard";
    const qint64 n = addCustomer({.comment = comment});
    auto form = onScreen("Modify~" + QString::number(n));
    auto *box = child<QPlainTextEdit>(form.get(), "CommentText");
    auto *title = child<QLineEdit>(form.get(), "TitleText");
    ASSERT_EQ(box->toPlainText(), comment);
    test::typingLimit(form.get(), "TitleText");   // the box is full
    const QString full = title->text();

    QTextCursor code(box->document());
    code.setPosition(5);
    code.setPosition(9, QTextCursor::KeepAnchor);
    box->setTextCursor(code);
    QTextCursor middle(box->document());
    middle.setPosition(7);
    const QPoint from = box->viewport()->mapToGlobal(box->cursorRect(middle).center());
    const QPoint to = title->mapToGlobal(title->rect().center());

    XHand hand;
    ASSERT_TRUE(hand.ready()) << "no XTEST on the X server (libX11.so.6, libXtst.so.6)";

    // No keys held with the press let a drag take the word out: not Shift
    // with Ctrl (a copy) or with Alt (a move), nor Ctrl with Alt, nor Alt.
    auto *other = child<QLineEdit>(form.get(), "CAddress2Text");
    ASSERT_EQ(other->text(), "");
    const QPoint onOther = other->mapToGlobal(other->rect().center());
    const unsigned long shift = 0xffe1ul, ctrl = 0xffe3ul, alt = 0xffe9ul;   // XK_Shift_L, XK_Control_L, XK_Alt_L
    const std::pair<const char *, std::vector<unsigned long>> held[] = {
        {"Shift+Ctrl", {shift, ctrl}}, {"Shift+Alt", {shift, alt}}, {"Ctrl+Alt", {ctrl, alt}}, {"Alt", {alt}}};
    for (const auto &[keys, syms] : held) {
        box->setTextCursor(code);
        ASSERT_EQ(box->textCursor().selectedText(), "code");
        ASSERT_TRUE(byHand(hand, [&](XHand &h) {
            for (const unsigned long k : syms)
                h.hold(k, true);
            h.drag(from, onOther);
            for (const unsigned long k : syms)
                h.hold(k, false);
        }));
        EXPECT_EQ(box->toPlainText(), comment) << keys;
        EXPECT_EQ(other->text(), "") << keys;
        std::printf("dragged with %s held\n", keys);
        std::fflush(stdout);
    }
    // Shift alone extends the selection from the caret, as in any text box.
    box->setTextCursor(code);
    ASSERT_TRUE(byHand(hand, [&](XHand &h) {
        h.hold(shift, true);
        h.drag(from, box->viewport()->mapToGlobal(box->cursorRect(QTextCursor(box->document()->findBlockByNumber(1))).center()));
        h.hold(shift, false);
    }));
    EXPECT_EQ(box->textCursor().selectedText(), QString("code 1234") + QChar::ParagraphSeparator);
    EXPECT_EQ(box->toPlainText(), comment);

    box->setTextCursor(code);
    std::atomic<bool> done{false};
    std::thread user([&] {
        hand.moveTo(from);
        hand.leftButton(true);
        for (int step = 1; step <= 12; ++step)
            hand.moveTo(from + (to - from) * step / 12);
        hand.leftButton(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        hand.escape();
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while ((!done || form->isVisible()) && clock.elapsed() < 15000)
        QTest::qWait(20);
    user.join();
    EXPECT_EQ(box->toPlainText(), comment);
    EXPECT_EQ(title->text(), full);
    EXPECT_FALSE(form->isVisible()) << "the window did not answer Escape";
    std::printf("dragged out of the comment\n");
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_MiddleButtonPasteIntoAOneLineBox)
{
    auto form = onScreen("Add");
    auto *line = child<QLineEdit>(form.get(), "CAddress3Text");
    XHand hand;
    ASSERT_TRUE(hand.ready()) << "no XTEST on the X server (libX11.so.6, libXtst.so.6)";
    ASSERT_TRUE(QGuiApplication::clipboard()->supportsSelection());
    line->setFocus();
    test::typeKeys(line, "abc");
    // The selection that the middle button pastes holds a tab, a line break and a NUL.
    QGuiApplication::clipboard()->setText(test::bytesOf("x\ty\nz\0!\n"), QClipboard::Selection);
    ASSERT_TRUE(byHand(hand, [&](XHand &h) { h.middleClick(line->mapToGlobal(QPoint(line->width() - 4, line->height() / 2))); }));
    EXPECT_EQ(line->text(), "abcx y z!");
    EXPECT_TRUE(line->isModified());
    test::press(line, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line->text(), "abc");
    test::press(line, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(line->text(), "abcx y z!");
    std::printf("pasted by the middle button\n");
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_MiddleButtonPasteIntoACommentAndATypeAheadBox)
{
    QWidget window;
    window.resize(640, 260);
    MultiLineText ours(&window);
    QPlainTextEdit plain(&window);
    QComboBox combo(&window);
    ours.setGeometry(10, 10, 300, 150);
    plain.setGeometry(330, 10, 300, 150);
    combo.setGeometry(10, 200, 300, 30);
    installAutoMatch(&combo);
    combo.addItems({"Albany", "Port Chalmers"});
    combo.setCurrentIndex(-1);
    combo.lineEdit()->clear();
    ASSERT_TRUE(onScreen(&window));
    XHand hand;
    ASSERT_TRUE(hand.ready()) << "no XTEST on the X server (libX11.so.6, libXtst.so.6)";
    ASSERT_TRUE(QGuiApplication::clipboard()->supportsSelection());

    // Typing, then the middle button past the end of the last line, into
    // the comment and into a plain box given the mended text; then the
    // same keys, which go back and forth alike.
    const auto middleAtEnd = [&](QPlainTextEdit &b, const QString &selection) {
        QGuiApplication::clipboard()->setText(selection, QClipboard::Selection);
        QTextCursor end(b.document());
        end.movePosition(QTextCursor::End);
        const QPoint at = b.viewport()->mapToGlobal(b.cursorRect(end).center() + QPoint(60, 0));
        EXPECT_TRUE(byHand(hand, [&](XHand &h) { h.middleClick(at); }));
    };
    const auto both = [&](const std::function<void(QPlainTextEdit &)> &step) { test::besidePlain(ours, plain, step); };
    both([](QPlainTextEdit &b) {
        b.setFocus();
        test::typeKeys(&b, "Gate code 1234");
        test::press(&b, Qt::Key_Return);
        test::typeKeys(&b, "Dog in yard");
    });
    both([&](QPlainTextEdit &b) {
        middleAtEnd(b, &b == &ours ? test::bytesOf(" PA\x01S\0TED") : QString(" PASTED"));
    });
    EXPECT_EQ(ours.text(), "Gate code 1234\nDog in yard PASTED");
    both(test::keyStep(Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(ours.text(), "Gate code 1234\nDog in yard");
    both(test::keyStep(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(ours.text(), "Gate code 1234\nDog in yard PASTED");

    // Into a type-ahead box the selection goes mended and searched as typed.
    test::focusOn(combo.lineEdit());
    QGuiApplication::clipboard()->setText("Port\r\nCh\x01", QClipboard::Selection);
    EXPECT_TRUE(byHand(hand, [&](XHand &h) { h.middleClick(combo.lineEdit()->mapToGlobal(QPoint(10, 10))); }));
    EXPECT_EQ(combo.lineEdit()->text(), "Port Chalmers");
    EXPECT_EQ(combo.lineEdit()->selectedText(), "almers");
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(" / ").toStdString();

    // After a completion ("Sm" typed shows "Smith" with "ith" selected) the
    // middle button searches what was typed and the selection's text, as
    // the context menu and an input method do: "Smithers", never "Smithithers".
    combo.addItems({"Smith", "Smithers"});
    const auto completed = [&] {
        combo.setCurrentIndex(-1);
        combo.lineEdit()->clear();
        test::typeKeys(combo.lineEdit(), "Sm");
        EXPECT_EQ(combo.lineEdit()->text(), "Smith");
        EXPECT_EQ(combo.lineEdit()->selectedText(), "ith");
        QGuiApplication::clipboard()->setText("ithers", QClipboard::Selection);
        QGuiApplication::clipboard()->setText("ithers");
    };
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"the middle button", [&] {
             // A press of its own, not the second of a double click.
             QTest::qWait(QApplication::doubleClickInterval() + 100);
             const QPoint at = combo.lineEdit()->mapToGlobal(QPoint(6, combo.lineEdit()->height() / 2));
             EXPECT_TRUE(byHand(hand, [&](XHand &h) { h.middleClick(at); }));
         }},
        {"the context menu", [&] { test::pasteFromMenu(combo.lineEdit(), true); }},
        {"an input method", [] { test::commit("ithers"); }},
    };
    for (const auto &[way, paste] : ways) {
        SCOPED_TRACE(way);
        completed();
        paste();
        EXPECT_EQ(combo.lineEdit()->text(), "Smithers");
        EXPECT_EQ(combo.lineEdit()->selectedText(), "");
        EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(" / ").toStdString();
    }
    std::printf("pasted by the middle button into a comment and a type-ahead box\n");
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_ASecondPasteOfTheSelectionIntoAScrolledComment)
{
    QWidget window;
    window.resize(520, 240);
    MultiLineText ours(&window);
    QPlainTextEdit plain(&window);
    ours.move(10, 10);
    plain.move(10, 125);
    ASSERT_TRUE(onScreen(&window));
    XHand hand;
    ASSERT_TRUE(hand.ready()) << "no XTEST on the X server (libX11.so.6, libXtst.so.6)";
    ASSERT_TRUE(QGuiApplication::clipboard()->supportsSelection());
    const std::pair<const char *, test::PasteWay> ways[] = {
        {"Ctrl+Shift+Insert", [](QPlainTextEdit &b, const QString &text) {
             QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
             test::press(&b, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
         }},
        {"the middle button at the caret", [&](QPlainTextEdit &b, const QString &text) {
             QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
             const QPoint at = b.viewport()->mapToGlobal(b.cursorRect().center());
             EXPECT_TRUE(byHand(hand, [&](XHand &h) { h.middleClick(at); }));
         }},
    };
    for (const auto &[way, paste] : ways) {
        SCOPED_TRACE(way);
        test::twoPastesBesidePlain(ours, plain, paste);
    }
    std::printf("pasted the selection twice into a scrolled comment\n");
}

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_SelectTheLongPathOfAMessageWithTheMouse)
{
    const QString path = "/home/office/exports/" + QString(110, 'a') + "/customers.csv";
    const QString text = "Error 75 encountered when trying to open " + path + ". Please ensure that it is not in use";
    XHand hand;
    ASSERT_TRUE(hand.ready()) << "no XTEST on the X server (libX11.so.6, libXtst.so.6)";
    ASSERT_TRUE(QGuiApplication::clipboard()->supportsSelection());
    QString selected, copied;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *view = box ? box->findChild<QPlainTextEdit *>("MessageText") : nullptr;
        if (view && QTest::qWaitForWindowExposed(box)) {
            shown = true;
            settle();
            const auto at = [&](qsizetype position) {
                QTextCursor c(view->document());
                c.setPosition(int(position));
                return view->viewport()->mapToGlobal(view->cursorRect(c).center());
            };
            const qsizetype from = text.indexOf(path);
            QGuiApplication::clipboard()->clear(QClipboard::Selection);
            EXPECT_TRUE(byHand(hand, [&](XHand &h) { h.drag(at(from), at(from + path.size())); }));
            selected = QGuiApplication::clipboard()->text(QClipboard::Selection);
            EXPECT_TRUE(byHand(hand, [&](XHand &h) {
                h.hold(0xffe3ul, true);   // XK_Control_L
                h.key('c');
                h.hold(0xffe3ul, false);
            }));
            copied = QGuiApplication::clipboard()->text();
        }
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    msgs_.reset();   // the box itself, on the screen
    msgBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
    msgs_ = std::make_unique<MessageScript>();
    ASSERT_TRUE(shown);
    // What a middle-click pastes elsewhere, and what Ctrl+C copies: the path, every character as it stands.
    EXPECT_EQ(selected, path);
    EXPECT_EQ(copied, path);
    std::printf("selected the path in a message box\n");
}

// Runs the named case of this suite under an X server of its own.
void underX(const char *childTest, const char *marker) { test::underX("PasteTest", childTest, marker); }

// A paste into a multi-line box when nothing owns the X clipboard (nothing
// copied yet in the session, or the program that copied has closed) must
// not end the program.
TEST(PasteUnderX, AnOwnerlessClipboardDoesNotEndTheProgram)
{
    underX("DISABLED_PasteIntoEveryBoxWithAnOwnerlessClipboard", "pasted into 10 boxes");
}

// A click in a multi-line box that holds a selection puts the caret where
// the user clicked, and the view stays where the user scrolled it.
TEST(PasteUnderX, AClickInAScrolledCommentPutsTheCaretOnTheClickedLine)
{
    underX("DISABLED_ClickInAScrolledCommentPutsTheCaretOnTheClickedLine", "clicked in the comment");
}

// A drag out of a multi-line box copies, never moves, and never leaves the
// window deaf to the keyboard.
TEST(PasteUnderX, ADragOutOfACommentKeepsItAndTheWindowAnswers)
{
    underX("DISABLED_DragOutOfTheCommentOntoAFullOneLineBox", "dragged out of the comment");
}

// A paste by the middle button into a one-line box goes in mended, and one
// Ctrl+Z takes it back.
TEST(PasteUnderX, AMiddleButtonPasteIsOneUndoStep)
{
    underX("DISABLED_MiddleButtonPasteIntoAOneLineBox", "pasted by the middle button");
}

// A paste by the middle button into a comment is undone alone, as in a
// plain box; into a type-ahead box it is searched as if typed.
TEST(PasteUnderX, AMiddleButtonPasteIntoACommentOrATypeAheadBox)
{
    underX("DISABLED_MiddleButtonPasteIntoACommentAndATypeAheadBox",
           "pasted by the middle button into a comment and a type-ahead box");
}

// A second paste of the X selection (Ctrl+Shift+Insert, the middle button)
// after a first that scrolled the box goes in, and is undone alone.
TEST(PasteUnderX, ASecondPasteOfTheSelectionIntoAScrolledComment)
{
    underX("DISABLED_ASecondPasteOfTheSelectionIntoAScrolledComment",
           "pasted the selection twice into a scrolled comment");
}

// A path selected with the mouse in a message box is the path: the X
// selection (a middle-click's paste) and Ctrl+C hold it as the message says it.
TEST(PasteUnderX, APathSelectedInAMessageBoxIsThePath)
{
    underX("DISABLED_SelectTheLongPathOfAMessageWithTheMouse", "selected the path in a message box");
}

} // namespace
