#include "platform/MessageBox.h"
#include "platform/MultiLineText.h"
#include "support/Keys.h"
#include "support/Pointer.h"
#include "support/QtPrinters.h"
#include "support/UnderX.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

// Shows text by msgBox and, once the box is up and active, hands it to look; a box look left open is closed.
MsgAnswer onTheBox(const QString &text, MsgButtons buttons, const std::function<void(QMessageBox &)> &look,
                   MsgIcon icon = MsgIcon::Exclamation)
{
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is shown";
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        look(*box);
        if (box->isVisible())
            box->done(QMessageBox::Ok);
    });
    return msgBox(text, buttons, icon);
}

// The box's text as it shows it.
MultiLineText *textOf(QMessageBox &box)
{
    auto *view = box.findChild<MultiLineText *>("MessageText");
    EXPECT_NE(view, nullptr);
    EXPECT_TRUE(view && view->isVisible());
    return view;
}

// Where a position of the text shows, in its view's viewport.
QPoint pointAt(MultiLineText *view, int position)
{
    QTextCursor c(view->document());
    c.setPosition(position);
    return view->cursorRect(c).center();
}

// What the clipboard holds after copy (emptied before it; "nothing" when copy put nothing there).
QString copied(const std::function<void()> &copy, QClipboard::Mode mode = QClipboard::Clipboard)
{
    QGuiApplication::clipboard()->setText("nothing", mode);
    copy();
    return QGuiApplication::clipboard()->text(mode);
}

// The action of the text's context menu, asked for by the right button on its viewport.
void fromContextMenu(MultiLineText *view, const QString &action)
{
    const QPoint at(4, 4);
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &e);
    QMenu *menu = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<QMenu *>(w); m && m->isVisible())
            menu = m;
    ASSERT_NE(menu, nullptr);
    bool found = false;
    for (QAction *a : menu->actions())
        if (a->text().remove('&').startsWith(action) && a->isEnabled()) {
            a->trigger();
            found = true;
        }
    menu->close();
    EXPECT_TRUE(found) << action.toStdString();
}

// The whole text can be seen: every line within the view's width, and the last line within its height once the
// view is scrolled to its end.
void expectWholeTextReachable(MultiLineText *view)
{
    const int width = view->viewport()->width();
    for (QTextBlock b = view->document()->begin(); b.isValid(); b = b.next())
        for (int i = 0; i < b.layout()->lineCount(); ++i)
            ASSERT_LE(b.layout()->lineAt(i).naturalTextWidth(), width) << "line " << i << " of block " << b.blockNumber();
    QApplication::processEvents();
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    QApplication::processEvents();
    QTextCursor end(view->document());
    end.movePosition(QTextCursor::End);
    const QRect last = view->cursorRect(end);
    EXPECT_GE(last.top(), 0);
    EXPECT_LE(last.bottom(), view->viewport()->height());
    view->verticalScrollBar()->setValue(0);
}

// The keys that copy: Ctrl+C and Ctrl+Insert, each pressed where the keys go (the focus widget).
const std::pair<const char *, QKeyCombination> copyKeys[] = {
    {"Ctrl+C", Qt::ControlModifier | Qt::Key_C},
    {"Ctrl+Insert", Qt::ControlModifier | Qt::Key_Insert},
};

const QString path = "/home/office/exports/" + QString(110, 'a') + "/customers.csv";
const QString exportFailed = "Error 75 encountered when trying to open " + path + ". Please ensure that it is not in use";

} // namespace

