#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"

#include <QApplication>

namespace wvs {

namespace {
// The shut-down the reporter ends in; the shell installs the real one at start.
void (*shutdownHandler)() = nullptr;

void shutDown()
{
    if (shutdownHandler)
        shutdownHandler();
    else
        QApplication::exit(1);
}
} // namespace

void setShutdownHandler(void (*handler)()) { shutdownHandler = handler; }

void restorePointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void ReportError(long number, const QString &description, const QString &objectName, const QString &procName)
{
    if (number == ErrorNumber::Recoverable || number == ErrorNumber::DatabaseBusy) {
        msgBox(description);
        return;
    }
    if (number == ErrorNumber::NotInList) {
        msgBox(QStringLiteral("The data you have entered does not match any item in the list.\r\n"
                              "Please re-enter or select an item from the list"));
        return;
    }
    if (number == ErrorNumber::SilentExit) {
        shutDown();
        return;
    }
    msgBox(QStringLiteral("The following fatal error has been encountered:\r\n"
                          "Module: %1\r\n"
                          "Sub: %2\r\n"
                          "Error Code: %3\r\n"
                          "Error description: %4\r\n"
                          "\r\n"
                          "WVS will now shut down")
               .arg(objectName, procName, QString::number(number), description),
           MsgButtons::Ok, MsgIcon::Critical);
    shutDown();
}

} // namespace wvs
