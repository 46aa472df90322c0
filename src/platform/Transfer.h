#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace wvs {

// The reply of a web page request.
struct HttpReply {
    bool ok = false;       // a 2xx reply arrived within the time-out
    long status = 0;       // HTTP status, 0 when no reply came
    QByteArray body;
    long error = 0;        // transfer error number (0 when the request itself went through)
    QString description;   // what went wrong, for messages
};

// Requests a web page and waits for it (at most timeoutMs for the whole
// request, name lookup included, whatever the server sends or withholds).
// Redirects are followed. While it waits the window repaints and its timers
// and posted events run; user input waits until the page is in.
HttpReply httpGet(const QString &url, int timeoutMs);

// The states a transfer passes through, numbered as the status texts below.
namespace TransferState {
constexpr int None = 0;
constexpr int Resolving = 1;
constexpr int Resolved = 2;
constexpr int Connecting = 3;
constexpr int Connected = 4;
constexpr int Requesting = 5;
constexpr int RequestSent = 6;
constexpr int Receiving = 7;
constexpr int ResponseReceived = 8;
constexpr int Disconnecting = 9;
constexpr int Disconnected = 10;
constexpr int Error = 11;
constexpr int Completed = 12;
} // namespace TransferState

// The text shown in a status bar for a state ("Connecting to the remote
// server." and so on; "Unknown state: 13" for a number outside the list).
QString transferStateText(int state);

// An FTP session that runs one command at a time without blocking the window:
// start a command, then poll stillExecuting() or wait with waitUntilDone(),
// which keeps the transfer and the window's events going between polls. Every
// change of state is handed to the state handler. A command has no time limit
// of its own (connecting, a server's greeting or reply, a stalled transfer):
// only the caller's wait gives up on it. The transfer library's calls run off
// the window's thread: where the library waits inside one call of its own
// (for the server's final reply after a file's data, a name lookup), the
// window still repaints and its timers and posted events run, but user input
// waits until the call has ended.
class FtpTransfer {
public:
    struct Account {
        QString host;       // name or address; "host:port" is accepted too
        int port = 0;       // 0: the one in host, else 21
        QString userName;
        QString password;
        // The bytes a remote name goes as, in the code page the server names
        // its files in; UTF-8 when unset.
        std::function<QByteArray(const QString &)> nameBytes = nullptr;
    };

    explicit FtpTransfer(Account account);
    ~FtpTransfer();
    FtpTransfer(const FtpTransfer &) = delete;
    FtpTransfer &operator=(const FtpTransfer &) = delete;

    void setStateHandler(std::function<void(int)> handler) { stateHandler_ = std::move(handler); }

    // GET: copies the remote file (a path below the account's log-on folder)
    // to localPath. A transfer that fails or is stopped removes what it wrote.
    bool startDownload(const QString &remotePath, const QString &localPath);
    // PUT: copies localPath to the remote path.
    bool startUpload(const QString &localPath, const QString &remotePath);
    // CLOSE: ends the session with QUIT and waits for the server's answer; with
    // no session open it ends at once.
    bool startClose();

    // True while the current command is running; moves the transfer on.
    bool stillExecuting();
    // Moves the transfer on for up to ms milliseconds, letting window events
    // run; returns early when the command ends.
    void pump(int ms);
    // The program's wait: polls every intervalMs; gives up (stopping the
    // command) once the number of polls exceeds limit. False on time-out. The
    // time spent inside one call of the transfer library counts as the polls
    // it outlasted, and a command still inside such a call when limit + 1
    // intervals have passed is stopped there, whatever the server sends
    // meanwhile (a reply that trickles in never ends): a time-out, and its
    // connection is never used again. A command first polled by this wait is
    // given that same limit inside the library too. A command that ended
    // because something below timed out (the system's connect, the library's
    // limit) is waited for as one still running: the time-out is told after
    // the last poll, as for any other.
    bool waitUntilDone(int intervalMs, int limit);
    // Stops the current command.
    void abort();

    bool succeeded() const { return finished_ && error_ == 0; }
    // True when the command ended because something timed out, the wait
    // that gave up on it included.
    bool timedOut() const;
    long error() const { return error_; }
    QString errorText() const { return errorText_; }
    qint64 bytesTransferred() const;
    int state() const { return state_; }
    // The URL of a remote path of this account (no user name or password in
    // it): each part of the path percent-encoded from the account's bytes of it.
    QString url(const QString &remotePath) const;

private:
    struct Impl;
    bool start(const QString &remotePath, const QString &localPath, bool upload);
    void finish(long error, const QString &text);
    void advanceTo(int state);
    void drive(int waitMs);
    void driveClose(int waitMs);
    // Stops the current command as the wait's time-out.
    void stopForTime(qint64 waitedMs);

    Account account_;
    std::unique_ptr<Impl> impl_;
    std::function<void(int)> stateHandler_;
    bool closing_ = false;
    int state_ = TransferState::None;
    bool running_ = false;
    bool finished_ = false;
    long error_ = 0;
    QString errorText_;
};

} // namespace wvs
