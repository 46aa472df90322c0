#include "portal/PortalRetrievals.h"

#include "common/Formats.h"
#include "common/Money.h"
#include "common/Windows1252.h"
#include "data/AppDatabase.h"
#include "platform/TypingLimit.h"
#include "scheduling/ScheduledJobUpdates.h"

#include <QDateTime>
#include <optional>

namespace wvs::PortalRetrievals {

namespace {

enum class Kind { Key, Text, Comment, Number, Date, Cost };

struct Column {
    const char *name;
    Kind kind;
};

constexpr Column kColumns[] = {
    {"UniqueId", Kind::Key},          {"UserID", Kind::Text},           {"CompanyName", Kind::Text},
    {"Title", Kind::Text},            {"FirstName", Kind::Text},        {"LastName", Kind::Text},
    {"CAddress1", Kind::Text},        {"CAddress2", Kind::Text},        {"CAddress3", Kind::Text},
    {"CSuburb", Kind::Text},          {"CCity", Kind::Text},            {"CPostCode", Kind::Text},
    {"Phone1", Kind::Text},           {"Phone2", Kind::Text},           {"Phone3", Kind::Text},
    {"PreferredPhone", Kind::Number}, {"Email1", Kind::Text},           {"Email2", Kind::Text},
    {"CustomerComments", Kind::Comment}, {"DateEntered", Kind::Date},      {"JobTypeCode", Kind::Text},
    {"StartDate", Kind::Date},        {"EndDate", Kind::Date},          {"EndDateOption", Kind::Number},
    {"EndOccurrences", Kind::Number}, {"DWMYOption", Kind::Number},     {"DailyOption", Kind::Number},
    {"DailyNoOfDays", Kind::Number},  {"WeeklyNoOfWeeks", Kind::Number}, {"WeeklyMon", Kind::Number},
    {"WeeklyTue", Kind::Number},      {"WeeklyWed", Kind::Number},      {"WeeklyThu", Kind::Number},
    {"WeeklyFri", Kind::Number},      {"WeeklySat", Kind::Number},      {"WeeklySun", Kind::Number},
    {"MonthlyOption", Kind::Number},  {"MonthlyDay", Kind::Number},     {"MonthlyMonth1", Kind::Number},
    {"MonthlyMonth2", Kind::Number},  {"MonthlyMonth3", Kind::Number},  {"MonthlyList1Index", Kind::Number},
    {"MonthlyList2Index", Kind::Number}, {"YearlyOption", Kind::Number}, {"YearlyList1Index", Kind::Number},
    {"YearlyList2Index", Kind::Number}, {"YearlyList3Index", Kind::Number}, {"YearlyList4Index", Kind::Number},
    {"YearlyDay", Kind::Number},      {"Cost", Kind::Cost},             {"Prospective", Kind::Number},
    {"JobDetailsComments", Kind::Comment}, {"SAddress1", Kind::Text},      {"SAddress2", Kind::Text},
    {"SAddress3", Kind::Text},        {"SSuburb", Kind::Text},          {"SCity", Kind::Text},
    {"SPostCode", Kind::Text},        {"AsRequired", Kind::Number},
};
constexpr int kColumnCount = int(sizeof(kColumns) / sizeof(kColumns[0]));
static_assert(kColumnCount == 59);

std::optional<qint64> wholeNumber(const QString &text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

// The values of one line in the sequential-input convention: separated by
// commas, blanks before a value skipped, a quoted value keeps its commas and
// loses its quotes; an unquoted value loses its trailing blanks.
std::optional<QStringList> delimitedValues(const QString &line)
{
    QStringList values;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
            ++i;
        QString value;
        if (i < n && line[i] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0)
                return std::nullopt;
            value = line.mid(i + 1, close - i - 1);
            i = close + 1;
            while (i < n && line[i] == QLatin1Char(' '))
                ++i;
            if (i < n && line[i] != QLatin1Char(','))
                return std::nullopt;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            const qsizetype end = comma < 0 ? n : comma;
            value = line.mid(i, end - i);
            while (!value.isEmpty() && value.back().isSpace())
                value.chop(1);
            i = end;
        }
        values << value;
        if (i >= n)
            break;
        ++i; // the comma
    }
    return values;
}

} // namespace

