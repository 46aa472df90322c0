#pragma once
#include "jobs/RecurrenceCode.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

class CustomerJobOpener;

// The frequency frame's controls as the user left them; boxes as typed,
// lists as 0-based positions (-1: nothing chosen), the weekday boxes as the
// sum of MondayCheck 1 .. SundayCheck 64. subOption as in FrequencySettings.
struct FrequencyEntry {
    FrequencyOption option = FrequencyOption::None;
    int subOption = 0;
    QString dailyText1;
    QString weeklyText1;
    int weekdayMask = 0;
    QString monthlyText1, monthlyText2, monthlyText3, monthlyText4;
    int monthlyCombo1 = -1, monthlyCombo2 = -1;
    int yearlyCombo1 = -1;
    QString yearlyText1;
    int yearlyCombo2 = -1, yearlyCombo3 = -1, yearlyCombo4 = -1;
};

// Which end option is selected: none of the three, "None", "On" or "After".
enum class JobEnd { Unchosen, NoEnd, OnDate, After };

// Everything the customer-job dialog hands to its save.
struct CustomerJobEntry {
    QString mode;                           // "Add" or "Modify"
    qint64 jobSeqNo = 0;                    // Modify: the job being changed
    std::optional<qint64> customerNumber;   // none: no customer chosen
    bool suburbChosen = false;
    std::optional<qint64> sAddressSeqNo;    // none: no address chosen
    QString startDateText;                  // "dd MMM yyyy" as the date pop-up wrote it, '' for none
    JobEnd end = JobEnd::Unchosen;
    QString endDateText;
    QString occurrencesText;
    QString costText;
    std::optional<QString> jobTypeCode;     // none: no job type chosen
    std::optional<QString> associateID;     // none: no associate chosen
    FrequencyEntry frequency;
    QString comment;
    bool commentOnSchedule = false;
    bool asRequired = false;
    bool suspended = false;
    bool prospective = false;
};

struct CustomerJobSaveOutcome {
    bool saved = false;
    QString message;                  // the refusal; empty when the user said No to a question
    QString focus;                    // objectName of the control that takes the focus; empty for none
    std::optional<QString> costText;  // the cost box's new text, once the cost has passed its checks
    qint64 jobSeqNo = 0;              // the row written
    int frequency = 0;                // the recurrence code written
};

// Checks and writes one customer job. The checks run in a fixed order and
// stop at the first fault; nothing is written unless all pass.
class CustomerJobSave {
public:
    using Ask = std::function<bool(const QString &)>;

    // The whole save: checks, recurrence code, the row, and the opener's
    // JobAdded (Add) or JobModified (Modify) when the caller is the job list
    // ("CustomerJobsManagement") or the schedule window ("Schedule"). Given
    // the entry as the dialog first showed it, a Modify writes only the
    // fields the user changed.
    static CustomerJobSaveOutcome save(const CustomerJobEntry &entry, const QString &caller,
                                       CustomerJobOpener *opener, const Ask &ask,
                                       const CustomerJobEntry *shown = nullptr);

    // The checks alone; saved is true when every check passed.
    static CustomerJobSaveOutcome check(const CustomerJobEntry &entry, const Ask &ask);

    // A job with no end, an end date other than its start date, or more than
    // one occurrence recurs; otherwise it is a one-off.
    static bool isRecurring(const CustomerJobEntry &entry);

    // The code stored for the entry. A one-off job always falls on its start
    // date: when its frequency controls are incomplete or their rule would not
    // give the start date itself, it is stored as every day (1), which its
    // single occurrence or end date cuts down to that one day.
    static int frequencyCode(const CustomerJobEntry &entry);

    // The frequency controls as numbers for the encoder; a box that does not
    // hold a whole number reads as not a number.
    static FrequencySettings settingsOf(const FrequencyEntry &f);

    // The checks of the frequency frame's chosen kind; true with out's
    // message and focus filled on a fault (an empty message when the user
    // declined the question). No kind chosen is a fault of its own.
    static bool frequencyRefused(const FrequencyEntry &f, const Ask &ask, CustomerJobSaveOutcome &out);
    // Where a job with no end option chosen is stopped: the customer-job save
    // asks for the option straight after the start date, the portal request's
    // save once the cost, the job type and the associate have passed.
    enum class EndOptionCheck { AfterStart, AfterChoices };
    // The checks of the job itself: the start date (given, outside every
    // closed schedule), the end (its date or its occurrences), the cost, the
    // job type and the associate, with the end option's own check where
    // endOption puts it. True with out's message and focus filled on a fault;
    // once the cost passes, out's costText is its reformatted text.
    static bool jobRefused(const CustomerJobEntry &entry, CustomerJobSaveOutcome &out,
                           EndOptionCheck endOption = EndOptionCheck::AfterStart);

    // A closed schedule covers the date.
    static bool startsInClosedSchedule(const QDate &start);
    // A job with this customer, job type, service address and start date exists.
    static bool duplicateExists(qint64 customerNumber, const QString &jobTypeCode, qint64 sAddressSeqNo,
                                const QDate &start);
};

} // namespace wvs
