#include "jobs/CustomerJobSave.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"
#include "jobs/CustomerJobOpener.h"
#include "platform/WvsError.h"
#include "scheduling/RecurrenceExpansion.h"
#include "core/Session.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace wvs {

namespace {

// What a number box holds. Recurrence and occurrence boxes take whole numbers
// only: a fraction would spill into the neighbouring digits of the code.
enum class BoxState { Empty, NotNumeric, Negative, Zero, Number };

struct BoxValue {
    BoxState state = BoxState::Empty;
    double value = 0;
};

BoxValue readWhole(const QString &text)
{
    const QString t = text.trimmed();
    if (text.isEmpty())
        return {};
    static const QRegularExpression whole(QStringLiteral("^[+-]?\\d+$"));
    if (!whole.match(t).hasMatch())
        return {BoxState::NotNumeric, 0};
    const double v = t.toDouble();
    if (v < 0)
        return {BoxState::Negative, v};
    if (v == 0)
        return {BoxState::Zero, v};
    return {BoxState::Number, v};
}

double wholeOrNaN(const QString &text)
{
    const BoxValue b = readWhole(text);
    return b.state == BoxState::Empty || b.state == BoxState::NotNumeric ? std::numeric_limits<double>::quiet_NaN()
                                                                         : b.value;
}

// The messages of one number box, in the order its tests run. An empty
// `empty` text means the box has no empty test (an empty box is then not a
// number); an empty `tooBig` text means it has no upper limit.
struct BoxMessages {
    const char *empty;
    const char *notNumeric;
    const char *negative;
    const char *zero;
    int limit;
    const char *tooBig;
};

// The box's fault, or nothing. out receives the message and the focus.
bool boxFault(const QString &text, const char *control, const BoxMessages &m, CustomerJobSaveOutcome &out)
{
    const BoxValue b = readWhole(text);
    const char *message = nullptr;
    switch (b.state) {
    case BoxState::Empty: message = *m.empty ? m.empty : m.notNumeric; break;
    case BoxState::NotNumeric: message = m.notNumeric; break;
    case BoxState::Negative: message = m.negative; break;
    case BoxState::Zero: message = m.zero; break;
    case BoxState::Number:
        if (*m.tooBig && b.value > m.limit)
            message = m.tooBig;
        break;
    }
    if (!message)
        return false;
    out.message = QString::fromUtf8(message);
    out.focus = QString::fromUtf8(control);
    return true;
}

const char *const kClosedScheduleRefusal =
    "The Start Date falls within the date range of a closed Job Schedule and the Customer Job "
    "cannot be added. Please select another date";

CustomerJobSaveOutcome refuse(CustomerJobSaveOutcome out, const char *message, const char *focus = "")
{
    out.saved = false;
    out.message = QString::fromUtf8(message);
    out.focus = QString::fromUtf8(focus);
    return out;
}

int yearlyMonthLength(int position)
{
    switch (position + 1) {
    case 2: return 28;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    default: return 30;
    }
}

// The frequency checks of a recurring job; false with out filled on a fault
// (an empty message when the user declined the question).
bool frequencyFault(const FrequencyEntry &f, const CustomerJobSave::Ask &ask, CustomerJobSaveOutcome &out)
{
    auto fail = [&](const char *message, const char *focus = "") {
        out.message = QString::fromUtf8(message);
        out.focus = QString::fromUtf8(focus);
        return true;
    };
    switch (f.option) {
    case FrequencyOption::None:
        return fail("Please select a Frequency option");

    case FrequencyOption::Daily:
        if (f.subOption != 1 && f.subOption != 2)
            return fail("Please select the desired daily frequency");
        if (f.subOption == 1)
            return boxFault(f.dailyText1, "DailyText1",
                            {"Please enter the number of days", "The number of days must be numeric",
                             "The number of days cannot be negative", "The number of days cannot be zero", 365,
                             "The number of days cannot be greater than 365"},
                            out);
        return false;

    case FrequencyOption::Weekly:
        if (boxFault(f.weeklyText1, "WeeklyText1",
                     {"Please enter the weekly frequency", "The weekly frequency must be numeric",
                      "The weekly frequency cannot be negative", "The weekly frequency cannot be zero", 52,
                      "The weekly frequency cannot be greater than 52"},
                     out))
            return true;
        if (f.weekdayMask == 0)
            return fail("Please select a day of the week");
        return false;

    case FrequencyOption::Monthly:
        if (f.subOption == 1) {
            if (boxFault(f.monthlyText1, "MonthlyText1",
                         {"Please enter the day of the month", "The day of the month must be numeric",
                          "The day of the month cannot be negative", "The day of the month cannot be zero", 31,
                          "The day of the month cannot be be greater than 31"},
                         out))
                return true;
            if (readWhole(f.monthlyText1).value > 28) {
                const QString question = QStringLiteral("For those months with less than ") + f.monthlyText1 +
                                         QStringLiteral(" days the schedule date will be set to the last day of the "
                                                        "month. Do you wish to continue?");
                if (!ask(question)) {
                    out.message.clear();
                    out.focus = QStringLiteral("MonthlyText1");
                    return true;
                }
            }
            return boxFault(f.monthlyText2, "MonthlyText2",
                            {"Please enter the frequency of months", "The frequency of months must be numeric",
                             "The frequency of months cannot be negative", "The frequency of months cannot be zero",
                             12, "The frequency of months cannot be greater than 12"},
                            out);
        }
        if (f.subOption == 2) {
            if (f.monthlyCombo1 < 0)
                return fail("Please select the occurrence", "MonthlyCombo1");
            if (f.monthlyCombo2 < 0)
                return fail("Please select the occurrence", "MonthlyCombo2");
            return boxFault(f.monthlyText3, "MonthlyText3",
                            {"", "The number of months must be numeric", "The number of months cannot be negative",
                             "The number of months cannot be zero", 12,
                             "The number of months cannot be be greater than 12"},
                            out);
        }
        if (f.subOption == 3)
            return boxFault(f.monthlyText4, "MonthlyText4",
                            {"Please enter the frequency of months", "The frequency of months must be numeric",
                             "The frequency of months cannot be negative", "The frequency of months cannot be zero",
                             12, "The frequency of months cannot be greater than 12"},
                            out);
        return fail("Please select the desired monthly frequency");

    case FrequencyOption::Yearly:
        if (f.subOption == 1) {
            if (f.yearlyCombo1 < 0)
                return fail("Please select a month", "YearlyCombo1");
            if (boxFault(f.yearlyText1, "YearlyText1",
                         {"Please enter a date", "The day must be numeric", "The day cannot be negative",
                          "The day cannot be zero", 0, ""},
                         out))
                return true;
            if (readWhole(f.yearlyText1).value > yearlyMonthLength(f.yearlyCombo1))
                return fail("Invalid frequency date", "YearlyText1");
            return false;
        }
        if (f.yearlyCombo2 < 0)
            return fail("Please select the occurrence", "YearlyCombo2");
        if (f.yearlyCombo3 < 0)
            return fail("Please select the day", "YearlyCombo3");
        if (f.yearlyCombo4 < 0)
            return fail("Please select the month", "YearlyCombo4");
        return false;
    }
    return false;
}

// The occurrences box of "After": a whole number from 1 on that the stored
// count can hold; true with out filled on a fault.
bool occurrencesRefused(const QString &text, CustomerJobSaveOutcome &out)
{
    const BoxValue n = readWhole(text);
    const char *message = nullptr;
    switch (n.state) {
    case BoxState::Empty: message = "Please enter the number of occurrences after which to end the job"; break;
    case BoxState::NotNumeric: message = "The number of occurrences after which to end the job must be numeric"; break;
    case BoxState::Negative:
        message = "The number of occurrences after which to end the job cannot be a negative value";
        break;
    // Stored as 0 it would read back as a job without end.
    case BoxState::Zero: message = "The number of occurrences must be at least 1"; break;
    case BoxState::Number:
        if (n.value > 32767)
            message = "The number of occurrences after which to end the job must be numeric";
        break;
    }
    if (!message)
        return false;
    out.saved = false;
    out.message = QString::fromUtf8(message);
    out.focus = QStringLiteral("OccurrencesText");
    return true;
}

// The cost box, the job type and the associate, in that order; once the
// cost passes, out's costText is its reformatted text.
bool costAndChoicesRefused(const CustomerJobEntry &e, CustomerJobSaveOutcome &out)
{
    const auto fault = [&out](const char *message, const char *focus) {
        out = refuse(std::move(out), message, focus);
        return true;
    };
    if (e.costText.isEmpty())
        return fault("Please enter the Cost", "CostText");
    const std::optional<Money> cost = Money::parse(e.costText);
    if (!cost)
        return fault("The Cost must be numeric", "CostText");
    if (cost->cents() < 0)
        return fault("The Cost cannot be a negative value", "CostText");
    out.costText = cost->display(session().installationCountry);
    if (!e.jobTypeCode)
        return fault("Please select a Job Type", "JobTypeCombo");
    if (!e.associateID)
        return fault("Please assign the job to an Associate", "AssociateCombo");
    return false;
}

} // namespace

