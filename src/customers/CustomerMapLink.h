#pragma once
#include "customers/AddressPaging.h"

#include <QString>
#include <QUrl>

namespace wvs {

// The web map search for a service address: the address lines, suburb, city
// and post code that are filled, joined by ", ", as the search of a map
// service. Nothing to search without a first address line.
class CustomerMapLink {
public:
    static QString queryText(const AddressFields &a);
    // Empty when the first line is empty.
    static QUrl url(const AddressFields &a);
};

} // namespace wvs