// A word wider than the box (a file's path, a server's reply without a blank) breaks at the box's edge, so the box
// stays within the screen and shows its whole text; nothing is put into the text to break it. A word of ordinary
// length is never broken inside.
TEST(MessageBoxTest, ALongWordBreaksAtTheEdgeAndTheTextShownIsTheMessage)
{
    const QString texts[] = {
        exportFailed,
        "Error 75 encountered when trying to open /home/office/exports/" + QString(130, QChar(0xE9)) + ".csv",
        "Schedule load failed - " + QString(1000, 'x') + QChar(0x2026),
        "Unable to open /home/office/exports/customers.csv. Please ensure that it is not in use, "
        "that the folder exists and that you may write to it, then try the export again"};
    for (const QString &text : texts) {
        SCOPED_TRACE(text.left(40).toStdString());
        int lines = 0;
        onTheBox(text, MsgButtons::Ok, [&](QMessageBox &box) {
            MultiLineText *view = textOf(box);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->document()->toRawText(), text);
            const QRect screen = box.screen()->availableGeometry();
            EXPECT_LE(box.frameGeometry().width(), screen.width());
            EXPECT_LE(box.width(), std::min(screen.width() / 2, 500));
            EXPECT_GT(view->height(), 0);
            expectWholeTextReachable(view);
            EXPECT_FALSE(view->verticalScrollBar()->isVisible());   // no taller than the screen: nothing scrolls
            const QTextLayout *layout = view->document()->begin().layout();
            lines = layout->lineCount();
            // A line that starts inside a word starts inside the long word.
            for (int i = 1; i < lines; ++i) {
                const int at = layout->lineAt(i).textStart();
                if (text.at(at - 1).isSpace())
                    continue;
                const qsizetype from = text.lastIndexOf(' ', at - 1) + 1;
                const qsizetype to = text.indexOf(' ', at);
                EXPECT_GT((to < 0 ? text.size() : to) - from, 100) << "a word broken at " << at;
            }
        });
        EXPECT_GT(lines, 1);
    }
}

// Every way of copying a message gives its text as the program says it: a path copied from a message names the
// file, a CR LF stays CR LF, a no-break space and a zero-width space of the text itself stay, markup stays as typed.
// A copy key with nothing selected copies the whole message, whether a button or the text clicked into has the
// focus; with a part selected, exactly that part.
TEST(MessageBoxTest, EveryWayOfCopyingGivesTheMessageAsItIs)
{
    const QString lines = "Job Types update failed - <html>\r\n<p>Price 10" + QString(QChar(0x00A0)) + "000 NZD</p>\r\n"
                          + "<p>a" + QChar(0x200B) + "b &amp; c</p>\r\n</html>";
    for (const QString &text : {exportFailed, lines}) {
        SCOPED_TRACE(text.left(40).toStdString());
        onTheBox(text, MsgButtons::Ok, [&](QMessageBox &box) {
            MultiLineText *view = textOf(box);
            ASSERT_NE(view, nullptr);
            // Ctrl+C on the box (its button has the focus) copies the whole message.
            ASSERT_NE(qobject_cast<QAbstractButton *>(QApplication::focusWidget()), nullptr);
            EXPECT_EQ(copied([] { test::press(Qt::Key_C, Qt::ControlModifier); }), text);
            // So does every key that copies, from the button and from the text clicked into with nothing selected.
            for (const auto &[name, key] : copyKeys) {
                SCOPED_TRACE(name);
                ASSERT_TRUE(QKeyEvent(QEvent::KeyPress, key.key(), key.keyboardModifiers()).matches(QKeySequence::Copy));
                ASSERT_NE(qobject_cast<QAbstractButton *>(QApplication::focusWidget()), nullptr);
                EXPECT_EQ(copied([&] { test::press(key.key(), key.keyboardModifiers()); }), text);
                for (int at : {0, 5}) {
                    test::pointAndClick(&box, view->viewport(), pointAt(view, at));
                    ASSERT_EQ(QApplication::focusWidget(), view);
                    ASSERT_FALSE(view->textCursor().hasSelection());
                    EXPECT_EQ(copied([&] { test::press(key.key(), key.keyboardModifiers()); }), text);
                }
                box.buttons().constFirst()->setFocus(Qt::TabFocusReason);
            }

            // A part selected with the mouse, then Ctrl+C or the context menu's Copy.
            const QString part = text == exportFailed ? path : lines.section("\r\n", 1, 2) + "\r\n";
            // Where the part starts and ends in the text as shown, a CR LF one line end.
            const int from = int(text.indexOf(part) - text.left(text.indexOf(part)).count("\r\n"));
            const int to = int(from + part.size() - part.count("\r\n"));
            ASSERT_GT(from, 0);
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, pointAt(view, from));
            QTest::mouseMove(view->viewport(), pointAt(view, (from + to) / 2));
            QTest::mouseMove(view->viewport(), pointAt(view, to));
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, pointAt(view, to));
            EXPECT_EQ(QApplication::focusWidget(), view);
            EXPECT_EQ(copied([] { test::press(Qt::Key_C, Qt::ControlModifier); }), part);
            for (const auto &[name, key] : copyKeys)
                EXPECT_EQ(copied([&] { test::press(key.key(), key.keyboardModifiers()); }), part) << name;
            EXPECT_EQ(copied([&] { fromContextMenu(view, "Copy"); }), part);

            // The whole text: Select All then Copy, by the context menu and by the keys.
            EXPECT_EQ(copied([&] {
                          fromContextMenu(view, "Select All");
                          fromContextMenu(view, "Copy");
                      }),
                      text);
            view->moveCursor(QTextCursor::Start);
            EXPECT_EQ(copied([] {
                          test::press(Qt::Key_A, Qt::ControlModifier);
                          test::press(Qt::Key_C, Qt::ControlModifier);
                      }),
                      text);
        });
    }
    QGuiApplication::clipboard()->clear();
}

