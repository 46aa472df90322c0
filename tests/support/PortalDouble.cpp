#include "support/PortalDouble.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>
#include <cstdio>

namespace wvs::test {

PortalDouble::~PortalDouble()
{
    http_.stop();
    qunsetenv("WVS_PORTAL_FTP_HOST");
    qunsetenv("WVS_PORTAL_WEB_HOST");
    qunsetenv("WVS_PORTAL_SITE");
}

bool PortalDouble::start(const QString &ftpPassword, int bytesPerSecond, const QString &ftpSilentAt)
{
    if (!ftp_.start("vexlan30", ftpPassword, bytesPerSecond, ftpSilentAt))
        return false;
    QDir().mkpath(portalFolder());
    writeScript();
    if (!http_.start("portal_http.py", {"--root", ftp_.root(), "--site", site(), "--control", control_.path()}))
        return false;
    qputenv("WVS_PORTAL_FTP_HOST", QString("127.0.0.1:%1").arg(ftp_.port()).toUtf8());
    qputenv("WVS_PORTAL_WEB_HOST", QString("127.0.0.1:%1").arg(http_.port()).toUtf8());
    qputenv("WVS_PORTAL_SITE", site().toUtf8());
    return true;
}

QString PortalDouble::portalFolder() const
{
    return QDir(ftp_.root()).filePath("public_html/" + site() + "/customerportal");
}

QByteArray PortalDouble::file(const QByteArray &name) const
{
    // A name's bytes need not be UTF-8, which a QString path would make them.
    QByteArray content;
    const QByteArray path = QFile::encodeName(portalFolder()) + '/' + name;
    if (FILE *f = fopen(path.constData(), "rb")) {
        char buffer[4096];
        while (const size_t n = fread(buffer, 1, sizeof buffer, f))
            content.append(buffer, qsizetype(n));
        fclose(f);
    }
    return content;
}

QString PortalDouble::control(const QString &name) const { return QDir(control_.path()).filePath(name); }

void PortalDouble::setEntry(const QString &section, const QString &page, const QJsonValue &value)
{
    QJsonObject r = script_.value(section).toObject();
    r.insert(page, value);
    script_.insert(section, r);
    writeScript();
}

void PortalDouble::reply(const QString &page, const QString &text) { setEntry("replies", page, text); }
void PortalDouble::delay(const QString &page, double seconds) { setEntry("delays", page, seconds); }
void PortalDouble::handOut(const QString &page, const QByteArray &c) { setEntry("handouts", page, QString::fromLatin1(c)); }

void PortalDouble::hold(const QString &page)
{
    QFile::remove(control("arrived-" + page));
    QFile::remove(control("release-" + page));
    QJsonArray holds = script_.value("holds").toArray();
    holds.append(page);
    script_.insert("holds", holds);
    writeScript();
}

bool PortalDouble::arrived(const QString &page) const { return QFile::exists(control("arrived-" + page)); }

void PortalDouble::release(const QString &page) { writeFileBytes(control("release-" + page), QByteArray()); }

void PortalDouble::takeId(const QString &id)
{
    QJsonArray taken = script_.value("taken").toArray();
    taken.append(id);
    script_.insert("taken", taken);
    writeScript();
}

void PortalDouble::holdRequests(const QList<QByteArray> &lines)
{
    QJsonObject state = QJsonDocument::fromJson(readFileBytes(control("held.json"))).object();
    QJsonArray held = state.value("held").toArray();
    for (const QByteArray &line : lines)
        held.append(QString::fromLatin1(line));
    state.insert("held", held);
    writeFileBytes(control("held.json"), QJsonDocument(state).toJson());
}

QStringList PortalDouble::heldIds() const
{
    QStringList out;
    for (const QJsonValue &v : QJsonDocument::fromJson(readFileBytes(control("held.json"))).object()["held"].toArray())
        out << v.toString().section(QLatin1Char('|'), 0, 0);
    return out;
}

void PortalDouble::writeScript() const { writeFileBytes(control("script.json"), QJsonDocument(script_).toJson()); }

QList<PortalDouble::Call> PortalDouble::calls() const
{
    QList<Call> out;
    for (const QByteArray &line : readFileBytes(control("calls.jsonl")).split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        Call c;
        c.page = o.value("page").toString();
        c.raw = o.value("raw").toString().toLatin1();
        for (const QJsonValue &kv : o.value("query").toArray())
            c.query << qMakePair(kv.toArray().at(0).toString(), kv.toArray().at(1).toString());
        c.loaded = o.value("loaded").toString();
        c.reply = o.value("reply").toString();
        out << c;
    }
    return out;
}

QStringList PortalDouble::pages() const
{
    QStringList out;
    for (const Call &c : calls())
        out << c.page;
    return out;
}

bool PortalDouble::waitForCalls(int timeoutMs) const
{
    const QString answering = control("answering");
    const QDeadlineTimer deadline(timeoutMs);
    while (QFile::exists(answering) && readFileBytes(answering).trimmed() != "0") {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

QString PortalDouble::Call::value(const QString &key) const
{
    for (const auto &[k, v] : query)
        if (k == key)
            return v;
    return QString();
}

QByteArray PortalDouble::Call::rawValue(const QString &key) const
{
    for (const QByteArray &pair : raw.split('&'))
        if (pair.startsWith(key.toLatin1() + '='))
            return QByteArray::fromPercentEncoding(pair.mid(key.size() + 1));
    return QByteArray();
}

QStringList PortalDouble::Call::keys() const
{
    QStringList out;
    for (const auto &[k, v] : query)
        out << k;
    return out;
}

} // namespace wvs::test
