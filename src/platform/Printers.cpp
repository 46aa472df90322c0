#include "platform/Printers.h"
#include "platform/FileDialog.h"
#include "platform/PrintSurface.h"

#include <QPrinterInfo>

namespace wvs {

namespace {
PrinterScript *g_printers = nullptr;
int g_current = -1;   // -1: the default printer

QStringList workstationPrinters()
{
    if (auto *s = PrinterScript::current())
        return s->printers;
    return QPrinterInfo::availablePrinterNames();
}

// The device name of a position; empty for the PDF entry.
QString deviceAt(int index)
{
    const QStringList names = workstationPrinters();
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}
} // namespace

PrinterScript::PrinterScript(QStringList p, int d) : printers(std::move(p)), defaultIndex(d), previous_(g_printers)
{
    g_printers = this;
    g_current = -1;
}
PrinterScript::~PrinterScript()
{
    g_printers = previous_;
    g_current = -1;
}
PrinterScript *PrinterScript::current() { return g_printers; }

QString pdfFileEntry() { return QStringLiteral("PDF file"); }

bool workstationHasPrinter() { return !workstationPrinters().isEmpty(); }

QStringList installedPrinters()
{
    QStringList names = workstationPrinters();
    if (const PrinterScript *s = PrinterScript::current(); !s || s->pdfFile)
        names << pdfFileEntry();
    return names;
}

int defaultPrinterIndex()
{
    const QStringList names = workstationPrinters();
    if (names.isEmpty())
        return 0;   // the PDF entry
    if (auto *s = PrinterScript::current())
        return s->defaultIndex >= 0 && s->defaultIndex < names.size() ? s->defaultIndex : 0;
    const int i = names.indexOf(QPrinterInfo::defaultPrinterName());
    return i < 0 ? 0 : i;
}

int currentPrinterIndex()
{
    const int count = installedPrinters().size();
    return g_current >= 0 && g_current < count ? g_current : defaultPrinterIndex();
}

void setCurrentPrinter(int index) { g_current = index; }

QSize printerPageSize(int index, QPageLayout::Orientation orientation)
{
    return PrinterSurface::pageSize(deviceAt(index), orientation);
}

QSize currentPageSize(QPageLayout::Orientation orientation)
{
    return printerPageSize(currentPrinterIndex(), orientation);
}

std::unique_ptr<PrintSurface> openPrintDocument(QWidget *parent, QPageLayout::Orientation orientation)
{
    const QString device = deviceAt(currentPrinterIndex());
    QString pdf;
    if (device.isEmpty()) {
        pdf = saveFileDialog(parent, QStringLiteral("Save As"), QStringLiteral("PDF (*.pdf)"));
        if (pdf.isEmpty())
            return nullptr;
    }
    return std::make_unique<PrinterSurface>(device, pdf, orientation);
}

} // namespace wvs
