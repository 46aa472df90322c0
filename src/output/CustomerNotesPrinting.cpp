// The customer notes window's Print: the customer notes printout on the
// chosen printer, or its preview.
#include "common/Formats.h"
#include "core/Session.h"
#include "customers/NotesForm.h"
#include "output/NotesPrintout.h"
#include "output/PreviewCustomerNotesForm.h"
#include "platform/Modal.h"
#include "platform/Printers.h"

namespace wvs {

namespace {

void printCustomerNotes(QWidget *opener, const NotesForm::PrintRequest &r)
{
    setCurrentPrinter(r.printerIndex);
    if (r.preview) {
        // The preview makes the default printer current again when it closes.
        PreviewCustomerNotesForm preview(opener);
        preview.Tag = QString::number(r.customerNumber) + QLatin1Char('~') + Formats::toShortDate(r.from) +
                      QLatin1Char('~') + Formats::toShortDate(r.to);
        showModal(&preview);
        return;
    }
    struct Restore {
        int index;
        ~Restore() { setCurrentPrinter(index); }
    } restore{r.defaultPrinterIndex};
    PrintCustomerNotes(r.customerNumber, r.from, r.to, opener);
}

const bool installed = [] {
    NotesForm::printHandler() = printCustomerNotes;
    return true;
}();

} // namespace

} // namespace wvs
