#include "output/PreviewScheduleForm.h"
#include "output/JobSchedulePrintout.h"

namespace wvs {

PreviewScheduleForm::PreviewScheduleForm(QWidget *parent) : PreviewForm(parent)
{
    setObjectName(QStringLiteral("PreviewScheduleForm"));
    setWindowTitle(QStringLiteral("Job Schedule Preview"));
}

std::unique_ptr<PagedPrintout> PreviewScheduleForm::makePrintout()
{
    const int sep = Tag.indexOf(QLatin1Char('~'));
    const qint64 schedule = Tag.left(sep).toLongLong();
    const QString associate = sep < 0 ? QString() : Tag.mid(sep + 1);
    return std::make_unique<JobSchedulePrintout>(schedule, associate, schedulePrintSelection());
}

} // namespace wvs
