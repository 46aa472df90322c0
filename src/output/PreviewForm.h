#pragma once
#include "platform/Form.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSize>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace wvs {

class PagedPrintout;

// The page preview of a printout, one page at a time, with the printer's own
// page breaks. Each page is drawn the first time it is shown and kept in this
// window only (compressed), so paging back and forward again shows the same
// pages without drawing them anew, and no other preview ever sees them.
// Print prints the whole printout again on the chosen printer; Close makes
// the default printer current again.
class PreviewForm : public Form {
    Q_OBJECT
public:
    explicit PreviewForm(QWidget *parent = nullptr);
    ~PreviewForm() override;

    int PageNumber = 0;       // the page on show; 0 before the first
    int LastPageNumber = 0;   // once the last page has been drawn
    bool AtFirstPage = false;
    bool AtLastPage = false;

    void NextImage_Click();
    void PreviousImage_Click();
    void PrintButton_Click();
    void ExitButton_Click();

    // The page on show, as drawn.
    QImage pageImage() const { return shown_; }
    // Pages drawn so far (each is drawn once).
    int pagesDrawn() const { return drawn_; }

protected:
    void firstActivate() override;
    void done(int r) override;
    // The printout of the window's Tag; nullptr when the Tag names none.
    virtual std::unique_ptr<PagedPrintout> makePrintout() = 0;
    virtual const char *windowName() const = 0;

private:
    void showPage();
    void PagingControl();

    std::unique_ptr<PagedPrintout> printout_;
    QHash<int, QByteArray> pages_;
    QSize pageTwips_;
    double dpi_ = 96;
    QImage shown_;
    int drawn_ = 0;
    bool restored_ = false;

    QScrollArea *Scroll;
    QLabel *Pic;
    QToolButton *PreviousImage;
    QToolButton *NextImage;
    QPushButton *ExitButton;
    QPushButton *PrintButton;
};

} // namespace wvs
