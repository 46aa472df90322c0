#include "output/PagedPrintout.h"
#include "common/ExportTarget.h"
#include "common/Formats.h"
#include "core/Session.h"
#include "platform/Desktop.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/PrintSurface.h"
#include "platform/Printers.h"
#include "platform/WaitCursor.h"
#include "platform/WvsError.h"

#include <QDateTime>
#include <QHash>
#include <QTextBoundaryFinder>

namespace wvs {

PagedPrintout::~PagedPrintout() = default;

int PagedPrintout::printOnto(PagedPrintout &printout, PrintSurface &surface)
{
    int index = 0;
    while (printout.drawPage(surface, index)) {
        surface.NewPage();
        ++index;
    }
    surface.NewPage();
    surface.EndDoc();
    return index + 1;
}

void PagedPrintout::printAll(PagedPrintout &printout, QWidget *parent)
{
    // A document that fails is aborted and said so; it is never reported as sent.
    guarded("PagedPrintout", "printAll", [&] {
        if (!printout.load()) {
            msgBox(QStringLiteral("Nothing to print"));
            return;
        }
        std::unique_ptr<PrintSurface> surface = openPrintDocument(parent, printout.orientation());
        if (!surface)
            return;
        if (ExportTarget::isDatabaseFile(surface->outputFile())) {
            // A PDF file never replaces the database every workstation works on.
            msgBox(QStringLiteral("Unable to open ") + surface->outputFile() +
                   QStringLiteral(". Please ensure that it is not in use"));
            return;
        }
        {
            WaitCursor wait;
            printOnto(printout, *surface);   // a throw aborts the document as the surface goes
        }
        msgBox(printout.sentMessage());
    });
}

QImage shippedPicture(const QString &name)
{
    static QHash<QString, QImage> loaded;
    auto it = loaded.find(name);
    if (it == loaded.end()) {
        QImage picture(shippedFile(name));
        if (picture.isNull())
            throw WvsError(ErrorNumber::General, QStringLiteral("File not found: ") + name);
        it = loaded.insert(name, picture);
    }
    return *it;
}

PageFooter PageFooter::now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {Formats::toShortDate(now.date()) + QLatin1Char(' ') + now.time().toString(QStringLiteral("HH:mm:ss")),
            session().currentAssociateName};
}

void PageFooter::draw(PrintSurface &s, const PageMedium &medium, int pageNumber) const
{
    const int W = s.Width();
    const int H = s.Height();
    const QString page = QStringLiteral("Page ") + QString::number(pageNumber);
    s.FontSize = 8;
    s.FontItalic = false;
    s.ForeColor = Qt::black;
    s.Line(515, medium.footerRule(H), W - 515, medium.footerRule(H));
    if (medium.footer == PageMedium::Footer::Screen) {
        s.FontBold = false;
        s.CurrentY += 100;
        s.CurrentX = W - 515 - s.TextWidth(page);
        s.Print(page);
        return;
    }
    s.Print(QString());
    s.FontBold = false;
    s.CurrentX = 515;
    s.Print(QStringLiteral("Date printed: ") + printedAt + QStringLiteral("  By: ") + printedBy, true);
    const double y = qRound(s.CurrentY);
    s.PaintPicture(shippedPicture(QStringLiteral("Footer.bmp")), W / 2 - 1150, y - 100);

    const QColor light(16, 170, 222);
    s.ForeColor = light;
    s.CurrentX = W / 2 - 700;
    s.CurrentY = y;
    s.Print(QStringLiteral("Planned with "), true);
    s.ForeColor = QColor(0, 0, 255);
    s.FontBold = true;
    s.FontItalic = true;
    s.CurrentY = y;
    s.Print(QStringLiteral("Workvane"), true);
    s.ForeColor = light;
    s.FontBold = false;
    s.FontItalic = false;
    s.CurrentY = y;
    s.Print(QStringLiteral(" scheduling"), true);

    s.ForeColor = Qt::black;
    s.CurrentX = medium.pageNumberRightAligned ? (W - 515) - s.TextWidth(page) : W - 1500;
    s.CurrentY = y;
    s.Print(page);
}

