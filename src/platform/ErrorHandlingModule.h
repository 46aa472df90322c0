#pragma once
#include "platform/WvsError.h"

#include <QString>
#include <exception>

namespace wvs {

// The central error reporter: shows the plain message of the two expected
// errors and returns, ends the program silently for its own error number, and
// otherwise shows the fatal message and shuts the program down.
void ReportError(long number, const QString &description, const QString &objectName, const QString &procName);

// Installs the program's shut-down, which ends every fatal report and the
// program's own silent exit (the shell installs ExitSystem).
void setShutdownHandler(void (*handler)());

// Puts the pointer back after a failure.
void restorePointer();

// Runs one event handler or procedure body under the error convention: a
// failure restores the pointer, rolls back (open transactions are scope
// objects), and goes to ReportError with the window's or module's name and the
// procedure's own. Returns false when the body failed.
template <class F>
bool guarded(const char *objectName, const char *procName, F &&body)
{
    try {
        body();
        return true;
    } catch (const ProcessEnded &) {
        throw;
    } catch (const WvsError &e) {
        restorePointer();
        ReportError(e.number(), e.description(), QString::fromUtf8(objectName), QString::fromUtf8(procName));
    } catch (const std::exception &e) {
        restorePointer();
        ReportError(ErrorNumber::General, QString::fromUtf8(e.what()), QString::fromUtf8(objectName),
                    QString::fromUtf8(procName));
    }
    return false;
}

} // namespace wvs
