#pragma once
#include "platform/WvsError.h"

#include <QString>
#include <exception>
#include <optional>
#include <utility>

namespace wvs {

// The central error reporter: shows the plain message of the two expected
// errors (and of a database busy elsewhere) and returns, ends the program silently for its own error number, and
// otherwise shows the fatal message and shuts the program down.
void ReportError(long number, const QString &description, const QString &objectName, const QString &procName);

// Installs the program's shut-down, which ends every fatal report and the
// program's own silent exit (the shell installs ExitSystem).
void setShutdownHandler(void (*handler)());

// Puts the pointer back after a failure.
void restorePointer();

// A caught failure as the program reports it: a WvsError's own number and
// description, any other exception the general number with its text.
struct CaughtError {
    long number = ErrorNumber::General;
    QString description;
};

inline CaughtError caughtError(const std::exception &e)
{
    if (const auto *w = dynamic_cast<const WvsError *>(&e))
        return {w->number(), w->description()};
    return {ErrorNumber::General, QString::fromUtf8(e.what())};
}

// Runs body and returns what it threw, or nothing when it ran through. The end
// of the program (ProcessEnded) passes on.
template <class F>
std::optional<CaughtError> trapError(F &&body)
{
    try {
        body();
        return std::nullopt;
    } catch (const ProcessEnded &) {
        throw;
    } catch (const std::exception &e) {
        return caughtError(e);
    }
}

// Runs one event handler or procedure body under the error convention: a
// failure restores the pointer, rolls back (open transactions are scope
// objects), and goes to ReportError with the window's or module's name and the
// procedure's own. Returns false when the body failed.
template <class F>
bool guarded(const char *objectName, const char *procName, F &&body)
{
    const std::optional<CaughtError> e = trapError(std::forward<F>(body));
    if (!e)
        return true;
    restorePointer();
    ReportError(e->number, e->description, QString::fromUtf8(objectName), QString::fromUtf8(procName));
    return false;
}

} // namespace wvs
