#include "scheduling/ScheduleGeneration.h"
#include "common/Formats.h"
#include "scheduling/BatchInsert.h"
#include "platform/WvsError.h"
#include "scheduling/RecurrenceExpansion.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <sqlite3.h>
#include <charconv>
#include <limits>
#include <memory>
#include <future>
#include <vector>

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
    qint64 job = 0;
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

template <typename Row>
JobDetails detailsFrom(const Row &q, int first)
{
    JobDetails d;
    d.valid = !q.isNull(first) && !q.isNull(first + 9) && !q.isNull(first + 14);
    if (!d.valid)
        return d;
    d.customer = q.text(first + 1) + QStringLiteral(", ") + q.text(first + 2);
    d.phone = ScheduleGeneration::preferredPhone(int(q.integer(first + 6)), q.text(first + 3),
                                                 q.text(first + 4), q.text(first + 5));
    d.address = ScheduleGeneration::stagingAddress(q.text(first + 10), q.text(first + 11),
                                                   q.text(first + 12), q.integer(first + 9));
    d.location = q.text(first + 13);
    d.jobType = q.text(first + 15);
    d.associateID = q.text(first + 16);
    d.costCents = q.integer(first + 17);
    d.comments = ScheduleGeneration::stagingComments(q.text(first + 7), int(q.integer(first + 8)) != 0,
                                                     q.text(first + 18), int(q.integer(first + 19)) != 0);
    d.asRequired = int(q.integer(first + 20)) != 0;
    return d;
}

// The columns of a row read through Qt.
struct QueryRow {
    const QSqlQuery &q;
    bool isNull(int i) const { return q.isNull(i); }
    QString text(int i) const { return q.value(i).toString(); }
    qint64 integer(int i) const { return q.value(i).toLongLong(); }
};

// A statement run straight on the database library, for reads of many rows
// where Qt's copying of every value into a variant would cost more than the
// read itself.
class Statement {
public:
    Statement(QSqlDatabase db, const QString &sql) : handle_(sqliteHandle(db))
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(handle_, text.constData(), int(text.size()), &s_, nullptr) != SQLITE_OK)
            fail();
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int i, qint64 v)
    {
        if (sqlite3_bind_int64(s_, i, v) != SQLITE_OK)
            fail();
    }
    void bind(int i, const QString &v)
    {
        if (sqlite3_bind_text16(s_, i, v.utf16(), int(v.size() * sizeof(char16_t)), SQLITE_TRANSIENT) != SQLITE_OK)
            fail();
    }
    bool next()
    {
        const int rc = sqlite3_step(s_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }

    bool isNull(int i) const { return sqlite3_column_type(s_, i) == SQLITE_NULL; }
    QString text(int i) const
    {
        const void *chars = sqlite3_column_text16(s_, i);
        if (!chars)
            return QString();
        return QString(static_cast<const QChar *>(chars), sqlite3_column_bytes16(s_, i) / qsizetype(sizeof(QChar)));
    }
    qint64 integer(int i) const { return sqlite3_column_int64(s_, i); }

private:
    [[noreturn]] void fail() const
    {
        throw WvsError(ErrorNumber::Database, QString::fromUtf8(sqlite3_errmsg(handle_)));
    }
    sqlite3 *handle_;
    sqlite3_stmt *s_ = nullptr;
};

struct StoredState {
    QString actualServiceDate;
    int seqNo = 0;
};

// A job read for generation, with what its expansion needs.
struct Candidate {
    qint64 job = 0;
    QString jobTypeCode;
    QString associateID;   // the job's associate, whatever its details
    QDate startDate;
    QDate endDate;
    int frequency = 0;
    int remaining = 0;
    qsizetype details = -1;   // position in the details list
};

// Appends n in decimal to text.
void appendNumber(QByteArray &text, qint64 n)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    text.append(digits, end - digits);
}

// The dated rows of one staging statement: a JSON array with one entry per
// row, whose record numbers run on by one from firstRecord, and the days
// first met in it.
struct StagingChunk {
    int firstRecord = 0;
    QString rows;
    bool packed = true;   // every entry is one integer
    QString newDays;      // JSON array of Julian days; empty when none
};

