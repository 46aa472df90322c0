#pragma once
#include <QString>
#include <QVariant>
#include <optional>

namespace wvs {

// An exact amount of money in cents (no binary fractions anywhere).
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromCents(qint64 c) { Money m; m.cents_ = c; return m; }

    // Reads "12", "12.5", "12.50", "$1,234.50", "-3.25"; more decimals are
    // rounded to the cent, a half away from zero ("1.999" is 2.00, "-0.005"
    // is -0.01). Refuses anything else that is not an amount.
    static std::optional<Money> parse(const QString &text);
    static Money fromVariant(const QVariant &cents) { return fromCents(cents.toLongLong()); }

    qint64 cents() const { return cents_; }
    QVariant toVariant() const { return QVariant::fromValue<qint64>(cents_); }

    // "1234.50": for files and boxes.
    QString plain() const;
    // In the installation country's currency format: "$1,234.50" or "£1,234.50".
    QString display(const QString &country) const;

    Money operator+(Money o) const { return fromCents(cents_ + o.cents_); }
    Money operator-(Money o) const { return fromCents(cents_ - o.cents_); }
    bool operator==(const Money &) const = default;
    auto operator<=>(const Money &) const = default;

private:
    qint64 cents_ = 0;
};

} // namespace wvs
