#pragma once
#include "platform/MailMessage.h"

#include <QList>
#include <QStringList>

namespace wvs {

// The desktop's own mail program: a message is handed to it as a draft
// (through xdg-email), which it shows to the user to check and send.
class DesktopMailer {
public:
    // A mail program is set up for mailto links on this desktop.
    static bool isActive();
    // Opens the message as a draft in the mail program: To, Cc, Subject, the
    // body as plain text and the attachments. Returns false when the mail
    // program could not be started.
    static bool openDraft(const MailMessage &message);
    // The xdg-email arguments for a message (empty values left out, addresses
    // that could be taken for options or links dropped).
    static QStringList arguments(const MailMessage &message);
};

// Test stand-in: while installed, no mail program is asked or started; drafts
// are recorded with their command lines, and isActive answers `active`.
class DesktopMailScript {
public:
    DesktopMailScript();
    ~DesktopMailScript();
    DesktopMailScript(const DesktopMailScript &) = delete;
    DesktopMailScript &operator=(const DesktopMailScript &) = delete;

    bool active = true;
    bool openResult = true;
    QList<MailMessage> drafts;
    QList<QStringList> commands;
    int activeChecks = 0;

    static DesktopMailScript *current();

private:
    DesktopMailScript *previous_;
};

} // namespace wvs