// Turns staged rows into statement texts; it touches no database, so the
// texts can be made on another thread.
class StagingChunks {
public:
    void addRow(int record, const QDate &date, int done, std::optional<int> seqNo, qint64 job)
    {
        const qint64 day = date.toJulianDay();
        if (rows_ > 0 && record != firstRecord_ + rows_)
            close();
        if (rows_ == 0)
            firstRecord_ = record;
        json_ += rows_ == 0 ? '[' : ',';
        if (!seqNo && (done == 0 || done == 1) && job >= 0 && job < (qint64(1) << 39) && date.isValid() &&
            date.year() >= 1 && date.year() <= 9999) {
            // Most rows have no stored number: one integer carries the job,
            // the day and the done flag, and the database takes them apart.
            appendNumber(json_, (job << 24) | (day << 1) | done);
            if (!days_.contains(day)) {
                days_.insert(day);
                newDays_ += newDays_.isEmpty() ? '[' : ',';
                appendNumber(newDays_, day);
            }
        } else {
            packed_ = false;
            json_ += "[\"";
            json_ += Formats::toStoredDate(date).toLatin1();
            json_ += "\",";
            appendNumber(json_, done);
            json_ += ',';
            if (seqNo)
                appendNumber(json_, *seqNo);
            else
                json_ += "null";
            json_ += ',';
            appendNumber(json_, job);
            json_ += ']';
        }
        if (++rows_ == kRowsPerStatement)
            close();
    }

    QList<StagingChunk> take()
    {
        close();
        return std::move(chunks_);
    }

private:
    void close()
    {
        if (rows_ == 0)
            return;
        json_ += ']';
        StagingChunk &c = chunks_.emplace_back();
        c.firstRecord = firstRecord_;
        c.rows = QString::fromLatin1(json_);
        c.packed = packed_;
        if (!newDays_.isEmpty())
            c.newDays = QString::fromLatin1(newDays_ + ']');
        json_.clear();
        newDays_.clear();
        rows_ = 0;
        packed_ = true;
    }

    static constexpr int kRowsPerStatement = 20000;
    QList<StagingChunk> chunks_;
    QByteArray json_;
    int rows_ = 0;
    int firstRecord_ = 0;
    bool packed_ = true;
    QSet<qint64> days_;     // days already sent
    QByteArray newDays_;
};

// Writes a user's staging rows. What the grid shows of a job is the same on
// each of its dates, so it goes once per job into a scratch table, and the
// stored text of each day once into another; the dated rows travel as
// StagingChunks and the database joins the three. The CROSS JOIN keeps the
// array as the outer loop, so the rows go in in the array's order without a
// sort.
class StagingWriter {
public:
    StagingWriter(QSqlDatabase db, const QString &userID, qint64 scheduleNumber)
        : db_(db), userID_(userID), schedule_(scheduleNumber)
    {
        execSql(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS StagingJobs (JobSeqNo INTEGER PRIMARY KEY, "
                               "Associate TEXT, Customer TEXT, Address TEXT, Location TEXT, Phone TEXT, "
                               "JobType TEXT, Cost INTEGER, Comments TEXT, AsRequired INTEGER)"),
                {}, db_);
        execSql(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS StagingDays (Day INTEGER PRIMARY KEY, "
                               "ServiceDate TEXT)"),
                {}, db_);
        clear();
        jobs_ = std::make_unique<BatchInsert>(db_, QStringLiteral("temp.StagingJobs"),
                                              QStringLiteral("JobSeqNo, Associate, Customer, Address, Location, "
                                                             "Phone, JobType, Cost, Comments, AsRequired"),
                                              10);
    }

    void addJob(const JobDetails &d)
    {
        jobs_->add({d.job, d.associateID, d.customer, d.address, d.location, d.phone, d.jobType, d.costCents,
                    d.comments, d.asRequired ? 1 : 0});
    }

