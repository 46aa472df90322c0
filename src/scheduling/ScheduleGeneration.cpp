#include "scheduling/ScheduleGeneration.h"
#include "common/Formats.h"
#include "scheduling/BatchInsert.h"
#include "scheduling/RecurrenceExpansion.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <memory>

namespace wvs {

QString StagedJob::addressText() const
{
    const qsizetype tilde = address.indexOf(QLatin1Char('~'));
    return tilde < 0 ? address : address.left(tilde);
}

qint64 StagedJob::addressKey() const
{
    const qsizetype tilde = address.indexOf(QLatin1Char('~'));
    return tilde < 0 ? 0 : address.mid(tilde + 1).toLongLong();
}

QString ScheduleGeneration::stagingComments(const QString &customerComment, bool customerOnSchedule,
                                            const QString &jobComment, bool jobOnSchedule)
{
    QString text;
    if (!customerComment.isEmpty() && customerOnSchedule)
        text = customerComment;
    if (!jobComment.isEmpty() && jobOnSchedule) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += jobComment;
    }
    return text;
}

QString ScheduleGeneration::stagingAddress(const QString &line1, const QString &line2, const QString &line3,
                                           qint64 key)
{
    QString text = line1;
    if (!line2.isEmpty())
        text += QStringLiteral("\r\n") + line2;
    if (!line3.isEmpty())
        text += QStringLiteral("\r\n") + line3;
    return text + QLatin1Char('~') + QString::number(key);
}

QString ScheduleGeneration::preferredPhone(int preferred, const QString &phone1, const QString &phone2,
                                           const QString &phone3)
{
    switch (preferred) {
    case 1: return phone1;
    case 2: return phone2;
    case 3: return phone3;
    default: return QString();
    }
}

namespace {

using OccurrenceKey = QPair<qint64, qint64>;   // JobSeqNo, Julian day

OccurrenceKey keyOf(qint64 jobSeqNo, const QDate &d) { return {jobSeqNo, d.toJulianDay()}; }

// What the grid shows of a job, read with the candidates; valid only when the
// customer, the service address and the job type all exist.
struct JobDetails {
    bool valid = false;
    QString associateID;
    QString customer;
    QString address;
    QString location;
    QString phone;
    QString jobType;
    qint64 costCents = 0;
    QString comments;
    bool asRequired = false;
};

// The detail columns every read selects, in this order, after its own columns.
const char *kDetailColumns =
    "c.CustomerNumber, c.Surname, c.Forename, c.Phone1, c.Phone2, c.Phone3, c.PreferredPhone, "
    "c.CustomerComment, c.CommentOnSchedule, "
    "a.SAddressSeqNo, a.SAddress1, a.SAddress2, a.SAddress3, a.SSuburb, "
    "t.JobTypeCode, t.JobTypeDescription, "
    "cj.AssociateID, cj.Cost, cj.CustomerJobComment, cj.CommentOnSchedule, cj.AsRequired";

const char *kDetailJoins =
    "LEFT JOIN CustomerServiceAddresses a ON a.SAddressSeqNo = cj.SAddressSeqNo "
    "AND a.CustomerNumber = cj.CustomerNumber "
    "LEFT JOIN JobTypes t ON t.JobTypeCode = cj.JobTypeCode ";

JobDetails detailsFrom(const QSqlQuery &q, int first)
{
    JobDetails d;
    d.valid = !q.isNull(first) && !q.isNull(first + 9) && !q.isNull(first + 14);
    if (!d.valid)
        return d;
    d.customer = q.value(first + 1).toString() + QStringLiteral(", ") + q.value(first + 2).toString();
    d.phone = ScheduleGeneration::preferredPhone(q.value(first + 6).toInt(), q.value(first + 3).toString(),
                                                 q.value(first + 4).toString(), q.value(first + 5).toString());
    d.address = ScheduleGeneration::stagingAddress(q.value(first + 10).toString(), q.value(first + 11).toString(),
                                                   q.value(first + 12).toString(), q.value(first + 9).toLongLong());
    d.location = q.value(first + 13).toString();
    d.jobType = q.value(first + 15).toString();
    d.associateID = q.value(first + 16).toString();
    d.costCents = q.value(first + 17).toLongLong();
    d.comments = ScheduleGeneration::stagingComments(q.value(first + 7).toString(), q.value(first + 8).toInt() != 0,
                                                     q.value(first + 18).toString(), q.value(first + 19).toInt() != 0);
    d.asRequired = q.value(first + 20).toInt() != 0;
    return d;
}

struct StoredState {
    QString actualServiceDate;
    int seqNo = 0;
};

// Writes a user's staging rows. What the grid shows of a job is the same on
// each of its dates, so it goes once per job into a scratch table; the dated
// rows travel as one JSON array of numbers and dates per statement, and the
// database joins the two. The CROSS JOIN keeps the array as the outer loop, so
// the rows go in in the array's order without a sort.
class StagingWriter {
public:
    StagingWriter(QSqlDatabase db, const QString &userID, qint64 scheduleNumber)
        : db_(db), userID_(userID), schedule_(scheduleNumber)
    {
        execSql(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS StagingJobs (JobSeqNo INTEGER PRIMARY KEY, "
                               "Associate TEXT, Customer TEXT, Address TEXT, Location TEXT, Phone TEXT, "
                               "JobType TEXT, Cost INTEGER, Comments TEXT, AsRequired INTEGER)"),
                {}, db_);
        execSql(QStringLiteral("DELETE FROM temp.StagingJobs"), {}, db_);
        jobs_ = std::make_unique<BatchInsert>(db_, QStringLiteral("temp.StagingJobs"),
                                              QStringLiteral("JobSeqNo, Associate, Customer, Address, Location, "
                                                             "Phone, JobType, Cost, Comments, AsRequired"),
                                              10);
    }

