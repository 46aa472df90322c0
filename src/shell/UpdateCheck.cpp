#include "shell/UpdateCheck.h"
#include "platform/Desktop.h"
#include "platform/FormRegistry.h"
#include "platform/MessageBox.h"
#include "platform/Transfer.h"
#include "shell/NewDatabase.h"

namespace wvs {

namespace {
constexpr int kCheckTimeoutMs = 5000;

QString fromEnvironment(const char *name, const char *fallback)
{
    const QString v = qEnvironmentVariable(name).trimmed();
    return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}
} // namespace

QString updateSiteUrl() { return fromEnvironment("WVS_UPDATE_URL", "https://www.workvane.com/"); }

QString updateFtpHost() { return fromEnvironment("WVS_UPDATE_FTP", "ftp.workvane.com"); }

QString updateRemoteFile()
{
    return QStringLiteral("public_html/") + QString::fromLatin1(kUpdateWebFolder) + QStringLiteral("/updates/WVS.exe");
}

QString updateLocalFile() { return appFile(QStringLiteral("WVSUpdate.exe")); }

QString CheckUpdates() { return CheckUpdates(kCheckTimeoutMs); }

QString CheckUpdates(int timeoutMs)
{
    QString site = updateSiteUrl();
    if (!site.endsWith(QLatin1Char('/')))
        site += QLatin1Char('/');
    const HttpReply reply = httpGet(site + QStringLiteral("CheckWVSUpdates.php"), timeoutMs);
    // A check that fails (no network, no page) reads as no newer version:
    // the program starts as usual rather than ending.
    if (!reply.ok)
        return QString();
    // The page answers the bare version; a line end after it is not part of it.
    return QString::fromUtf8(reply.body).trimmed();
}

bool isOtherVersion(const QString &latest) { return !latest.isEmpty() && latest != runningVersion(); }

void offerUpdateDownload()
{
    if (msgBox(QStringLiteral("An updated version of WVS is available!\r\nDo you wish to download and install it now?"),
               MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("New Version Available")) != MsgAnswer::Yes)
        return;
    FormRegistry::open(QStringLiteral("VersionUpdateForm"));
}

} // namespace wvs
