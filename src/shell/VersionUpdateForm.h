#pragma once
#include "platform/Form.h"

class QLabel;
class QStatusBar;

namespace wvs {

// Downloads the new program file from the update server's FTP account into
// the program's folder as WVSUpdate.exe, showing the step in InfoLabel and the
// transfer's state in the status bar. Runs on its first activation and then
// closes itself.
class VersionUpdateForm : public Form {
    Q_OBJECT
public:
    explicit VersionUpdateForm(QWidget *parent = nullptr);

    // The wait between polls of the transfer and the number of polls after
    // which a step gives up (one second and 120 polls; tests shorten them).
    int pollIntervalMs = 1000;
    int pollLimit = 120;

    // The download; reports its own outcome and errors.
    void DownloadUpdate();
    // A transfer state as "Inet1 - " and its text in the first status panel.
    void Inet1_StateChanged(int state);
    static QString GetState(int state);

    QString statusText() const;

protected:
    void firstActivate() override;

private:
    void runDownload();

    QLabel *infoLabel_;
    QStatusBar *statusBar_;
    QLabel *statusPanel_;
};

} // namespace wvs
