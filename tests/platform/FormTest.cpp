#include "platform/Form.h"
#include "support/Keys.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QWindow>
#include <gtest/gtest.h>

using namespace wvs;

namespace {
class WorkingForm : public Form {
public:
    WorkingForm() { box = makeText("Text1"); }
    QLineEdit *box;
};
} // namespace

// While a window's work runs, Escape (from the window or from one of its boxes), the window system's close and a
// close event leave it up; once the work has ended each closes it as ever.
TEST(FormWorkTest, EscapeAndTheCloseLeaveAWindowUpWhileItsWorkRuns)
{
    enum Way { EscapeOnWindow, EscapeInBox, WindowSystemClose, CloseEvent };
    for (const Way way : {EscapeOnWindow, EscapeInBox, WindowSystemClose, CloseEvent}) {
        SCOPED_TRACE(int(way));
        WorkingForm form;
        form.show();
        auto tryClosing = [&] {
            switch (way) {
            case EscapeOnWindow:
                test::focusOn(&form);
                form.setFocus();
                QTest::keyClick(&form, Qt::Key_Escape);
                break;
            case EscapeInBox:
                test::focusOn(form.box);
                test::press(Qt::Key_Escape);
                break;
            case WindowSystemClose:
                form.windowHandle()->close();
                break;
            case CloseEvent: {
                QCloseEvent close;
                QApplication::sendEvent(&form, &close);
                break;
            }
            }
            QApplication::processEvents();
        };
        {
            const Form::WorkRunning running(form);
            tryClosing();
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(form.result(), QDialog::Rejected);   // nothing was decided either
        }
        tryClosing();
        EXPECT_FALSE(form.isVisible());
    }
}
