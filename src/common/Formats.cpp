#include "common/Formats.h"

#include <QLocale>
#include <QRegularExpression>

namespace wvs::Formats {

namespace {
const QDate kSerialBase(1899, 12, 30);
const char *kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                         "August", "September", "October", "November", "December"};
const char *kDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
} // namespace

QString toStoredDate(const QDate &d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

QDate fromStoredDate(const QString &s)
{
    if (s.size() < 10)
        return QDate();
    return QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
}

QString toStoredDateTime(const QDateTime &dt)
{
    return dt.isValid() ? dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QDateTime fromStoredDateTime(const QString &s)
{
    QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = fromStoredDate(s);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

QString toDisplayDate(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return QStringLiteral("%1 %2 %3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(shortMonthName(d.month()))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

QDate fromDisplayDate(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})\\s+([A-Za-z]{3,9})\\s+(\\d{4})\\s*$"));
    const auto m = re.match(s);
    if (!m.hasMatch())
        return QDate();
    const QString mon = m.captured(2).left(3).toLower();
    for (int i = 1; i <= 12; ++i)
        if (shortMonthName(i).toLower() == mon)
            return QDate(m.captured(3).toInt(), i, m.captured(1).toInt());
    return QDate();
}

QString toDisplayDateTime(const QDateTime &dt)
{
    if (!dt.isValid())
        return QString();
    return toDisplayDate(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm"));
}

QString toShortDate(const QDate &d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }

QString storedAsShortDate(const QString &stored)
{
    const QDate d = fromStoredDate(stored);
    return d.isValid() ? toShortDate(d) : stored;
}

QDate fromShortDate(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{4})$"));
    const auto m = re.match(s.trimmed());
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

QString weekdayName(const QDate &d) { return d.isValid() ? weekdayName(d.dayOfWeek()) : QString(); }

QString weekdayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return QString();
    return QString::fromLatin1(kDays[dayOfWeek - 1]);
}

QString monthName(int month)
{
    if (month < 1 || month > 12)
        return QString();
    return QString::fromLatin1(kMonths[month - 1]);
}

QString shortMonthName(int month) { return monthName(month).left(3); }

qint64 dateSerial(const QDate &d) { return kSerialBase.daysTo(d); }

QDate fromDateSerial(qint64 serial) { return kSerialBase.addDays(serial); }

} // namespace wvs::Formats
