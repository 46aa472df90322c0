#pragma once
#include "jobs/CustomerJobRecords.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace wvs {

// One customer-job request as the portal sent it (a row of PortalCustomerJobs).
// The recurrence fields are the portal request form's own choices: option
// numbers, 0-based list positions, tick states 1/0, intervals and day numbers.
struct PortalRequest {
    qint64 uniqueId = 0;
    QString userID, companyName, title, firstName, lastName;
    QString cAddress1, cAddress2, cAddress3, cSuburb, cCity, cPostCode;
    QString phone1, phone2, phone3;
    int preferredPhone = 0;
    QString email1, email2, customerComments;
    QString dateEntered, jobTypeCode, startDate, endDate;
    int endDateOption = 0;   // 0 no end, 1 on EndDate, 2 after EndOccurrences
    int endOccurrences = 0;
    int dwmyOption = -1;     // 0 daily, 1 weekly, 2 monthly, 3 yearly; -1 none
    int dailyOption = 0, dailyNoOfDays = 0;
    int weeklyNoOfWeeks = 0;
    int weeklyDays[7] = {};  // Monday .. Sunday
    int monthlyOption = 0, monthlyDay = 0, monthlyMonth1 = 0, monthlyMonth2 = 0, monthlyMonth3 = 0;
    int monthlyList1Index = 0, monthlyList2Index = 0;
    int yearlyOption = 0, yearlyList1Index = 0, yearlyList2Index = 0, yearlyList3Index = 0, yearlyList4Index = 0;
    int yearlyDay = 0;
    qint64 costCents = 0;
    bool prospective = false;
    QString jobDetailsComments;
    QString sAddress1, sAddress2, sAddress3, sSuburb, sCity, sPostCode;
    bool asRequired = false;
};

// The columns of the request list's grid; Key and the sort keys are hidden.
namespace PortalRequestColumn {
enum {
    User = 1, Customer, ServiceAddress, ServiceLocation, JobType, Day, Frequency, Cost, Start, Entered,
    Key = 12, CostKey = 14, StartKey, EnteredKey, Prospective, AsRequired, Count
};
}

// The queries behind the request list and the request dialog.
namespace PortalRequestRecords {

// A request's date as the portal sent it ("yyyy-MM-dd", or a date-time or a
// shown form); null when it does not read as a date.
QDate readDate(const QString &text);

// "Last, First", or whichever of the two is not empty.
QString customerName(const QString &firstName, const QString &lastName);
// "Once" for a single occurrence or an end on the start date, else the kind's word.
QString frequencyWord(const PortalRequest &r);

std::optional<PortalRequest> load(qint64 uniqueId);
// Every stored request in the database's order.
QList<PortalRequest> all();
// One grid row per request (columns as PortalRequestColumn). A request whose
// dates do not read shows them as stored, with an empty day and sort key.
QStringList gridRow(const PortalRequest &r, const QList<KeyedItem> &jobTypes);
// The grid column a position of the sort list sorts on.
int sortColumn(int position);
// Removes the request; false when it was already gone.
bool remove(qint64 uniqueId);

} // namespace PortalRequestRecords
} // namespace wvs
