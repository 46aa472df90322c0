#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace wvs {

namespace {
FileDialogScript *g_script = nullptr;

// The dialogs open where the user last saved or opened a file, at first in
// his home folder (the program's working folder means nothing to him).
QString &lastFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

QString remember(const QString &chosen)
{
    if (!chosen.isEmpty())
        lastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}
} // namespace

FileDialogScript::FileDialogScript() : previous_(g_script) { g_script = this; }
FileDialogScript::~FileDialogScript() { g_script = previous_; }
FileDialogScript *FileDialogScript::current() { return g_script; }

QString FileDialogScript::take(const Asked &a)
{
    asked_.append(a);
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}

namespace {
// The extension of the filter's first pattern: "csv" for "csv (*.csv)".
QString filterExtension(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}
} // namespace

QString withFilterExtension(const QString &path, const QString &filter)
{
    const QString extension = filterExtension(filter);
    if (path.isEmpty() || extension.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + (path.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) + extension;
}

QString saveFileDialog(QWidget *parent, const QString &title, const QString &filter)
{
    if (auto *s = FileDialogScript::current())
        return withFilterExtension(s->take({true, title, filter}), filter);
    // The dialog adds the extension itself before it asks about replacing a
    // file, so the question is about the file that will be written.
    QFileDialog dialog(parent, title, lastFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(filterExtension(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return remember(withFilterExtension(dialog.selectedFiles().constFirst(), filter));
}

QString openFileDialog(QWidget *parent, const QString &title, const QString &filter)
{
    if (auto *s = FileDialogScript::current())
        return s->take({false, title, filter});
    return remember(QFileDialog::getOpenFileName(parent, title, lastFolder(), filter));
}

} // namespace wvs
