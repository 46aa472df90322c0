#include "common/CsvExport.h"
#include "common/ExportTarget.h"
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/WvsError.h"

#include <QDir>
#include <QSqlRecord>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace wvs {

namespace {

// Table and field names reach SQL text only from the program's own constants;
// this keeps it that way.
QString checkedName(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    if (!re.match(name).hasMatch())
        throw WvsError(ErrorNumber::General, QStringLiteral("Invalid table or field name: %1").arg(name));
    return name;
}

} // namespace

namespace CsvExport {

QStringList fieldsOf(const QString &table)
{
    QStringList out;
    QSqlQuery q = execSql(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {checkedName(table)});
    while (q.next()) {
        const QString f = q.value(0).toString();
        if (f.compare(QLatin1String("RowId"), Qt::CaseInsensitive) != 0)
            out << f;
    }
    if (out.isEmpty())
        throw WvsError(ErrorNumber::Database, QStringLiteral("The table %1 does not exist").arg(table));
    return out;
}

QList<QPair<QString, int>> readChoice(const QString &table)
{
    const QStringList fields = fieldsOf(table);
    QList<QPair<QString, int>> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT * FROM ") + checkedName(table) + QStringLiteral(" LIMIT 1"));
    if (!q.next())
        return out;
    for (const QString &f : fields)
        out.append({f, q.value(f).toInt() == 1 ? 1 : 0});
    return out;
}

void saveChoice(const QString &table, const QList<QPair<QString, int>> &choice)
{
    const QStringList fields = fieldsOf(table);
    QStringList names{QStringLiteral("RowId")};
    QStringList marks{QStringLiteral("1")};
    QVariantList values;
    for (const QString &f : fields) {
        int v = -1;
        for (const auto &c : choice)
            if (c.first == f)
                v = c.second ? 1 : 0;
        if (v < 0)
            throw WvsError(ErrorNumber::General, QStringLiteral("No value for the field %1 of %2").arg(f, table));
        names << checkedName(f);
        marks << QStringLiteral("?");
        values << v;
    }
    Transaction t;
    writeSql(QStringLiteral("DELETE FROM ") + checkedName(table));
    writeSql(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(checkedName(table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
             values);
    t.commit();
}

QList<Column> chosenColumns(const QString &table)
{
    QList<Column> out;
    for (const auto &[field, on] : readChoice(table)) {
        if (on != 1)
            continue;
        const QVariant d = scalarSql(QStringLiteral("SELECT Description FROM FieldDescriptions "
                                                    "WHERE TableName = ? AND FieldName = ?"),
                                     {table, field});
        if (!d.isValid() || d.toString().isEmpty())
            throw WvsError(ErrorNumber::Database,
                           QStringLiteral("The field %1 of %2 has no description").arg(field, table));
        out.append({field, d.toString()});
    }
    return out;
}

QString item(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QByteArray line(const QStringList &values)
{
    QStringList items;
    items.reserve(values.size());
    for (const QString &v : values)
        items << item(v);
    return (items.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
}

QStringList headings(const QList<Column> &columns)
{
    QStringList out;
    for (const Column &c : columns)
        out << c.heading;
    return out;
}

QString fieldText(const QSqlRecord &row, const QString &field)
{
    const int i = row.indexOf(field);
    return i < 0 ? QString() : valueText(row.value(i));
}

QString valueText(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    return v.toString();
}

QString askFileName(QWidget *parent)
{
    return saveFileDialog(parent, QStringLiteral("Enter the export file name"), QStringLiteral("csv (*.csv)"));
}

void offerToOpen(const QString &path)
{
    if (askYesNo(QStringLiteral("File created - do you wish to open it now?")))
        openLink(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), LinkKind::ExportFile);
}

} // namespace CsvExport

namespace {

// Whether the disk takes a file of that name in its folder (a name longer than
// the file system allows, or one holding a character it refuses, does not).
// The text is written under a temporary name and takes this one only at the
// end, so the name is tried here, where a refusal is still an open failure.
// The trial file is removed at once; an existing file (or link) is never touched.
bool nameTaken(const QString &path, QFileDevice::FileError *error)
{
    QFile trial(path);
    if (!trial.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = trial.error();
        return false;
    }
    trial.close();
    trial.remove();
    return true;
}

// The file a name stands for: a link is followed to the file it names (as far
// as links lead), so replacing it writes the file and keeps the link.
QString linkTarget(const QString &path)
{
    QFileInfo f(path);
    for (int depth = 0; depth < 128 && f.isSymLink(); ++depth)
        f.setFile(f.symLinkTarget());
    return f.isSymLink() ? path : f.filePath();
}

QString systemReason() { return QString::fromLocal8Bit(strerror(errno)); }

} // namespace

CsvFile::~CsvFile() { dropTemporary(); }

bool CsvFile::open(const QString &path)
{
    dropTemporary();
    path_ = path;
    target_ = linkTarget(path);
    const QFileInfo info(path);
    long error = 0;
    QFileDevice::FileError openError = QFileDevice::NoError;
    if (ExportTarget::isDatabaseFile(path)) {
        // An export never replaces the database every workstation works on.
        error = ErrorNumber::PermissionDenied;
    } else if (info.isDir()) {
        error = ErrorNumber::FileAccess;
    } else if (!info.absoluteDir().exists()) {
        error = ErrorNumber::PathNotFound;
    } else if (info.exists() && !info.isWritable()) {
        // A file that may not be changed is not replaced behind its owner's back.
        error = ErrorNumber::PermissionDenied;
    } else if (!(info.exists() || info.isSymLink() || nameTaken(path, &openError)) || !createTemporary()) {
        if (openError == QFileDevice::NoError)
            openError = file_.error();
        error = openError == QFileDevice::PermissionsError || !QFileInfo(info.absolutePath()).isWritable()
                    ? ErrorNumber::PermissionDenied
                    : ErrorNumber::FileAccess;
    }
    if (error == 0)
        return true;
    if (error == ErrorNumber::PermissionDenied)
        msgBox(QStringLiteral("Unable to open ") + path + QStringLiteral(". Please ensure that it is not in use"));
    else
        msgBox(QStringLiteral("Error %1 encountered when trying to open %2").arg(error).arg(path), MsgButtons::Ok,
               MsgIcon::Exclamation);
    return false;
}

// The temporary file sits in the folder of the file it replaces, so that it
// takes its place in one step; its name is short, so any name the disk takes
// for the export itself can be written. It is made as a new file of the
// export would be, and carries an older file's permissions.
bool CsvFile::createTemporary()
{
    const QDir folder = QFileInfo(target_).absoluteDir();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 n = QRandomGenerator::global()->bounded(1000000u);
        file_.setFileName(folder.filePath(QStringLiteral(".wvs%1.tmp").arg(n, 6, 10, QLatin1Char('0'))));
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            const QFileInfo older(target_);
            if (older.exists())
                file_.setPermissions(older.permissions());
            return true;
        }
        if (!QFileInfo::exists(file_.fileName()))
            break;
    }
    return false;
}

void CsvFile::dropTemporary()
{
    if (!file_.isOpen())
        return;
    file_.close();
    file_.remove();
}

void CsvFile::writeLine(const QStringList &values) { writeBytes(CsvExport::line(values)); }

// A file the disk stops taking on the way (a full disk, a size limit) is
// reported with its name and the reason, and the export ends there: the
// unfinished text is dropped with its temporary file, no file of the chosen
// name is left, and the program goes on. The file is written unbuffered: a
// buffered write that the disk takes only in part loses the rest unseen.
void CsvFile::writeBytes(const QByteArray &bytes)
{
    // A write the disk takes in part is followed by one for the rest, which
    // fails with the disk's reason.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file_.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            failed(file_.errorString());
        done += n;
    }
}

void CsvFile::commit()
{
    if (!file_.isOpen())
        failed(QStringLiteral("The file is not open"));
    if (::fsync(file_.handle()) != 0)
        failed(systemReason());
    file_.close();
    if (file_.error() != QFileDevice::NoError) {
        const QString reason = file_.errorString();
        file_.remove();
        failed(reason);
    }
    if (::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(target_).constData()) != 0) {
        const QString reason = systemReason();
        file_.remove();
        failed(reason);
    }
}

void CsvFile::failed(const QString &reason)
{
    dropTemporary();
    throw WvsError(ErrorNumber::Recoverable, QStringLiteral("Cannot write %1: %2").arg(path_, reason));
}

} // namespace wvs
