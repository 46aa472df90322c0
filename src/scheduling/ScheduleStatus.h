#pragma once
#include <QColor>
#include <QString>

namespace wvs {

// The colour a schedule's status is shown in, in the schedule list and on the
// schedule window: Open green, Closed red, Published blue; any other status
// keeps the default colour (an invalid QColor).
QColor scheduleStatusColour(const QString &status);

} // namespace wvs
