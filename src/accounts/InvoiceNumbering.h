#pragma once
#include <QString>
#include <optional>

namespace wvs {

// The invoice numbers of a sales export, counted up from a starting number
// the user gives: its trailing digits are the number part, what comes before
// them the prefix, and the number part's length the least width written
// (INV0041 gives INV0041, INV0042; 0998 gives 0998, 0999, 1000; A99 gives
// A99, A100).
class InvoiceNumbering {
public:
    // Why a starting number cannot be used, or empty when it can:
    // "Please enter a starting invoice number", "The starting invoice number
    // must end in at least 1 number", or a number part too large to count on.
    static QString refusal(const QString &start);
    // The numbering from a starting number; none when refused.
    static std::optional<InvoiceNumbering> fromStart(const QString &start);

    // The next invoice number; the count moves on by one.
    QString next();

private:
    QString prefix_;
    qint64 number_ = 0;
    int width_ = 0;
};

} // namespace wvs
