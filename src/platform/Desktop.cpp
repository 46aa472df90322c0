#include "platform/Desktop.h"
#include "platform/WvsError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <cstdlib>

namespace wvs {

namespace {
DesktopScript *g_desktop = nullptr;
}

DesktopScript::DesktopScript() : previous_(g_desktop) { g_desktop = this; }
DesktopScript::~DesktopScript() { g_desktop = previous_; }
DesktopScript *DesktopScript::current() { return g_desktop; }

QString appDir()
{
    const QByteArray home = qgetenv("WVS_HOME");
    if (!home.isEmpty())
        return QDir(QString::fromLocal8Bit(home)).absolutePath();
    return QCoreApplication::applicationDirPath();
}

QString appFile(const QString &name) { return QDir(appDir()).filePath(name); }

QString shippedFile(const QString &name)
{
    const QString inFolder = appFile(name);
    if (QFileInfo::exists(inFolder))
        return inFolder;
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo::exists(besideProgram) ? besideProgram : inFolder;
}

bool openUrl(const QUrl &url)
{
    if (auto *s = DesktopScript::current()) {
        s->opened.append(url);
        return s->openResult;
    }
    return QDesktopServices::openUrl(url);
}

bool openFile(const QString &path) { return openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())); }

void openHelp() { openFile(shippedFile(QStringLiteral("WVS Help.html"))); }

void sleepMs(int ms)
{
    if (auto *s = DesktopScript::current()) {
        s->slept += ms;
        return;
    }
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(std::min<qint64>(20, std::max<qint64>(1, deadline.remainingTime())));
    }
}

void endProcess(int code)
{
    if (auto *s = DesktopScript::current()) {
        s->ended = code;
        throw ProcessEnded{code};
    }
    std::_Exit(code);
}

} // namespace wvs