QStringList fileLines(const QByteArray &data)
{
    QString text = Windows1252::decode(data);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QDate portalDate(const QString &text)
{
    const QString t = text.trimmed();
    static const char *const formats[] = {"yyyy/M/d", "yyyy-M-d", "d/M/yyyy", "d-M-yyyy", "d MMM yyyy",
                                          "ddd d MMM yyyy"};
    for (const char *f : formats) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(f));
        if (d.isValid())
            return d;
    }
    return QDate();
}

bool readScheduleUpdates(const QByteArray &data, QList<ScheduleUpdate> &updates, BadLine &bad)
{
    updates.clear();
    const QStringList lines = fileLines(data);
    QStringList pending;
    int recordLine = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const auto values = delimitedValues(lines[i]);
        if (!values) {
            bad = {i + 1, lines[i]};
            return false;
        }
        if (pending.isEmpty())
            recordLine = i;
        pending << *values;
        while (pending.size() >= 7) {
            const QStringList v = pending.mid(0, 7);
            pending = pending.mid(7);
            ScheduleUpdate u;
            const auto schedule = wholeNumber(v[0]);
            const auto job = wholeNumber(v[2]);
            const auto flag = wholeNumber(v[3]);
            u.serviceDate = portalDate(v[1]);
            bool ok = schedule && job && flag && u.serviceDate.isValid();
            if (ok) {
                u.scheduleNumber = *schedule;
                u.jobSeqNo = *job;
                u.done = *flag == 1;
                u.note = TypingLimit::asLines(v[6]);
                if (u.done) {
                    u.doneDate = portalDate(v[4]);
                    u.doneBy = TypingLimit::onOneLine(v[5]).trimmed();
                    ok = u.doneDate.isValid();
                }
            }
            if (!ok) {
                bad = {recordLine + 1, lines[recordLine]};
                return false;
            }
            updates << u;
            recordLine = i;
        }
    }
    if (!pending.isEmpty()) {
        bad = {recordLine + 1, lines[recordLine]};
        return false;
    }
    return true;
}

NamedRows doneByAssociates(const QList<ScheduleUpdate> &updates)
{
    NamedRows rows;
    QStringList named;
    for (const ScheduleUpdate &u : updates) {
        if (u.done && !u.doneBy.isEmpty() && !named.contains(u.doneBy, Qt::CaseInsensitive)) {
            named << u.doneBy;
            rows.associate(u.doneBy);
        }
    }
    return rows;
}

void applyScheduleUpdates(const QList<ScheduleUpdate> &updates)
{
    const QString now = Formats::toStoredDateTime(QDateTime::currentDateTime());
    for (const ScheduleUpdate &u : updates) {
        const QString planned = Formats::toStoredDate(u.serviceDate);
        const QVariantList key{u.scheduleNumber, u.jobSeqNo, planned};
        const QString where = QStringLiteral(" WHERE ScheduleNumber = ? AND JobSeqNo = ? AND ScheduleServiceDate = ?");
        if (!scalarSql(QStringLiteral("SELECT 1 FROM ScheduleJobs") + where, key).isValid())
            continue;
        if (u.done) {
            writeSql(QStringLiteral("UPDATE ScheduleJobs SET ActualServiceDate = ?, AssociateID = ?") + where,
                     QVariantList{Formats::toStoredDate(u.doneDate), u.doneBy} + key);
        } else {
            // A visit reopened goes back to the associate its job is assigned
            // to, as it does when marked not done in the schedule window: with
            // no associate it would drop off every associate's schedule.
            writeSql(QStringLiteral("UPDATE ScheduleJobs SET ActualServiceDate = '', AssociateID = ?") + where,
                     QVariantList{ScheduledJobUpdates::currentAssociate(u.jobSeqNo)} + key);
        }
        writeSql(QStringLiteral("DELETE FROM ScheduleJobNotes") + where + QStringLiteral(" AND NoteAuthor = 'Portal'"),
                 key);
        if (!u.note.isEmpty()) {
            writeSql(QStringLiteral("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, "
                                    "NoteDateTime, NoteAuthor, NoteDetail, NoteType, ActionTaken) "
                                    "VALUES (?, ?, ?, ?, 'Portal', ?, 'Information', 0)"),
                     {u.scheduleNumber, u.jobSeqNo, planned, now, u.note});
        }
    }
}

