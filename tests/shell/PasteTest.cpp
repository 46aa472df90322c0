#include "customers/CustomerAddModifyForm.h"
#include "platform/FormRegistry.h"
#include "platform/MultiLineText.h"
#include "support/ShownTexts.h"
#include "support/TestData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <atomic>
#include <cstdio>
#include <dlfcn.h>
#include <memory>
#include <thread>
#include <vector>

using namespace wvs;

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

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_PasteIntoEveryBoxWithAnOwnerlessClipboard)
{
    int pasted = 0;
    for (const auto &w : windows())
        for (QAbstractScrollArea *box : multiLineBoxes(w.get())) {
            auto *text = qobject_cast<QPlainTextEdit *>(box);
            ASSERT_NE(text, nullptr);
            text->setReadOnly(false);
            QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(text, Qt::Key_Insert, Qt::ShiftModifier);
            text->paste(); // the context menu's Paste
            EXPECT_EQ(text->toPlainText(), "");
            ++pasted;
        }
    std::printf("pasted into %d boxes\n", pasted);
}

// The pointer and keys of the X server, pressed through its XTEST extension
// from a connection of their own, as a user's hand would: they go on while
// the program is busy.
class XHand {
public:
    XHand()
        : x11_(dlopen("libX11.so.6", RTLD_NOW)), xtst_(dlopen("libXtst.so.6", RTLD_NOW))
    {
        if (x11_ && xtst_ && dlsym(xtst_, "XTestFakeMotionEvent") && dlsym(xtst_, "XTestFakeButtonEvent")
            && dlsym(xtst_, "XTestFakeKeyEvent"))
            display_ = call<void *>(x11_, "XOpenDisplay", static_cast<const char *>(nullptr));
    }
    ~XHand()
    {
        if (display_)
            call(x11_, "XCloseDisplay", display_);
    }
    bool ready() const { return display_ != nullptr; }
    void moveTo(QPoint at) { send("XTestFakeMotionEvent", -1, at.x(), at.y()); }
    void leftButton(bool down) { send("XTestFakeButtonEvent", 1u, int(down)); }
    void escape()
    {
        const unsigned code = call<unsigned char>(x11_, "XKeysymToKeycode", display_, 0xff1bul);   // XK_Escape
        send("XTestFakeKeyEvent", code, 1);
        send("XTestFakeKeyEvent", code, 0);
    }

private:
    // Calls the library's function of that name with these arguments.
    template <class R = int, class... A>
    static R call(void *library, const char *name, A... args)
    {
        return reinterpret_cast<R (*)(A...)>(dlsym(library, name))(args...);
    }
    // An XTEST event with no delay, sent at once; the hand then rests a moment.
    template <class... A>
    void send(const char *event, A... args)
    {
        call(xtst_, event, display_, args..., 0ul);
        call(x11_, "XFlush", display_);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    void *x11_, *xtst_, *display_ = nullptr;
};

// Run only by the test below, in a child process on a real X server.
TEST_F(PasteTest, DISABLED_DragOutOfTheCommentOntoAFullOneLineBox)
{
    const QString comment = "Gate code 1234\nDog in the yard";
    const qint64 n = addCustomer({.comment = comment});
    auto form = shown<CustomerAddModifyForm>("Modify~" + QString::number(n));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    settle();
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

// Runs the named child test in a child process of this program on an X
// server of its own, and expects it to pass and to print marker. Xvfb
// chooses a free display itself; an Xvfb that is there but does not start
// fails the test.
void underX(const char *childTest, const char *marker)
{
    const QString xvfbProgram = QStandardPaths::findExecutable("Xvfb");
    if (xvfbProgram.isEmpty())
        GTEST_SKIP() << "Xvfb is not installed; nothing is tried under a real X server";
    QProcess xvfb;
    xvfb.start(xvfbProgram, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    QByteArray display;
    QElapsedTimer clock;
    clock.start();
    while (!display.contains('\n') && clock.elapsed() < 30000 && xvfb.state() != QProcess::NotRunning) {
        xvfb.waitForReadyRead(100);
        display += xvfb.readAllStandardOutput();
    }
    if (!display.contains('\n')) {
        xvfb.kill();
        xvfb.waitForFinished(2000);
        FAIL() << "Xvfb did not start: " << xvfb.readAllStandardError().toStdString();
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", ":" + QString::fromLatin1(display.trimmed()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("--gtest_filter=PasteTest.%1").arg(childTest), "--gtest_also_run_disabled_tests"});
    const bool finished = child.waitForFinished(60000);
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    const std::string output = child.readAll().toStdString();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    ASSERT_TRUE(finished) << "the child did not end: " << output;
    EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0) << output;
    EXPECT_NE(output.find(marker), std::string::npos) << output;
}

// A paste into a multi-line box when nothing owns the X clipboard (nothing
// copied yet in the session, or the program that copied has closed) must
// not end the program.
TEST(PasteUnderX, AnOwnerlessClipboardDoesNotEndTheProgram)
{
    underX("DISABLED_PasteIntoEveryBoxWithAnOwnerlessClipboard", "pasted into 10 boxes");
}

// A drag out of a multi-line box copies, never moves, and never leaves the
// window deaf to the keyboard.
TEST(PasteUnderX, ADragOutOfACommentKeepsItAndTheWindowAnswers)
{
    underX("DISABLED_DragOutOfTheCommentOntoAFullOneLineBox", "dragged out of the comment");
}

} // namespace
