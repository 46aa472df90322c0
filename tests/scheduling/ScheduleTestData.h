#pragma once
#include "data/AppDatabase.h"
#include "scheduling/ScheduleGeneration.h"
#include "scheduling/ScheduleRecords.h"
#include "support/TestData.h"

#include <QDate>
#include <QLabel>
#include <QStringList>

namespace wvs::schedtest {

inline QDate d(const char *iso) { return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate); }

using test::CustomerData;
using test::JobData;

// Helpers that put schedules, stored occurrences and notes straight into the database.
class ScheduleDbTest : public test::DataDbTest {
protected:
    void SetUp() override
    {
        DataDbTest::SetUp();
        addJobType(QStringLiteral("WIN"), QStringLiteral("Window cleaning"));
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
        return rowsOf("SELECT JobSeqNo || ':' || ScheduleServiceDate || '#' || ScheduleSeqNo FROM ScheduleJobs "
                      "WHERE ScheduleNumber = ? ORDER BY ScheduleSeqNo", {schedule}).split(';', Qt::SkipEmptyParts);
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
};

} // namespace wvs::schedtest
