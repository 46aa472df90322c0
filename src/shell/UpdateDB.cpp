#include "shell/UpdateDB.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"

#include <QDate>

namespace wvs {

namespace {
constexpr long kNotADate = 13;

// An old last service date as it was typed: the short form "15/03/2016" (one
// or two digits for day and month) or the shown form "15 Mar 2016".
QDate readOldDate(const QString &text)
{
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    if (!d.isValid())
        d = Formats::fromDisplayDate(t);
    return d;
}
} // namespace

void RepairLastServiceDates()
{
    QList<QPair<qint64, QString>> cut;
    {
        QSqlQuery q = execSql(QStringLiteral("SELECT JobSeqNo, LastServiceDate FROM CustomerJobs ORDER BY JobSeqNo"));
        while (q.next()) {
            const QString text = q.value(1).toString();
            if (text.endsWith(QLatin1String("201")))
                cut.append({q.value(0).toLongLong(), text});
        }
    }
    for (const auto &[jobSeqNo, text] : cut) {
        const QString amended = text + QLatin1Char('6');
        const QDate date = readOldDate(amended);
        if (!date.isValid())
            throw WvsError(kNotADate, QStringLiteral("The last service date \"%1\" of customer job %2 is not a date")
                                          .arg(amended, QString::number(jobSeqNo)));
        writeSql(QStringLiteral("UPDATE CustomerJobs SET LastServiceDate = ? WHERE JobSeqNo = ?"),
                 {Formats::toStoredDate(date), jobSeqNo});
    }
}

void UpdateDB()
{
    if (const std::optional<CaughtError> e = trapError([] { RepairLastServiceDates(); }))
        msgBox(QStringLiteral("The following error has occurred:\r\nFunction: UpdateDB\r\nCode: %1\r\n"
                              "Description: %2\r\nPlease make a note of this and report to Support.\r\n"
                              "The database was not updated")
                   .arg(e->number)
                   .arg(e->description),
               MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace wvs
