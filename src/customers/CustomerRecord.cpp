#include "customers/CustomerRecord.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "customers/CustomerValidation.h"
#include "data/AppDatabase.h"
#include "data/PreferenceChoices.h"
#include "data/ChangedColumns.h"
#include "platform/WvsError.h"

#include <QDate>
#include <QSqlRecord>
#include <QHash>

namespace wvs {

int customerFieldSize(const QString &column)
{
    static const QHash<QString, int> sizes = {
        {QStringLiteral("Title"), 20},        {QStringLiteral("Forename"), 50},     {QStringLiteral("Surname"), 50},
        {QStringLiteral("CompanyName"), 100}, {QStringLiteral("ContactName"), 100}, {QStringLiteral("Phone1"), 30},
        {QStringLiteral("Phone2"), 30},       {QStringLiteral("Phone3"), 30},       {QStringLiteral("Email1"), 100},
        {QStringLiteral("Email2"), 100},      {QStringLiteral("CAddress1"), 100},   {QStringLiteral("CAddress2"), 100},
        {QStringLiteral("CAddress3"), 100},   {QStringLiteral("CSuburb"), 50},      {QStringLiteral("CCity"), 50},
        {QStringLiteral("CPostCode"), 20},    {QStringLiteral("AccountsRef"), 30},  {QStringLiteral("SAddress1"), 100},
        {QStringLiteral("SAddress2"), 100},   {QStringLiteral("SAddress3"), 100},   {QStringLiteral("SSuburb"), 50},
        {QStringLiteral("SCity"), 50},        {QStringLiteral("SPostCode"), 20},
    };
    return sizes.value(column, 0);
}

namespace {

QString text(const QSqlQuery &q, const char *field) { return q.value(QString::fromLatin1(field)).toString(); }

QString cityOrDefault(const QString &city) { return city.isEmpty() ? defaultCity() : city; }


int jobsAtAddress(qint64 seqNo)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM CustomerJobs WHERE SAddressSeqNo = ?"), {seqNo}).toInt();
}

QString storedFirstLine(qint64 seqNo)
{
    return scalarSql(QStringLiteral("SELECT SAddress1 FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?"), {seqNo})
        .toString();
}

void insertAddress(qint64 customerNumber, const ServiceAddress &a)
{
    writeSql(QStringLiteral("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SAddress2, SAddress3, "
                            "SSuburb, SCity, SPostCode) VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {customerNumber, a.sAddress1, a.sAddress2, a.sAddress3, a.sSuburb, cityOrDefault(a.sCity),
              a.sPostCode});
}

} // namespace

std::optional<CustomerRecord> CustomerStore::load(qint64 customerNumber)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT * FROM Customers WHERE CustomerNumber = ?"), {customerNumber});
    if (!q.next())
        return std::nullopt;
    CustomerRecord c;
    c.customerNumber = q.value(QStringLiteral("CustomerNumber")).toLongLong();
    c.title = text(q, "Title");
    c.forename = text(q, "Forename");
    c.surname = text(q, "Surname");
    c.companyName = text(q, "CompanyName");
    c.contactName = text(q, "ContactName");
    c.phone1 = text(q, "Phone1");
    c.phone2 = text(q, "Phone2");
    c.phone3 = text(q, "Phone3");
    c.preferredPhone = q.value(QStringLiteral("PreferredPhone")).toInt();
    c.email1 = text(q, "Email1");
    c.email2 = text(q, "Email2");
    c.cAddress1 = text(q, "CAddress1");
    c.cAddress2 = text(q, "CAddress2");
    c.cAddress3 = text(q, "CAddress3");
    c.cSuburb = text(q, "CSuburb");
    c.cCity = text(q, "CCity");
    c.cPostCode = text(q, "CPostCode");
    c.customerStatus = q.value(QStringLiteral("CustomerStatus")).toInt();
    c.accountsRef = text(q, "AccountsRef");
    c.customerComment = text(q, "CustomerComment");
    c.commentOnSchedule = q.value(QStringLiteral("CommentOnSchedule")).toInt() != 0;
    c.dateEntered = text(q, "DateEntered");
    return c;
}

QVector<ServiceAddress> CustomerStore::loadAddresses(qint64 customerNumber)
{
    QVector<ServiceAddress> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT SAddress1, SAddress2, SAddress3, SSuburb, SCity, SPostCode, "
                                         "SAddressSeqNo FROM CustomerServiceAddresses WHERE CustomerNumber = ? "
                                         "ORDER BY SAddressSeqNo"),
                          {customerNumber});
    while (q.next()) {
        ServiceAddress a;
        a.sAddress1 = q.value(0).toString();
        a.sAddress2 = q.value(1).toString();
        a.sAddress3 = q.value(2).toString();
        a.sSuburb = q.value(3).toString();
        a.sCity = q.value(4).toString();
        a.sPostCode = q.value(5).toString();
        a.seqNo = q.value(6).toLongLong();
        out.append(a);
    }
    return out;
}

bool CustomerStore::similarCustomerExists(const CustomerRecord &c)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Customers WHERE Forename = ? AND Surname = ? AND CAddress1 = ?"),
                     {c.forename, c.surname, c.cAddress1})
               .toInt()
        > 0;
}

QString CustomerStore::addressInUseMessage(const QString &storedFirstLine)
{
    return QStringLiteral("Address ") + storedFirstLine
        + QStringLiteral(" cannot be removed from the service addresses as a Customer Job exists for that address");
}

QString CustomerStore::customerGoneMessage()
{
    return QStringLiteral("This Customer has been deleted by another user. The changes cannot be saved");
}

