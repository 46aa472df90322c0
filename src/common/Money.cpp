#include "common/Money.h"

#include <QRegularExpression>

namespace wvs {

std::optional<Money> Money::parse(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    t.remove(QLatin1Char('$'));
    t.remove(QChar(0x00A3));
    t = t.trimmed();
    static const QRegularExpression re(QStringLiteral("^([-+]?)(\\d*)(?:\\.(\\d*))?$"));
    const auto m = re.match(t);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    if (m.captured(2).size() > 15)
        return std::nullopt;
    qint64 whole = m.captured(2).isEmpty() ? 0 : m.captured(2).toLongLong();
    // More decimals than cents are rounded to the cent, a half away from zero.
    const QString frac = (m.captured(3) + QStringLiteral("000")).left(3);
    qint64 c = whole * 100 + frac.left(2).toLongLong() + (frac.at(2) >= QLatin1Char('5') ? 1 : 0);
    if (m.captured(1) == QLatin1String("-"))
        c = -c;
    return fromCents(c);
}

QString Money::plain() const
{
    const qint64 a = cents_ < 0 ? -cents_ : cents_;
    return QStringLiteral("%1%2.%3")
        .arg(cents_ < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

QString Money::display(const QString &country) const
{
    const qint64 a = cents_ < 0 ? -cents_ : cents_;
    QString whole = QString::number(a / 100);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    const QString symbol = country == QLatin1String("UK") ? QString(QChar(0x00A3)) : QStringLiteral("$");
    return QStringLiteral("%1%2%3.%4")
        .arg(cents_ < 0 ? QStringLiteral("-") : QString(), symbol, whole)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

} // namespace wvs