bool CustomerJobSave::isRecurring(const CustomerJobEntry &e)
{
    switch (e.end) {
    case JobEnd::NoEnd:
        return true;
    case JobEnd::OnDate:
        return Formats::fromDisplayDate(e.endDateText) != Formats::fromDisplayDate(e.startDateText);
    case JobEnd::After:
        return readWhole(e.occurrencesText).value > 1;
    case JobEnd::Unchosen:
        return false;
    }
    return false;
}

FrequencySettings CustomerJobSave::settingsOf(const FrequencyEntry &f)
{
    FrequencySettings s;
    s.option = f.option;
    s.subOption = f.subOption;
    s.dailyText1 = wholeOrNaN(f.dailyText1);
    s.weeklyText1 = wholeOrNaN(f.weeklyText1);
    s.weekdayMask = f.weekdayMask;
    s.monthlyText1 = wholeOrNaN(f.monthlyText1);
    s.monthlyText2 = wholeOrNaN(f.monthlyText2);
    s.monthlyCombo1 = f.monthlyCombo1;
    s.monthlyCombo2 = f.monthlyCombo2;
    s.monthlyText3 = wholeOrNaN(f.monthlyText3);
    s.monthlyText4 = wholeOrNaN(f.monthlyText4);
    s.yearlyCombo1 = f.yearlyCombo1;
    s.yearlyText1 = wholeOrNaN(f.yearlyText1);
    s.yearlyCombo2 = f.yearlyCombo2;
    s.yearlyCombo3 = f.yearlyCombo3;
    s.yearlyCombo4 = f.yearlyCombo4;
    return s;
}

