#include "platform/DesktopMailer.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace wvs {

namespace {
DesktopMailScript *g_script = nullptr;

// An address xdg-email takes as one: it holds an "@" and cannot be read as an
// option, a mailto link or extra link parameters.
QString draftAddress(const QString &address)
{
    QString a = MailMessage::cleanAddress(address);
    a.remove(QLatin1Char('?'));
    a.remove(QLatin1Char('&'));
    if (a.startsWith(QLatin1Char('-')) || a.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) ||
        !a.contains(QLatin1Char('@')))
        return QString();
    return a;
}
} // namespace

DesktopMailScript::DesktopMailScript() : previous_(g_script) { g_script = this; }
DesktopMailScript::~DesktopMailScript() { g_script = previous_; }
DesktopMailScript *DesktopMailScript::current() { return g_script; }

bool DesktopMailer::isActive()
{
    if (auto *s = DesktopMailScript::current()) {
        ++s->activeChecks;
        return s->active;
    }
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty())
        return false;
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
           !QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().isEmpty();
}

QStringList DesktopMailer::arguments(const MailMessage &message)
{
    QStringList args{QStringLiteral("--utf8")};
    for (const QString &c : message.cc) {
        const QString a = draftAddress(c);
        if (!a.isEmpty())
            args << QStringLiteral("--cc") << a;
    }
    const QString subject = MailMessage::cleanHeaderValue(message.subject);
    if (!subject.isEmpty())
        args << QStringLiteral("--subject") << subject;
    if (!message.body.isEmpty()) {
        QString body = message.body;
        body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        args << QStringLiteral("--body") << body;
    }
    for (const QString &f : message.attachments)
        args << QStringLiteral("--attach") << QFileInfo(f).absoluteFilePath();
    for (const QString &t : message.to) {
        const QString a = draftAddress(t);
        if (!a.isEmpty())
            args << a;
    }
    return args;
}

bool DesktopMailer::openDraft(const MailMessage &message)
{
    const QStringList args = arguments(message);
    if (auto *s = DesktopMailScript::current()) {
        s->drafts.append(message);
        s->commands.append(args);
        return s->openResult;
    }
    const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (xdgEmail.isEmpty())
        return false;
    return QProcess::startDetached(xdgEmail, args);
}

} // namespace wvs
