#include "portal/PortalSite.h"

#include "common/Windows1252.h"

#include <QByteArray>

#ifndef WVS_PORTAL_FTP_HOST
#define WVS_PORTAL_FTP_HOST "ftp.portal.invalid"
#endif
#ifndef WVS_PORTAL_WEB_HOST
#define WVS_PORTAL_WEB_HOST "www.portal.invalid"
#endif
#ifndef WVS_PORTAL_SITE
#define WVS_PORTAL_SITE "wvs"
#endif

namespace wvs::PortalSite {

namespace {
QString setting(const char *variable, const char *builtIn)
{
    const QByteArray v = qgetenv(variable).trimmed();
    return v.isEmpty() ? QString::fromUtf8(builtIn) : QString::fromUtf8(v);
}

// A web host given with its scheme keeps it; a bare host is reached over http.
QString webRoot()
{
    QString host = webHost();
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    if (!host.contains(QLatin1String("://")))
        host.prepend(QLatin1String("http://"));
    return host;
}
} // namespace

QString ftpHost() { return setting("WVS_PORTAL_FTP_HOST", WVS_PORTAL_FTP_HOST); }
QString webHost() { return setting("WVS_PORTAL_WEB_HOST", WVS_PORTAL_WEB_HOST); }
QString siteFolder() { return setting("WVS_PORTAL_SITE", WVS_PORTAL_SITE); }

FtpTransfer::Account ftpAccount()
{
    return {ftpHost(), 0, QStringLiteral("vexlan30"), QStringLiteral("plomkar7"), &Windows1252::encode};
}

QString ftpDirectory() { return QStringLiteral("public_html/") + siteFolder() + QStringLiteral("/customerportal/"); }
QString pageBase() { return webRoot() + QLatin1Char('/') + siteFolder() + QStringLiteral("/customerportal/"); }
QString checkIdPage() { return webRoot() + QStringLiteral("/customerportal/CheckCompanyID.php"); }

QString pageValue(const QString &value) { return QString::fromLatin1(Windows1252::encode(value).toPercentEncoding()); }

} // namespace wvs::PortalSite
