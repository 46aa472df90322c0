#include "support/LocalServers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <arpa/inet.h>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wvs::test {

namespace {
QString scriptPath(const QString &name) { return WVS_TEST_DATA_DIR "/support/servers/" + name; }

// A self-signed certificate (cert.pem) and key (key.pem) for "localhost" made with openssl in dir.
bool makeCertificate(const QTemporaryDir &dir)
{
    QProcess p;
    p.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost", "-days", "2",
                        "-keyout", dir.filePath("key.pem"), "-out", dir.filePath("cert.pem")});
    return dir.isValid() && p.waitForFinished(20000) && p.exitCode() == 0 && QFile::exists(dir.filePath("cert.pem"));
}

} // namespace

QByteArray readFileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFileBytes(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

PythonServer::~PythonServer() { stop(); }

bool PythonServer::start(const QString &script, const QStringList &args, int timeoutMs)
{
    stop();
    process_ = std::make_unique<QProcess>();
    process_->start("/usr/bin/python3", QStringList{scriptPath(script)} + args);
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray line;
    while (!deadline.hasExpired() && process_->state() != QProcess::NotRunning) {
        if (!process_->canReadLine()) {
            process_->waitForReadyRead(100);
            continue;
        }
        line = process_->readLine().trimmed();
        if (line.startsWith("PORT ")) {
            port_ = line.mid(5).toInt();
            return port_ > 0;
        }
    }
    errors_ = process_->errorString() + ": " + QString::fromLocal8Bit(line + process_->readAllStandardError());
    stop();
    return false;
}

void PythonServer::stop()
{
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        process_->closeWriteChannel();
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(2000);
        }
    }
    process_.reset();
    port_ = 0;
}

bool SmtpSink::start(const Options &o)
{
    QStringList args{"--dir", dir_.path()};
    if (!o.user.isEmpty())
        args << "--user" << o.user << "--password" << o.password;
    if (o.requireTls || o.implicitTls) {
        static const QTemporaryDir certificate;
        static const bool made = makeCertificate(certificate);
        if (!made)
            return false;
        args << "--cert" << certificate.filePath("cert.pem") << "--key" << certificate.filePath("key.pem");
    }
    if (o.requireTls)
        args << "--require-tls";
    if (o.implicitTls)
        args << "--implicit-tls";
    return server_.start("smtp_sink.py", args);
}
QList<QJsonObject> SmtpSink::messages() const
{
    QList<QJsonObject> out;
    QDir d(dir_.path());
    for (const QString &name : d.entryList({"*.json"}, QDir::Files, QDir::Name)) {
        QFile f(d.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            out << QJsonDocument::fromJson(f.readAll()).object();
    }
    return out;
}


bool FtpServer::start(const QString &user, const QString &password, int bytesPerSecond, const QString &silentAt)
{
    QStringList options;
    if (bytesPerSecond > 0)
        options << "--rate" << QString::number(bytesPerSecond);
    if (!silentAt.isEmpty())
        options << "--silent-at" << silentAt;
    return launch(user, password, options);
}

bool FtpServer::startPaced(const QString &user, const QString &password, int bytesPerSecond)
{
    return launch(user, password, {"--pace", QString::number(bytesPerSecond)});
}

bool FtpServer::launch(const QString &user, const QString &password, const QStringList &options)
{
    const QStringList args{"--root", dir_.path(), "--user", user, "--password", password, "--log",
                           log_.filePath("commands.log")};
    return server_.start("ftp_server.py", args + options);
}

QList<QByteArray> FtpServer::commands() const
{
    QList<QByteArray> lines = readFileBytes(log_.filePath("commands.log")).split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

bool HttpServer::start(double delaySecs)
{
    QStringList args{"--root", dir_.path()};
    if (delaySecs > 0)
        args << "--delay" << QString::number(delaySecs);
    return server_.start("http_server.py", args);
}

FolderServer::~FolderServer()
{
    server_.stop();
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(dir_.path()).toStdString(), ignored);
}

void FolderServer::putFile(const QString &relativePath, const QByteArray &content) const
{
    writeFileBytes(QDir(dir_.path()).filePath(relativePath), content);
}

QList<QStringList> pythonCsvRows(const QString &path, bool *ok)
{
    QProcess p;
    p.start("/usr/bin/python3", {"-c",
                                 "import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8', errors='strict') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f, strict=True))))\n",
                                 path});
    const bool finished = p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    QList<QStringList> rows;
    if (finished) {
        for (const QJsonValue &r : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
            QStringList cells;
            for (const QJsonValue &c : r.toArray())
                cells << c.toString();
            rows << cells;
        }
    }
    if (ok)
        *ok = finished;
    return rows;
}

int unusedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}

} // namespace wvs::test
