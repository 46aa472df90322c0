#pragma once
#include "output/NotesPrintout.h"
#include "output/PageMedium.h"
#include "platform/Form.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <memory>

class QLabel;
class QPushButton;
class QToolButton;

namespace wvs {

class PagedPrintout;

// Where a preview window's controls stand, in the screen's twips (15 to a
// pixel): the window's inner area, the page canvas at its top left corner
// (its height is always 9150) and the two arrows' left edges.
struct PreviewDesign {
    int width;
    int height;
    int canvasWidth;
    int previousLeft;
    int nextLeft;
};

// The page preview of a printout, one page at a time, laid out for the
// screen: the page canvas shows a whole page at the screen's own size, in
// the smaller type of the preview, and its own page breaks. Each page is
// drawn the first time it is shown and kept in this window only
// (compressed), so paging back and forward again shows the same pages
// without drawing them anew, and no other preview ever sees them. Print
// prints the whole printout on paper on the chosen printer and leaves the
// page on show; Close makes the default printer current again.
class PreviewForm : public Form {
    Q_OBJECT
public:
    PreviewForm(const PreviewDesign &design, QWidget *parent = nullptr);
    ~PreviewForm() override;

    int PageNumber = 0;       // the page on show; 0 before the first
    int LastPageNumber = 0;   // once the last page has been drawn
    bool AtFirstPage = false;
    bool AtLastPage = false;

    void NextImage_Click();
    void PreviousImage_Click();
    void PrintButton_Click();
    void ExitButton_Click();

    // The page on show, as drawn, and its texts in the order drawn.
    QImage pageImage() const { return shown_; }
    QStringList pageText() const { return texts_.value(PageNumber); }
    // Pages drawn so far (each is drawn once).
    int pagesDrawn() const { return drawn_; }

protected:
    void firstActivate() override;
    void done(int r) override;
    // Places the controls as designed.
    void applyDesign(const PreviewDesign &design);
    // The printout of the window's Tag laid out for a medium: the screen for
    // the pages shown, paper for Print. nullptr when the Tag names none.
    virtual std::unique_ptr<PagedPrintout> makePrintout(PageMedium::Kind medium) = 0;
    virtual const char *windowName() const = 0;
    // The notes printout of a Tag "number~first date~last date" (dates as
    // short date text, "dd/MM/yyyy"): on the given screen medium, or on paper.
    std::unique_ptr<PagedPrintout> notesPrintout(NotesPrintout::Kind kind, const PageMedium &screen,
                                                 PageMedium::Kind medium) const;

private:
    void showPage();
    void PagingControl();

    std::unique_ptr<PagedPrintout> printout_;
    QHash<int, QByteArray> pages_;
    QHash<int, QStringList> texts_;
    QImage shown_;
    int drawn_ = 0;
    bool restored_ = false;

    QLabel *Pic;
    QToolButton *PreviousImage;
    QToolButton *NextImage;
    QPushButton *ExitButton;
    QPushButton *PrintButton;
};

} // namespace wvs