    void addJob(qint64 job, const JobDetails &d)
    {
        jobs_->add({job, d.associateID, d.customer, d.address, d.location,
                    d.phone, d.jobType, d.costCents, d.comments, d.asRequired ? 1 : 0});
    }

    void addRow(int record, const QDate &date, int done, std::optional<int> seqNo, qint64 job)
    {
        if (!jobsWritten_) {
            jobs_->flush();
            jobsWritten_ = true;
        }
        const qint64 day = date.toJulianDay();
        // Record numbers run on by one from the first of a statement, so they
        // are not sent but counted from the array's index.
        if (rows_ > 0 && record != firstRecord_ + rows_)
            flush();
        if (rows_ == 0)
            firstRecord_ = record;
        json_ += rows_ == 0 ? QLatin1Char('[') : QLatin1Char(',');
        if (!seqNo && (done == 0 || done == 1) && job >= 0 && job < (qint64(1) << 39) && date.isValid() &&
            date.year() >= 1 && date.year() <= 9999) {
            // Most rows have no stored number: one integer carries the job,
            // the day and the done flag, and the database takes them apart.
            json_ += QString::number((job << 24) | (day << 1) | done);
        } else {
            auto text = dates_.constFind(day);
            if (text == dates_.cend())
                text = dates_.insert(day, QLatin1Char('"') + Formats::toStoredDate(date) + QLatin1String("\","));
            json_ += QLatin1Char('[');
            json_ += *text;
            json_ += QString::number(done);
            json_ += QLatin1Char(',');
            if (seqNo)
                json_ += QString::number(*seqNo);
            else
                json_ += QLatin1String("null");
            json_ += QLatin1Char(',');
            json_ += QString::number(job);
            json_ += QLatin1Char(']');
        }
        if (++rows_ == kRowsPerStatement)
            flush();
    }

    void finish()
    {
        flush();
        execSql(QStringLiteral("DELETE FROM temp.StagingJobs"), {}, db_);
    }

private:
    void flush()
    {
        if (rows_ == 0)
            return;
        json_ += QLatin1Char(']');
        writeSql(QStringLiteral(
                     "INSERT INTO ScheduleStaging (UserID, ScheduleNumber, RecordNumber, Associate, ServiceDate, "
                     "Customer, Address, Location, Phone, JobType, Cost, Comments, Done, ScheduleSeqNo, JobSeqNo, "
                     "AsRequired) "
                     "SELECT ?, ?, ? + o.key, j.Associate, "
                     "CASE WHEN o.type = 'integer' THEN date((o.value >> 1) & 8388607) "
                     "ELSE json_extract(o.value, '$[0]') END, "
                     "j.Customer, j.Address, j.Location, j.Phone, j.JobType, j.Cost, j.Comments, "
                     "CASE WHEN o.type = 'integer' THEN o.value & 1 ELSE json_extract(o.value, '$[1]') END, "
                     "CASE WHEN o.type = 'integer' THEN NULL ELSE json_extract(o.value, '$[2]') END, "
                     "j.JobSeqNo, j.AsRequired "
                     "FROM json_each(?) o CROSS JOIN temp.StagingJobs j "
                     "ON j.JobSeqNo = CASE WHEN o.type = 'integer' THEN o.value >> 24 "
                     "ELSE json_extract(o.value, '$[3]') END"),
                 {userID_, schedule_, firstRecord_, json_}, db_);
        json_.clear();
        rows_ = 0;
    }