// A copy of the whole message keeps its leading and trailing blanks and tabs and its line ends (CR LF, LF, CR) as
// the program says them: by a copy key on the button, by Select All and Copy in the text, by the keys and the menu.
TEST(MessageBoxTest, ACopyKeepsTheLeadingAndTrailingBlanksAndLineEnds)
{
    const QString texts[] = {"   Schedule closed   ",
                             "\r\nSchedule closed\r\n",
                             "\n\nSchedule closed\n",
                             "\rSchedule closed\r",
                             "\t Unable to open the file.\r\n\r\nPlease try again \t\r\n \r\n"};
    for (const QString &text : texts) {
        SCOPED_TRACE(QString(text).replace('\r', "\\r").replace('\n', "\\n").toStdString());
        onTheBox(text, MsgButtons::Ok, [&](QMessageBox &box) {
            MultiLineText *view = textOf(box);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(copied([] { test::press(Qt::Key_C, Qt::ControlModifier); }), text);
            test::pointAndClick(&box, view->viewport(), pointAt(view, 0));
            ASSERT_EQ(QApplication::focusWidget(), view);
            EXPECT_EQ(copied([] {
                          test::press(Qt::Key_A, Qt::ControlModifier);
                          test::press(Qt::Key_C, Qt::ControlModifier);
                      }),
                      text);
            EXPECT_EQ(copied([&] {
                          fromContextMenu(view, "Select All");
                          fromContextMenu(view, "Copy");
                      }),
                      text);
        });
    }
    QGuiApplication::clipboard()->clear();
}

// The box answers as before with the text in it: Enter gives the default button, Escape the box's way out, from the
// buttons and from the text alike; the text is plain, markup shown as typed.
TEST(MessageBoxTest, EnterAndEscapeAnswerFromTheButtonsAndFromTheText)
{
    const QString question = "Are you sure you want to PERMANENTLY delete <b>Smith &amp; Sons</b>?";
    auto answer = [&](MsgButtons buttons, Qt::Key key, bool inText) {
        return onTheBox(question, buttons, [&](QMessageBox &box) {
            MultiLineText *view = textOf(box);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->document()->toRawText(), question);
            if (inText)
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pointAt(view, 3));
            EXPECT_EQ(QApplication::focusWidget() == view, inText);
            test::press(key);
            EXPECT_FALSE(box.isVisible());
        }, MsgIcon::Question);
    };
    for (bool inText : {false, true}) {
        SCOPED_TRACE(inText ? "from the text" : "from the buttons");
        EXPECT_EQ(answer(MsgButtons::YesNo, Qt::Key_Return, inText), MsgAnswer::Yes);
        EXPECT_EQ(answer(MsgButtons::YesNo, Qt::Key_Escape, inText), MsgAnswer::No);
        EXPECT_EQ(answer(MsgButtons::YesNoCancel, Qt::Key_Escape, inText), MsgAnswer::Cancel);
        EXPECT_EQ(answer(MsgButtons::OkCancel, Qt::Key_Escape, inText), MsgAnswer::Cancel);
    }
    EXPECT_EQ(answer(MsgButtons::Ok, Qt::Key_Return, false), MsgAnswer::Ok);
}