    void write(const StagingChunk &c)
    {
        if (!c.newDays.isEmpty())
            writeSql(QStringLiteral("INSERT INTO temp.StagingDays (Day, ServiceDate) "
                                    "SELECT value, date(value) FROM json_each(?)"),
                     {c.newDays}, db_);
        if (c.packed) {
            writeSql(QStringLiteral(
                         "INSERT INTO ScheduleStaging (UserID, ScheduleNumber, RecordNumber, Associate, ServiceDate, "
                         "Customer, Address, Location, Phone, JobType, Cost, Comments, Done, ScheduleSeqNo, "
                         "JobSeqNo, AsRequired) "
                         "SELECT ?, ?, ? + o.key, j.Associate, d.ServiceDate, "
                         "j.Customer, j.Address, j.Location, j.Phone, j.JobType, j.Cost, j.Comments, "
                         "o.value & 1, NULL, j.JobSeqNo, j.AsRequired "
                         "FROM json_each(?) o CROSS JOIN temp.StagingJobs j ON j.JobSeqNo = o.value >> 24 "
                         "CROSS JOIN temp.StagingDays d ON d.Day = (o.value >> 1) & 8388607"),
                     {userID_, schedule_, c.firstRecord, c.rows}, db_);
        } else {
            writeSql(QStringLiteral(
                         "INSERT INTO ScheduleStaging (UserID, ScheduleNumber, RecordNumber, Associate, ServiceDate, "
                         "Customer, Address, Location, Phone, JobType, Cost, Comments, Done, ScheduleSeqNo, "
                         "JobSeqNo, AsRequired) "
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
                     {userID_, schedule_, c.firstRecord, c.rows}, db_);
        }
    }

    void finish() { clear(); }

private:
    void clear()
    {
        execSql(QStringLiteral("DELETE FROM temp.StagingJobs"), {}, db_);
        execSql(QStringLiteral("DELETE FROM temp.StagingDays"), {}, db_);
    }

    QSqlDatabase db_;
    QString userID_;
    qint64 schedule_;
    std::unique_ptr<BatchInsert> jobs_;
};

// Puts the candidates' dates in date order, a job's dates after those of the
// jobs read before it on the same day. owners receives each entry's details
// position.
void orderByDate(const QList<Candidate> &candidates, const QList<QList<QDate>> &dates,
                 QList<ScheduleEntry> &entries, std::vector<qsizetype> &owners)
{
    qsizetype total = 0;
    qint64 first = std::numeric_limits<qint64>::max();
    qint64 last = std::numeric_limits<qint64>::min();
    for (const QList<QDate> &d : dates) {
        total += d.size();
        if (!d.isEmpty()) {   // each job's dates come ascending
            first = std::min(first, d.first().toJulianDay());
            last = std::max(last, d.last().toJulianDay());
        }
    }
    entries.resize(total);
    owners.resize(size_t(total));
    if (total == 0)
        return;
    // Each day's first position, counted from how many entries fall on each day.
    std::vector<qsizetype> next(size_t(last - first) + 2, 0);
    for (const QList<QDate> &d : dates)
        for (const QDate &date : d)
            ++next[size_t(date.toJulianDay() - first) + 1];
    for (size_t i = 1; i < next.size(); ++i)
        next[i] += next[i - 1];
    for (qsizetype c = 0; c < candidates.size(); ++c) {
        const Candidate &cand = candidates.at(c);
        for (const QDate &date : dates.at(c)) {
            const qsizetype at = next[size_t(date.toJulianDay() - first)]++;
            ScheduleEntry &e = entries[at];
            e.jobSeqNo = cand.job;
            e.serviceDate = date;
            e.jobTypeCode = cand.jobTypeCode;
            e.associateID = cand.associateID;
            owners[size_t(at)] = cand.details;
        }
    }
}

} // namespace

