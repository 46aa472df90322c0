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
#include <QRegularExpression>

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

} // namespace

bool CsvFile::open(const QString &path)
{
    path_ = path;
    file_.setFileName(path);
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
    } else if (!(info.exists() || info.isSymLink() || nameTaken(path, &openError))
               || !file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
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
            failed();
        done += n;
    }
}

void CsvFile::commit()
{
    if (!file_.commit())
        failed();
}

void CsvFile::failed()
{
    const QString reason = file_.errorString();
    file_.cancelWriting();
    throw WvsError(ErrorNumber::Recoverable, QStringLiteral("Cannot write %1: %2").arg(path_, reason));
}

} // namespace wvs
