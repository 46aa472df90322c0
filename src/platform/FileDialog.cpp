#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

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

QString saveFileDialog(QWidget *parent, const QString &title, const QString &filter)
{
    if (auto *s = FileDialogScript::current())
        return s->take({true, title, filter});
    // The replace question is the dialog's own.
    return remember(QFileDialog::getSaveFileName(parent, title, lastFolder(), filter));
}

QString openFileDialog(QWidget *parent, const QString &title, const QString &filter)
{
    if (auto *s = FileDialogScript::current())
        return s->take({false, title, filter});
    return remember(QFileDialog::getOpenFileName(parent, title, lastFolder(), filter));
}

} // namespace wvs
