#pragma once
#include "support/LocalServers.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

namespace wvs::test {

// The web portal on 127.0.0.1: the FTP account (FtpServer) and the pages
// (servers/portal_http.py) over one folder. While it runs, the program's
// portal variables point at it; they are cleared again when it goes.
class PortalDouble {
public:
    struct Call {
        QString page;
        QByteArray raw;                        // the query string as it came, byte for byte
        QList<QPair<QString, QString>> query;  // decoded in Windows-1252, in the order sent
        QString loaded;                        // what a load page read
        QString reply;
        QString value(const QString &key) const;
        QByteArray rawValue(const QString &key) const;   // the value's bytes as sent
        QStringList keys() const;
    };

    PortalDouble() = default;
    ~PortalDouble();
    // ftpPassword other than the portal's own refuses the program's log-on;
    // bytesPerSecond slows FTP transfers down; ftpSilentAt makes the FTP
    // account stop answering (FtpServer::start).
    bool start(const QString &ftpPassword = QStringLiteral("plomkar7"), int bytesPerSecond = 0,
               const QString &ftpSilentAt = QString());

    static QString site() { return QStringLiteral("testsite"); }
    // A file in the portal's folder (what was put, or what is to be got), by
    // the bytes of its name.
    QByteArray file(const QByteArray &name) const;
    // The FTP command lines the portal received, byte for byte.
    QList<QByteArray> ftpCommands() const { return ftp_.commands(); }

    void reply(const QString &page, const QString &text);
    void delay(const QString &page, double seconds);
    void handOut(const QString &page, const QByteArray &content);
    // A held page's calls wait on arrival until the test lets them go on:
    // arrived() says one is waiting.
    void hold(const QString &page);
    bool arrived(const QString &page) const;
    void release(const QString &page);
    void takeId(const QString &id);

    // The customer-job requests the portal keeps between calls (lines of its
    // request file): GetCustomerJobs.php hands out every one it holds, and
    // DeleteCustomerJobsData.php, when it answers "SUCCESS" (also after the
    // program has given up on it), lets go of those handed out so far.
    void holdRequests(const QList<QByteArray> &lines);
    QStringList heldIds() const;   // the first field of each held request

    QList<Call> calls() const;
    QStringList pages() const;
    // Waits until every page call that arrived has been recorded and answered
    // (a delayed page goes on sleeping after the program gave up on it, and
    // would record itself into the next run); false after timeoutMs.
    bool waitForCalls(int timeoutMs = 10000) const;

private:
    // Sets the script's entry for a page in one of its sections and writes it out.
    void setEntry(const QString &section, const QString &page, const QJsonValue &value);
    void writeScript() const;
    QString portalFolder() const;
    QString control(const QString &name) const;

    FtpServer ftp_;
    PythonServer http_;
    QTemporaryDir control_;
    QJsonObject script_;
};

} // namespace wvs::test
