#pragma once
#include "data/AppDatabase.h"
#include "jobs/CustomerJobSave.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"
#include "support/ShownTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <functional>

namespace wvs::test {

// A customer job as a test stores it directly.
struct StoredJob {
    qint64 customer = 0, address = 0;
    QString jobType = "CLEAN", associate = "ADM", start = "2031-07-07", end;
    int occurrences = 0, frequency = 399;
    qint64 costCents = 2500;
    QString lastService;
    bool suspended = false, prospective = false, asRequired = false;
    QString startDay = "Monday";
};

class JobsDbTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs(QStringLiteral("ADM"), 1);
    }

    qint64 addCustomer(const QString &surname, const QString &forename, int status = 1, const QString &cSuburb = {})
    {
        writeSql("INSERT INTO Customers (Surname, Forename, CustomerStatus, CSuburb) VALUES (?, ?, ?, ?)",
                 {surname, forename, status, cSuburb});
        return lastInsertId();
    }
    qint64 addAddress(qint64 customer, const QString &line1, const QString &suburb, const QString &line2 = {},
                      const QString &line3 = {})
    {
        writeSql("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SAddress2, SAddress3, SSuburb) "
                 "VALUES (?, ?, ?, ?, ?)", {customer, line1, line2, line3, suburb});
        return lastInsertId();
    }
    void addJobType(const QString &code, const QString &description, const QString &accountsRef = {})
    {
        writeSql("INSERT INTO JobTypes (JobTypeCode, JobTypeDescription, AccountsRef) VALUES (?, ?, ?)",
                 {code, description, accountsRef});
    }
    // A job of the customer at the address, with what the test changes.
    qint64 addJob(qint64 customer, qint64 address, const std::function<void(StoredJob &)> &change = {})
    {
        StoredJob j{.customer = customer, .address = address};
        if (change)
            change(j);
        writeSql("INSERT INTO CustomerJobs (CustomerNumber, SAddressSeqNo, JobTypeCode, AssociateID, StartDate, StartDay, "
                 "EndDate, Occurrences, Frequency, Cost, LastServiceDate, Suspended, Prospective, AsRequired) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {j.customer, j.address, j.jobType, j.associate, j.start, j.startDay, j.end, j.occurrences, j.frequency,
                  j.costCents, j.lastService, j.suspended ? 1 : 0, j.prospective ? 1 : 0, j.asRequired ? 1 : 0});
        return lastInsertId();
    }
    qint64 addSchedule(const QString &from, const QString &to, const QString &status)
    {
        writeSql("INSERT INTO Schedules (FromDate, ToDate, Status) VALUES (?, ?, ?)", {from, to, status});
        return lastInsertId();
    }
    void addScheduleJob(qint64 schedule, qint64 job, const QString &date, const QString &actual = {})
    {
        writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, ActualServiceDate) "
                 "VALUES (?, ?, ?, ?)", {schedule, job, date, actual});
    }
    // The stored values of the job's columns ("A, B"), joined by "|".
    QString jobFields(qint64 job, const QString &columns)
    {
        QSqlQuery q = execSql(QStringLiteral("SELECT %1 FROM CustomerJobs WHERE JobSeqNo = ?").arg(columns), {job});
        QStringList out;
        if (q.next())
            for (int c = 0; c < q.record().count(); ++c)
                out << q.value(c).toString();
        return out.join(QLatin1Char('|'));
    }
    int count(const QString &table) { return scalarSql(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt(); }
    // An Add entry that passes every check: every weekday from Monday 7 July 2031.
    static CustomerJobEntry validEntry(qint64 customer, qint64 address)
    {
        return {.mode = "Add", .customerNumber = customer, .suburbChosen = true, .sAddressSeqNo = address,
                .startDateText = "07 Jul 2031", .end = JobEnd::NoEnd, .costText = "25", .jobTypeCode = "CLEAN",
                .associateID = "ADM", .frequency = {.option = FrequencyOption::Daily, .subOption = 2}};
    }
    // Typing one character more than the box takes leaves it at its limit.
    static void expectLimit(QWidget *w, const char *box, int limit)
    {
        child<QLineEdit>(w, box)->clear();
        QTest::keyClicks(child<QLineEdit>(w, box), QString(limit + 1, QLatin1Char('9')));
        EXPECT_EQ(text(w, box).size(), limit) << box;
    }
    static QList<QStringList> csv(const QString &path)
    {
        bool ok = false;
        const auto rows = pythonCsvRows(path, &ok);
        EXPECT_TRUE(ok) << path.toStdString();
        return rows;
    }
};

} // namespace wvs::test
