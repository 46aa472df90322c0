#include "output/PreviewCustomerNotesForm.h"

namespace wvs {

namespace {
constexpr PreviewDesign kDesign{11610, 9750, 11610, 10935, 11250};
} // namespace

PreviewCustomerNotesForm::PreviewCustomerNotesForm(QWidget *parent) : PreviewForm(kDesign, parent)
{
    setObjectName(QStringLiteral("PreviewCustomerNotesForm"));
    setWindowTitle(QStringLiteral("Customer Notes Preview"));
}

std::unique_ptr<PagedPrintout> PreviewCustomerNotesForm::makePrintout(PageMedium::Kind medium)
{
    return notesPrintout(NotesPrintout::Kind::Customer, PageMedium::customerNotesScreen(), medium);
}

} // namespace wvs
