#include "output/PreviewScheduleForm.h"
#include "output/JobSchedulePrintout.h"

namespace wvs {

namespace {
constexpr PreviewDesign kLandscape{15000, 9780, 15000, 14265, 14580};
constexpr PreviewDesign kPortrait{11700, 9780, 11610, 10935, 11250};
} // namespace

PreviewScheduleForm::PreviewScheduleForm(QWidget *parent) : PreviewForm(kLandscape, parent)
{
    setObjectName(QStringLiteral("PreviewScheduleForm"));
    setWindowTitle(QStringLiteral("Job Schedule Preview"));
}

void PreviewScheduleForm::firstActivate()
{
    if (schedulePrintSelection().portrait)
        applyDesign(kPortrait);
    PreviewForm::firstActivate();
}

std::unique_ptr<PagedPrintout> PreviewScheduleForm::makePrintout(PageMedium::Kind medium)
{
    const int sep = Tag.indexOf(QLatin1Char('~'));
    const qint64 schedule = Tag.left(sep).toLongLong();
    const QString associate = sep < 0 ? QString() : Tag.mid(sep + 1);
    const SchedulePrintSelection &options = schedulePrintSelection();
    return std::make_unique<JobSchedulePrintout>(schedule, associate, options,
                                                 medium == PageMedium::Kind::Screen
                                                     ? PageMedium::jobScheduleScreen(options.portrait)
                                                     : PageMedium::jobSchedulePaper());
}

} // namespace wvs