namespace {
// A break at `at` moved, where it would fall inside a character as the reader
// sees it (a pair of surrogates, a letter and its accents), to before that
// character, or after it when it is the line's first. Whether a break may fall
// there rests on the text before it and the character at it.
qsizetype betweenCharacters(const QString &text, qsizetype at)
{
    QTextBoundaryFinder upTo(QTextBoundaryFinder::Grapheme, text.left(at + 1));
    upTo.setPosition(at);
    if (upTo.isAtBoundary())
        return at;
    const qsizetype before = upTo.toPreviousBoundary();
    if (before > 0)
        return before;
    QTextBoundaryFinder whole(QTextBoundaryFinder::Grapheme, text);
    whole.setPosition(at);
    return whole.toNextBoundary();
}

// A line break typed in a text, CR LF, LF or CR alone, as one blank.
QString asOneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}
} // namespace

QStringList wrapText(QString text, int n)
{
    n = qMax(n, 1);
    text = asOneLine(text);
    QStringList lines;
    while (text.size() > n) {
        const int blank = text.left(n).lastIndexOf(QLatin1Char(' '));
        const qsizetype take = betweenCharacters(text, blank < 0 ? n : blank + 1);
        lines << text.left(take);
        text.remove(0, take);
    }
    lines << text;
    return lines;
}

namespace {
// How much of a line goes on the first line of it that is no wider than
// `width`: all of it when it fits, else up to its last blank that fits, else
// as many whole characters (as the reader sees them) as fit, at least one.
qsizetype fittingLength(const QString &line, const PrintSurface &s, double width)
{
    if (s.TextWidth(line) <= width)
        return line.size();
    QVector<qsizetype> ends;   // where a break may fall: after each character as the reader sees it
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        ends << at;
    if (ends.size() < 2)
        return line.size();   // one character wider than the line: it goes alone
    // The longest run of whole characters that fits; the whole line does not.
    qsizetype fits = -1;
    for (qsizetype lo = 0, hi = ends.size() - 2; lo <= hi;) {
        const qsizetype mid = (lo + hi) / 2;
        if (s.TextWidth(line.left(ends.at(mid))) <= width) {
            fits = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (fits < 0)
        return ends.first();
    // At the last blank within it, the blank kept at the line's end, as the character count breaks.
    const qsizetype blank = line.left(ends.at(fits)).lastIndexOf(QLatin1Char(' '));
    if (blank > 0 && s.TextWidth(line.left(blank + 1)) <= width)
        return blank + 1;
    return ends.at(fits);
}
} // namespace

QStringList wrapText(const QString &text, int n, const PrintSurface &s, double width)
{
    // Each line is the character count's line from where the last one ended, shortened when it is too wide.
    QStringList lines;
    QString rest = asOneLine(text);
    for (;;) {
        const QString line = wrapText(rest.left(qMax(n, 1) + 1), n).first();
        const qsizetype take = fittingLength(line, s, width);
        if (take == rest.size()) {
            lines << rest;
            return lines;
        }
        lines << rest.left(take);
        rest.remove(0, take);
    }
}

QStringList fitToWidth(QString line, const PrintSurface &s, double width)
{
    QStringList lines;
    for (qsizetype take = fittingLength(line, s, width); take < line.size(); take = fittingLength(line, s, width)) {
        lines << line.left(take);
        line.remove(0, take);
    }
    lines << line;
    return lines;
}

void printFitted(PrintSurface &s, const QString &text, double x, double width, bool rightEdge)
{
    for (const QString &line : fitToWidth(text, s, width)) {
        s.CurrentX = rightEdge ? x - s.TextWidth(line) : x;
        s.Print(line);
    }
}

void printTitle(PrintSurface &s, const PageMedium &medium, const QString &title)
{
    s.FontItalic = false;
    s.FontBold = true;
    s.FontSize = medium.titleSize;
    s.FontName = QStringLiteral("Arial");
    s.ForeColor = Qt::black;
    s.CurrentX = s.Width() / 2 - qRound(s.TextWidth(title)) / 2;
    s.CurrentY = 500;
    s.Print(title);
}

void startRows(PrintSurface &s, const PageMedium &medium)
{
    s.FontBold = false;
    s.FontSize = medium.bodySize;
    s.CurrentY += 150;
}

} // namespace wvs
