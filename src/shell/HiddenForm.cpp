#include "shell/HiddenForm.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "shell/ExitSystemModule.h"

namespace wvs {

HiddenForm::HiddenForm(QWidget *mainWindow) : QWidget(nullptr)
{
    setObjectName(QStringLiteral("HiddenForm"));
    if (mainWindow) {
        resize(200, 100);
        move(mainWindow->x() + (mainWindow->width() - width()) / 2,
             mainWindow->y() + (mainWindow->height() - height()) / 2);
    }
}

void HiddenForm::Form_Unload(bool &cancel)
{
    cancel = true;
    guarded("HiddenForm", "Form_Unload", [&] {
        if (msgBox(QStringLiteral("Exit WVS?"), MsgButtons::YesNo) == MsgAnswer::Yes) {
            cancel = false;
            ExitSystem();
        }
    });
}

} // namespace wvs
