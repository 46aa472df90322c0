#pragma once
#include <QPageLayout>
#include <QSize>
#include <QStringList>
#include <memory>

class QWidget;

namespace wvs {

class PrintSurface;

// The printers a user can print on: the workstation's printers, then one
// entry "PDF file" that asks where to save and writes the pages there, so a
// workstation without a printer can still print.
QStringList installedPrinters();
int defaultPrinterIndex(); // position in installedPrinters() of the workstation's default printer
QString pdfFileEntry();    // "PDF file"
bool workstationHasPrinter();

// The printer printouts go to: a position in installedPrinters(). Starts as
// the default printer; callers make the chosen one current before a printout
// or a preview and the default one current again afterwards.
int currentPrinterIndex();
void setCurrentPrinter(int index);

// The sheet in twips of the printer at a position, or of the current one,
// for an orientation.
QSize printerPageSize(int index, QPageLayout::Orientation orientation);
QSize currentPageSize(QPageLayout::Orientation orientation);

// Starts a document on the current printer. For the PDF entry the user is
// asked where to save; nullptr when he cancels.
std::unique_ptr<PrintSurface> openPrintDocument(QWidget *parent, QPageLayout::Orientation orientation);

// Test stand-in: while installed, these are the workstation's printers.
class PrinterScript {
public:
    explicit PrinterScript(QStringList printers, int defaultIndex = 0);
    ~PrinterScript();
    PrinterScript(const PrinterScript &) = delete;
    PrinterScript &operator=(const PrinterScript &) = delete;
    QStringList printers;
    int defaultIndex;
    // False: not even the PDF file is offered, a desktop with nothing
    // installed to print on.
    bool pdfFile = true;
    static PrinterScript *current();

private:
    PrinterScript *previous_;
};

} // namespace wvs
