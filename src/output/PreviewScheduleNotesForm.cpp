#include "output/PreviewScheduleNotesForm.h"
#include "common/Formats.h"
#include "output/NotesPrintout.h"

namespace wvs {

namespace {
constexpr PreviewDesign kDesign{11610, 9780, 11610, 10935, 11250};
} // namespace

PreviewScheduleNotesForm::PreviewScheduleNotesForm(QWidget *parent) : PreviewForm(kDesign, parent)
{
    setObjectName(QStringLiteral("PreviewScheduleNotesForm"));
    setWindowTitle(QStringLiteral("Schedule Notes Preview"));
}

std::unique_ptr<PagedPrintout> PreviewScheduleNotesForm::makePrintout(PageMedium::Kind medium)
{
    const QStringList parts = tagParts();
    if (parts.size() < 3)
        return nullptr;
    return std::make_unique<NotesPrintout>(NotesPrintout::Kind::Schedule, parts.at(0).toLongLong(),
                                           Formats::fromShortDate(parts.at(1)), Formats::fromShortDate(parts.at(2)),
                                           medium == PageMedium::Kind::Screen ? PageMedium::scheduleNotesScreen()
                                                                              : PageMedium::notesPaper());
}

} // namespace wvs
