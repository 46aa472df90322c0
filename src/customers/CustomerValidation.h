#pragma once
#include "customers/CustomerRecord.h"

#include <QString>
#include <QVector>

namespace wvs {

// The checks of the customer dialog's save, in their fixed order. Each fault
// shows its one message (questions the user may answer Yes to go on) and
// stops; the result names the dialog's box that gets the focus.
class CustomerValidation {
public:
    struct Result {
        bool ok = true;
        QString focus; // objectName of the box at fault; empty for none
    };

    static Result validate(CustomerMode mode, const CustomerRecord &c, const QVector<ServiceAddress> &addresses);

    // Whether MYOB or Xero is chosen in the preferences.
    // How many other customers already carry the accounts reference.
    static int accountsRefClashes(CustomerMode mode, qint64 customerNumber, const QString &accountsRef);
    // The refusal of a reference another customer carries.
    static QString accountsRefTakenMessage(const QString &accountsRef);
};

} // namespace wvs
