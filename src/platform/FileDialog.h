#pragma once
#include <QList>
#include <QString>

class QWidget;

namespace wvs {

// The file-save dialog: asks before replacing an existing file. A name typed
// without an extension gets the filter's ("report" is saved as "report.csv").
// Returns the chosen path, empty when the user cancelled. filter is in the
// dialog's form, e.g. "csv (*.csv)".
QString saveFileDialog(QWidget *parent, const QString &title, const QString &filter);
// The path with the filter's extension added when its name has none.
QString withFilterExtension(const QString &path, const QString &filter);
// The file-open dialog; empty when cancelled.
QString openFileDialog(QWidget *parent, const QString &title, const QString &filter);

// Test stand-in: while installed no dialog is shown; each call takes the next
// queued answer (an empty text, or none queued, is Cancel) and is recorded.
class FileDialogScript {
public:
    struct Asked {
        bool save;
        QString title;
        QString filter;
    };

    FileDialogScript();
    ~FileDialogScript();
    FileDialogScript(const FileDialogScript &) = delete;
    FileDialogScript &operator=(const FileDialogScript &) = delete;

    void answer(const QString &path) { answers_.append(path); }
    const QList<Asked> &asked() const { return asked_; }

    QString take(const Asked &a);
    static FileDialogScript *current();

private:
    QList<QString> answers_;
    QList<Asked> asked_;
    FileDialogScript *previous_;
};

} // namespace wvs
