#pragma once
#include "common/Money.h"
#include "data/AppDatabase.h"

#include <QDate>
#include <QList>
#include <QString>

namespace wvs {

// One scheduled occurrence of a customer's job, as the service history lists it.
struct ServiceHistoryRow {
    QDate serviceDate;        // planned
    bool done = false;        // a date done is recorded
    QDate dateDone;
    QString jobType;          // description
    Money cost;
    QString assignedTo;       // name of the job's associate, "" when there is none
    QString doneBy;           // name of who did it; "" while not done or when unknown
    qint64 jobSeqNo = 0;
    qint64 scheduleNumber = 0;
    QString storedServiceDate; // "yyyy-MM-dd", as the schedule stores it
};

// What the service history window reads.
class ServiceHistoryQuery {
public:
    // Occurrences of the customer's jobs planned before the given day, newest first.
    static QList<ServiceHistoryRow> rows(qint64 customerNumber, const QDate &today,
                                         QSqlDatabase db = AppDatabase::db());
    // "Service History - " with the customer's name and address; "" when the
    // customer is not found.
    static QString caption(qint64 customerNumber, QSqlDatabase db = AppDatabase::db());
    // Notes recorded against one scheduled occurrence.
    static int noteCount(qint64 scheduleNumber, qint64 jobSeqNo, const QString &storedServiceDate,
                         QSqlDatabase db = AppDatabase::db());
};

} // namespace wvs