int CustomerJobSave::frequencyCode(const CustomerJobEntry &e)
{
    const FrequencyEncoding enc = encodeFrequency(settingsOf(e.frequency));
    if (isRecurring(e)) {
        // The checks have made sure every control the kind uses holds a value
        // its digits can carry.
        if (!enc.ok())
            throw WvsError(ErrorNumber::Recoverable, QStringLiteral("The frequency cannot be stored"));
        return enc.code;
    }
    const QDate start = Formats::fromDisplayDate(e.startDateText);
    if (!enc.ok() || expandOccurrences(start, start, enc.code, 0, start, start).isEmpty())
        return 1;
    return enc.code;
}

bool CustomerJobSave::startsInClosedSchedule(const QDate &start)
{
    const QString d = Formats::toStoredDate(start);
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Schedules WHERE FromDate <= ? AND ToDate >= ? "
                                    "AND Status = 'Closed'"),
                     {d, d})
               .toInt() > 0;
}

bool CustomerJobSave::duplicateExists(qint64 customerNumber, const QString &jobTypeCode, qint64 sAddressSeqNo,
                                      const QDate &start)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM CustomerJobs WHERE CustomerNumber = ? AND "
                                    "JobTypeCode = ? AND SAddressSeqNo = ? AND StartDate = ?"),
                     {customerNumber, jobTypeCode, sAddressSeqNo, Formats::toStoredDate(start)})
               .toInt() > 0;
}

