#include "accounts/RoundAdvModule.h"

#include <QRegularExpression>
#include <QString>
#include <cmath>

namespace wvs {

namespace {

// The value as plain decimal text with at most 15 significant digits, the
// digits a double holds for certain ("86.9565217391304").
QString decimalText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = qBound(0, 14 - exponent, 30);
    QString t = QString::number(value, 'f', decimals);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    return t;
}

// Rounds decimal text to places decimals: a dropped part of exactly one half
// goes to the even neighbour when halfEven is set, else away from zero.
QString roundText(const QString &text, int places, bool halfEven)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString body = negative ? text.mid(1) : text;
    const int point = body.indexOf(QLatin1Char('.'));
    if (point < 0)
        return text;
    const QString whole = body.left(point);
    const QString fraction = body.mid(point + 1);
    if (fraction.size() <= places)
        return text;

    QString digits = whole + fraction.left(places);
    const QChar first = fraction.at(places);
    const QString rest = fraction.mid(places + 1);
    bool up = false;
    if (first > QLatin1Char('5'))
        up = true;
    else if (first == QLatin1Char('5')) {
        const bool beyondHalf = rest.contains(QRegularExpression(QStringLiteral("[1-9]")));
        const bool lastOdd = !digits.isEmpty() && (digits.back().digitValue() % 2) == 1;
        up = !halfEven || beyondHalf || lastOdd;
    }
    if (up) {
        int i = digits.size() - 1;
        while (i >= 0 && digits.at(i) == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
            --i;
        }
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
        else
            digits[i] = QChar(digits.at(i).unicode() + 1);
    }
    const int wholeSize = digits.size() - places;
    QString out = digits.left(wholeSize);
    if (places > 0)
        out += QLatin1Char('.') + digits.mid(wholeSize);
    return negative ? QLatin1Char('-') + out : out;
}

} // namespace

double RoundAdv(double value, int places)
{
    if (places < 0)
        places = 0;
    const QString four = roundText(decimalText(value), 4, true);
    const double result = roundText(four, places, false).toDouble();
    return result == 0 ? 0.0 : result;
}

} // namespace wvs
