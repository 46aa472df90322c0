#pragma once
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "scheduling/ScheduleGeneration.h"
#include "scheduling/ScheduleRecords.h"
#include "support/DbTest.h"
#include "support/QtPrinters.h"

#include <QDate>
#include <QLabel>
#include <QSqlQuery>
#include <QStringList>

namespace wvs::schedtest {

inline QDate d(const char *iso) { return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate); }

struct CustomerData {
    QString surname = "Smith", forename = "Anna";
    int status = 1;
    QString phone1 = "09 111 1111", phone2 = "021 222 2222", phone3 = "09 333 3333";
    int preferredPhone = 1;
    QString comment;
    bool commentOnSchedule = false;
};

struct JobData {
    qint64 customer = 0, address = 0;
    QString jobType = "WIN", associate = "ADM", start = "2025-01-01", end;
    int frequency = 101001, occurrences = 0;   // every week on Monday, without limit
    qint64 costCents = 4500;
    QString comment;
    bool commentOnSchedule = false, asRequired = false, suspended = false, prospective = false;
};

// A fixture with helpers that put customers, addresses, job types, customer
// jobs, schedules and stored occurrences straight into the database.
class ScheduleDbTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs(QStringLiteral("ADM"), 1);
        addJobType(QStringLiteral("WIN"), QStringLiteral("Window cleaning"));
    }

    void addJobType(const QString &code, const QString &description)
    {
        writeSql("INSERT INTO JobTypes (JobTypeCode, JobTypeDescription) VALUES (?, ?)", {code, description});
    }

    qint64 addCustomer(const CustomerData &c = CustomerData())
    {
        writeSql(QStringLiteral("INSERT INTO Customers (Surname, Forename, CustomerStatus, Phone1, Phone2, Phone3, "
                                "PreferredPhone, CustomerComment, CommentOnSchedule) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {c.surname, c.forename, c.status, c.phone1, c.phone2, c.phone3, c.preferredPhone, c.comment,
                  c.commentOnSchedule ? 1 : 0});
        return lastInsertId();
    }

    qint64 addAddress(qint64 customer, const QString &line1 = QStringLiteral("1 Main Road"), const QString &line2 = QString(),
                      const QString &line3 = QString(), const QString &suburb = QStringLiteral("Ponsonby"))
    {
        writeSql(QStringLiteral("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SAddress2, SAddress3, "
                                "SSuburb) VALUES (?, ?, ?, ?, ?)"),
                 {customer, line1, line2, line3, suburb});
        return lastInsertId();
    }

    qint64 addJob(JobData j)
    {
        j.customer = j.customer ? j.customer : addCustomer();
        j.address = j.address ? j.address : addAddress(j.customer);
        writeSql(QStringLiteral("INSERT INTO CustomerJobs (CustomerNumber, SAddressSeqNo, JobTypeCode, AssociateID, "
                                "StartDate, EndDate, Frequency, Occurrences, Cost, CustomerJobComment, "
                                "CommentOnSchedule, AsRequired, Suspended, Prospective) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {j.customer, j.address, j.jobType, j.associate, j.start, j.end, j.frequency, j.occurrences, j.costCents,
                  j.comment, j.commentOnSchedule ? 1 : 0, j.asRequired ? 1 : 0, j.suspended ? 1 : 0, j.prospective ? 1 : 0});
        return lastInsertId();
    }

    qint64 addSchedule(const QString &from, const QString &to, const QString &status = QStringLiteral("Open"))
    {
        writeSql(QStringLiteral("INSERT INTO Schedules (FromDate, ToDate, Status) VALUES (?, ?, ?)"), {from, to, status});
        return lastInsertId();
    }

    void storeJob(qint64 schedule, qint64 job, const QString &date, int seqNo, const QString &actual = QString(),
                  const QString &associate = QStringLiteral("ADM"))
    {
        writeSql(QStringLiteral("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, "
                                "ScheduleSeqNo, ActualServiceDate, AssociateID) VALUES (?, ?, ?, ?, ?, ?)"),
                 {schedule, job, date, seqNo, actual, associate});
    }

    void addNote(qint64 schedule, qint64 job, const QString &date, const QString &time, const QString &type,
                 const QString &detail)
    {
        writeSql(QStringLiteral("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, "
                                "NoteDateTime, NoteAuthor, NoteDetail, NoteType) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                 {schedule, job, date, time, QStringLiteral("Administrator"), detail, type});
    }

    // "job:date#position" of the stored occurrences in stored order, and one of them as expected.
    static QString row(qint64 job, const char *dateAndPosition) { return QStringLiteral("%1:%2").arg(job).arg(dateAndPosition); }
    QStringList storedRows(qint64 schedule)
    {
        QStringList out;
        QSqlQuery q = execSql("SELECT JobSeqNo, ScheduleServiceDate, ScheduleSeqNo FROM ScheduleJobs WHERE ScheduleNumber = ? "
                              "ORDER BY ScheduleSeqNo", {schedule});
        while (q.next())
            out << QStringLiteral("%1:%2#%3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
        return out;
    }

    QString stored(qint64 schedule, qint64 job, const QString &date, const char *column)
    {
        return scalarSql(QStringLiteral("SELECT %1 FROM ScheduleJobs WHERE ScheduleNumber = ? AND JobSeqNo = ? "
                                        "AND ScheduleServiceDate = ?").arg(QString::fromLatin1(column)),
                         {schedule, job, date}).toString();
    }

    // For stored(): the date an occurrence was done and who did it or is to do it, as "date/associate".
    static constexpr const char *doneBy = "ActualServiceDate || '/' || AssociateID";

    QString status(qint64 schedule) { return scalarSql("SELECT Status FROM Schedules WHERE ScheduleNumber = ?", {schedule}).toString(); }
    // Generates (or loads) the schedule into the user's staging rows.
    PopulateResult populate(qint64 schedule, const QString &filter = QString(), const QString &user = "ADM",
                            QSqlDatabase db = AppDatabase::db())
    {
        const auto header = ScheduleRecords::load(schedule, db);
        EXPECT_TRUE(header.has_value());
        return ScheduleGeneration::populate(*header, user, filter, db);
    }

    QString lastService(qint64 job) { return scalarSql("SELECT LastServiceDate FROM CustomerJobs WHERE JobSeqNo = ?", {job}).toString(); }
    int count(const QString &sql, const QVariantList &params = {}) { return scalarSql(sql, params).toInt(); }

    // The next date-range dialog answers OK with the two dates as its labels show them.
    void answerDates(const QString &from, const QString &to)
    {
        modal_->once(QStringLiteral("DateSelectForm"), [from, to](QDialog *dlg) {
            child<QLabel>(dlg, "FromDateLabel")->setText(from);
            child<QLabel>(dlg, "ToDateLabel")->setText(to);
            click(dlg, "OKButton");
        });
    }

    // A window shown with its Tag set, as its opener would.
    template <class T>
    static std::unique_ptr<T> shown(const QString &tag = QString())
    {
        auto form = std::make_unique<T>();
        form->Tag = tag;
        form->show();
        settle();
        return form;
    }
};

} // namespace wvs::schedtest
