#pragma once
#include "output/PageMedium.h"

#include <QImage>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

namespace wvs {

class PrintSurface;

// A printout drawn one page at a time, laid out for its medium: the printer's
// sheet, or a preview's page canvas (the same rules, with the sizes, reserves
// and footer of the medium). Each printout reads its rows once (load), then
// draws page k from where page k - 1 ended: the pages' starting points are
// kept as they are found, so a preview can go back to any page it has shown.
class PagedPrintout {
public:
    explicit PagedPrintout(PageMedium medium) : medium_(std::move(medium)) {}
    virtual ~PagedPrintout();

    const PageMedium &medium() const { return medium_; }

    // Reads the rows; false when there is nothing to print.
    virtual bool load() = 0;
    virtual QPageLayout::Orientation orientation() const = 0;
    // The message shown when the printout has gone to the printer.
    virtual QString sentMessage() const = 0;

    // Draws page `index` (from 0) on the surface, ending with its footer.
    // Pages are drawn in order the first time; any page already reached may
    // be drawn again. Returns true when another page follows.
    virtual bool drawPage(PrintSurface &surface, int index) = 0;

    // Pages whose start is known (drawn, or the one after the last drawn).
    virtual int pagesReached() const = 0;

    // Prints every page on the current printer. Shows "Nothing to print"
    // when there are no rows, and the sent message when done; a cancelled
    // choice of PDF file prints nothing. A failure aborts the document.
    static void printAll(PagedPrintout &printout, QWidget *parent);
    // Prints onto a surface already open and ends the document; the page count.
    static int printOnto(PagedPrintout &printout, PrintSurface &surface);

protected:
    PageMedium medium_;
};

// Pictures shipped beside the program ("Footer.bmp", "Checkbox.bmp").
QImage shippedPicture(const QString &name);

// The foot of every page. On paper: a rule, the date printed, who printed,
// the mark and tag line and the page number; on screen: a rule and the page
// number at the right.
struct PageFooter {
    QString printedAt;   // fixed when the printout starts
    QString printedBy;
    // The foot of a printout starting now, printed by the associate logged on.
    static PageFooter now();
    void draw(PrintSurface &s, const PageMedium &medium, int pageNumber) const;
};

// Ends page `index` of a printout that keeps its pages' starting points:
// draws the footer and, the first time the page is drawn, keeps where the
// next page starts. True: another page follows.
template <class Start>
bool endPage(PrintSurface &s, const PageMedium &medium, const PageFooter &footer, int index, QVector<Start> &starts,
             const Start &next)
{
    footer.draw(s, medium, index + 1);
    if (starts.size() == index + 1)
        starts << next;
    return true;
}

// A page's title, centred at the top in bold Arial of the medium's title size.
void printTitle(PrintSurface &s, const PageMedium &medium, const QString &title);

// Under a page's header: the rows start in plain body type a little lower.
void startRows(PrintSurface &s, const PageMedium &medium);

// Splits a text into lines of at most n characters (at least one), each
// broken after the last blank within them (or after exactly n characters when
// there is none; a little before, rather than inside a character as the reader
// sees it). A line break typed in the text, CR LF, LF or CR alone, becomes one
// blank, so the words on either side never run together. The last line may be
// empty.
QStringList wrapText(QString text, int n);

// A text's lines on the page: each line as the character count above takes it
// from where the line before ended, shortened as fitToWidth shortens it when
// it would be wider than `width` twips in the surface's current font. A text
// that fits breaks as by the count alone; every character is on a line that fits.
QStringList wrapText(const QString &text, int n, const PrintSurface &s, double width);

// A line as it goes on the page: whole when it is no wider than `width` twips
// in the surface's current font, else broken after its last blank that fits,
// or, with none, inside the word as far as it fits. A break never splits a
// character as the reader sees it (a letter with its accents, a pair of
// surrogates); a line holds at least one. Every character is kept.
QStringList fitToWidth(QString line, const PrintSurface &s, double width);

// Prints the lines of fitToWidth at x, one under the other; `rightEdge` puts
// each line's end at x instead.
void printFitted(PrintSurface &s, const QString &text, double x, double width, bool rightEdge = false);

} // namespace wvs
