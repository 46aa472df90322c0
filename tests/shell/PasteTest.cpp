#include "customers/CustomerAddModifyForm.h"
#include "customers/NotesForm.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "jobs/CustomerJobEmailForm.h"
#include "output/ScheduleEmailForm.h"
#include "platform/MultiLineText.h"
#include "portal/PortalCustomerJobAddForm.h"
#include "scheduling/CommentForm.h"
#include "scheduling/ScheduleJobNoteForm.h"
#include "scheduling/ScheduleNotesForm.h"
#include "support/DbTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QTextEdit>
#include <cstdio>
#include <memory>
#include <vector>

using namespace wvs;

namespace {

class PasteTest : public test::DbTest {
protected:
    // Every window that holds a multi-line box, made as its opener makes it.
    static std::vector<std::unique_ptr<QDialog>> windows()
    {
        std::vector<std::unique_ptr<QDialog>> all;
        for (QDialog *w : std::initializer_list<QDialog *>{new CustomerAddModifyForm, new NotesForm,
                 new CustomerJobAddModifyForm, new CustomerJobEmailForm, new ScheduleJobNoteForm, new CommentForm,
                 new ScheduleNotesForm, new ScheduleEmailForm, new PortalCustomerJobAddForm})
            all.emplace_back(w);
        return all;
    }
    static QList<QAbstractScrollArea *> multiLineBoxes(QWidget *w)
    {
        QList<QAbstractScrollArea *> boxes = w->findChildren<QAbstractScrollArea *>();
        boxes.removeIf([](QObject *b) { return !qobject_cast<QPlainTextEdit *>(b) && !qobject_cast<QTextEdit *>(b); });
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

// A paste into a multi-line box when nothing owns the X clipboard (nothing
// copied yet in the session, or the program that copied has closed) must
// not end the program.
TEST(PasteUnderX, AnOwnerlessClipboardDoesNotEndTheProgram)
{
    int display = 90;
    while (display < 140 && (QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(display)) ||
                             QFileInfo::exists(QString("/tmp/.X%1-lock").arg(display))))
        ++display;
    const QString screen = QString(":%1").arg(display), socket = "/tmp/.X11-unix/X" + screen.mid(1);
    QProcess xvfb;
    xvfb.start("Xvfb", {screen, "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    for (int i = 0; i < 100 && !QFileInfo::exists(socket) && xvfb.waitForStarted(5000); ++i)
        QTest::qSleep(50);
    if (!QFileInfo::exists(socket)) {
        xvfb.kill();
        xvfb.waitForFinished(2000);
        GTEST_SKIP() << "Xvfb " << screen.toStdString() << " did not come up; the paste under a real X server is not tried";
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", screen);
    env.insert("QT_QPA_PLATFORM", "xcb");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=PasteTest.DISABLED_PasteIntoEveryBoxWithAnOwnerlessClipboard",
                 "--gtest_also_run_disabled_tests"});
    const bool finished = child.waitForFinished(120000);
    const std::string output = child.readAll().toStdString();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    ASSERT_TRUE(finished) << output;
    EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0) << output;
    EXPECT_NE(output.find("pasted into 10 boxes"), std::string::npos) << output;
}

} // namespace
