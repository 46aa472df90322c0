#include "support/OrdinaryUser.h"

#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wvs::test {

namespace {
constexpr uid_t kNobody = 65534;
constexpr char kAnswered = '\x01';   // leads an answer of the body

bool handOver(const QString &folder)
{
    if (chown(QFile::encodeName(folder).constData(), kNobody, kNobody) != 0)
        return false;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        if (lchown(QFile::encodeName(it.next()).constData(), kNobody, kNobody) != 0)
            return false;
    return true;
}

QByteArray inChild(const QString &folder, const std::function<QString()> &body)
{
    if (geteuid() == 0) {
        if (!handOver(folder) || setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            return QByteArrayLiteral("the child could not become the user nobody");
        if (access(QFile::encodeName(folder).constData(), R_OK | W_OK | X_OK) != 0)
            return "the user nobody cannot reach " + folder.toUtf8();
    }
    // The parent's database connection is not the child's to use.
    if (const auto failed = trapError(reopenDatabaseInForkedChild))
        return "the child could not open the database: " + failed->description.toUtf8();
    return kAnswered + body().toUtf8();
}
} // namespace

void reopenDatabaseInForkedChild()
{
    if (!AppDatabase::isOpen())
        return;
    const QString own = QStringLiteral("WVS-%1").arg(qint64(getpid()));
    AppDatabase::openConnection(own, AppDatabase::db().databaseName());
    AppDatabase::useConnection(own);
}

QString asOrdinaryUser(const QString &folder, const std::function<QString()> &body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return QStringLiteral("no pipe to a child");
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return QStringLiteral("no child process");
    if (pid == 0) {
        close(pipeEnds[0]);
        QFile out;
        if (out.open(pipeEnds[1], QIODevice::WriteOnly)) {
            out.write(inChild(folder, body));
            out.flush();
        }
        _exit(0);   // nothing of the test's own ending runs in the child
    }
    close(pipeEnds[1]);
    QFile in;
    in.open(pipeEnds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray answer = in.readAll();
    in.close();
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!answer.startsWith(kAnswered))
        return QStringLiteral("the child gave no answer (wait status %1): ").arg(status) + QString::fromUtf8(answer);
    return QString::fromUtf8(answer.mid(1));
}

} // namespace wvs::test
