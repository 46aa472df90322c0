#pragma once
#include "platform/Transfer.h"

#include <QString>

namespace wvs {

// Where the web portal is. The FTP host, the web host and the site folder are
// fixed when the program is built and may be overridden for a run by the
// environment variables WVS_PORTAL_FTP_HOST, WVS_PORTAL_WEB_HOST and
// WVS_PORTAL_SITE (a host may carry ":port"). The database holds no address.
namespace PortalSite {

QString ftpHost();
QString webHost();
QString siteFolder();

// The portal's FTP account. The portal names its files in the code page of
// their contents, and the pages name them so: a name goes to the FTP server
// as the same bytes a page is given.
FtpTransfer::Account ftpAccount();

// "public_html/<site>/customerportal/": where the files are put and got.
QString ftpDirectory();
// "http://<web host>/<site>/customerportal/": the base of every page call.
QString pageBase();
// The company-ID check page, which lives outside the site folder.
QString checkIdPage();

// A value as it goes into a page's query: the portal reads it in the
// Windows-1252 code page of its files, so it is sent as those bytes,
// percent-encoded; a character the code page lacks goes as "?", as in a file.
QString pageValue(const QString &value);

} // namespace PortalSite
} // namespace wvs
