#include "output/PreviewScheduleNotesForm.h"

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
    return notesPrintout(NotesPrintout::Kind::Schedule, PageMedium::scheduleNotesScreen(), medium);
}

} // namespace wvs
