#include "platform/Transfer.h"
#include "platform/CurlGlobal.h"
#include "platform/NetworkStep.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace wvs {

namespace {

// Longer than any wait of the program: the most libcurl takes for a server's
// reply (INT_MAX / 1000 seconds), about 23 days.
constexpr long kNoLimitSecs = 2000000;

size_t appendToBuffer(char *ptr, size_t size, size_t nmemb, void *userdata)
{
    static_cast<QByteArray *>(userdata)->append(ptr, static_cast<qsizetype>(size * nmemb));
    return size * nmemb;
}

// The sockets of one session (a page call, an FTP account's connections),
// known from their opening to their closing, so that a wait that gives up can
// shut them from the window's thread: whatever the library was waiting for
// on them (a final reply that trickles in a byte at a time, say), its call
// ends at once. Its progress function ends the call too once told to stop.
class SocketWatch {
public:
    void install(CURL *easy)
    {
        curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &SocketWatch::open);
        curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
        curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &SocketWatch::close);
        curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
        curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &SocketWatch::progress);
        curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
        // A name lookup still under way when the call is given up on is left
        // to end by itself: the library would otherwise wait for it.
        curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    }

    // Called from the window's thread while a call runs on its own.
    void stop()
    {
        stopped_ = true;
        const std::lock_guard<std::mutex> hold(mutex_);
        for (const curl_socket_t s : sockets_)
            ::shutdown(s, SHUT_RDWR);
    }
    void clearStop() { stopped_ = false; }
    bool stopped() const { return stopped_; }

private:
    static curl_socket_t open(void *clientp, curlsocktype, curl_sockaddr *address)
    {
        auto *self = static_cast<SocketWatch *>(clientp);
        const curl_socket_t s = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (s != CURL_SOCKET_BAD) {
            const std::lock_guard<std::mutex> hold(self->mutex_);
            self->sockets_.push_back(s);
            // A stop that came before the socket was made holds for it too.
            if (self->stopped_)
                ::shutdown(s, SHUT_RDWR);
        }
        return s;
    }
    // Under the lock, so that a socket being shut is never one closed and
    // opened again meanwhile under the same number.
    static int close(void *clientp, curl_socket_t s)
    {
        auto *self = static_cast<SocketWatch *>(clientp);
        const std::lock_guard<std::mutex> hold(self->mutex_);
        self->sockets_.erase(std::remove(self->sockets_.begin(), self->sockets_.end(), s), self->sockets_.end());
        return ::close(s);
    }
    static int progress(void *clientp, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<SocketWatch *>(clientp)->stopped_ ? 1 : 0;
    }

    std::mutex mutex_;
    std::vector<curl_socket_t> sockets_;
    std::atomic<bool> stopped_{false};
};

// How often the window's events run while a call of the library is under
// way, and how often the call is looked at meanwhile.
constexpr qint64 kEventsEveryMs = 100;
constexpr int kLookEveryMs = 10;

// Runs one call of the library on a thread of its own, so that nothing a
// server does or withholds, and no name lookup, holds the window's thread:
// meanwhile the window repaints and its timers and posted events run. User
// input waits until the call has ended: a key or a click could start
// something that calls back into the transfer. Once overdue() says so the
// watch is told to stop, which ends the call at once.
void runAside(const std::function<void()> &call, SocketWatch &watch, const std::function<bool()> &overdue)
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread worker([&] {
        call();
        const std::lock_guard<std::mutex> hold(mutex);
        done = true;
        ended.notify_all();
    });
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    bool held = false;
    for (;;) {
        {
            std::unique_lock<std::mutex> hold(mutex);
            if (ended.wait_for(hold, std::chrono::milliseconds(kLookEveryMs), [&] { return done; }))
                break;
        }
        if (!watch.stopped() && overdue())
            watch.stop();
        if (sinceEvents.elapsed() >= kEventsEveryMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceEvents.start();
            held = true;
        }
    }
    worker.join();
    // The X server's input held back meanwhile waits in a queue of its own that
    // the event loop looks at only once woken: without this a key pressed
    // during the call would wait for the next event of the window system.
    if (held)
        if (QAbstractEventDispatcher *loop = QAbstractEventDispatcher::instance())
            loop->wakeUp();
}

} // namespace

