#include "platform/SmtpMailer.h"
#include "platform/CurlGlobal.h"
#include "platform/NetworkStep.h"

#include <QUrl>
#include <curl/curl.h>
#include <cstring>

namespace wvs {

namespace {

struct Upload {
    QByteArray data;
    qsizetype pos = 0;
};

size_t readBody(char *buffer, size_t size, size_t nitems, void *userdata)
{
    auto *u = static_cast<Upload *>(userdata);
    const size_t room = size * nitems;
    const size_t left = static_cast<size_t>(u->data.size() - u->pos);
    const size_t n = std::min(room, left);
    if (n > 0) {
        std::memcpy(buffer, u->data.constData() + u->pos, n);
        u->pos += static_cast<qsizetype>(n);
    }
    return n;
}

bool looksLikeAddress(const QString &s)
{
    const qsizetype at = s.indexOf(QLatin1Char('@'));
    return at > 0 && at == s.lastIndexOf(QLatin1Char('@')) && at < s.size() - 1 &&
           MailMessage::cleanAddress(s) == s;
}

} // namespace

QString SmtpSettings::senderAddress() const
{
    const QString user = userName.trimmed();
    if (looksLikeAddress(user))
        return user;
    QString host = MailMessage::cleanAddress(server.trimmed());
    if (host.isEmpty())
        host = QStringLiteral("localhost");
    return QStringLiteral("wvs@") + host;
}

QString SmtpMailer::url() const
{
    const bool implicitTls = settings_.ssl && settings_.port == settings_.implicitTlsPort;
    QUrl u;
    u.setScheme(implicitTls ? QStringLiteral("smtps") : QStringLiteral("smtp"));
    u.setHost(settings_.server.trimmed());
    if (settings_.port > 0)
        u.setPort(settings_.port);
    return u.toString(QUrl::FullyEncoded);
}

SendResult SmtpMailer::send(const MailMessage &message) const
{
    SendResult result;
    if (settings_.server.trimmed().isEmpty()) {
        result.error = NoServer;
        result.description = QStringLiteral("No SMTP server has been given");
        return result;
    }
    const QStringList rcpts = message.recipients();
    if (rcpts.isEmpty()) {
        result.error = NoRecipient;
        result.description = QStringLiteral("At least one recipient is required, but none were found");
        return result;
    }

    beforeNetworkStep();
    ensureCurl();
    CURL *curl = curl_easy_init();
    if (!curl) {
        result.error = CURLE_FAILED_INIT;
        result.description = QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT));
        return result;
    }

    Upload upload;
    upload.data = message.toRfc5322();
    char errbuf[CURL_ERROR_SIZE] = {0};
    const QByteArray url = this->url().toUtf8();
    const QByteArray user = settings_.userName.toUtf8();
    const QByteArray password = settings_.password.toUtf8();
    const QByteArray mailFrom = "<" + MailMessage::cleanAddress(message.from.address).toUtf8() + ">";
    curl_slist *rcptList = nullptr;
    for (const QString &r : rcpts)
        rcptList = curl_slist_append(rcptList, ("<" + r.toUtf8() + ">").constData());

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // A name lookup still under way at the connect limit is left to end by
    // itself: the library would otherwise wait for it past the limit.
    curl_easy_setopt(curl, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(settings_.connectTimeoutSecs));
    if (settings_.transferTimeoutSecs > 0)
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(settings_.transferTimeoutSecs));
    if (settings_.ssl && settings_.port != settings_.implicitTlsPort)
        curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!settings_.verifyPeer) {
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    }
    if (!settings_.userName.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, mailFrom.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, rcptList);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readBody);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(upload.data.size()));

    const CURLcode rc = curl_easy_perform(curl);
    if (rc == CURLE_OK) {
        result.ok = true;
    } else {
        long response = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
        result.error = rc;
        result.description = curlFailureText(errbuf, rc);
        // A failure to receive had no reply of its own: the last one belongs to an earlier step.
        if (response > 0 && rc != CURLE_RECV_ERROR && !result.description.contains(QString::number(response)))
            result.description += QStringLiteral(" (server reply %1)").arg(response);
    }
    curl_slist_free_all(rcptList);
    curl_easy_cleanup(curl);
    return result;
}

} // namespace wvs
