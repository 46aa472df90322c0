#include "output/PreviewCustomerNotesForm.h"
#include "common/Formats.h"
#include "output/NotesPrintout.h"

namespace wvs {

PreviewCustomerNotesForm::PreviewCustomerNotesForm(QWidget *parent) : PreviewForm(parent)
{
    setObjectName(QStringLiteral("PreviewCustomerNotesForm"));
    setWindowTitle(QStringLiteral("Customer Notes Preview"));
}

std::unique_ptr<PagedPrintout> PreviewCustomerNotesForm::makePrintout()
{
    const QStringList parts = tagParts();
    if (parts.size() < 3)
        return nullptr;
    return std::make_unique<NotesPrintout>(NotesPrintout::Kind::Customer, parts.at(0).toLongLong(),
                                           Formats::fromShortDate(parts.at(1)), Formats::fromShortDate(parts.at(2)));
}

} // namespace wvs