bool CustomerJobSave::jobRefused(const CustomerJobEntry &e, CustomerJobSaveOutcome &out, EndOptionCheck endOption)
{
    const auto fault = [&out](const char *message) {
        out = refuse(std::move(out), message);
        return true;
    };
    const QDate start = Formats::fromDisplayDate(e.startDateText);
    if (!start.isValid())
        return fault("Please select a start date for the job");
    if (startsInClosedSchedule(start))
        return fault(kClosedScheduleRefusal);
    const auto endOptionRefused = [&] { return e.end == JobEnd::Unchosen && fault("Please select an End option"); };
    if (endOption == EndOptionCheck::AfterStart && endOptionRefused())
        return true;
    if (e.end == JobEnd::OnDate && !Formats::fromDisplayDate(e.endDateText).isValid())
        return fault("Please select an end date for the job");
    if (e.end == JobEnd::After && occurrencesRefused(e.occurrencesText, out))
        return true;
    return costAndChoicesRefused(e, out) || (endOption == EndOptionCheck::AfterChoices && endOptionRefused());
}

CustomerJobSaveOutcome CustomerJobSave::check(const CustomerJobEntry &e, const Ask &ask)
{
    CustomerJobSaveOutcome out;
    if (!e.customerNumber)
        return refuse(out, "Please select a Customer", "CustomerNameCombo");
    if (!e.suburbChosen)
        return refuse(out, "Please select the Service Suburb", "SuburbCombo");
    if (!e.sAddressSeqNo)
        return refuse(out, "Please select the Service Address", "AddressCombo");
    if (jobRefused(e, out))
        return out;
    if (isRecurring(e) && frequencyRefused(e.frequency, ask, out)) {
        out.saved = false;
        return out;
    }
    if (e.commentOnSchedule && e.comment.isEmpty())
        return refuse(out, "There is no Comment to include on the Schedule");
    if (e.mode == QLatin1String("Add")
        && duplicateExists(*e.customerNumber, *e.jobTypeCode, *e.sAddressSeqNo, Formats::fromDisplayDate(e.startDateText)))
        return refuse(out, "This job already exists!");
    out.saved = true;
    return out;
}

namespace {

// The CustomerJobs columns a save writes for an entry that passed its checks.
ChangedColumns::Columns columnsOf(const CustomerJobEntry &e, const QVariant &frequency)
{
    const QDate start = Formats::fromDisplayDate(e.startDateText);
    QString endDate = QStringLiteral("");
    int occurrences = 0;
    if (e.end == JobEnd::OnDate)
        endDate = Formats::toStoredDate(Formats::fromDisplayDate(e.endDateText));
    else if (e.end == JobEnd::After)
        occurrences = static_cast<int>(readWhole(e.occurrencesText).value);
    const std::optional<Money> cost = Money::parse(e.costText);
    return {{QStringLiteral("StartDate"), Formats::toStoredDate(start)},
            {QStringLiteral("StartDay"), start.isValid() ? Formats::weekdayName(start) : QString()},
            {QStringLiteral("EndDate"), endDate},
            {QStringLiteral("Occurrences"), occurrences},
            {QStringLiteral("Frequency"), frequency},
            {QStringLiteral("Cost"), cost ? cost->toVariant() : QVariant()},
            {QStringLiteral("CustomerJobComment"), e.comment},
            {QStringLiteral("AsRequired"), e.asRequired ? 1 : 0},
            {QStringLiteral("CommentOnSchedule"), e.commentOnSchedule ? 1 : 0},
            {QStringLiteral("Suspended"), e.suspended ? 1 : 0},
            {QStringLiteral("Prospective"), e.prospective ? 1 : 0},
            {QStringLiteral("AssociateID"), e.associateID.value_or(QString())},
            {QStringLiteral("SAddressSeqNo"), e.sAddressSeqNo ? QVariant(*e.sAddressSeqNo) : QVariant()}};
}

// The same columns for the entry as the dialog first showed it. A stored code
// the controls cannot show again counts as changed, so the new one is written.
ChangedColumns::Columns shownColumns(const CustomerJobEntry &shown)
{
    QVariant code;
    try {
        code = CustomerJobSave::frequencyCode(shown);
    } catch (const WvsError &) {
    }
    return columnsOf(shown, code);
}

} // namespace

