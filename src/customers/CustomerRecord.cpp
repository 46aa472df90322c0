#include "customers/CustomerRecord.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"

#include <QDate>
#include <QSqlRecord>

namespace wvs {

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

qint64 CustomerStore::save(CustomerMode mode, const CustomerRecord &c, const QVector<ServiceAddress> &addresses)
{
    Transaction t;
    const QVariantList values{c.title,     c.forename,  c.surname,   c.companyName,    c.phone1,
                              c.phone2,    c.phone3,    c.email1,    c.email2,         c.customerStatus,
                              c.contactName, c.accountsRef, c.cAddress1, c.cAddress2,  c.cAddress3,
                              c.cSuburb,   cityOrDefault(c.cCity), c.cPostCode, c.customerComment,
                              c.commentOnSchedule ? 1 : 0};
    const bool phoneChosen = c.preferredPhone >= 1 && c.preferredPhone <= 3;

    qint64 number = c.customerNumber;
    if (mode == CustomerMode::Add) {
        QVariantList params = values;
        params << (phoneChosen ? c.preferredPhone : 1) << Formats::toStoredDate(QDate::currentDate());
        writeSql(QStringLiteral("INSERT INTO Customers (Title, Forename, Surname, CompanyName, Phone1, Phone2, Phone3, "
                                "Email1, Email2, CustomerStatus, ContactName, AccountsRef, CAddress1, CAddress2, "
                                "CAddress3, CSuburb, CCity, CPostCode, CustomerComment, CommentOnSchedule, "
                                "PreferredPhone, DateEntered) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 params);
        // The key this insert produced: another workstation may be adding a
        // customer at the same moment, so the highest number is not ours.
        number = lastInsertId();
    } else {
        QVariantList params = values;
        QString sql = QStringLiteral("UPDATE Customers SET Title = ?, Forename = ?, Surname = ?, CompanyName = ?, "
                                     "Phone1 = ?, Phone2 = ?, Phone3 = ?, Email1 = ?, Email2 = ?, CustomerStatus = ?, "
                                     "ContactName = ?, AccountsRef = ?, CAddress1 = ?, CAddress2 = ?, CAddress3 = ?, "
                                     "CSuburb = ?, CCity = ?, CPostCode = ?, CustomerComment = ?, "
                                     "CommentOnSchedule = ?");
        if (phoneChosen) {
            sql += QStringLiteral(", PreferredPhone = ?");
            params << c.preferredPhone;
        }
        sql += QStringLiteral(" WHERE CustomerNumber = ?");
        params << number;
        if (writeSql(sql, params) == 0)
            throw WvsError(ErrorNumber::Recoverable, customerGoneMessage());
    }

    for (const ServiceAddress &a : addresses) {
        if (!a.isStored()) {
            if (!a.sAddress1.isEmpty())
                insertAddress(number, a);
            continue;
        }
        if (a.sAddress1.isEmpty()) {
            // Checked again here: a job may have been added at this address
            // since the entry was validated.
            if (jobsAtAddress(a.seqNo) > 0)
                throw WvsError(ErrorNumber::Recoverable, addressInUseMessage(storedFirstLine(a.seqNo)));
            writeSql(QStringLiteral("DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?"), {a.seqNo});
            continue;
        }
        const int changed = writeSql(QStringLiteral("UPDATE CustomerServiceAddresses SET SAddress1 = ?, SAddress2 = ?, "
                                                    "SAddress3 = ?, SSuburb = ?, SCity = ?, SPostCode = ? "
                                                    "WHERE SAddressSeqNo = ? AND CustomerNumber = ?"),
                                     {a.sAddress1, a.sAddress2, a.sAddress3, a.sSuburb,
                                      cityOrDefault(a.sCity), a.sPostCode, a.seqNo, number});
        // An address removed meanwhile elsewhere is added again as shown.
        if (changed == 0)
            insertAddress(number, a);
    }
    t.commit();
    return number;
}

} // namespace wvs