// A message taller than the screen (a long paste echoed in "not found", a reply of many lines, a long text) fits
// the screen with its buttons: its text scrolls, and the whole of it can be read and copied.
TEST(MessageBoxTest, AMessageTallerThanTheScreenFitsWithItsButtonsAndScrolls)
{
    QStringList manyLines;
    for (int i = 1; i <= 300; ++i)
        manyLines << QString("Line %1 of the reply").arg(i);
    const QString texts[] = {QString(5000, 'q') + " not found", manyLines.join("\n"),
                             QString("Please ensure that it is not in use ").repeated(200).trimmed()};
    for (const QString &text : texts) {
        for (MsgButtons buttons : {MsgButtons::Ok, MsgButtons::YesNoCancel}) {
            SCOPED_TRACE(text.left(40).toStdString());
            onTheBox(text, buttons, [&](QMessageBox &box) {
                const QRect screen = box.screen()->availableGeometry();
                const QRect frame = box.frameGeometry();
                EXPECT_TRUE(screen.contains(frame)) << frame.y() << "+" << frame.height() << " on " << screen.height();
                const QList<QAbstractButton *> shown = box.findChild<QDialogButtonBox *>()->buttons();
                EXPECT_EQ(shown.size(), buttons == MsgButtons::Ok ? 1 : 3);
                for (QAbstractButton *b : shown) {
                    EXPECT_TRUE(b->isVisible());
                    EXPECT_TRUE(frame.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())))
                        << b->text().toStdString();
                }
                MultiLineText *view = textOf(box);
                ASSERT_NE(view, nullptr);
                EXPECT_TRUE(view->verticalScrollBar()->isVisible());
                expectWholeTextReachable(view);
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pointAt(view, 0));
                EXPECT_EQ(copied([] {
                              test::press(Qt::Key_A, Qt::ControlModifier);
                              test::press(Qt::Key_C, Qt::ControlModifier);
                          }),
                          text);
            });
        }
    }
    QGuiApplication::clipboard()->clear();
}

