#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include "data/AppDatabase.h"

namespace wvs {

// The rows a save names (and the row it changes), confirmed inside the save's
// own write transaction. Another workstation may delete a row, or change its
// key, while a window is open: a save that names it writes nothing and the
// user is told which row is gone, in one form for every kind of row:
// "The <kind> no longer exists - it may have been changed or deleted by another user".
//
//     Transaction t;
//     NamedRows().customer(c).serviceAddress(c, a).jobType(code).confirm();
//     ... writes ...
//     t.commit();
class NamedRows {
public:
    enum class Kind { Customer, ServiceAddress, JobType, Associate, AuthorityLevel, CustomerJob, Schedule };

    NamedRows &customer(qint64 customerNumber);
    // The address must still belong to the customer it was shown under.
    NamedRows &serviceAddress(qint64 customerNumber, qint64 sAddressSeqNo);
    NamedRows &jobType(const QString &jobTypeCode);
    NamedRows &associate(const QString &associateID);
    NamedRows &authorityLevel(int levelNumber);
    NamedRows &customerJob(qint64 jobSeqNo);
    NamedRows &schedule(qint64 scheduleNumber);

    // The message for the first named row that is gone, in the order named;
    // empty when every one is there.
    QString firstGone(QSqlDatabase db = AppDatabase::db()) const;
    // Throws the first gone row's message as a recoverable error (the caller's
    // transaction is rolled back, the window keeps what was typed).
    void confirm(QSqlDatabase db = AppDatabase::db()) const;

    // "The <kind> no longer exists - it may have been changed or deleted by another user"
    static QString goneMessage(Kind kind);
    // Throws goneMessage(kind) as a recoverable error: for a save whose own
    // UPDATE or DELETE found no row.
    [[noreturn]] static void gone(Kind kind);

private:
    struct Row {
        Kind kind;
        QVariantList key;
    };
    QList<Row> rows_;
};

} // namespace wvs
