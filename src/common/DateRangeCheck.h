#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include "data/AppDatabase.h"

namespace wvs {

// The checks of a chosen from/to period, as the date-range dialog runs them
// when the user presses OK. Dates arrive as the texts of the dialog's labels
// ("05 Mar 2024", empty while not chosen).
class DateRangeCheck {
public:
    // The message that refuses the period, or an empty text when it may be
    // used. Mode "Schedule" also refuses a period that overlaps a stored
    // schedule of any status.
    static QString refusal(const QString &mode, const QString &fromText, const QString &toText,
                           QSqlDatabase db = AppDatabase::db());

    // Schedules (of every status) that share at least one day with the period
    // from..to: a schedule overlaps when the period starts on or before its
    // last day and ends on or after its first day, so a period that encloses a
    // schedule overlaps it too.
    static int overlappingSchedules(const QDate &from, const QDate &to, QSqlDatabase db = AppDatabase::db());
};

} // namespace wvs