CustomerJobSaveOutcome CustomerJobSave::save(const CustomerJobEntry &e, const QString &caller,
                                             CustomerJobOpener *opener, const Ask &ask,
                                             const CustomerJobEntry *shown)
{
    CustomerJobSaveOutcome out = check(e, ask);
    if (!out.saved)
        return out;
    out.saved = false;

    const bool adding = e.mode == QLatin1String("Add");
    const QDate start = Formats::fromDisplayDate(e.startDateText);
    out.frequency = frequencyCode(e);
    const ChangedColumns::Columns columns = columnsOf(e, out.frequency);

    Transaction t;
    // A schedule over the start date may have been closed at another
    // workstation since the check.
    if (startsInClosedSchedule(start))
        return refuse(out, kClosedScheduleRefusal);
    if (adding) {
        // The customer, address, job type or associate chosen may have been
        // removed, or its key changed, at another workstation since the
        // dialog listed it: the job would name a row that is gone.
        NamedRows()
            .customer(*e.customerNumber)
            .serviceAddress(*e.customerNumber, *e.sAddressSeqNo)
            .jobType(*e.jobTypeCode)
            .associate(*e.associateID)
            .confirm();
        // Two workstations adding the same job at once: the second is refused.
        if (duplicateExists(*e.customerNumber, *e.jobTypeCode, *e.sAddressSeqNo, start))
            return refuse(out, "This job already exists!");
        QStringList names;
        QVariantList values;
        for (const auto &c : columns) {
            names << c.first;
            values << c.second;
        }
        writeSql(QStringLiteral("INSERT INTO CustomerJobs (") + names.join(QStringLiteral(", "))
                     + QStringLiteral(", CustomerNumber, JobTypeCode, LastServiceDate) VALUES (")
                     + QStringList(names.size() + 2, QStringLiteral("?")).join(QStringLiteral(", "))
                     + QStringLiteral(", '')"),
                 values + QVariantList{*e.customerNumber, *e.jobTypeCode});
        out.jobSeqNo = lastInsertId();
    } else {
        // Only what the user changed is written: another workstation's saved
        // change to any other field of the job is kept. A job deleted there
        // meanwhile is a message, not the end of the program.
        const ChangedColumns changed =
            ChangedColumns::between(shown ? shownColumns(*shown) : ChangedColumns::Columns{}, columns);
        // The job itself, and the address and associate it is given now, must
        // still be there; the address among those of the job's own customer.
        const QVariant owner =
            scalarSql(QStringLiteral("SELECT CustomerNumber FROM CustomerJobs WHERE JobSeqNo = ?"), {e.jobSeqNo});
        if (!owner.isValid())
            NamedRows::gone(NamedRows::Kind::CustomerJob);
        NamedRows named;
        if (changed.contains(QStringLiteral("SAddressSeqNo")))
            named.serviceAddress(owner.toLongLong(), *e.sAddressSeqNo);
        if (changed.contains(QStringLiteral("AssociateID")))
            named.associate(*e.associateID);
        named.confirm();
        if (changed.update(QStringLiteral("CustomerJobs"), QStringLiteral("JobSeqNo = ?"), {e.jobSeqNo}) == 0)
            NamedRows::gone(NamedRows::Kind::CustomerJob);
        out.jobSeqNo = e.jobSeqNo;
    }
    t.commit();

    if (opener && (caller == QLatin1String("CustomerJobsManagement") || caller == QLatin1String("Schedule"))) {
        if (adding)
            opener->JobAdded = true;
        else
            opener->JobModified = true;
    }
    out.saved = true;
    return out;
}

bool CustomerJobSave::frequencyRefused(const FrequencyEntry &f, const Ask &ask, CustomerJobSaveOutcome &out)
{
    return frequencyFault(f, ask, out);
}

} // namespace wvs
