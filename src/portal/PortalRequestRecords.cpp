#include "portal/PortalRequestRecords.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "core/Session.h"
#include "data/AppDatabase.h"
#include "jobs/CustomerJobList.h"

#include <QSqlQuery>

namespace wvs::PortalRequestRecords {

namespace {

PortalRequest fromQuery(const QSqlQuery &q)
{
    auto text = [&](const char *f) { return q.value(QString::fromLatin1(f)).toString(); };
    auto num = [&](const char *f) { return q.value(QString::fromLatin1(f)).toInt(); };
    PortalRequest r;
    r.uniqueId = q.value(QStringLiteral("UniqueId")).toLongLong();
    r.userID = text("UserID");
    r.companyName = text("CompanyName");
    r.title = text("Title");
    r.firstName = text("FirstName");
    r.lastName = text("LastName");
    r.cAddress1 = text("CAddress1");
    r.cAddress2 = text("CAddress2");
    r.cAddress3 = text("CAddress3");
    r.cSuburb = text("CSuburb");
    r.cCity = text("CCity");
    r.cPostCode = text("CPostCode");
    r.phone1 = text("Phone1");
    r.phone2 = text("Phone2");
    r.phone3 = text("Phone3");
    r.preferredPhone = num("PreferredPhone");
    r.email1 = text("Email1");
    r.email2 = text("Email2");
    r.customerComments = text("CustomerComments");
    r.dateEntered = text("DateEntered");
    r.jobTypeCode = text("JobTypeCode");
    r.startDate = text("StartDate");
    r.endDate = text("EndDate");
    r.endDateOption = num("EndDateOption");
    r.endOccurrences = num("EndOccurrences");
    r.dwmyOption = num("DWMYOption");
    r.dailyOption = num("DailyOption");
    r.dailyNoOfDays = num("DailyNoOfDays");
    r.weeklyNoOfWeeks = num("WeeklyNoOfWeeks");
    const char *days[7] = {"WeeklyMon", "WeeklyTue", "WeeklyWed", "WeeklyThu", "WeeklyFri", "WeeklySat", "WeeklySun"};
    for (int d = 0; d < 7; ++d)
        r.weeklyDays[d] = num(days[d]);
    r.monthlyOption = num("MonthlyOption");
    r.monthlyDay = num("MonthlyDay");
    r.monthlyMonth1 = num("MonthlyMonth1");
    r.monthlyMonth2 = num("MonthlyMonth2");
    r.monthlyMonth3 = num("MonthlyMonth3");
    r.monthlyList1Index = num("MonthlyList1Index");
    r.monthlyList2Index = num("MonthlyList2Index");
    r.yearlyOption = num("YearlyOption");
    r.yearlyList1Index = num("YearlyList1Index");
    r.yearlyList2Index = num("YearlyList2Index");
    r.yearlyList3Index = num("YearlyList3Index");
    r.yearlyList4Index = num("YearlyList4Index");
    r.yearlyDay = num("YearlyDay");
    r.costCents = q.value(QStringLiteral("Cost")).toLongLong();
    r.prospective = num("Prospective") != 0;
    r.jobDetailsComments = text("JobDetailsComments");
    r.sAddress1 = text("SAddress1");
    r.sAddress2 = text("SAddress2");
    r.sAddress3 = text("SAddress3");
    r.sSuburb = text("SSuburb");
    r.sCity = text("SCity");
    r.sPostCode = text("SPostCode");
    r.asRequired = num("AsRequired") != 0;
    return r;
}

QString serialText(const QDate &d) { return d.isValid() ? QString::number(Formats::dateSerial(d)) : QString(); }

} // namespace

QDate readDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    QDate d = Formats::fromStoredDate(t.left(10));
    if (!d.isValid())
        d = Formats::fromDisplayDate(t);
    if (!d.isValid())
        d = Formats::fromShortDate(t);
    return d;
}

QString customerName(const QString &firstName, const QString &lastName)
{
    if (!firstName.isEmpty() && !lastName.isEmpty())
        return lastName + QStringLiteral(", ") + firstName;
    return firstName.isEmpty() ? lastName : firstName;
}

QString frequencyWord(const PortalRequest &r)
{
    if (r.endOccurrences == 1 || r.startDate == r.endDate)
        return QStringLiteral("Once");
    switch (r.dwmyOption) {
    case 0: return QStringLiteral("Daily");
    case 1: return QStringLiteral("Weekly");
    case 2: return QStringLiteral("Monthly");
    case 3: return QStringLiteral("Yearly");
    default: return QString();
    }
}

std::optional<PortalRequest> load(qint64 uniqueId)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT * FROM PortalCustomerJobs WHERE UniqueId = ?"), {uniqueId});
    if (!q.next())
        return std::nullopt;
    return fromQuery(q);
}

QList<PortalRequest> all()
{
    QList<PortalRequest> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT * FROM PortalCustomerJobs"));
    while (q.next())
        out << fromQuery(q);
    return out;
}

QStringList gridRow(const PortalRequest &r, const QList<KeyedItem> &jobTypes)
{
    namespace C = PortalRequestColumn;
    QStringList cells(C::Count);
    cells[C::User] = r.userID;
    cells[C::Customer] = customerName(r.firstName, r.lastName);
    cells[C::ServiceAddress] = r.sAddress1;
    cells[C::ServiceLocation] = r.sSuburb;
    for (const KeyedItem &t : jobTypes) {
        // Codes match exactly, letter case included.
        if (t.key == r.jobTypeCode) {
            cells[C::JobType] = t.text;
            break;
        }
    }
    const QDate start = readDate(r.startDate);
    cells[C::Day] = start.isValid() ? Formats::weekdayName(start) : QString();
    cells[C::Frequency] = frequencyWord(r);
    const Money cost = Money::fromCents(r.costCents);
    cells[C::Cost] = cost.display(session().installationCountry);
    cells[C::Start] = start.isValid() ? Formats::toDisplayDate(start) : r.startDate;
    const QDate entered = readDate(r.dateEntered);
    cells[C::Entered] = entered.isValid() ? Formats::toDisplayDate(entered) : r.dateEntered;
    cells[C::Key] = QString::number(r.uniqueId);
    cells[C::CostKey] = cost.plain();
    cells[C::StartKey] = serialText(start);
    cells[C::EnteredKey] = serialText(entered);
    cells[C::Prospective] = CustomerJobList::boolText(r.prospective);
    cells[C::AsRequired] = CustomerJobList::boolText(r.asRequired);
    return cells;
}

int sortColumn(int position)
{
    switch (position) {
    case 7: return PortalRequestColumn::CostKey;
    case 8: return PortalRequestColumn::StartKey;
    case 9: return PortalRequestColumn::EnteredKey;
    default: return position + 1;
    }
}

bool remove(qint64 uniqueId)
{
    return writeSql(QStringLiteral("DELETE FROM PortalCustomerJobs WHERE UniqueId = ?"), {uniqueId}) > 0;
}

} // namespace wvs::PortalRequestRecords
