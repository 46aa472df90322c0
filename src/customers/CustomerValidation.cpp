#include "customers/CustomerValidation.h"
#include "data/PreferenceChoices.h"
#include "data/AppDatabase.h"
#include "platform/MessageBox.h"

#include <QSqlQuery>

namespace wvs {

namespace {

CustomerValidation::Result fail(const QString &focus = QString()) { return {false, focus}; }

bool refused(const QString &text)
{
    msgBox(text);
    return true;
}

QString phoneMessage(int n)
{
    return QStringLiteral("You have indicated Phone %1 as the preferred contact but have not ").arg(n)
        + QStringLiteral("entered a phone number");
}

} // namespace

int CustomerValidation::accountsRefClashes(CustomerMode mode, qint64 customerNumber, const QString &accountsRef)
{
    if (mode == CustomerMode::Add)
        return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Customers WHERE AccountsRef = ?"), {QString(accountsRef)}).toInt();
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Customers WHERE CustomerNumber <> ? AND AccountsRef = ?"),
                     {customerNumber, accountsRef})
        .toInt();
}

QString CustomerValidation::accountsRefTakenMessage(const QString &accountsRef)
{
    return QStringLiteral("Accounts Reference ") + accountsRef
        + QStringLiteral(" has been already assigned to another Customer");
}

CustomerValidation::Result CustomerValidation::validate(CustomerMode mode, const CustomerRecord &c,
                                                        const QVector<ServiceAddress> &addresses)
{
    if (c.forename.isEmpty() && refused(QStringLiteral("Please enter the Customer's Forename")))
        return fail(QStringLiteral("ForenameText"));
    if (c.surname.isEmpty() && refused(QStringLiteral("Please enter the Customer's Surname")))
        return fail(QStringLiteral("SurnameText"));

    // A customer may have no phone at all once the user confirms it; the
    // preferred phone then cannot be held against him.
    const bool noPhone = c.phone1.isEmpty() && c.phone2.isEmpty() && c.phone3.isEmpty();
    if (noPhone) {
        if (!askYesNo(QStringLiteral("No phone number has been entered - is this correct?"), MsgIcon::Exclamation))
            return fail(QStringLiteral("Phone1Text"));
    } else {
        const QString phones[] = {c.phone1, c.phone2, c.phone3};
        for (int n = 1; n <= 3; ++n) {
            if (c.preferredPhone == n && phones[n - 1].isEmpty() && refused(phoneMessage(n)))
                return fail(QStringLiteral("Phone%1Text").arg(n));
        }
    }

    if (!c.companyName.isEmpty() && c.contactName.isEmpty()
        && !askYesNo(QStringLiteral("No Contact Name has been entered for the Company. Is this correct?")))
        return fail(QStringLiteral("ContactText"));

    if (accountsPackageInUse()) {
        if (c.accountsRef.isEmpty()) {
            if (!askYesNo(QStringLiteral("No Accounts Reference has been entered. This will prevent any of this "
                                         "Customer's data ")
                          + QStringLiteral("being shared with your chosen accounts package. Is this correct?")))
                return fail(QStringLiteral("AccountsRefText"));
        } else if (accountsRefClashes(mode, c.customerNumber, c.accountsRef) > 0
                   && refused(accountsRefTakenMessage(c.accountsRef))) {
            return fail(QStringLiteral("AccountsRefText"));
        }
    }

    if (c.cAddress1.isEmpty()
        && refused(QStringLiteral("Please enter the 1st line of the Customer's correspondence address")))
        return fail(QStringLiteral("CAddress1Text"));
    if (c.cSuburb.isEmpty() && refused(QStringLiteral("Please enter the Customer's correspondence suburb")))
        return fail(QStringLiteral("CSuburbText"));
    if (c.cPostCode.isEmpty()
        && !askYesNo(QStringLiteral("No Post Code has been entered for the correspondence address. ")
                     + QStringLiteral("Is this correct?")))
        return fail(QStringLiteral("CPostCodeText"));

    bool found = false;
    for (int i = 0; i < addresses.size(); ++i) {
        const ServiceAddress &a = addresses[i];
        if (a.sAddress1.isEmpty())
            continue;
        if (a.sSuburb.isEmpty() && refused(QStringLiteral("Service address ") + a.sAddress1 + QStringLiteral(" has no Suburb")))
            return fail();
        found = true;
        const QString key = a.sAddress1.toLower();
        for (int j = 0; j < addresses.size(); ++j) {
            if (j != i && addresses[j].sAddress1.toLower() == key
                && refused(QStringLiteral("Service address ") + a.sAddress1 + QStringLiteral(" has been duplicated")))
                return fail();
        }
    }
    if (!found && refused(QStringLiteral("Please enter a service address")))
        return fail(QStringLiteral("SAddress1Text"));

    for (const ServiceAddress &a : addresses) {
        if (!a.isStored() || !a.sAddress1.isEmpty())
            continue;
        const int jobs =
            scalarSql(QStringLiteral("SELECT COUNT(*) FROM CustomerJobs WHERE SAddressSeqNo = ?"), {a.seqNo}).toInt();
        if (jobs > 0) {
            const QString stored = scalarSql(QStringLiteral("SELECT SAddress1 FROM CustomerServiceAddresses "
                                                            "WHERE SAddressSeqNo = ?"),
                                             {a.seqNo})
                                       .toString();
            msgBox(CustomerStore::addressInUseMessage(stored));
            return fail();
        }
    }
    return {};
}

} // namespace wvs
