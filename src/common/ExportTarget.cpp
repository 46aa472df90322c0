#include "common/ExportTarget.h"
#include "data/AppDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>
#include <sys/stat.h>

namespace wvs::ExportTarget {

namespace {

// One file or folder of the file system, whatever name leads to it.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity &) const = default;
};

std::optional<Identity> identityOf(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return Identity{st.st_dev, st.st_ino};
}

// The file a write to path lands on: links in its last part are followed as
// the export file follows them, also to a file that does not exist yet.
QString landingPath(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

// The folder part of a path as spelled ("." when it names none) and its last part.
QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString nameOf(const QString &path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

// The database files as the program opens them: the open database and the
// one of the program folder, each also where its links lead.
QStringList databasePaths()
{
    QStringList paths;
    if (AppDatabase::isOpen())
        paths << AppDatabase::db().databaseName();
    paths << AppDatabase::defaultPath();
    QStringList out;
    for (const QString &p : std::as_const(paths)) {
        if (p.isEmpty() || p.startsWith(QLatin1Char(':')))
            continue;
        out << p;
        const QString canonical = QFileInfo(p).canonicalFilePath();
        if (!canonical.isEmpty())
            out << canonical;
    }
    out.removeDuplicates();
    return out;
}

} // namespace

bool isDatabaseFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QString target = landingPath(path);
    const std::optional<Identity> targetFile = identityOf(target);
    const std::optional<Identity> targetFolder = identityOf(folderOf(target));
    const QString targetName = nameOf(target);
    for (const QString &database : databasePaths()) {
        const QFileInfo info(database);
        const std::optional<Identity> folder = identityOf(info.absolutePath());
        for (const char *suffix : {"", "-journal", "-wal", "-shm"}) {
            const QString name = info.fileName() + QLatin1String(suffix);
            // The same file under another name (a hard link, a letter case the
            // folder's file system ignores).
            if (targetFile && targetFile == identityOf(info.absolutePath() + QLatin1Char('/') + name))
                return true;
            // The same folder and name, whether the file exists yet or not.
            if (targetFolder && targetFolder == folder && targetName.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

} // namespace wvs::ExportTarget
