#pragma once
#include <QImage>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <QVector>

class QWidget;

namespace wvs {

class PrintSurface;

// A printout drawn one page at a time, so the printer and the previews lay
// out the same pages. Each printout reads its rows once (load), then draws
// page k from where page k - 1 ended: the pages' starting points are kept as
// they are found, so a preview can go back to any page it has shown.
class PagedPrintout {
public:
    virtual ~PagedPrintout();

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
};

// Pictures shipped beside the program ("Footer.bmp", "Checkbox.bmp").
QImage shippedPicture(const QString &name);

// The frame of every printed page: the footer with the date printed, who
// printed, the mark and tag line and the page number.
struct PageFooter {
    QString printedAt;   // fixed when the printout starts
    QString printedBy;
    // Page number right-aligned at the right margin, or starting at a fixed x.
    bool pageNumberRightAligned = true;
    void draw(PrintSurface &s, int pageNumber) const;
};

// Ends page `index` of a printout that keeps its pages' starting points:
// draws the footer and, the first time the page is drawn, keeps where the
// next page starts. True: another page follows.
template <class Start>
bool endPage(PrintSurface &s, const PageFooter &footer, int index, QVector<Start> &starts, const Start &next)
{
    footer.draw(s, index + 1);
    if (starts.size() == index + 1)
        starts << next;
    return true;
}

// Under a page's header: the rows start in plain 9 point type a little lower.
void startRows(PrintSurface &s);

// The comment line length for a comment column of `width` twips; columns
// narrower than the table's smallest width get its smallest length.
int commentLineLength(double width);

// Splits a text into lines of at most n characters, each broken after the
// last blank within them (or after exactly n characters when there is none);
// CR LF pairs become one blank. The last line may be empty.
QStringList wrapText(QString text, int n);

} // namespace wvs
