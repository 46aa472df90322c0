#pragma once
#include <QString>

namespace wvs {

// The update server. The web site answers the page "CheckWVSUpdates.php" at
// its root with the latest version; the FTP host holds the new program file.
// WVS_UPDATE_URL (the site's address) and WVS_UPDATE_FTP ("host" or
// "host:port") point both elsewhere, as the tests do.
QString updateSiteUrl();
QString updateFtpHost();
inline const char *const kUpdateWebFolder = "workvane";
inline const char *const kUpdateFtpUser = "vexlan30";
inline const char *const kUpdateFtpPassword = "plomkar7";
// "public_html/" + web folder + "/updates/WVS.exe"
QString updateRemoteFile();
// WVSUpdate.exe in the program's folder.
QString updateLocalFile();

// Asks the update server for the latest version. Any failure, an answer that
// is not a success or no answer within the time-out means "no answer": the
// result is then empty and the program starts normally.
QString CheckUpdates();
QString CheckUpdates(int timeoutMs);

// An answer that names another version than the running one.
bool isOtherVersion(const QString &latest);

// The "New Version Available!" menu command: asks whether to download the new
// version and, on Yes, opens the download window.
void offerUpdateDownload();

} // namespace wvs
