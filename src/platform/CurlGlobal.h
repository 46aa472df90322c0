#pragma once
#include <QString>
#include <curl/curl.h>

namespace wvs {

// libcurl is set up once for the life of the process, before its first use.
inline void ensureCurl()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// The transfer library's words for a failure (its error buffer, else the
// code's text). Where the server closed the connection instead of answering,
// the library adds the system's last error number, which belongs to some
// earlier call and not to this failure: the words then say what happened.
inline QString curlFailureText(const char *said, CURLcode rc)
{
    QString text = QString::fromUtf8(said && said[0] ? said : curl_easy_strerror(rc)).trimmed();
    const QString closed = QStringLiteral("response reading failed");
    if (rc == CURLE_RECV_ERROR && text.startsWith(closed))
        text = closed + QStringLiteral(" (the server closed the connection)");
    return text;
}

} // namespace wvs