HttpReply httpGet(const QString &url, int timeoutMs)
{
    beforeNetworkStep();
    ensureCurl();
    HttpReply reply;
    CURL *curl = curl_easy_init();
    if (!curl) {
        reply.error = CURLE_FAILED_INIT;
        reply.description = QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT));
        return reply;
    }
    char errbuf[CURL_ERROR_SIZE] = {0};
    const QByteArray u = url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, u.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeoutMs));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendToBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    SocketWatch watch;
    watch.install(curl);
    // The library's own limit ends the call in time; should it not (a name
    // lookup it waits on, say), the wait stops it a moment later all the same.
    CURLcode rc = CURLE_OK;
    QElapsedTimer clock;
    clock.start();
    runAside([&] { rc = curl_easy_perform(curl); }, watch,
             [&] { return clock.elapsed() >= qint64(timeoutMs) + kLookEveryMs; });
    if (watch.stopped() && rc != CURLE_OK) {
        rc = CURLE_OPERATION_TIMEDOUT;
        std::snprintf(errbuf, sizeof errbuf, "Operation timed out after %lld milliseconds",
                      static_cast<long long>(clock.elapsed()));
    }
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    if (rc != CURLE_OK) {
        reply.error = rc;
        reply.description = curlFailureText(errbuf, rc);
        reply.body.clear();
    } else if (reply.status < 200 || reply.status > 299) {
        reply.description = QStringLiteral("The server answered with status %1").arg(reply.status);
    } else {
        reply.ok = true;
    }
    curl_easy_cleanup(curl);
    return reply;
}

QString transferStateText(int state)
{
    switch (state) {
    case 0: return QStringLiteral("No state information is available.");
    case 1: return QStringLiteral("Looking up the IP address for the remote server.");
    case 2: return QStringLiteral("Found the IP address for the remote server.");
    case 3: return QStringLiteral("Connecting to the remote server.");
    case 4: return QStringLiteral("Connected to the remote server.");
    case 5: return QStringLiteral("Requesting information from the remote server.");
    case 6: return QStringLiteral("The request was sent successfully to the remote server.");
    case 7: return QStringLiteral("Receiving a response from the remote server.");
    case 8: return QStringLiteral("The response was received successfully from the remote server.");
    case 9: return QStringLiteral("Disconnecting from the remote server.");
    case 10: return QStringLiteral("Disconnected from the remote server.");
    case 11: return QStringLiteral("An error has occurred while communicating with the remote server.");
    case 12: return QStringLiteral("The request was completed, all data has been received.");
    default: return QStringLiteral("Unknown state: ") + QString::number(state);
    }
}

struct FtpTransfer::Impl {
    CURLM *multi = nullptr;
    CURL *easy = nullptr;
    bool added = false;            // the command has been handed to the library
    QFile file;
    bool upload = false;
    // Written by the library's thread while a call runs, read by the window's.
    std::atomic<bool> gotData{false};
    std::atomic<qint64> bytes{0};
    char errbuf[CURL_ERROR_SIZE] = {0};
    QByteArray url, user, password;
    // The session's control connection, known once a command has ended with it
    // still open; what the server has answered to QUIT.
    curl_socket_t control = CURL_SOCKET_BAD;
    QByteArray quitReply;
    long osErrno = 0;
    // The program's wait on the current command, while it goes on: a call of
    // the library that outlasts the whole wait is stopped there.
    struct Wait {
        bool on = false;
        QElapsedTimer clock;       // since the wait began
        qint64 stopAfterMs = 0;
        qint64 leftMs() const { return stopAfterMs - clock.elapsed(); }
    } wait;
    SocketWatch watch;             // every connection of the session
    bool stoppedByWait = false;    // the command was stopped inside a call of the library
    bool inLibrary = false;        // a call of the library is under way

    // Runs one call of the library off the window's thread; window events
    // that run meanwhile never start another (the library refuses to be
    // called from two places at once).
    template <class Call>
    void call(Call &&body)
    {
        inLibrary = true;
        runAside(body, watch, [this] { return wait.on && wait.leftMs() <= 0; });
        inLibrary = false;
        if (watch.stopped())
            stoppedByWait = true;
    }

    static size_t write(char *ptr, size_t size, size_t nmemb, void *userdata)
    {
        auto *self = static_cast<Impl *>(userdata);
        const qint64 n = static_cast<qint64>(size * nmemb);
        if (self->file.write(ptr, n) != n)
            return 0; // the transfer then fails with a write error
        self->gotData = true;
        self->bytes += n;
        return static_cast<size_t>(n);
    }

    static size_t read(char *buffer, size_t size, size_t nitems, void *userdata)
    {
        auto *self = static_cast<Impl *>(userdata);
        const qint64 n = self->file.read(buffer, static_cast<qint64>(size * nitems));
        if (n < 0)
            return CURL_READFUNC_ABORT;
        if (n > 0) {
            self->gotData = true;
            self->bytes += n;
        }
        return static_cast<size_t>(n);
    }

