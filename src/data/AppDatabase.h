#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace wvs {

// The one connection to WVS.db. Other connections (tests that play a second
// workstation) are opened with openConnection under a name of their own.
class AppDatabase {
public:
    static const char *connectionName();
    static QString defaultPath();                 // <program folder>/WVS.db
    static void open(const QString &path);        // throws WvsError
    static bool isOpen();
    static void close();
    static QSqlDatabase db();
    // Makes a connection opened with openConnection the one db() returns.
    // The one it replaces is left open as it is: a process forked from one
    // with the connection open must not use the SQLite connection it
    // inherited, nor close it (that would finalize the parent's statements
    // and roll back its transaction), and Qt cannot put another connection
    // under the same name without closing the one there.
    static void useConnection(const QString &name);

    // A second connection to the same file (rollback journal, busy time-out).
    static QSqlDatabase openConnection(const QString &name, const QString &path);

    // How long a statement waits for another workstation's write to end
    // before it gives up with busyMessage() (5 s). Applies to the open
    // connection and to every connection opened later.
    static void setBusyWait(int ms);
    static int busyWait();
    // What the user is told when the wait ran out: nothing was saved and the
    // window keeps what was typed.
    static QString busyMessage();

    // What the connection holds that keeps another workstation's save
    // waiting: an open transaction or an unfinished statement (named by its
    // SQL). Empty when it holds nothing.
    static QString lockHeld(QSqlDatabase db = AppDatabase::db());
    // Before every network step the program's connection must hold nothing:
    // a breach is handed to this handler, which throws. The default throws
    // a WvsError; tests install one that fails the test as well.
    static void setLockBreachHandler(void (*handler)(const QString &lockHeld));

    // Makes every statement wait six times the busy wait for another
    // workstation's write, until the scope ends: for writes that must not be
    // lost to a short wait (the log-off at exit, a published schedule's status).
    class LongerWait {
    public:
        LongerWait();
        ~LongerWait();
        LongerWait(const LongerWait &) = delete;
        LongerWait &operator=(const LongerWait &) = delete;

    private:
        int previous_;
    };
};

// Runs one statement with bound values (positional "?" placeholders) and
// returns the active query; any failure is thrown as a WvsError. A null
// QString binds as '' (text columns are NOT NULL); an invalid QVariant binds NULL.
QSqlQuery execSql(const QString &sql, const QVariantList &params = {},
                  QSqlDatabase db = AppDatabase::db());

// The value a statement binds for v: a null QString becomes '' (text columns
// are NOT NULL). Every binding, prepared or not, goes through it.
QVariant boundValue(const QVariant &v);

// First column of the first row, or an invalid QVariant when there is none.
QVariant scalarSql(const QString &sql, const QVariantList &params = {},
                   QSqlDatabase db = AppDatabase::db());

// Number of rows a write touched.
int writeSql(const QString &sql, const QVariantList &params = {},
             QSqlDatabase db = AppDatabase::db());

// The key the last insert on this connection produced.
qint64 lastInsertId(QSqlDatabase db = AppDatabase::db());

// A write transaction (BEGIN IMMEDIATE): rolled back unless committed.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db = AppDatabase::db());
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();
    void rollback();
    bool active() const { return active_; }

private:
    QSqlDatabase db_;
    bool active_ = false;
};

} // namespace wvs
