#pragma once
#include "customers/CustomerRecord.h"
#include "data/AppDatabase.h"

#include <QLineEdit>
#include <QString>

namespace wvs::test {

// Rows the customer tests start from.
inline qint64 addCustomer(const QString &surname, const QString &forename = QStringLiteral("Ann"),
                          int status = 1, const QString &company = QString(), const QString &suburb = QStringLiteral("Remuera"))
{
    writeSql(QStringLiteral("INSERT INTO Customers (Surname, Forename, CompanyName, CAddress1, CSuburb, Phone1, "
                            "CustomerStatus) VALUES (?, ?, ?, '1 Main Rd', ?, '09 555 1234', ?)"),
             {surname, forename, company, suburb, status});
    return lastInsertId();
}

inline qint64 addAddress(qint64 customer, const QString &line1, const QString &suburb = QStringLiteral("Epsom"))
{
    writeSql(QStringLiteral("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SSuburb, SCity) "
                            "VALUES (?, ?, ?, 'Auckland')"),
             {customer, line1, suburb});
    return lastInsertId();
}

inline qint64 addJob(qint64 customer, qint64 address)
{
    writeSql(QStringLiteral("INSERT INTO CustomerJobs (CustomerNumber, SAddressSeqNo, JobTypeCode) VALUES (?, ?, 'WIN')"),
             {customer, address});
    return lastInsertId();
}

// A complete entry that passes every check.
inline CustomerRecord validCustomer()
{
    return {.forename = "Mary", .surname = "Smith", .phone1 = "09 555 0101", .preferredPhone = 1,
            .cAddress1 = "12 Queen St", .cSuburb = "Ponsonby", .cPostCode = "1011"};
}

// Types an entry that passes every check into the customer dialog.
inline void fillValidEntry(QWidget *dialog)
{
    for (const auto &[box, text] : {std::pair{"ForenameText", "Mary"}, {"SurnameText", "Smith"}, {"Phone1Text", "09 555 0101"},
                                    {"CAddress1Text", "12 Queen St"}, {"CSuburbText", "Ponsonby"}, {"CPostCodeText", "1011"}})
        dialog->findChild<QLineEdit *>(QString::fromLatin1(box))->setText(QString::fromUtf8(text));
}

inline ServiceAddress newAddress(const QString &line1, const QString &suburb = QStringLiteral("Ponsonby"))
{
    return {.sAddress1 = line1, .sSuburb = suburb};
}

} // namespace wvs::test
