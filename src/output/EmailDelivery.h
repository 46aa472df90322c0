#pragma once
#include "admin/PreferenceSettings.h"
#include "platform/MailMessage.h"
#include "platform/SmtpMailer.h"

#include <QString>
#include <optional>

namespace wvs {

// The e-mail settings of one run, read afresh from the preferences.
struct EmailSettings {
    QString provider;          // "Outlook": drafts in the desktop's mail program; else SMTP
    bool html = false;         // SMTP bodies go as HTML
    SmtpSettings smtp;         // filled only when the provider is "Other"

    bool desktop() const { return provider == QLatin1String("Outlook"); }
};

// How every e-mail of the program leaves it: as a draft in the desktop's mail
// program (which only opens drafts; the user sends them there) or sent at once
// over SMTP. The callers compose the texts and decide how many messages there
// are; this class reads the settings, builds the messages the same way for
// every caller and reports each send.
class EmailDelivery {
public:
    // A port as typed: a number (decimals rounded, "587.0" is 587) from 0 to
    // 65535; none for anything else.
    static std::optional<int> portNumber(const QString &text);

    // SMTP settings from the five values of the preferences.
    static SmtpSettings smtpSettings(const QString &server, const QString &port, bool ssl, const QString &userName,
                                     const QString &password);

    // The settings of the preferences row. With no provider set up the
    // not-set-up message is shown and none is returned. A stored port that is
    // no port number is an error of the caller's run. prefs, when given,
    // receives the whole row for the caller's own flags.
    static std::optional<EmailSettings> ReadEmailSettings(PreferenceValues *prefs = nullptr);

    // Before an e-mail window opens: drafts need the mail program running
    // (SMTP goes without it). When drafts are chosen and it is not running,
    // "MS Outlook is not active - emails cannot be created" is shown and
    // false returned.
    static bool mailProgramReady();

    explicit EmailDelivery(EmailSettings settings) : settings_(std::move(settings)) {}
    const EmailSettings &settings() const { return settings_; }

    // The desktop route needs a mail program; without one "MS Outlook is not
    // active" is shown and false returned.
    bool ConnectOutlook() const;

    // A new message for one recipient (an empty address leaves To empty).
    // Over SMTP the sender is an address (the SMTP user name when it is one)
    // under senderName; a draft's sender is the mail program's own.
    MailMessage newMessage(const QString &senderName, const QString &to, const QString &subject) const;
    // Sets (or replaces) the body: over SMTP with HTML chosen the text is
    // escaped and its line breaks kept as <br>; a draft is always plain text.
    void setBody(MailMessage &m, const QString &text) const;

    // Sends one complete SMTP message with the hourglass showing; reports
    // "Email sent to " or "Email was not sent to ... - error " for address
    // unless report is false.
    SendResult SendSmtpMessage(const MailMessage &m, const QString &address, bool report = true) const;
    // Hands one draft to the mail program; error DraftFailed when it could not.
    SendResult SaveDraft(const MailMessage &m) const;

    static constexpr long DraftFailed = 9011;

    // The one message of a provider that was never set up.
    static QString notSetUpText();

    // The message last typed for one kind of e-mail, kept in its single-row
    // table (a fixed table name of the caller's, never typed text), so the
    // next e-mail of that kind starts from it.
    static QString storedMessage(const char *table);
    static void storeMessage(const char *table, const QString &message);

private:
    EmailSettings settings_;
};

} // namespace wvs
