#include "jobs/CustomerJobList.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "data/AppDatabase.h"
#include "jobs/RecurrenceCode.h"
#include "core/Session.h"
#include "platform/FlexGrid.h"

namespace wvs {

QString CustomerJobList::classWord(int occurrences, const QString &startDate, const QString &endDate, int frequency)
{
    if (occurrences == 1 || endDate == startDate)
        return QStringLiteral("Once");
    switch (recurrenceKind(frequency)) {
    case RecurrenceKind::EveryNDays:
    case RecurrenceKind::EveryWeekday:
        return QStringLiteral("Daily");
    case RecurrenceKind::Weekly:
        return QStringLiteral("Weekly");
    case RecurrenceKind::MonthlyDay:
    case RecurrenceKind::MonthlyLastDay:
    case RecurrenceKind::MonthlyNthWeekday:
        return QStringLiteral("Monthly");
    case RecurrenceKind::YearlyDate:
    case RecurrenceKind::YearlyNthWeekday:
        return QStringLiteral("Yearly");
    case RecurrenceKind::None:
        break;
    }
    return QString();
}

JobRowStyle CustomerJobList::rowStyle(int customerStatus, bool associateActive, bool suspended, bool prospective,
                                      bool asRequired)
{
    if (customerStatus == 2)
        return {QColor(0, 192, 0), true};
    if (!associateActive)
        return {QColor(128, 128, 128), true};
    if (customerStatus == 9)
        return {QColor(255, 0, 0), true};
    if (suspended)
        return {QColor(255, 0, 255), true};
    if (prospective)
        return {QColor(0, 0, 255), true};
    if (asRequired)
        return {QColor(255, 128, 0), true};
    return {QColor(0, 0, 0), false};
}

JobRowStyle CustomerJobList::rowStyle(const QStringList &cells)
{
    auto flag = [&](int col) { return cells.value(col) == QLatin1String("True"); };
    return rowStyle(cells.value(JobListColumn::CustomerStatus).toInt(), flag(JobListColumn::AssociateActive),
                    flag(JobListColumn::Suspended), flag(JobListColumn::Prospective), flag(JobListColumn::AsRequired));
}

bool CustomerJobList::activeAt(const QDate &asAt, int customerStatus, bool suspended, const QString &startDate,
                               const QString &endDate, int frequency, const QString &lastServiceDate)
{
    if (customerStatus == 9 || suspended)
        return false;
    const QDate start = Formats::fromStoredDate(startDate);
    if (!start.isValid())
        return false;
    // A job that ended before the date is no longer under way.
    if (!endDate.isEmpty()) {
        const QDate end = Formats::fromStoredDate(endDate);
        if (!end.isValid() || end < asAt)
            return false;
    }
    if (start >= asAt) {
        // Not yet started: only a job already serviced ahead of its start counts.
        const QDate last = Formats::fromStoredDate(lastServiceDate);
        return last.isValid() && last <= asAt && last < start;
    }
    return frequency > 0;
}

int CustomerJobList::sortColumn(int sortPosition)
{
    if (sortPosition >= 0 && sortPosition <= 6)
        return sortPosition + 1;
    switch (sortPosition) {
    case 7: return JobListColumn::CostValue;
    case 8: return JobListColumn::StartSerial;
    case 9: return JobListColumn::EndSerial;
    }
    return JobListColumn::Associate;
}

QVector<QStringList> CustomerJobList::rows(const CustomerJobFilters &f, const QList<KeyedItem> &jobTypes)
{
    QString where;
    QVariantList params;
    if (f.customerNumber != 0) {
        where += QStringLiteral(" AND Customers.CustomerNumber = ?");
        params << f.customerNumber;
    } else {
        if (!f.surname.isEmpty()) {
            // Matched as plain text anywhere in the surname, letter case aside;
            // unlike a LIKE pattern no filter is ever too long to run.
            where += QStringLiteral(" AND instr(lower(Customers.Surname), lower(?)) > 0");
            params << f.surname;
        }
        if (f.suburb) {
            where += QStringLiteral(" AND CustomerServiceAddresses.SSuburb = ?");
            params << *f.suburb;
        }
        if (f.jobTypeCode) {
            where += QStringLiteral(" AND CustomerJobs.JobTypeCode = ?");
            params << *f.jobTypeCode;
        }
        if (f.associateID) {
            where += QStringLiteral(" AND CustomerJobs.AssociateID = ?");
            params << *f.associateID;
        }
        auto flag = [&](const std::optional<bool> &v, const char *column) {
            if (!v)
                return;
            where += QStringLiteral(" AND CustomerJobs.%1 %2").arg(QString::fromLatin1(column),
                                                                   *v ? QStringLiteral("<> 0") : QStringLiteral("= 0"));
        };
        flag(f.prospective, "Prospective");
        flag(f.suspended, "Suspended");
        flag(f.asRequired, "AsRequired");
    }

    QSqlQuery q = execSql(
        QStringLiteral("SELECT CustomerJobs.JobSeqNo, CustomerJobs.AssociateID, Customers.Surname, Customers.Forename, "
                       "CustomerServiceAddresses.SAddress1, CustomerServiceAddresses.SSuburb, CustomerJobs.JobTypeCode, "
                       "CustomerJobs.StartDay, CustomerJobs.Frequency, CustomerJobs.Cost, CustomerJobs.StartDate, "
                       "CustomerJobs.EndDate, CustomerJobs.Occurrences, CustomerJobs.Suspended, "
                       "CustomerJobs.Prospective, CustomerJobs.AsRequired, CustomerServiceAddresses.SAddressSeqNo, "
                       "Customers.CustomerStatus, COALESCE(Associates.Active, 0), CustomerJobs.LastServiceDate "
                       "FROM CustomerJobs "
                       "JOIN Customers ON Customers.CustomerNumber = CustomerJobs.CustomerNumber "
                       "JOIN CustomerServiceAddresses ON CustomerServiceAddresses.SAddressSeqNo = CustomerJobs.SAddressSeqNo "
                       "LEFT JOIN Associates ON Associates.AssociateID = CustomerJobs.AssociateID "
                       "WHERE Customers.CustomerNumber > 0") +
            where,
        params);

    const QString country = session().installationCountry;
    QVector<QStringList> out;
    while (q.next()) {
        const QString startDate = q.value(10).toString();
        const QString endDate = q.value(11).toString();
        const int frequency = q.value(8).toInt();
        const bool suspended = q.value(13).toInt() != 0;
        const int status = q.value(17).toInt();
        if (f.activeAsAt.isValid() &&
            !activeAt(f.activeAsAt, status, suspended, startDate, endDate, frequency, q.value(19).toString()))
            continue;

        QString jobType;
        const QString code = q.value(6).toString();
        for (const KeyedItem &t : jobTypes) {
            if (t.key == code) {
                jobType = t.text;
                break;
            }
        }
        const Money cost = Money::fromVariant(q.value(9));
        const QDate start = Formats::fromStoredDate(startDate);
        const QDate end = Formats::fromStoredDate(endDate);

        QStringList cells;
        cells.reserve(JobListColumn::Count);
        cells << QString()                                                       // 0
              << q.value(1).toString()                                           // Associate
              << CustomerJobRecords::displayName(q.value(2).toString(), q.value(3).toString())
              << q.value(4).toString()                                           // ServiceAddress
              << q.value(5).toString()                                           // ServiceLocation
              << jobType
              << q.value(7).toString()                                           // Day
              << classWord(q.value(12).toInt(), startDate, endDate, frequency)
              << cost.display(country)
              << Formats::toDisplayDate(start)
              << Formats::toDisplayDate(end)
              << QString()                                                       // 11
              << q.value(0).toString()                                           // Key
              << QString::number(status)
              << QString::number(frequency)
              << cost.plain()
              << (start.isValid() ? QString::number(Formats::dateSerial(start)) : QStringLiteral("0"))
              << (end.isValid() ? QString::number(Formats::dateSerial(end)) : QStringLiteral("0"))
              << boolText(suspended)
              << boolText(q.value(14).toInt() != 0)
              << boolText(q.value(15).toInt() != 0)
              << q.value(16).toString()
              << boolText(q.value(18).toInt() != 0);
        out.append(cells);
    }
    return out;
}

void CustomerJobList::colourGrid(FlexGrid *grid, const StyleOf &styleOf)
{
    const int rows = grid->rows();
    if (rows >= ColourLimit)
        return;
    grid->stripe();
    for (int r = 1; r < rows; ++r) {
        const JobRowStyle style = styleOf(r);
        grid->setRowForeColor(r, style.color);
        grid->setRowBold(r, style.bold);
    }
}

void CustomerJobList::sortGrid(FlexGrid *grid, int column, bool ascending, const StyleOf &styleOf)
{
    FlexGrid::FillScope fill(grid);
    grid->sortByColumn(column, ascending);
    colourGrid(grid, styleOf);
    grid->setTopRow(1);
    grid->clearSelectedRow();
}

QStringList CustomerJobList::gridHeadings(int columns, const QString &firstHeading, const QString &lastHeading)
{
    QStringList headings = {QString(),
                            firstHeading,
                            QStringLiteral("Customer"),
                            QStringLiteral("Service Address"),
                            QStringLiteral("Service Location"),
                            QStringLiteral("Job Type"),
                            QStringLiteral("Day"),
                            QStringLiteral("Frequency"),
                            QStringLiteral("Cost"),
                            QStringLiteral("Start"),
                            lastHeading};
    while (headings.size() < columns)
        headings << QString();
    return headings;
}

void CustomerJobList::setUpGrid(FlexGrid *grid, const QStringList &headings, const int (&widths)[10])
{
    constexpr int Cost = 8, Start = 9, Last = 10, FirstHidden = 12;
    grid->setRows(1);
    grid->setCols(int(headings.size()));
    grid->setHeadings(headings);
    for (int c = 0; c <= 9; ++c)
        grid->setColWidth(c, widths[c]);
    grid->setColWidth(Last, 1150);
    grid->setColWidth(11, 300, false);
    for (int c = FirstHidden; c < headings.size(); ++c)
        grid->setColWidth(c, 0);
    grid->setFillColumn(Last);
    for (int c = 1; c <= Last; ++c)
        grid->setCellAlignment(0, c, FlexGrid::alignmentFromCode(5));
    for (int c = 1; c <= 7; ++c)
        grid->setColAlignment(c, FlexGrid::alignmentFromCode(2));
    grid->setColAlignment(Cost, FlexGrid::alignmentFromCode(8));
    grid->setColAlignment(Start, FlexGrid::alignmentFromCode(5));
    grid->setColAlignment(Last, FlexGrid::alignmentFromCode(5));
}

} // namespace wvs
