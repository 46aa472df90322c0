#pragma once
#include <QDate>
#include <QDateTime>
#include <QSize>
#include <QString>
#include <array>

namespace wvs {

// What a printout's pages are laid out for: a sheet of the printer, or the
// page canvas of a preview window. The printouts lay out their pages by one
// set of rules; everything that differs between paper and screen is here.
struct PageMedium {
    enum class Kind { Paper, Screen };
    enum class DateForm {
        Short,          // "07/12/2026"
        DayMonYear,     // "07 Dec 2026"
        DayMonthYear,   // "07-December-2026"
        DateAndTime,    // "07/12/2026 14:05:00", the time left out at midnight
    };
    enum class Footer {
        Printed,   // rule at H - 1440, date printed and by whom, the mark, tag line and "Page n"
        Screen,    // rule at H - 600 and "Page n" at the right
    };

    Kind kind = Kind::Paper;
    QSize page;   // twips; empty on paper: the sheet of the printer printed on

    // Type sizes in points.
    double titleSize = 14;
    double companySize = 12;
    double contactSize = 8;
    double groupSize = 12;      // the heading's associate line, or the notes' period line
    double headingsSize = 9;    // column headings
    double bodySize = 9;
    double dateLineSize = 12;   // a new service date within a page

    // Reserves: how far above the foot of the page (H) each thing may still start.
    int rowReserve = 2000;        // a schedule row starts on the page while CurrentY <= H - rowReserve
    int dateLineReserve = 4000;   // a date line, else the new date starts a page
    int noteReserve = 4000;       // a note's first line
    int lineReserve = 2000;       // a further line of a comment or note text
    // The comment test measures the top of the line drawn last (else of the line to draw).
    bool lineTestOnLineDrawn = false;

    // Comment line lengths for comment columns wider than 11000, 9500, 8000,
    // 6500, 5000, 3500 and 2500 twips, and for any narrower column.
    std::array<int, 8> commentLengths{120, 105, 90, 75, 60, 45, 25, 15};
    int noteLineLength = 120;
    bool emptyNoteTakesALine = true;   // an empty note text still takes a line

    DateForm groupDate = DateForm::Short;            // in the schedule's associate line
    DateForm periodFrom = DateForm::Short;           // the notes' period line
    DateForm periodTo = DateForm::Short;
    DateForm noteTime = DateForm::DateAndTime;       // a note's first line
    int periodGap = 300;                             // the period line below the title

    Footer footer = Footer::Printed;
    bool pageNumberRightAligned = true;   // printed footer: else it starts at W - 1500

    // The y of the footer's rule on a page of height h: nothing else is drawn across it.
    int footerRule(int h) const { return footer == Footer::Printed ? h - 1440 : h - 600; }
    int commentLineLength(double columnWidth) const;
    QString date(const QDate &d, DateForm form) const;
    QString dateTime(const QDateTime &t, DateForm form) const;

    // The job schedule on paper, and in its preview.
    static PageMedium jobSchedulePaper();
    static PageMedium jobScheduleScreen(bool portrait);
    // The notes printouts on paper, and in their previews.
    static PageMedium notesPaper();
    static PageMedium scheduleNotesScreen();
    static PageMedium customerNotesScreen();
};

} // namespace wvs
