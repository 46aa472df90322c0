#pragma once
#include <QStringList>

namespace wvs {

// The printers installed on this workstation, and which one is current.
QStringList installedPrinters();
int defaultPrinterIndex(); // position in installedPrinters(), -1 when there is none

// Test stand-in: while installed, these printers are reported instead.
class PrinterScript {
public:
    explicit PrinterScript(QStringList printers, int defaultIndex = 0);
    ~PrinterScript();
    PrinterScript(const PrinterScript &) = delete;
    PrinterScript &operator=(const PrinterScript &) = delete;
    QStringList printers;
    int defaultIndex;
    static PrinterScript *current();

private:
    PrinterScript *previous_;
};

} // namespace wvs
