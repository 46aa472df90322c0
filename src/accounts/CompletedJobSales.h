#pragma once
#include "common/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace wvs {

// One scheduled job carried out: a sale for the accounts package.
struct CompletedJobSale {
    QString customerRef;    // the customer's accounts reference
    QString jobRef;         // the job type's account code
    QString description;    // the job type's description
    Money cost;
    QDate serviceDate;
};

// The jobs done from one date to another, both included, whose customer and
// job type both have an accounts reference, in the order they were done.
QList<CompletedJobSale> completedJobSales(const QDate &from, const QDate &to);

// How the sales exports treat sales tax, from the preferences.
struct SalesTaxSettings {
    bool inclusive = false;      // job costs include sales tax
    double ratePercent = 0;
    QString xeroTaxRateName;
};
SalesTaxSettings readSalesTaxSettings();

} // namespace wvs
