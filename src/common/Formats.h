#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// Every date the program shows, stores or reads goes through these functions:
// stored dates are "yyyy-MM-dd" ('' for none) and stored date-times
// "yyyy-MM-dd HH:mm:ss"; shown dates use English month and weekday names,
// whatever the workstation's regional settings.
namespace wvs::Formats {

QString toStoredDate(const QDate &d);                 // '' for a null date
QDate fromStoredDate(const QString &s);               // null for '' or junk
QString toStoredDateTime(const QDateTime &dt);
QDateTime fromStoredDateTime(const QString &s);

QString toDisplayDate(const QDate &d);                // "07 Dec 2026"; '' for null
QDate fromDisplayDate(const QString &s);              // reads "7 Dec 2026" too
QString toDisplayDateTime(const QDateTime &dt);       // "07 Dec 2026 14:05"
QString toShortDate(const QDate &d);                  // "07/12/2026"
QDate fromShortDate(const QString &s);                // strict DD/MM/YYYY, null when impossible
// A stored date in the short form ("2026-12-07" as "07/12/2026"); '' stays '',
// and any other text is kept as it stands.
QString storedAsShortDate(const QString &stored);

QString weekdayName(const QDate &d);                  // "Monday"
QString weekdayName(int dayOfWeek);                   // 1 = Monday .. 7 = Sunday
QString monthName(int month);                         // "January"
QString shortMonthName(int month);                    // "Jan"

// The platform date serial: whole days since 30 December 1899.
qint64 dateSerial(const QDate &d);
QDate fromDateSerial(qint64 serial);

} // namespace wvs::Formats
