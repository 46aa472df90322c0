#include "output/NotesPrintout.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "output/PreviewCustomerNotesForm.h"
#include "output/PreviewScheduleNotesForm.h"
#include "platform/Modal.h"
#include "platform/Printers.h"
#include "platform/PrintSurface.h"
#include "core/Session.h"

#include <QSqlQuery>

namespace wvs {

namespace {
constexpr int kMargin = 515;
} // namespace

NotesPrintout::NotesPrintout(Kind kind, qint64 number, QDate from, QDate to)
    : NotesPrintout(kind, number, from, to, PageMedium::notesPaper())
{
}

NotesPrintout::NotesPrintout(Kind kind, qint64 number, QDate from, QDate to, PageMedium medium)
    : PagedPrintout(std::move(medium)), kind_(kind), number_(number), from_(from), to_(to)
{
}

QString NotesPrintout::sentMessage() const
{
    return kind_ == Kind::Schedule ? QStringLiteral("Schedule Notes sent to printer")
                                   : QStringLiteral("Customer Notes sent to printer");
}

bool NotesPrintout::load()
{
    notes_.clear();
    starts_.clear();
    // Note times are "yyyy-MM-dd HH:mm:ss": the first ten characters are the day.
    const QVariantList params{number_, Formats::toStoredDate(from_), Formats::toStoredDate(to_)};
    QSqlQuery q;
    if (kind_ == Kind::Schedule) {
        q = execSql(QStringLiteral(
            "SELECT n.NoteDateTime, n.NoteAuthor, n.NoteDetail, n.NoteType, c.Surname, c.Forename, a.SAddress1, a.SSuburb "
            "FROM ScheduleJobNotes n "
            "JOIN CustomerJobs cj ON cj.JobSeqNo = n.JobSeqNo "
            "JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber "
            "JOIN CustomerServiceAddresses a ON a.CustomerNumber = cj.CustomerNumber AND a.SAddressSeqNo = cj.SAddressSeqNo "
            "WHERE n.ScheduleNumber = ? AND substr(n.NoteDateTime, 1, 10) BETWEEN ? AND ? "
            "ORDER BY n.NoteDateTime DESC"), params);
    } else {
        q = execSql(QStringLiteral(
            "SELECT n.NoteDateTime, n.NoteAuthor, n.NoteDetail, '', c.Surname, c.Forename "
            "FROM CustomerNotes n JOIN Customers c ON c.CustomerNumber = n.CustomerNumber "
            "WHERE c.CustomerNumber = ? AND substr(n.NoteDateTime, 1, 10) BETWEEN ? AND ? "
            "ORDER BY n.NoteDateTime DESC"), params);
    }
    while (q.next()) {
        Note n;
        n.time = Formats::fromStoredDateTime(q.value(0).toString());
        n.author = q.value(1).toString();
        n.text = q.value(2).toString();
        if (kind_ == Kind::Schedule) {
            n.before << QStringLiteral("Customer: ") + q.value(5).toString() + QLatin1Char(' ') + q.value(4).toString()
                     << QStringLiteral("Service address: ") + q.value(6).toString() + QLatin1Char(' ') +
                            q.value(7).toString();
            n.after = QStringLiteral("Note type: ") + q.value(3).toString();
            n.hasAfter = true;
        } else if (notes_.isEmpty()) {
            surname_ = q.value(4).toString();
            forename_ = q.value(5).toString();
        }
        notes_ << n;
    }
    if (notes_.isEmpty())
        return false;
    footer_ = PageFooter::now();
    starts_ << PageStart{};
    return true;
}

void NotesPrintout::printHeader(PrintSurface &s) const
{
    const PageMedium &m = medium_;
    const int W = s.Width();
    printTitle(s, m, kind_ == Kind::Schedule ? QStringLiteral("Schedule Job Notes") : QStringLiteral("Customer Notes"));
    s.FontSize = m.groupSize;
    const QString dates = QStringLiteral("From: ") + m.date(from_, m.periodFrom) + QStringLiteral("     To: ") +
                          m.date(to_, m.periodTo);
    s.CurrentY += m.periodGap;
    s.CurrentX = W / 2 - qRound(s.TextWidth(dates)) / 2;
    s.Print(dates);
    if (kind_ == Kind::Customer) {
        s.CurrentY += 300;
        printFitted(s, QStringLiteral("Customer: ") + forename_ + QLatin1Char(' ') + surname_, kMargin, W - 2 * kMargin);
    }
    s.Line(kMargin, s.CurrentY + 200, W - kMargin, s.CurrentY + 200);
}

bool NotesPrintout::drawPage(PrintSurface &s, int index)
{
    const PageMedium &m = medium_;
    const PageStart start = starts_.at(index);
    const int W = s.Width();
    const int H = s.Height();
    const double width = W - 2 * kMargin;   // every line ends by the right margin
    printHeader(s);
    startRows(s, m);
    auto pageEnds = [&](const PageStart &next) { return endPage(s, m, footer_, index, starts_, next); };

    for (int i = start.note; i < notes_.size(); ++i) {
        const Note &n = notes_.at(i);
        const bool carried = i == start.note && start.line >= 0;   // the rest of a note begun on the page before
        const int first = carried ? start.line : 0;
        if (!carried) {
            if (s.CurrentY > H - m.noteReserve)
                return pageEnds({i, -1});
            printFitted(s, m.dateTime(n.time, m.noteTime) + QLatin1Char(' ') + n.author, kMargin, width);
            for (const QString &line : n.before)
                printFitted(s, line, kMargin, width);
        }
        QStringList lines = wrapText(n.text, m.noteLineLength, s, width);
        if (!m.emptyNoteTakesALine && lines.last().isEmpty())
            lines.removeLast();
        for (int l = first; l < lines.size(); ++l) {
            // A line is drawn while its top is within the reserve, else it and
            // the rest go on at the top of the next page, where the first of
            // them is always drawn.
            if (!(carried && l == first) && s.CurrentY > H - m.lineReserve)
                return pageEnds({i, l});
            s.CurrentX = kMargin;
            s.Print(lines.at(l));
        }
        if (n.hasAfter)
            printFitted(s, n.after, kMargin, width);
        s.Line(kMargin, s.CurrentY + 100, W - kMargin, s.CurrentY + 100);
        s.CurrentY += 150;
    }
    footer_.draw(s, m, index + 1);
    return false;
}

void PrintScheduleNotes(qint64 scheduleNumber, const QDate &from, const QDate &to, QWidget *parent)
{
    NotesPrintout printout(NotesPrintout::Kind::Schedule, scheduleNumber, from, to);
    PagedPrintout::printAll(printout, parent);
}

void PrintCustomerNotes(qint64 customerNumber, const QDate &from, const QDate &to, QWidget *parent)
{
    NotesPrintout printout(NotesPrintout::Kind::Customer, customerNumber, from, to);
    PagedPrintout::printAll(printout, parent);
}

void PrintOrPreviewNotes(NotesPrintout::Kind kind, qint64 number, const QDate &from, const QDate &to,
                         int printerIndex, bool preview, QWidget *opener)
{
    setCurrentPrinter(printerIndex);
    if (preview) {
        // The preview makes the default printer current again when it closes.
        std::unique_ptr<PreviewForm> window;
        if (kind == NotesPrintout::Kind::Customer)
            window = std::make_unique<PreviewCustomerNotesForm>(opener);
        else
            window = std::make_unique<PreviewScheduleNotesForm>(opener);
        window->Tag = QString::number(number) + QLatin1Char('~') + Formats::toShortDate(from) + QLatin1Char('~') +
                      Formats::toShortDate(to);
        showModal(window.get());
        return;
    }
    struct Restore {
        ~Restore() { setCurrentPrinter(session().defaultPrinterIndex); }
    } restore;
    if (kind == NotesPrintout::Kind::Customer)
        PrintCustomerNotes(number, from, to, opener);
    else
        PrintScheduleNotes(number, from, to, opener);
}

} // namespace wvs
