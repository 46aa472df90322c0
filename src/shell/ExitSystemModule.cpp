#include "shell/ExitSystemModule.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"
#include "scheduling/ScheduleLocks.h"

#include <QDate>

namespace wvs {

namespace {

void logOffAndClose(bool ignoreErrors)
{
    auto step = [&](auto &&f) {
        if (!ignoreErrors) {
            f();
            return;
        }
        try {
            f();
        } catch (const ProcessEnded &) {
            throw;
        } catch (...) {
        }
    };
    const QString id = session().currentAssociateID;
    if (AppDatabase::isOpen()) {
        step([&] {
            Transaction t;
            ScheduleLocks::releaseAll(id);
            t.commit();
        });
        step([&] {
            writeSql(QStringLiteral("UPDATE Associates SET AssociateStatus = ? WHERE AssociateID = ?"),
                     {Formats::dateSerial(QDate::currentDate()), id});
        });
    }
    sleepMs(500);
    step([&] { AppDatabase::close(); });
}

// Every fatal report ends here.
[[maybe_unused]] const bool shutdownInstalled = (setShutdownHandler(&ExitSystem), true);

} // namespace

void ExitSystem()
{
    if (session().shutdownFailed) {
        msgBox(QStringLiteral("WVS is unable to shut down gracefully and will now be closed without further error trapping"),
               MsgButtons::Ok, MsgIcon::Critical);
        logOffAndClose(true);
        endProcess(0);
    }
    try {
        // The user is leaving: the log-off marks wait longer for another
        // workstation's write than a save does.
        const AppDatabase::LongerWait wait;
        logOffAndClose(false);
    } catch (const ProcessEnded &) {
        throw;
    } catch (const WvsError &e) {
        session().shutdownFailed = true;
        // "Try again" means nothing while the program ends: a log-off kept
        // waiting takes the fatal path, which says the program shuts down.
        if (e.number() == ErrorNumber::DatabaseBusy)
            ReportError(ErrorNumber::Database, QStringLiteral("The data is in use at another workstation"),
                        QStringLiteral("ExitSystemModule"), QStringLiteral("ExitSystem"));
        else
            ReportError(e.number(), e.description(), QStringLiteral("ExitSystemModule"), QStringLiteral("ExitSystem"));
    } catch (const std::exception &e) {
        session().shutdownFailed = true;
        ReportError(ErrorNumber::General, QString::fromUtf8(e.what()), QStringLiteral("ExitSystemModule"),
                    QStringLiteral("ExitSystem"));
    }
    endProcess(0);
}

} // namespace wvs
