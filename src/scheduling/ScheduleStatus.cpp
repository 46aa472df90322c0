#include "scheduling/ScheduleStatus.h"

namespace wvs {

QColor scheduleStatusColour(const QString &status)
{
    if (status == QLatin1String("Open"))
        return QColor(0, 192, 0);
    if (status == QLatin1String("Closed"))
        return QColor(255, 0, 0);
    if (status == QLatin1String("Published"))
        return QColor(0, 0, 255);
    return QColor();
}

} // namespace wvs