PopulateResult ScheduleGeneration::populate(const ScheduleHeader &schedule, const QString &userID,
                                            const QString &associateFilter, QSqlDatabase db,
                                            const RowsReady &rowsReady)
{
    PopulateResult result;
    QList<JobDetails> details;
    QList<Candidate> candidates;
    std::vector<qsizetype> owners;   // each entry's position in details
    QHash<OccurrenceKey, StoredState> stored;
    const bool generated = !schedule.stored();

    Transaction t(db);
    if (generated) {
        const QString from = Formats::toStoredDate(schedule.fromDate);
        const QString to = Formats::toStoredDate(schedule.toDate);
        // A job limited to a number of visits has those done on other
        // schedules taken off. A re-opened schedule's own done visits are
        // left out of that count, since they come back on it as its dates:
        // each done visit is counted once.
        Statement q(db,
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
                               "AND (cj.EndDate = '' OR cj.EndDate >= ?) ORDER BY cj.JobSeqNo"));
        q.bind(1, schedule.number);
        q.bind(2, to);
        q.bind(3, from);
        while (q.next()) {
            Candidate c;
            c.remaining = remainingOccurrences(int(q.integer(5)), int(q.integer(6)));
            if (c.remaining < 0)
                continue;
            c.job = q.integer(0);
            c.jobTypeCode = q.text(1);
            c.associateID = q.text(23);
            c.startDate = Formats::fromStoredDate(q.text(2));
            c.endDate = Formats::fromStoredDate(q.text(3));
            c.frequency = int(q.integer(4));
            c.details = details.size();
            details.append(detailsFrom(q, 7));
            details.last().job = c.job;
            candidates.append(std::move(c));
        }
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
        QHash<qint64, qsizetype> detailsOf;
        while (q.next()) {
            ScheduleEntry e;
            e.jobSeqNo = q.value(0).toLongLong();
            e.serviceDate = Formats::fromStoredDate(q.value(1).toString());
            e.associateID = q.value(4).toString();
            e.jobTypeCode = q.value(5).toString();
            result.jobs.append(e);
            stored.insert(keyOf(e.jobSeqNo, e.serviceDate), StoredState{q.value(2).toString(), q.value(3).toInt()});
            auto known = detailsOf.constFind(e.jobSeqNo);
            if (known == detailsOf.cend()) {
                known = detailsOf.insert(e.jobSeqNo, details.size());
                details.append(detailsFrom(QueryRow{q}, 6));
                details.last().job = e.jobSeqNo;
            }
            owners.push_back(*known);
        }
    }

    // Which jobs are staged: those whose details are all there and, with a
    // filter, that are assigned to the associate chosen.
    std::vector<bool> staged(size_t(details.size()), false);
    for (qsizetype i = 0; i < details.size(); ++i) {
        const JobDetails &d = details.at(i);
        staged[size_t(i)] = d.valid && (associateFilter.isEmpty() ||
                                        d.associateID.compare(associateFilter, Qt::CaseInsensitive) == 0);
    }

    // Another thread expands the jobs, lays out the rows and makes the
    // statement texts while the database lets go of the user's earlier rows
    // and takes the jobs' details.
    QList<StagingChunk> chunks;
    auto arrange = [&] {
        if (generated) {
            QList<QList<QDate>> dates;
            dates.reserve(candidates.size());
            for (const Candidate &c : std::as_const(candidates))
                dates.append(expandOccurrences(c.startDate, c.endDate, c.frequency, c.remaining, schedule.fromDate,
                                               schedule.toDate));
            orderByDate(candidates, dates, result.jobs, owners);
        }
        result.rows.reserve(result.jobs.size());
        for (qsizetype i = 0; i < result.jobs.size(); ++i) {
            const qsizetype owner = owners[size_t(i)];
            if (!staged[size_t(owner)])
                continue;
            const ScheduleEntry &e = result.jobs.at(i);
            const JobDetails &d = details.at(owner);
            const auto s = stored.isEmpty() ? stored.cend() : stored.constFind(keyOf(e.jobSeqNo, e.serviceDate));
            const bool hasStored = s != stored.cend();
            StagedJob &row = result.rows.emplace_back();
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
        }
        if (rowsReady)
            rowsReady(result.rows);
        StagingChunks texts;
        for (const StagedJob &row : std::as_const(result.rows))
            texts.addRow(row.recordNumber, row.serviceDate, row.done, row.scheduleSeqNo, row.jobSeqNo);
        chunks = texts.take();
    };
    std::future<void> arranged = std::async(std::launch::async, arrange);

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

    StagingWriter writer(db, userID, schedule.number);
    for (qsizetype i = 0; i < details.size(); ++i)
        if (staged[size_t(i)])
            writer.addJob(details.at(i));
    arranged.get();
    for (const StagingChunk &c : std::as_const(chunks))
        writer.write(c);
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
