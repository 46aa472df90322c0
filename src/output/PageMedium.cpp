#include "output/PageMedium.h"
#include "common/Formats.h"

namespace wvs {

namespace {
// The preview canvases, in the screen's twips (15 to a pixel).
constexpr int kLandscapeCanvasWidth = 15000;
constexpr int kPortraitCanvasWidth = 11610;
constexpr int kCanvasHeight = 9150;
} // namespace

int PageMedium::commentLineLength(double w) const
{
    static constexpr double widths[] = {11000, 9500, 8000, 6500, 5000, 3500, 2500};
    for (int i = 0; i < 7; ++i)
        if (w > widths[i])
            return commentLengths[i];
    return commentLengths[7];
}

QString PageMedium::date(const QDate &d, DateForm form) const
{
    switch (form) {
    case DateForm::DayMonYear:
        return Formats::toDisplayDate(d);
    case DateForm::DayMonthYear:
        return d.isValid() ? QStringLiteral("%1-%2-%3")
                                 .arg(d.day(), 2, 10, QLatin1Char('0'))
                                 .arg(Formats::monthName(d.month()))
                                 .arg(d.year(), 4, 10, QLatin1Char('0'))
                           : QString();
    case DateForm::Short:
    case DateForm::DateAndTime:
        break;
    }
    return Formats::toShortDate(d);
}

QString PageMedium::dateTime(const QDateTime &t, DateForm form) const
{
    if (form != DateForm::DateAndTime)
        return date(t.date(), form);
    QString text = Formats::toShortDate(t.date());
    if (t.time() != QTime(0, 0))
        text += QLatin1Char(' ') + t.time().toString(QStringLiteral("HH:mm:ss"));
    return text;
}

PageMedium PageMedium::jobSchedulePaper() { return PageMedium(); }

PageMedium PageMedium::jobScheduleScreen(bool portrait)
{
    PageMedium m;
    m.kind = Kind::Screen;
    m.page = QSize(portrait ? kPortraitCanvasWidth : kLandscapeCanvasWidth, kCanvasHeight);
    m.titleSize = 12;
    m.companySize = 10;
    m.contactSize = 8;
    m.groupSize = 10;
    m.headingsSize = 8;
    m.bodySize = 8;
    m.dateLineSize = 10;
    m.rowReserve = 1000;
    m.dateLineReserve = 2000;
    m.lineReserve = 1000;
    m.lineTestOnLineDrawn = true;
    m.commentLengths = {130, 115, 100, 85, 70, 55, 35, 20};
    m.groupDate = DateForm::DayMonYear;
    m.footer = Footer::Screen;
    return m;
}

PageMedium PageMedium::notesPaper()
{
    PageMedium m;
    m.titleSize = 12;
    m.groupSize = 10;
    m.pageNumberRightAligned = false;
    return m;
}

PageMedium PageMedium::scheduleNotesScreen()
{
    PageMedium m = notesPaper();
    m.kind = Kind::Screen;
    m.page = QSize(kPortraitCanvasWidth, kCanvasHeight);
    m.bodySize = 8;
    m.periodGap = 150;
    m.noteReserve = 1650;
    m.lineReserve = 1100;
    m.noteLineLength = 110;
    m.emptyNoteTakesALine = false;
    m.footer = Footer::Screen;
    m.pageNumberRightAligned = true;
    return m;
}

PageMedium PageMedium::customerNotesScreen()
{
    PageMedium m = scheduleNotesScreen();
    m.bodySize = 9;
    m.periodGap = 300;
    m.noteReserve = 1200;
    m.periodFrom = DateForm::DayMonYear;
    m.periodTo = DateForm::DayMonthYear;
    m.noteTime = DateForm::DayMonYear;
    return m;
}

} // namespace wvs