    static constexpr int kRowsPerStatement = 20000;
    QSqlDatabase db_;
    QString userID_;
    qint64 schedule_;
    std::unique_ptr<BatchInsert> jobs_;
    bool jobsWritten_ = false;
    QString json_;
    int rows_ = 0;
    int firstRecord_ = 0;
    QHash<qint64, QString> dates_;   // "yyyy-MM-dd", by Julian day
};

} // namespace

PopulateResult ScheduleGeneration::populate(const ScheduleHeader &schedule, const QString &userID,
                                            const QString &associateFilter, QSqlDatabase db,
                                            const RowsReady &rowsReady)
{
    PopulateResult result;
    QHash<qint64, JobDetails> details;
    QHash<OccurrenceKey, StoredState> stored;

    Transaction t(db);
    // The user's earlier rows go. When no other user has rows, the table is
    // emptied whole, which the database does without visiting each row.
    const bool onlyThisUser =
        scalarSql(QStringLiteral("SELECT COALESCE((SELECT MIN(UserID) FROM ScheduleStaging) = ? COLLATE NOCASE "
                                 "AND (SELECT MAX(UserID) FROM ScheduleStaging) = ? COLLATE NOCASE, 1)"),
                  {userID, userID}, db)
            .toInt() != 0;
    if (onlyThisUser)
        writeSql(QStringLiteral("DELETE FROM ScheduleStaging"), {}, db);
    else
        writeSql(QStringLiteral("DELETE FROM ScheduleStaging WHERE UserID = ?"), {userID}, db);

    if (!schedule.stored()) {
        const QString from = Formats::toStoredDate(schedule.fromDate);
        const QString to = Formats::toStoredDate(schedule.toDate);
        QSqlQuery q = execSql(
            QStringLiteral("SELECT cj.JobSeqNo, cj.JobTypeCode, cj.StartDate, cj.EndDate, cj.Frequency, "
                           "cj.Occurrences, "
                           "CASE WHEN cj.Occurrences > 0 THEN (SELECT COUNT(*) FROM ScheduleJobs sj "
                           "WHERE sj.JobSeqNo = cj.JobSeqNo AND sj.ActualServiceDate <> '' "
                           "AND sj.ScheduleNumber <> ?) ELSE 0 END, ") +
                QLatin1String(kDetailColumns) +
                QStringLiteral(" FROM CustomerJobs cj JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber ") +
                QLatin1String(kDetailJoins) +
                QStringLiteral("WHERE c.CustomerStatus = 1 AND cj.Suspended = 0 AND cj.Prospective = 0 "
                               "AND cj.StartDate <> '' AND cj.StartDate <= ? "
                               "AND (cj.EndDate = '' OR cj.EndDate >= ?) ORDER BY cj.JobSeqNo"),
            {schedule.number, to, from}, db);
        while (q.next()) {
            const qint64 job = q.value(0).toLongLong();
            const int remaining = remainingOccurrences(q.value(5).toInt(), q.value(6).toInt());
            if (remaining < 0)
                continue;
            const QList<QDate> dates =
                expandOccurrences(Formats::fromStoredDate(q.value(2).toString()),
                                  Formats::fromStoredDate(q.value(3).toString()), q.value(4).toInt(), remaining,
                                  schedule.fromDate, schedule.toDate);
            if (dates.isEmpty())
                continue;
            JobDetails d = detailsFrom(q, 7);
            ScheduleEntry e;
            e.jobSeqNo = job;
            e.jobTypeCode = q.value(1).toString();
            e.associateID = q.value(23).toString();
            for (const QDate &date : dates) {
                e.serviceDate = date;
                result.jobs.append(e);
            }
            details.insert(job, std::move(d));
        }
        // By date; the same day keeps the order in which the jobs were read.
        std::stable_sort(result.jobs.begin(), result.jobs.end(),
                         [](const ScheduleEntry &a, const ScheduleEntry &b) { return a.serviceDate < b.serviceDate; });

        // A re-opened schedule still has its stored occurrences and their done marks.
        QSqlQuery s = execSql(QStringLiteral("SELECT JobSeqNo, ScheduleServiceDate, ActualServiceDate, ScheduleSeqNo "
                                             "FROM ScheduleJobs WHERE ScheduleNumber = ?"),
                              {schedule.number}, db);
        while (s.next())
            stored.insert(keyOf(s.value(0).toLongLong(), Formats::fromStoredDate(s.value(1).toString())),
                          StoredState{s.value(2).toString(), s.value(3).toInt()});
    } else {
        QSqlQuery q = execSql(
            QStringLiteral("SELECT sj.JobSeqNo, sj.ScheduleServiceDate, sj.ActualServiceDate, sj.ScheduleSeqNo, "
                           "sj.AssociateID, cj.JobTypeCode, ") +
                QLatin1String(kDetailColumns) +
                QStringLiteral(" FROM ScheduleJobs sj JOIN CustomerJobs cj ON cj.JobSeqNo = sj.JobSeqNo "
                               "LEFT JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber ") +
                QLatin1String(kDetailJoins) +
                QStringLiteral("WHERE sj.ScheduleNumber = ? "
                               "ORDER BY sj.ScheduleSeqNo, sj.ScheduleServiceDate, sj.JobSeqNo"),
            {schedule.number}, db);
        while (q.next()) {
            ScheduleEntry e;
            e.jobSeqNo = q.value(0).toLongLong();
            e.serviceDate = Formats::fromStoredDate(q.value(1).toString());
            e.associateID = q.value(4).toString();
            e.jobTypeCode = q.value(5).toString();
            result.jobs.append(e);
            stored.insert(keyOf(e.jobSeqNo, e.serviceDate), StoredState{q.value(2).toString(), q.value(3).toInt()});
            if (!details.contains(e.jobSeqNo))
                details.insert(e.jobSeqNo, detailsFrom(q, 6));
        }
    }

    QHash<qint64, const JobDetails *> jobsWritten;
    QList<qint64> jobsInOrder;
    for (const ScheduleEntry &e : std::as_const(result.jobs)) {
        const auto d = details.constFind(e.jobSeqNo);
        if (d == details.cend() || !d->valid)
            continue;
        if (!associateFilter.isEmpty() && d->associateID.compare(associateFilter, Qt::CaseInsensitive) != 0)
            continue;
        if (!jobsWritten.contains(e.jobSeqNo)) {
            jobsWritten.insert(e.jobSeqNo, &*d);
            jobsInOrder.append(e.jobSeqNo);
        }
    }
    result.rows.reserve(result.jobs.size());
    for (const ScheduleEntry &e : std::as_const(result.jobs)) {
        const JobDetails *written = jobsWritten.value(e.jobSeqNo, nullptr);
        if (!written)
            continue;
        const JobDetails &d = *written;
        const auto s = stored.isEmpty() ? stored.cend() : stored.constFind(keyOf(e.jobSeqNo, e.serviceDate));
        const bool hasStored = s != stored.cend();
        StagedJob row;
        row.recordNumber = ++result.staged;
        row.associate = d.associateID;
        row.serviceDate = e.serviceDate;
        row.customer = d.customer;
        row.address = d.address;
        row.location = d.location;
        row.phone = d.phone;
        row.jobType = d.jobType;
        row.cost = Money::fromCents(d.costCents);
        row.comments = d.comments;
        row.done = hasStored && !s->actualServiceDate.isEmpty() ? 0 : 1;
        if (hasStored) {
            row.scheduleSeqNo = s->seqNo;
            result.seqNos.append(s->seqNo);
        }
        row.jobSeqNo = e.jobSeqNo;
        row.asRequired = d.asRequired;
        result.rows.append(std::move(row));
    }
    if (rowsReady)
        rowsReady(result.rows);

    StagingWriter writer(db, userID, schedule.number);
    for (qint64 job : std::as_const(jobsInOrder))
        writer.addJob(job, *jobsWritten.value(job));
    for (const StagedJob &row : std::as_const(result.rows))
        writer.addRow(row.recordNumber, row.serviceDate, row.done, row.scheduleSeqNo, row.jobSeqNo);
    writer.finish();
    t.commit();
    return result;
}

