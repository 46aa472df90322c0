// The customer notes window's Print: the customer notes printout on the
// chosen printer, or its preview.
#include "customers/NotesForm.h"
#include "output/NotesPrintout.h"

namespace wvs {

namespace {

void printCustomerNotes(QWidget *opener, const NotesForm::PrintRequest &r)
{
    PrintOrPreviewNotes(NotesPrintout::Kind::Customer, r.customerNumber, r.from, r.to, r.printerIndex, r.preview,
                        opener);
}

const bool installed = [] {
    NotesForm::printHandler() = printCustomerNotes;
    return true;
}();

} // namespace

} // namespace wvs
