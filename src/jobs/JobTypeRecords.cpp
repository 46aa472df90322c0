#include "jobs/JobTypeRecords.h"
#include "common/NamedRows.h"
#include "data/PreferenceChoices.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"

namespace wvs::JobTypeRecords {

namespace {

JobType fromQuery(const QSqlQuery &q)
{
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
}

// Another job type already holds this code (the row being renamed aside).
bool codeTaken(const QString &code, const QString &exceptCode)
{
    if (exceptCode.isNull())
        return scalarSql(QStringLiteral("SELECT COUNT(*) FROM JobTypes WHERE JobTypeCode = ?"), {code}).toInt() > 0;
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM JobTypes WHERE JobTypeCode = ? AND JobTypeCode <> ?"),
                     {code, exceptCode})
               .toInt() > 0;
}

} // namespace

QList<JobType> all()
{
    QList<JobType> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT JobTypeCode, JobTypeDescription, AccountsRef FROM JobTypes"));
    while (q.next())
        out << fromQuery(q);
    return out;
}

std::optional<JobType> find(const QString &code)
{
    QSqlQuery q = execSql(
        QStringLiteral("SELECT JobTypeCode, JobTypeDescription, AccountsRef FROM JobTypes WHERE JobTypeCode = ?"), {code});
    if (!q.next())
        return std::nullopt;
    return fromQuery(q);
}

QString deleteRefusal(const QString &code, const QString &description, const QDate &today)
{
    const int undone = scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobs, CustomerJobs WHERE "
                                                "ScheduleJobs.JobSeqNo = CustomerJobs.JobSeqNo AND "
                                                "CustomerJobs.JobTypeCode = ? AND "
                                                "ScheduleJobs.ScheduleServiceDate >= ? AND "
                                                "ScheduleJobs.ActualServiceDate = ''"),
                                 {code, Formats::toStoredDate(today)})
                           .toInt();
    if (undone > 0)
        return QStringLiteral("There are uncompleted Scheduled Jobs for ") + description +
               QStringLiteral(" therefore it cannot be deleted");
    const int jobs = scalarSql(QStringLiteral("SELECT COUNT(*) FROM CustomerJobs WHERE JobTypeCode = ?"), {code}).toInt();
    if (jobs > 0)
        return QStringLiteral("There are Customer Jobs for ") + description +
               QStringLiteral(" therefore it cannot be deleted");
    return QString();
}

QString remove(const QString &code, const QString &description, const QDate &today)
{
    Transaction t;
    const QString refusal = deleteRefusal(code, description, today);
    if (!refusal.isEmpty())
        return refusal;
    // Deleted, or its code changed, at another workstation since the list
    // was filled: nothing of the user's choosing is left to delete.
    if (writeSql(QStringLiteral("DELETE FROM JobTypes WHERE JobTypeCode = ?"), {code}) == 0)
        return NamedRows::goneMessage(NamedRows::Kind::JobType);
    t.commit();
    return QString();
}

QString duplicateCodeMessage(const QString &code)
{
    return QStringLiteral("Job Type Code ") + code + QStringLiteral(" already exists - please enter another");
}

SaveOutcome save(const QString &mode, const QString &oldCode, const JobType &entry,
                 const std::function<bool(const QString &)> &ask, const JobType *shown)
{
    SaveOutcome out;
    if (entry.code == QString()) {
        out.message = QStringLiteral("Please enter a Code");
        out.focus = QStringLiteral("CodeText");
        return out;
    }
    if (entry.description == QString()) {
        out.message = QStringLiteral("Please enter a Description");
        out.focus = QStringLiteral("DescriptionText");
        return out;
    }
    if (accountsPackageInUse() && entry.accountsRef.isEmpty()) {
        const QString question =
            QStringLiteral("No Account Reference has been entered - this will prevent customer jobs for this Job Type "
                           "from being exported to your chosen accounts package. The Reference can, however, be "
                           "entered later at any time. Do you wish to continue?");
        if (!ask(question)) {
            out.status = SaveOutcome::Declined;
            return out;
        }
    }

    auto refuseDuplicate = [&] {
        out.message = duplicateCodeMessage(entry.code);
        out.focus = QStringLiteral("CodeText");
        out.clearCode = mode == QLatin1String("Add");
        return out;
    };

    if (mode == QLatin1String("Add")) {
        Transaction t;
        if (codeTaken(entry.code, QString()))
            return refuseDuplicate();
        writeSql(QStringLiteral("INSERT INTO JobTypes (JobTypeCode, JobTypeDescription, AccountsRef) VALUES (?, ?, ?)"),
                 {entry.code, entry.description, entry.accountsRef});
        t.commit();
        out.status = SaveOutcome::Saved;
        return out;
    }

    // Modify: the job type row and its customer jobs change together. A row
    // deleted meanwhile by another workstation, or given another code there,
    // is told to the user, and the dialog keeps what was typed.
    Transaction t;
    if (const QString gone = NamedRows().jobType(oldCode).firstGone(); !gone.isEmpty()) {
        out.message = gone;
        return out;
    }
    if (entry.code != oldCode) {
        if (codeTaken(entry.code, oldCode))
            return refuseDuplicate();
        writeSql(QStringLiteral("UPDATE CustomerJobs SET JobTypeCode = ? WHERE JobTypeCode = ?"),
                 {entry.code, oldCode});
    }
    // Only what the user changed: another workstation's change to the
    // other fields is kept.
    ChangedColumns changed;
    if (entry.code != oldCode)
        changed.set(QStringLiteral("JobTypeCode"), entry.code);
    changed.compare(QStringLiteral("JobTypeDescription"), shown ? shown->description : QVariant(), entry.description);
    changed.compare(QStringLiteral("AccountsRef"), shown ? shown->accountsRef : QVariant(), entry.accountsRef);
    changed.update(QStringLiteral("JobTypes"), QStringLiteral("JobTypeCode = ?"), {oldCode});
    t.commit();
    out.status = SaveOutcome::Saved;
    return out;
}

} // namespace wvs::JobTypeRecords
