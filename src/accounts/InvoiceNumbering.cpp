#include "accounts/InvoiceNumbering.h"

namespace wvs {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Number parts of more digits than this could overflow while counting.
constexpr int kMaxDigits = 18;

int trailingDigits(const QString &s)
{
    int n = 0;
    while (n < s.size() && isDigit(s.at(s.size() - 1 - n)))
        ++n;
    return n;
}

} // namespace

QString InvoiceNumbering::refusal(const QString &start)
{
    if (start.isEmpty())
        return QStringLiteral("Please enter a starting invoice number");
    const int digits = trailingDigits(start);
    if (digits == 0)
        return QStringLiteral("The starting invoice number must end in at least 1 number");
    QString part = start.right(digits);
    while (part.size() > 1 && part.startsWith(QLatin1Char('0')))
        part.remove(0, 1);
    if (part.size() > kMaxDigits)
        return QStringLiteral("The number at the end of the starting invoice number is too large - "
                              "it may have at most %1 digits")
            .arg(kMaxDigits);
    return QString();
}

std::optional<InvoiceNumbering> InvoiceNumbering::fromStart(const QString &start)
{
    if (!refusal(start).isEmpty())
        return std::nullopt;
    const int digits = trailingDigits(start);
    InvoiceNumbering n;
    n.prefix_ = start.left(start.size() - digits);
    n.number_ = start.right(digits).toLongLong();
    n.width_ = digits;
    return n;
}

QString InvoiceNumbering::next()
{
    const QString text = prefix_ + QStringLiteral("%1").arg(number_, width_, 10, QLatin1Char('0'));
    ++number_;
    return text;
}

} // namespace wvs
