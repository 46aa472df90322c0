#include "platform/FileDialog.h"

#include <QFileDialog>

namespace wvs {

namespace {
FileDialogScript *g_script = nullptr;
}

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
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

QString openFileDialog(QWidget *parent, const QString &title, const QString &filter)
{
    if (auto *s = FileDialogScript::current())
        return s->take({false, title, filter});
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

} // namespace wvs
