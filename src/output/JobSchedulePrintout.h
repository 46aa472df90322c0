#pragma once
#include "output/PagedPrintout.h"
#include "output/SchedulePrintSelection.h"

#include <QDate>
#include <QStringList>
#include <QVector>

namespace wvs {

// The job schedule of one stored schedule, on paper or in its preview: a
// section per associate, within it a group per service date, one row per
// scheduled job in the chosen columns. An occurrence not yet done carries no
// associate of its own and is printed under its customer job's associate.
// A row never runs across the page's footer: one that would begins the next
// page. A comment that does not fit goes on at the comments column of the
// next page, with the check box beside its last line.
class JobSchedulePrintout : public PagedPrintout {
public:
    // associateID empty: every associate. Laid out on paper unless a medium is given.
    JobSchedulePrintout(qint64 scheduleNumber, QString associateID, SchedulePrintSelection options);
    JobSchedulePrintout(qint64 scheduleNumber, QString associateID, SchedulePrintSelection options, PageMedium medium);

    bool load() override;
    QPageLayout::Orientation orientation() const override;
    QString sentMessage() const override { return QStringLiteral("Job Schedule sent to printer"); }
    bool drawPage(PrintSurface &surface, int index) override;
    int pagesReached() const override { return int(starts_.size()); }

    int rowCount() const { return int(occurrences_.size()); }

    // The width the chosen columns need on a sheet, margins included, with
    // the comments at their narrowest; in twips.
    static int requiredWidth(const SchedulePrintSelection &o);
    // Whether the chosen columns go across an upright sheet of that width in
    // twips: a choice exactly as wide as the sheet fits.
    static bool fitsUpright(const SchedulePrintSelection &o, int pageWidth) { return requiredWidth(o) <= pageWidth; }

    // Where a page starts: its first row, the comment line of that row it
    // goes on with (0: the row starts afresh), and the group it shows.
    struct PageStart {
        int row = 0;
        int commentLine = 0;
        int associate = 0;
        qint64 date = 0;   // Julian day
    };
    const QVector<PageStart> &pageStarts() const { return starts_; }

private:
    struct Job {
        QString customer, address1, address2, address3, suburb, phone, jobType, cost;
        QString customerComment, jobComment;   // empty unless shown on schedules
    };
    struct Occurrence {
        int job;
        int associate;
        qint64 date;
    };
    void printHeader(PrintSurface &s);
    void printDateLine(PrintSurface &s);
    QString associateLine() const;
    // The chosen columns before the comments, side by side.
    static int columnsWidth(const SchedulePrintSelection &o);
    // A chosen column of a job's row (not its comment): its width and its lines.
    struct Column {
        int width;
        QStringList lines;
    };
    QVector<Column> columnsOf(const Job &job) const;

    qint64 scheduleNumber_;
    QString associateID_;
    SchedulePrintSelection o_;
    QString companyName_, companyPhone_, companyEmail_;
    PageFooter footer_;
    QVector<Job> jobs_;
    QStringList associateNames_;
    QVector<Occurrence> occurrences_;
    QVector<PageStart> starts_;
    int currentAssociate_ = 0;
    qint64 currentDate_ = 0;
};

// Prints the job schedule on the current printer.
void PrintWorkvane(qint64 scheduleNumber, const QString &associateID, QWidget *parent = nullptr);

} // namespace wvs