    void dropEasy()
    {
        if (easy) {
            if (added)
                curl_multi_remove_handle(multi, easy);
            curl_easy_cleanup(easy);
            easy = nullptr;
            added = false;
        }
    }

    // Ends the session without a word to the server: libcurl would send QUIT
    // and wait for its answer (as long as the commands may wait), so its
    // connection is shut first and the QUIT fails at once.
    void dropAll()
    {
        dropEasy();
        if (control != CURL_SOCKET_BAD) {
            ::shutdown(control, SHUT_RDWR);
            control = CURL_SOCKET_BAD;
        }
        if (multi) {
            curl_multi_cleanup(multi);
            multi = nullptr;
        }
    }
};

FtpTransfer::FtpTransfer(Account account) : account_(std::move(account)), impl_(std::make_unique<Impl>())
{
    ensureCurl();
}

FtpTransfer::~FtpTransfer()
{
    if (running_)
        abort();
    impl_->dropAll();
}

QString FtpTransfer::url(const QString &remotePath) const
{
    QString host = account_.host.trimmed();
    int port = account_.port;
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && !host.contains(QLatin1Char(']')) && host.count(QLatin1Char(':')) == 1) {
        bool ok = false;
        const int p = host.mid(colon + 1).toInt(&ok);
        if (ok && port == 0)
            port = p;
        host = host.left(colon);
    }
    QUrl u;
    u.setScheme(QStringLiteral("ftp"));
    u.setHost(host);
    if (port > 0)
        u.setPort(port);
    // Each part of the path is encoded on its own, so the path stays below the
    // log-on folder as the server sees it; the server is given each name in
    // the bytes it names its files in.
    QStringList parts;
    QString path = remotePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (const QString &seg : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QByteArray name = account_.nameBytes ? account_.nameBytes(seg) : seg.toUtf8();
        parts << QString::fromLatin1(name.toPercentEncoding());
    }
    return u.toString(QUrl::FullyEncoded) + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool FtpTransfer::startDownload(const QString &remotePath, const QString &localPath)
{
    return start(remotePath, localPath, false);
}

bool FtpTransfer::startUpload(const QString &localPath, const QString &remotePath)
{
    return start(remotePath, localPath, true);
}

bool FtpTransfer::start(const QString &remotePath, const QString &localPath, bool upload)
{
    if (running_)
        return false;
    beforeNetworkStep();
    impl_->dropEasy();
    finished_ = false;
    error_ = 0;
    errorText_.clear();
    impl_->bytes = 0;
    state_ = TransferState::None;
    impl_->upload = upload;
    impl_->gotData = false;
    impl_->errbuf[0] = 0;
    impl_->osErrno = 0;
    impl_->stoppedByWait = false;
    impl_->watch.clearStop();
    impl_->file.setFileName(localPath);
    running_ = true;
    advanceTo(TransferState::Resolving);

    if (!impl_->file.open(upload ? QIODevice::ReadOnly : (QIODevice::WriteOnly | QIODevice::Truncate))) {
        finish(upload ? CURLE_READ_ERROR : CURLE_WRITE_ERROR,
               QStringLiteral("Cannot open %1: %2").arg(localPath, impl_->file.errorString()));
        return true;
    }

    if (!impl_->multi)
        impl_->multi = curl_multi_init();
    impl_->easy = curl_easy_init();
    if (!impl_->multi || !impl_->easy) {
        finish(CURLE_FAILED_INIT, QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));
        return true;
    }
    CURL *e = impl_->easy;
    impl_->url = url(remotePath).toUtf8();
    impl_->user = account_.userName.toUtf8();
    impl_->password = account_.password.toUtf8();
    curl_easy_setopt(e, CURLOPT_URL, impl_->url.constData());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, impl_->errbuf);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // Only the caller's wait gives up on a command: none of libcurl's own limits
    // (30 s to connect and 120 s for a server's greeting or reply unless told
    // otherwise) may end it first. Its overall limit is set at the first poll
    // (drive): what is left of the wait, or none.
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, kNoLimitSecs * 1000L);
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, kNoLimitSecs);
    curl_easy_setopt(e, CURLOPT_ACCEPTTIMEOUT_MS, kNoLimitSecs * 1000L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 0L);
    curl_easy_setopt(e, CURLOPT_USERNAME, impl_->user.constData());
    curl_easy_setopt(e, CURLOPT_PASSWORD, impl_->password.constData());
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    impl_->watch.install(e);
    if (upload) {
        curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(e, CURLOPT_READFUNCTION, &Impl::read);
        curl_easy_setopt(e, CURLOPT_READDATA, impl_.get());
        curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(impl_->file.size()));
    } else {
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Impl::write);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, impl_.get());
    }
    // The command goes to the library at its first poll, when the wait on it
    // (if any) has begun.
    return true;
}