namespace {

// The Customers columns a save writes, as the dialog's entry gives them.
ChangedColumns::Columns customerColumns(const CustomerRecord &c)
{
    return {{QStringLiteral("Title"), c.title},
            {QStringLiteral("Forename"), c.forename},
            {QStringLiteral("Surname"), c.surname},
            {QStringLiteral("CompanyName"), c.companyName},
            {QStringLiteral("Phone1"), c.phone1},
            {QStringLiteral("Phone2"), c.phone2},
            {QStringLiteral("Phone3"), c.phone3},
            {QStringLiteral("Email1"), c.email1},
            {QStringLiteral("Email2"), c.email2},
            {QStringLiteral("CustomerStatus"), c.customerStatus},
            {QStringLiteral("ContactName"), c.contactName},
            {QStringLiteral("AccountsRef"), c.accountsRef},
            {QStringLiteral("CAddress1"), c.cAddress1},
            {QStringLiteral("CAddress2"), c.cAddress2},
            {QStringLiteral("CAddress3"), c.cAddress3},
            {QStringLiteral("CSuburb"), c.cSuburb},
            {QStringLiteral("CCity"), cityOrDefault(c.cCity)},
            {QStringLiteral("CPostCode"), c.cPostCode},
            {QStringLiteral("CustomerComment"), c.customerComment},
            {QStringLiteral("CommentOnSchedule"), c.commentOnSchedule ? 1 : 0}};
}

ChangedColumns::Columns addressColumns(const ServiceAddress &a)
{
    return {{QStringLiteral("SAddress1"), a.sAddress1}, {QStringLiteral("SAddress2"), a.sAddress2},
            {QStringLiteral("SAddress3"), a.sAddress3}, {QStringLiteral("SSuburb"), a.sSuburb},
            {QStringLiteral("SCity"), cityOrDefault(a.sCity)}, {QStringLiteral("SPostCode"), a.sPostCode}};
}

const ServiceAddress *findShown(const QVector<ServiceAddress> *shown, qint64 seqNo)
{
    if (!shown)
        return nullptr;
    for (const ServiceAddress &a : *shown)
        if (a.seqNo == seqNo)
            return &a;
    return nullptr;
}

} // namespace

qint64 CustomerStore::save(CustomerMode mode, const CustomerRecord &c, const QVector<ServiceAddress> &addresses,
                           const CustomerRecord *shown, const QVector<ServiceAddress> *shownAddresses)
{
    Transaction t;
    const bool phoneChosen = c.preferredPhone >= 1 && c.preferredPhone <= 3;
    // Checked again here: another workstation may have given the reference
    // to one of its customers since the entry was validated.
    if (accountsPackageInUse() && !c.accountsRef.isEmpty()
        && CustomerValidation::accountsRefClashes(mode, c.customerNumber, c.accountsRef) > 0)
        throw WvsError(ErrorNumber::Recoverable, CustomerValidation::accountsRefTakenMessage(c.accountsRef));

    qint64 number = c.customerNumber;
    if (mode == CustomerMode::Add) {
        QStringList columns;
        QVariantList params;
        for (const auto &col : customerColumns(c)) {
            columns << col.first;
            params << col.second;
        }
        columns << QStringLiteral("PreferredPhone") << QStringLiteral("DateEntered");
        params << (phoneChosen ? c.preferredPhone : 1) << Formats::toStoredDate(QDate::currentDate());
        writeSql(QStringLiteral("INSERT INTO Customers (") + columns.join(QStringLiteral(", "))
                     + QStringLiteral(") VALUES (") + QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))
                     + QStringLiteral(")"),
                 params);
        // The key this insert produced: another workstation may be adding a
        // customer at the same moment, so the highest number is not ours.
        number = lastInsertId();
    } else {
        // Only what the user changed is written, so that another workstation's
        // change to any other field of the customer is kept.
        ChangedColumns changed =
            ChangedColumns::between(shown ? customerColumns(*shown) : ChangedColumns::Columns{}, customerColumns(c));
        if (phoneChosen && (!shown || shown->preferredPhone != c.preferredPhone))
            changed.set(QStringLiteral("PreferredPhone"), c.preferredPhone);
        if (changed.update(QStringLiteral("Customers"), QStringLiteral("CustomerNumber = ?"), {number}) == 0)
            throw WvsError(ErrorNumber::Recoverable, customerGoneMessage());
        // Every stored address the dialog showed must still be the
        // customer's: one removed at another workstation is neither added
        // again under a new key nor left out without a word.
        NamedRows stored;
        for (const ServiceAddress &a : addresses)
            if (a.isStored())
                stored.serviceAddress(number, a.seqNo);
        stored.confirm();
    }

    for (const ServiceAddress &a : addresses) {
        if (!a.isStored()) {
            if (!a.sAddress1.isEmpty())
                insertAddress(number, a);
            continue;
        }
        const ServiceAddress *before = findShown(shownAddresses, a.seqNo);
        if (a.sAddress1.isEmpty()) {
            // Checked again here: a job may have been added at this address
            // since the entry was validated.
            if (jobsAtAddress(a.seqNo) > 0)
                throw WvsError(ErrorNumber::Recoverable, addressInUseMessage(storedFirstLine(a.seqNo)));
            writeSql(QStringLiteral("DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?"), {a.seqNo});
            continue;
        }
        const ChangedColumns changed =
            ChangedColumns::between(before ? addressColumns(*before) : ChangedColumns::Columns{}, addressColumns(a));
        // An address the user left as it was is not touched at all.
        if (changed.isEmpty())
            continue;
        if (changed.update(QStringLiteral("CustomerServiceAddresses"),
                           QStringLiteral("SAddressSeqNo = ? AND CustomerNumber = ?"), {a.seqNo, number})
            == 0)
            NamedRows::gone(NamedRows::Kind::ServiceAddress);
    }
    t.commit();
    return number;
}

} // namespace wvs
