#pragma once
#include "platform/MailMessage.h"

#include <QString>

namespace wvs {

// How to reach the SMTP server: the e-mail settings of the preferences.
struct SmtpSettings {
    QString server;
    int port = 25;
    bool ssl = false;            // 465: TLS from the start; other ports: STARTTLS required
    QString userName;            // logged on with user name and password when a user name is given
    QString password;
    int connectTimeoutSecs = 30;
    int transferTimeoutSecs = 120; // the whole send, so a stalled server cannot hang the window
    bool verifyPeer = true;      // tests against a self-signed server switch it off
    int implicitTlsPort = 465;   // the port on which SSL means TLS from the first byte

    // The sender address: the user name when it is an address, else
    // "wvs@" followed by the server's name.
    QString senderAddress() const;
    // A sender with that address and the given display name.
    MailAddress sender(const QString &displayName) const { return {displayName, senderAddress()}; }
};

// The outcome of one send. error is 0 on success; otherwise the number and
// text to show in "Email was not sent - error " messages.
struct SendResult {
    bool ok = false;
    long error = 0;
    QString description;
};

// Sends one message at once (blocking: the caller shows the hourglass).
class SmtpMailer {
public:
    // Error numbers of the checks made before anything is sent.
    static constexpr long NoRecipient = 9001;
    static constexpr long NoServer = 9002;

    explicit SmtpMailer(SmtpSettings settings) : settings_(std::move(settings)) {}
    SendResult send(const MailMessage &message) const;

    // The URL the transfer goes to: smtps:// on the implicit-TLS port with SSL, else smtp://.
    QString url() const;
    const SmtpSettings &settings() const { return settings_; }

private:
    SmtpSettings settings_;
};

} // namespace wvs