bool FtpTransfer::startClose()
{
    if (running_)
        return false;
    beforeNetworkStep();
    impl_->dropEasy();
    finished_ = false;
    error_ = 0;
    errorText_.clear();
    state_ = TransferState::None;
    impl_->file.setFileName(QString()); // a stopped CLOSE removes no download
    impl_->osErrno = 0;
    impl_->stoppedByWait = false;
    impl_->watch.clearStop();
    advanceTo(TransferState::Disconnecting);
    impl_->quitReply.clear();
    if (impl_->control == CURL_SOCKET_BAD || ::send(impl_->control, "QUIT\r\n", 6, MSG_NOSIGNAL) != 6) {
        impl_->dropAll(); // no session open: nothing to say
        advanceTo(TransferState::Disconnected);
        finished_ = true;
        return true;
    }
    running_ = true;
    closing_ = true;
    driveClose(0);
    return true;
}

// The server's answer to QUIT (or its closing the connection) ends the session.
void FtpTransfer::driveClose(int waitMs)
{
    pollfd p{impl_->control, POLLIN, 0};
    if (::poll(&p, 1, std::max(0, waitMs)) <= 0)
        return;
    char buffer[512];
    const ssize_t n = ::recv(impl_->control, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    if (n > 0)
        impl_->quitReply.append(buffer, n);
    if (n > 0 && !impl_->quitReply.contains('\n'))
        return;
    closing_ = false;
    running_ = false;
    impl_->dropAll();
    advanceTo(TransferState::Disconnected);
    finished_ = true;
}

void FtpTransfer::advanceTo(int target)
{
    auto emitState = [this](int s) {
        state_ = s;
        if (stateHandler_)
            stateHandler_(s);
    };
    // The steps of a request follow one another and never go back; the
    // others stand alone.
    if (target >= TransferState::Resolving && target <= TransferState::ResponseReceived) {
        if (state_ < target && state_ <= TransferState::ResponseReceived) {
            for (int s = std::max(state_ + 1, int(TransferState::Resolving)); s <= target; ++s)
                emitState(s);
        }
    } else if (target != state_) {
        emitState(target);
    }
}

void FtpTransfer::finish(long error, const QString &text)
{
    if (impl_->easy) {
        // The session's connection, when the command left it open.
        curl_socket_t control = CURL_SOCKET_BAD;
        if (curl_easy_getinfo(impl_->easy, CURLINFO_ACTIVESOCKET, &control) == CURLE_OK)
            impl_->control = control;
        curl_easy_getinfo(impl_->easy, CURLINFO_OS_ERRNO, &impl_->osErrno);
    }
    running_ = false;
    finished_ = true;
    error_ = error;
    errorText_ = text;
    if (impl_->file.isOpen())
        impl_->file.close();
    impl_->dropEasy();
    // A command stopped while its reply was still to come leaves a connection
    // that must never carry another command: the late reply would pass for the
    // next one's. It is shut, so that no QUIT waits on it either.
    if (impl_->stoppedByWait || error == CURLE_OPERATION_TIMEDOUT)
        impl_->dropAll();
    if (error != 0) {
        if (!impl_->upload && !impl_->file.fileName().isEmpty())
            impl_->file.remove();
        advanceTo(TransferState::Error);
    } else {
        advanceTo(TransferState::ResponseReceived);
        advanceTo(TransferState::Completed);
    }
}

void FtpTransfer::drive(int waitMs)
{
    if (closing_) {
        driveClose(waitMs);
        return;
    }
    if (!running_ || !impl_->multi || !impl_->easy || impl_->inLibrary)
        return;
    if (!impl_->added) {
        // Under a wait the library is given its own limit too, what is left of
        // the wait: it then ends by itself a call that the wait would stop.
        const qint64 left = impl_->wait.on ? std::max<qint64>(1, impl_->wait.leftMs()) : 0;
        curl_easy_setopt(impl_->easy, CURLOPT_TIMEOUT_MS, static_cast<long>(left));
        curl_multi_add_handle(impl_->multi, impl_->easy);
        impl_->added = true;
    }
    impl_->call([&] {
        int stillRunning = 0;
        curl_multi_perform(impl_->multi, &stillRunning);
        if (stillRunning && waitMs > 0) {
            curl_multi_poll(impl_->multi, nullptr, 0, waitMs, nullptr);
            curl_multi_perform(impl_->multi, &stillRunning);
        }
    });

    curl_off_t t = 0;
    if (curl_easy_getinfo(impl_->easy, CURLINFO_NAMELOOKUP_TIME_T, &t) == CURLE_OK && t > 0)
        advanceTo(TransferState::Resolved);
    if (curl_easy_getinfo(impl_->easy, CURLINFO_CONNECT_TIME_T, &t) == CURLE_OK && t > 0)
        advanceTo(TransferState::Connected);
    if (curl_easy_getinfo(impl_->easy, CURLINFO_PRETRANSFER_TIME_T, &t) == CURLE_OK && t > 0)
        advanceTo(TransferState::RequestSent);
    if (impl_->gotData && !impl_->upload)
        advanceTo(TransferState::Receiving);

    int left = 0;
    while (CURLMsg *msg = curl_multi_info_read(impl_->multi, &left)) {
        if (msg->msg != CURLMSG_DONE || msg->easy_handle != impl_->easy)
            continue;
        const CURLcode rc = msg->data.result;
        if (rc == CURLE_OK) {
            finish(0, QString());
        } else {
            finish(rc, curlFailureText(impl_->errbuf, rc));
        }
        return;
    }
}

bool FtpTransfer::stillExecuting()
{
    drive(0);
    return running_;
}

qint64 FtpTransfer::bytesTransferred() const { return impl_->bytes; }

bool FtpTransfer::timedOut() const
{
    return finished_ && error_ != 0
           && (impl_->stoppedByWait || error_ == CURLE_OPERATION_TIMEDOUT || error_ == CURLE_FTP_ACCEPT_TIMEOUT || impl_->osErrno == ETIMEDOUT);
}

void FtpTransfer::pump(int ms)
{
    QDeadlineTimer deadline(std::max(0, ms));
    do {
        const int slice = static_cast<int>(std::min<qint64>(50, std::max<qint64>(0, deadline.remainingTime())));
        if (running_)
            drive(slice);
        else
            QThread::msleep(static_cast<unsigned long>(std::min(slice, 20)));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    } while ((running_ || timedOut()) && !deadline.hasExpired());
}

// The state is tested before each poll; the time-out comes after the poll
// that passes the limit, without a further test. The polls keep to the
// wait's own clock, and the count is never below the whole intervals that
// have passed since the wait began: time spent inside one call of libcurl
// counts as the polls it outlasted, and a command that is still inside such
// a call once limit + 1 intervals are over is stopped there.
bool FtpTransfer::waitUntilDone(int intervalMs, int limit)
{
    if (running_)
        beforeNetworkStep();
    const qint64 interval = std::max(1, intervalMs);
    Impl::Wait &wait = impl_->wait;
    wait.clock.start();
    wait.stopAfterMs = interval * (qint64(limit) + 1);
    wait.on = true;
    struct Over {
        Impl::Wait &wait;
        ~Over() { wait.on = false; }
    } over{wait};
    bool done = true;
    qint64 count = 0;
    while (stillExecuting() || timedOut()) {
        pump(static_cast<int>(std::max<qint64>(0, (count + 1) * interval - wait.clock.elapsed())));
        count = std::max(count + 1, wait.clock.elapsed() / interval);
        if (count > limit) {
            // The wait ends the command by time, whichever clock ran out first:
            // its own count, or the limit the library was given (what was left
            // of it), which falls at about the same moment.
            if (running_)
                stopForTime(wait.clock.elapsed());
            done = false;
            break;
        }
        QCoreApplication::processEvents();
    }
    return done;
}

void FtpTransfer::stopForTime(qint64 waitedMs)
{
    impl_->stoppedByWait = true;
    abort();
    error_ = CURLE_OPERATION_TIMEDOUT;
    errorText_ = QStringLiteral("Operation timed out after %1 milliseconds").arg(waitedMs);
}

void FtpTransfer::abort()
{
    if (!running_)
        return;
    // A command stopped half way leaves its connection unusable: libcurl
    // closes it without QUIT. A CLOSE stopped while the server keeps silent
    // shuts the session's connection.
    if (!closing_)
        impl_->control = CURL_SOCKET_BAD;
    closing_ = false;
    // Its connections are shut first, so that nothing the library does on
    // letting them go waits on the server.
    impl_->watch.stop();
    impl_->dropAll();
    finish(CURLE_ABORTED_BY_CALLBACK, QStringLiteral("The transfer was stopped"));
}

} // namespace wvs
