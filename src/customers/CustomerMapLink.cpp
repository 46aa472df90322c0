#include "customers/CustomerMapLink.h"

namespace wvs {

QString CustomerMapLink::queryText(const AddressFields &a)
{
    QString q = a.sAddress1;
    for (const QString *part : {&a.sAddress2, &a.sAddress3, &a.sSuburb, &a.sCity, &a.sPostCode}) {
        if (!part->isEmpty())
            q += QStringLiteral(", ") + *part;
    }
    return q;
}

QUrl CustomerMapLink::url(const AddressFields &a)
{
    if (a.sAddress1.isEmpty())
        return QUrl();
    // Every character outside the unreserved set is percent-encoded, so "&",
    // "#", "+" and accented letters stay part of the searched address.
    const QByteArray encoded = QUrl::toPercentEncoding(queryText(a));
    return QUrl::fromEncoded(QByteArrayLiteral("https://www.google.com/maps?q=") + encoded, QUrl::StrictMode);
}

} // namespace wvs
