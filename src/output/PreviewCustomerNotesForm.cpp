#include "output/PreviewCustomerNotesForm.h"
#include "common/Formats.h"
#include "output/NotesPrintout.h"

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
    const QStringList parts = tagParts();
    if (parts.size() < 3)
        return nullptr;
    return std::make_unique<NotesPrintout>(NotesPrintout::Kind::Customer, parts.at(0).toLongLong(),
                                           Formats::fromShortDate(parts.at(1)), Formats::fromShortDate(parts.at(2)),
                                           medium == PageMedium::Kind::Screen ? PageMedium::customerNotesScreen()
                                                                              : PageMedium::notesPaper());
}

} // namespace wvs
