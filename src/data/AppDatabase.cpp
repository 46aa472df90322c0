#include "data/AppDatabase.h"
#include "data/SchemaRegistry.h"
#include "platform/Desktop.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/NetworkStep.h"
#include "platform/WvsError.h"

#include <QDir>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace wvs {

namespace {

int busyWaitMs = 5000;

// The name of the connection db() returns.
QByteArray &connection()
{
    static QByteArray name = QByteArrayLiteral("WVS");
    return name;
}

// Another workstation held its write longer than the wait (SQLite's
// SQLITE_BUSY, extended codes included).
bool isBusy(const QSqlError &e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    if (ok && (code & 0xff) == 5)
        return true;
    return e.databaseText().contains(QLatin1String("database is locked"), Qt::CaseInsensitive);
}

[[noreturn]] void fail(const QSqlError &e, const QString &sql)
{
    if (isBusy(e))
        throw WvsError(ErrorNumber::DatabaseBusy, AppDatabase::busyMessage());
    QString text = e.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Database error");
    Q_UNUSED(sql);
    throw WvsError(ErrorNumber::Database, text);
}

void configure(QSqlDatabase &db)
{
    QSqlQuery q(db);
    // Rollback journal: the file may sit on a shared folder where WAL is unsafe.
    for (const char *pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA foreign_keys=OFF",
                               "PRAGMA synchronous=FULL"}) {
        if (!q.exec(QString::fromLatin1(pragma)))
            fail(q.lastError(), QString::fromLatin1(pragma));
    }
}

// The step does not start; the user is told and the program goes on.
[[noreturn]] void refuseNetworkStep(const QString &held)
{
    throw WvsError(ErrorNumber::Recoverable,
                   QStringLiteral("This step cannot go on: it would keep the data locked at every other workstation "
                                  "while it waits on the network (") + held
                       + QStringLiteral("). Make a note of this and report to Support."));
}

void (*lockBreachHandler)(const QString &) = &refuseNetworkStep;

// No network step starts while the program's connection holds a lock.
void checkNoLockBeforeNetwork()
{
    if (!AppDatabase::isOpen())
        return;
    const QString held = AppDatabase::lockHeld();
    if (held.isEmpty())
        return;
    lockBreachHandler(held);
    refuseNetworkStep(held); // a handler that returns does not let the step go on
}

[[maybe_unused]] const bool networkCheckInstalled = (setNetworkStepCheck(&checkNoLockBeforeNetwork), true);

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

} // namespace

QString AppDatabase::lockHeld(QSqlDatabase db)
{
    sqlite3 *h = sqliteHandle(db);
    if (!h)
        return QString();
    if (!sqlite3_get_autocommit(h))
        return QStringLiteral("an open transaction");
    for (sqlite3_stmt *s = sqlite3_next_stmt(h, nullptr); s; s = sqlite3_next_stmt(h, s)) {
        if (sqlite3_stmt_busy(s))
            return QStringLiteral("an unfinished statement: ") + QString::fromUtf8(sqlite3_sql(s));
    }
    return QString();
}

void AppDatabase::setLockBreachHandler(void (*handler)(const QString &))
{
    lockBreachHandler = handler ? handler : &refuseNetworkStep;
}

AppDatabase::LongerWait::LongerWait() : previous_(busyWaitMs)
{
    constexpr int factor = 6;
    setBusyWait(previous_ * factor);
}

AppDatabase::LongerWait::~LongerWait()
{
    try {
        setBusyWait(previous_);
    } catch (...) {
        busyWaitMs = previous_;
    }
}

const char *AppDatabase::connectionName() { return connection().constData(); }

void AppDatabase::useConnection(const QString &name) { connection() = name.toUtf8(); }

QString AppDatabase::defaultPath() { return appFile(QStringLiteral("WVS.db")); }

QSqlDatabase AppDatabase::openConnection(const QString &name, const QString &path)
{
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyWaitMs));
    if (!db.open())
        fail(db.lastError(), QString());
    configure(db);
    return db;
}

void AppDatabase::open(const QString &path)
{
    QSqlDatabase db = openConnection(QString::fromLatin1(connectionName()), path);
    SchemaRegistry::ensure(db);
}

void AppDatabase::setBusyWait(int ms)
{
    busyWaitMs = ms;
    if (isOpen())
        execSql(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms));
}

int AppDatabase::busyWait() { return busyWaitMs; }

QString AppDatabase::busyMessage()
{
    return QStringLiteral("The data is in use at another workstation. Please try again");
}

bool AppDatabase::isOpen()
{
    return QSqlDatabase::contains(QString::fromLatin1(connectionName()))
        && QSqlDatabase::database(QString::fromLatin1(connectionName()), false).isOpen();
}

void AppDatabase::close()
{
    const QString name = QString::fromLatin1(connectionName());
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QSqlDatabase AppDatabase::db() { return QSqlDatabase::database(QString::fromLatin1(connectionName()), false); }

QSqlQuery execSql(const QString &sql, const QVariantList &params, QSqlDatabase db)
{
    if (!db.isOpen())
        throw WvsError(ErrorNumber::Database, QStringLiteral("The database is not open"));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q.lastError(), sql);
    for (const QVariant &v : params)
        q.addBindValue(boundValue(v));
    if (!q.exec())
        fail(q.lastError(), sql);
    return q;
}

QVariant boundValue(const QVariant &v)
{
    // Text columns hold '' for blank, never NULL.
    if (v.typeId() == QMetaType::QString && v.toString().isNull())
        return QStringLiteral("");
    return v;
}

QVariant scalarSql(const QString &sql, const QVariantList &params, QSqlDatabase db)
{
    QSqlQuery q = execSql(sql, params, db);
    if (q.next())
        return q.value(0);
    return QVariant();
}

int writeSql(const QString &sql, const QVariantList &params, QSqlDatabase db)
{
    QSqlQuery q = execSql(sql, params, db);
    return q.numRowsAffected();
}

qint64 lastInsertId(QSqlDatabase db) { return scalarSql(QStringLiteral("SELECT last_insert_rowid()"), {}, db).toLongLong(); }

Transaction::Transaction(QSqlDatabase db) : db_(db)
{
    execSql(QStringLiteral("BEGIN IMMEDIATE"), {}, db_);
    active_ = true;
}

Transaction::~Transaction()
{
    if (active_) {
        QSqlQuery q(db_);
        q.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::commit()
{
    if (!active_)
        return;
    execSql(QStringLiteral("COMMIT"), {}, db_);
    active_ = false;
}

void Transaction::rollback()
{
    if (!active_)
        return;
    active_ = false;
    execSql(QStringLiteral("ROLLBACK"), {}, db_);
}

} // namespace wvs