QList<StagedJob> ScheduleGeneration::stagedRows(qint64 scheduleNumber, const QString &userID, QSqlDatabase db)
{
    QList<StagedJob> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT RecordNumber, Associate, ServiceDate, Customer, Address, Location, "
                                         "Phone, JobType, Cost, Comments, Done, ScheduleSeqNo, JobSeqNo, AsRequired "
                                         "FROM ScheduleStaging WHERE ScheduleNumber = ? AND UserID = ? "
                                         "ORDER BY RecordNumber"),
                          {scheduleNumber, userID}, db);
    while (q.next()) {
        StagedJob j;
        j.recordNumber = q.value(0).toInt();
        j.associate = q.value(1).toString();
        j.serviceDate = Formats::fromStoredDate(q.value(2).toString());
        j.customer = q.value(3).toString();
        j.address = q.value(4).toString();
        j.location = q.value(5).toString();
        j.phone = q.value(6).toString();
        j.jobType = q.value(7).toString();
        j.cost = Money::fromCents(q.value(8).toLongLong());
        j.comments = q.value(9).toString();
        j.done = q.value(10).toInt();
        if (!q.isNull(11))
            j.scheduleSeqNo = q.value(11).toInt();
        j.jobSeqNo = q.value(12).toLongLong();
        j.asRequired = q.value(13).toInt() != 0;
        out.append(std::move(j));
    }
    return out;
}

} // namespace wvs
