#pragma once
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace wvs::test {

// A server written in Python (tests/support/servers), run with /usr/bin/python3
// on 127.0.0.1 for the life of the object. start() waits for its "PORT n" line.
class PythonServer {
public:
    PythonServer() = default;
    ~PythonServer();
    PythonServer(const PythonServer &) = delete;
    PythonServer &operator=(const PythonServer &) = delete;

    bool start(const QString &script, const QStringList &args, int timeoutMs = 15000);
    void stop();
    int port() const { return port_; }
    QString errors() const { return errors_; }

private:
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
    QString errors_;
};

// An SMTP server that keeps every message it receives, parsed by Python's
// email module: envelope, decoded subject and addresses, each body part.
class SmtpSink {
public:
    struct Options {
        QString user;          // empty: no log-on asked
        QString password;
        bool requireTls = false;     // offers STARTTLS and refuses mail before it
        bool implicitTls = false;    // TLS from the first byte
    };
    bool start(const Options &options);
    int port() const { return server_.port(); }
    QString errors() const { return server_.errors(); }
    // Messages received so far, oldest first.
    QList<QJsonObject> messages() const;

private:
    QTemporaryDir dir_;
    PythonServer server_;
};

// A server of the files of a temporary folder.
class FolderServer {
public:
    // Removes the folder, also files whose names are not UTF-8 (which the
    // folder's own clean-up would leave).
    ~FolderServer();
    int port() const { return server_.port(); }
    QString root() const { return dir_.path(); }
    // Writes a file below the folder (folders are created).
    void putFile(const QString &relativePath, const QByteArray &content) const;

protected:
    QTemporaryDir dir_;
    PythonServer server_;
};

// An FTP server with one account whose home is the folder. It takes names as
// bytes: a file is stored under the bytes of the name it was given.
class FtpServer : public FolderServer {
public:
    // silentAt: commands ("STOR,RETR") from the first of which on the server
    // answers nothing more, keeping the connection; "final": it takes or sends
    // a file whole and then never gives its final reply (226), "final:Name"
    // only for files whose names begin so; "greeting": it takes connections
    // and never greets.
    bool start(const QString &user, const QString &password, int bytesPerSecond = 0,
               const QString &silentAt = QString());
    // Data both ways (downloads and uploads) kept to bytesPerSecond from moment to moment, so that a transfer
    // of n bytes takes n / bytesPerSecond seconds.
    bool startPaced(const QString &user, const QString &password, int bytesPerSecond);
    // The command lines received so far, byte for byte ("STOR name", ...;
    // a password as "PASS ***").
    QList<QByteArray> commands() const;

private:
    bool launch(const QString &user, const QString &password, const QStringList &options);
    QTemporaryDir log_;
};

// A web server of the folder; delaySecs holds every answer back.
class HttpServer : public FolderServer {
public:
    bool start(double delaySecs = 0);
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port()); }
};

// The rows of a CSV file as Python's csv module reads it (UTF-8); empty and
// ok false when Python could not read it.
QList<QStringList> pythonCsvRows(const QString &path, bool *ok = nullptr);

// A file's bytes (empty when it cannot be read); a file written whole, its folders made.
QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &content);

// A TCP port on 127.0.0.1 that nothing listens on (at the time of asking).
int unusedPort();

} // namespace wvs::test