const QStringList &requestColumns()
{
    static const QStringList names = [] {
        QStringList l;
        for (const Column &c : kColumns)
            l << QString::fromLatin1(c.name);
        return l;
    }();
    return names;
}

bool readCustomerJobRequests(const QByteArray &data, QList<QVariantList> &requests, BadLine &bad)
{
    requests.clear();
    const QStringList lines = fileLines(data);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList fields = lines[i].split(QLatin1Char('|'));
        bool ok = fields.size() >= kColumnCount;
        QVariantList row;
        for (int k = 0; ok && k < kColumnCount; ++k) {
            const QString &f = fields[k];
            switch (kColumns[k].kind) {
            // A request's values come in as the boxes they go to would take
            // them: one line each, the comments as lines.
            case Kind::Text:
                row << TypingLimit::onOneLine(f);
                break;
            case Kind::Comment:
                row << TypingLimit::asLines(f);
                break;
            case Kind::Key: {
                const auto n = wholeNumber(f);
                ok = n.has_value();
                row << (n ? *n : 0);
                break;
            }
            case Kind::Number: {
                const auto n = f.trimmed().isEmpty() ? std::optional<qint64>(0) : wholeNumber(f);
                ok = n.has_value();
                row << (n ? *n : 0);
                break;
            }
            case Kind::Date: {
                if (f.trimmed().isEmpty()) {
                    row << QString();
                } else {
                    const QDate d = portalDate(f);
                    ok = d.isValid();
                    row << Formats::toStoredDate(d);
                }
                break;
            }
            case Kind::Cost: {
                const auto m = f.trimmed().isEmpty() ? std::optional<Money>(Money()) : Money::parse(f.trimmed());
                ok = m.has_value();
                row << (m ? m->cents() : 0);
                break;
            }
            }
        }
        if (!ok) {
            bad = {i + 1, lines[i]};
            return false;
        }
        requests << row;
    }
    return true;
}

QList<qint64> storeCustomerJobRequests(const QList<QVariantList> &requests)
{
    const QStringList &cols = requestColumns();
    const QString sql = QStringLiteral("INSERT INTO PortalCustomerJobs (%1) VALUES (%2)")
                            .arg(cols.join(QStringLiteral(", ")),
                                 QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    QList<qint64> added;
    for (const QVariantList &row : requests) {
        const qint64 id = row.value(0).toLongLong();
        // A request stored by an older build has no number among the received ones yet.
        const bool received =
            scalarSql(QStringLiteral("SELECT 1 FROM PortalReceivedRequests WHERE UniqueId = ?"), {id}).isValid()
            || scalarSql(QStringLiteral("SELECT 1 FROM PortalCustomerJobs WHERE UniqueId = ?"), {id}).isValid();
        writeSql(QStringLiteral("INSERT OR IGNORE INTO PortalReceivedRequests (UniqueId) VALUES (?)"), {id});
        if (received)
            continue;
        writeSql(sql, row);
        added << id;
    }
    return added;
}

} // namespace wvs::PortalRetrievals
