#include "output/PreviewScheduleNotesForm.h"
#include "common/Formats.h"
#include "output/NotesPrintout.h"

namespace wvs {

PreviewScheduleNotesForm::PreviewScheduleNotesForm(QWidget *parent) : PreviewForm(parent)
{
    setObjectName(QStringLiteral("PreviewScheduleNotesForm"));
    setWindowTitle(QStringLiteral("Schedule Notes Preview"));
}

std::unique_ptr<PagedPrintout> PreviewScheduleNotesForm::makePrintout()
{
    const QStringList parts = tagParts();
    if (parts.size() < 3)
        return nullptr;
    return std::make_unique<NotesPrintout>(NotesPrintout::Kind::Schedule, parts.at(0).toLongLong(),
                                           Formats::fromShortDate(parts.at(1)), Formats::fromShortDate(parts.at(2)));
}

} // namespace wvs
