#include "shell/VersionUpdateForm.h"
#include "platform/MessageBox.h"
#include "platform/Transfer.h"
#include "platform/WaitCursor.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "shell/UpdateCheck.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>

namespace wvs {

WVS_REGISTER_FORM(VersionUpdateForm);

VersionUpdateForm::VersionUpdateForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("VersionUpdateForm"));
    setWindowTitle(QStringLiteral("WVS Update"));
    auto *layout = new QVBoxLayout(this);
    infoLabel_ = new QLabel(this);
    infoLabel_->setObjectName(QStringLiteral("InfoLabel"));
    infoLabel_->setFont(QFont(QStringLiteral("Arial"), 10));
    infoLabel_->setMinimumWidth(360);
    infoLabel_->setAlignment(Qt::AlignCenter);
    layout->addWidget(infoLabel_);
    layout->addStretch();
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(statusBar_);
    statusPanel_->setObjectName(QStringLiteral("Panel1"));
    statusBar_->addWidget(statusPanel_, 1);
    layout->addWidget(statusBar_);
    layout->setContentsMargins(9, 18, 0, 0);
    resize(420, 120);
}

QString VersionUpdateForm::statusText() const { return statusPanel_->text(); }

QString VersionUpdateForm::GetState(int state) { return transferStateText(state); }

void VersionUpdateForm::Inet1_StateChanged(int state)
{
    guarded("VersionUpdateForm", "Inet1_StateChanged",
            [&] { statusPanel_->setText(QStringLiteral("Inet1 - ") + GetState(state)); });
}

void VersionUpdateForm::firstActivate()
{
    {
        const WorkRunning running(*this);
        DownloadUpdate();
    }
    close();
}

void VersionUpdateForm::DownloadUpdate()
{
    const std::optional<CaughtError> e = trapError([this] { runDownload(); });
    if (!e)
        return;
    restorePointer();
    msgBox(QStringLiteral("The following error was encountered\r\nCode: %1\r\nDescription: %2\r\n"
                          "Please make a note of this and report to Support")
               .arg(e->number)
               .arg(e->description),
           MsgButtons::Ok, MsgIcon::Exclamation);
}

void VersionUpdateForm::runDownload()
{
    infoLabel_->setText(QStringLiteral("Logging on to ftp..."));
    FtpTransfer inet({updateFtpHost(), 0, QString::fromLatin1(kUpdateFtpUser), QString::fromLatin1(kUpdateFtpPassword)});
    inet.setStateHandler([this](int s) { Inet1_StateChanged(s); });

    // The file arrives under a name of its own and takes the place of an older
    // download only when it came in whole, so neither a failed transfer nor an
    // old file can pass for a successful download.
    const QString target = updateLocalFile();
    const QString partial = target + QStringLiteral(".download");
    QFile::remove(partial);

    infoLabel_->setText(QStringLiteral("Downloading file - please wait..."));
    std::optional<WaitCursor> wait;
    wait.emplace();
    inet.startDownload(updateRemoteFile(), partial);
    if (!inet.waitUntilDone(pollIntervalMs, pollLimit)) {
        wait.reset();
        QFile::remove(partial);
        msgBox(QStringLiteral("Download timed out - please try again"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const bool received = inet.succeeded() && QFileInfo(partial).size() > 0;

    infoLabel_->setText(QStringLiteral("Logging off ftp..."));
    inet.startClose();
    if (!inet.waitUntilDone(pollIntervalMs, pollLimit)) {
        wait.reset();
        QFile::remove(partial);
        msgBox(QStringLiteral("Failed to close ftp"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    wait.reset();

    bool done = false;
    if (received) {
        std::error_code ec; // replaces an older file in one step
        std::filesystem::rename(std::filesystem::path(partial.toStdString()),
                                std::filesystem::path(target.toStdString()), ec);
        done = !ec;
    }
    QFile::remove(partial);
    if (!done) {
        msgBox(QStringLiteral("The download was not successful - please try again. "
                              "If the problem persists please report it to Support"),
               MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    msgBox(QStringLiteral("Download completed successfully. Please exit and re-enter WVS to install the update."),
           MsgButtons::Ok, MsgIcon::Information);
}

} // namespace wvs