namespace {

// Messages of one to three lines whose first or middle line wraps or just fits: the schedule's close question with
// associate names of many lengths, the request window's missing record, the publish refused once the portal holds
// the schedule, and sentences of 4 to 40 words alone, before a question, and between a sentence and a question.
QStringList shortMessages()
{
    QStringList out = {
        "The Schedule for ALL jobs will now be closed, not just those for Admin User.\r\nDo you wish to continue?",
        "The Schedule for ALL jobs will now be closed, not just those for Eve Clerk.\r\nDo you wish to continue?",
        "Unable to find the PortalCustomerJob record. This is a database error!\r\n"
        "Make a note of this message and report to Support",
        "The portal now holds this Schedule, but it now has a status of Open and therefore cannot be published. "
        "Please publish again the Schedule that the portal is to show",
        "The portal now holds this Schedule, but it has not been marked as published. Please publish the Schedule "
        "again",
        "Administrator is currently publishing a Schedule on the portal. Please try again once it has finished",
    };
    const QString firsts[] = {"Al", "Eva", "Adam", "Robert", "Jacqueline", "Maximilian", "Mary-Anne", "Wu"};
    const QString lasts[] = {"Ng", "Use", "Clerke", "Smith", "Fitzgerald", "O'Sullivan-Bray", "Vandenberghe", "Li"};
    for (const QString &first : firsts)
        for (const QString &last : lasts)
            out << "The Schedule for ALL jobs will now be closed, not just those for " + first + " " + last
                       + ".\r\nDo you wish to continue?";
    const QString words[] = {"the", "schedule", "for", "each", "customer", "is", "printed", "and", "sent", "by",
                             "e-mail", "to", "every", "associate", "whose", "jobs", "fall", "within", "dates", "given"};
    const auto sentence = [&](int n) {
        QStringList s;
        for (int i = 0; i < n; ++i)
            s << words[(i * 7 + n) % std::size(words)];
        s.first()[0] = s.first()[0].toUpper();
        return s.join(' ') + '.';
    };
    for (int n = 4; n <= 40; ++n) {
        out << sentence(n) << sentence(n) + "\r\nDo you wish to continue?"
            << sentence(3) + "\r\n" + sentence(n) + "\r\nDo you wish to continue?";
    }
    return out;
}

// Shows each message in a real box and names those of them that hide some of their text: a line beyond the view's
// width or height, or anything left to scroll.
QStringList hiddenInTheBox(const QStringList &messages)
{
    QStringList hidden;
    for (const QString &text : messages) {
        onTheBox(text, MsgButtons::YesNo, [&](QMessageBox &box) {
            MultiLineText *view = textOf(box);
            ASSERT_NE(view, nullptr);
            ASSERT_LE(box.frameGeometry().height(), box.screen()->availableGeometry().height());
            for (int i = 0; i < 3; ++i)   // the view's scroll bars follow their range by queued calls
                QApplication::processEvents();
            const QSize seen = view->viewport()->size();
            bool whole = view->verticalScrollBar()->maximum() == 0 && !view->verticalScrollBar()->isVisible();
            int lines = 0;
            for (QTextBlock b = view->document()->begin(); b.isValid(); b = b.next()) {
                for (int i = 0; i < b.layout()->lineCount(); ++i, ++lines) {
                    const QTextLine line = b.layout()->lineAt(i);
                    QTextCursor start(view->document());
                    start.setPosition(b.position() + line.textStart());
                    const QRect shown = view->cursorRect(start);   // the line's height where the view shows it
                    whole = whole && shown.top() >= 0 && shown.top() + shown.height() <= seen.height()
                            && line.naturalTextWidth() <= seen.width();
                }
            }
            if (!whole || lines != view->document()->lineCount() || lines < text.count('\n') + 1)
                hidden << QString("%1 lines in %2x%3, scroll range %4: %5")
                              .arg(lines)
                              .arg(seen.width())
                              .arg(seen.height())
                              .arg(view->verticalScrollBar()->maximum())
                              .arg(text);
        }, MsgIcon::Question);
    }
    return hidden;
}

void expectEveryShortMessageShownWhole()
{
    const QStringList messages = shortMessages();
    const QStringList hidden = hiddenInTheBox(messages);
    EXPECT_TRUE(hidden.isEmpty()) << hidden.size() << " of " << messages.size() << " messages hide some text:\n"
                                  << hidden.join('\n').toStdString();
    std::printf("shown %d messages whole\n", int(messages.size()));
}

} // namespace

// A message that fits on the screen shows whole: every line of it within its box, nothing left to scroll.
TEST(MessageBoxTest, AMessageThatFitsOnTheScreenShowsWhole) { expectEveryShortMessageShownWhole(); }

// Run only by the test below, in a child process on a real X server.
TEST(MessageBoxTest, DISABLED_AMessageThatFitsOnTheScreenShowsWholeUnderX) { expectEveryShortMessageShownWhole(); }

TEST(MessageBoxUnderX, AMessageThatFitsOnTheScreenShowsWhole)
{
    test::underX("MessageBoxTest", "DISABLED_AMessageThatFitsOnTheScreenShowsWholeUnderX", "shown 181 messages whole");
}
