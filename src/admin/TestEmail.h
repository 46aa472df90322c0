#pragma once
#include <QString>

namespace wvs {

// The e-mail settings as they stand in the preferences window, saved or not.
struct TestEmailRequest {
    bool outlook = true;  // the desktop's mail program; otherwise SMTP
    QString server;
    QString port;
    bool ssl = false;
    QString userName;
    QString password;
    QString to;
};

// Sends one test message by the chosen route so the user can see that it works.
class TestEmail {
public:
    static constexpr const char *kSenderName = "WVS Email Tester";

    enum class Field { None, TestEmail, Server, Port, UserName, Password };

    // The whole test: the checks, the send (or the draft in the mail program)
    // and the message that tells the outcome. Returns the box a failed check
    // sends the user back to.
    static Field run(const TestEmailRequest &r);

    // Error number shown for a port that is no port number.
    static constexpr long BadPort = 3;
};

} // namespace wvs
