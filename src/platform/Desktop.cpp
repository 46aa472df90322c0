#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/WvsError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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

QString linkFailureText(const QUrl &url, LinkKind kind)
{
    switch (kind) {
    case LinkKind::MailMessage:
        return QStringLiteral("The e-mail could not be started: no e-mail program is set up on this computer. "
                              "Install an e-mail program such as Thunderbird, or write to ") +
               url.path() + QStringLiteral(" from any e-mail program.");
    case LinkKind::HelpPage:
        return QStringLiteral("The help page could not be opened: no web browser is set up on this computer. "
                              "Install a web browser such as Firefox, or open this file by hand:\n\n") +
               QDir::toNativeSeparators(url.toLocalFile());
    case LinkKind::ExportFile:
        return QStringLiteral("The file could not be opened: no program for this kind of file is set up on this "
                              "computer. Install a spreadsheet program such as LibreOffice Calc, or open this file "
                              "by hand:\n\n") +
               QDir::toNativeSeparators(url.toLocalFile());
    case LinkKind::WebPage:
        break;
    }
    return QStringLiteral("The web page could not be opened: no web browser is set up on this computer. "
                          "Install a web browser such as Firefox, or open this address by hand:\n\n") +
           url.toString(QUrl::FullyEncoded);
}

void openLink(const QUrl &url, LinkKind kind)
{
    auto failed = [url, kind] { msgBox(linkFailureText(url, kind), MsgButtons::Ok, MsgIcon::Exclamation); };
    if (auto *s = DesktopScript::current()) {
        s->opened.append(url);
        if (!s->openResult)
            failed();
        return;
    }
    // The desktop's opener tells by its exit code whether a program took the
    // link; Qt's own call only tells whether the opener started.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url))
            failed();
        return;
    }
    // Not owned by any window: it may outlive the one that asked, and a
    // browser it started must not be ended with the program.
    auto *process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, failed](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            failed();
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        failed();
        process->deleteLater();
    });
    process->start();
}

void openHelp()
{
    openLink(QUrl::fromLocalFile(QFileInfo(shippedFile(QStringLiteral("WVS Help.html"))).absoluteFilePath()),
             LinkKind::HelpPage);
}

void sleepMs(int ms)
{
    if (auto *s = DesktopScript::current()) {
        s->slept += ms;
        if (!s->realPauses)
            return;
    }
    QThread::msleep(static_cast<unsigned long>(std::max(0, ms)));
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
