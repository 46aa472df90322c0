#include "platform/Printers.h"

#include <QPrinterInfo>

namespace wvs {

namespace {
PrinterScript *g_printers = nullptr;
}

PrinterScript::PrinterScript(QStringList p, int d) : printers(std::move(p)), defaultIndex(d), previous_(g_printers)
{
    g_printers = this;
}
PrinterScript::~PrinterScript() { g_printers = previous_; }
PrinterScript *PrinterScript::current() { return g_printers; }

QStringList installedPrinters()
{
    if (auto *s = PrinterScript::current())
        return s->printers;
    return QPrinterInfo::availablePrinterNames();
}

int defaultPrinterIndex()
{
    if (auto *s = PrinterScript::current())
        return s->printers.isEmpty() ? -1 : s->defaultIndex;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty())
        return -1;
    const int i = names.indexOf(QPrinterInfo::defaultPrinterName());
    return i < 0 ? 0 : i;
}

} // namespace wvs
