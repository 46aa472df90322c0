#pragma once
#include "jobs/CustomerJobRecords.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace wvs {

class FlexGrid;

// The filters of the customer-job list. A filter that is not set applies no
// condition.
struct CustomerJobFilters {
    qint64 customerNumber = 0;           // not 0: that customer's jobs only, every other filter ignored
    QString surname;                     // contained anywhere in the customer's surname
    std::optional<QString> suburb;       // the service address's suburb
    std::optional<QString> jobTypeCode;
    std::optional<QString> associateID;
    std::optional<bool> prospective;
    std::optional<bool> suspended;
    std::optional<bool> asRequired;
    QDate activeAsAt;                    // null: no active-date test
};

// The grid columns of the list.
namespace JobListColumn {
enum {
    Associate = 1, Customer, ServiceAddress, ServiceLocation, JobType, Day, Frequency, Cost, Start, End,
    Key = 12, CustomerStatus, FrequencyCode, CostValue, StartSerial, EndSerial, Suspended, Prospective,
    AsRequired, SAddressSeqNo, AssociateActive,
    Count = 23
};
}

// How a row is drawn: its text colour and whether it is bold.
struct JobRowStyle {
    QColor color;
    bool bold = false;
    bool operator==(const JobRowStyle &) const = default;
};

// The customer-job listing: its query, the words and colours of its rows and
// the active-date test.
class CustomerJobList {
public:
    // The grid rows (every one of JobListColumn::Count cells) of the jobs that
    // pass the filters, in the database's order. jobTypes are the job type
    // list the window read at load (code, description).
    static QVector<QStringList> rows(const CustomerJobFilters &filters, const QList<KeyedItem> &jobTypes);

    // "Once", "Daily", "Weekly", "Monthly", "Yearly" or empty.
    static QString classWord(int occurrences, const QString &startDate, const QString &endDate, int frequency);

    // The first rule that holds: customer prospective, associate inactive,
    // customer inactive, job suspended, job prospective, job as required.
    static JobRowStyle rowStyle(int customerStatus, bool associateActive, bool suspended, bool prospective,
                                bool asRequired);
    // The same read from a grid row's hidden columns.
    static JobRowStyle rowStyle(const QStringList &cells);

    // The active-date test: whether a job counts as under way on the date.
    // Dates are stored "yyyy-MM-dd" texts ('' for none).
    static bool activeAt(const QDate &asAt, int customerStatus, bool suspended, const QString &startDate,
                         const QString &endDate, int frequency, const QString &lastServiceDate);

    // The grid column a position of the sort list sorts on: the shown column
    // for the texts, the hidden value column for cost and dates.
    static int sortColumn(int sortPosition);

    // Rows at and above this many (the heading row included) are not coloured.
    static constexpr int ColourLimit = 5000;

    // A job list's grid (this one's or the portal requests'): shaded and each
    // row drawn in its style, unless the list has ColourLimit rows or more.
    using StyleOf = std::function<JobRowStyle(int row)>;
    static void colourGrid(FlexGrid *grid, const StyleOf &styleOf);
    // Sorts the grid on a column, colours it, and shows it from the top with
    // no row selected.
    static void sortGrid(FlexGrid *grid, int column, bool ascending, const StyleOf &styleOf);

    // The heading row of a job list's grid of `columns` columns: the first
    // shown column heads who does the job, the tenth the date after the start.
    static QStringList gridHeadings(int columns, const QString &firstHeading, const QString &lastHeading);
    // Lays out a job list's grid: the heading row, the widths (twips) of the
    // first ten columns, the tenth taking what the others leave, the columns
    // from the twelfth on hidden, and the alignments.
    static void setUpGrid(FlexGrid *grid, const QStringList &headings, const int (&widths)[10]);

    static QString boolText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
};

} // namespace wvs
