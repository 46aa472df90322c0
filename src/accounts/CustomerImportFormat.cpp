#include "accounts/CustomerImportFormat.h"

namespace wvs {

QString CustomerImportFormat::normalHeading(const QString &heading)
{
    QString h = heading.trimmed().toLower();
    while (h.startsWith(QLatin1Char('*')))
        h.remove(0, 1);
    return h.trimmed();
}

namespace {

const QString kLastName = QStringLiteral("(co./last name)");
const QString kFirstName = QStringLiteral("(first name)");
const QString kCardStatus = QStringLiteral("(card status)");

void copyFields(const QHash<QString, QString> &values, QVariantMap &fields)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        if (!it.key().startsWith(QLatin1Char('(')))
            fields.insert(it.key(), it.value());
}

// A card without a first name is a company; a person's names go to the
// surname and forename. An inactive card makes the customer inactive; an
// active card makes an inactive customer active and leaves a prospect one.
void myobRule(const QHash<QString, QString> &values, const QVariantMap &current, QVariantMap &fields)
{
    copyFields(values, fields);
    if (values.contains(kLastName) && values.contains(kFirstName)) {
        const QString first = values.value(kFirstName);
        if (first.isEmpty()) {
            fields.insert(QStringLiteral("CompanyName"), values.value(kLastName));
        } else {
            fields.insert(QStringLiteral("CompanyName"), QString());
            fields.insert(QStringLiteral("Surname"), values.value(kLastName));
            fields.insert(QStringLiteral("Forename"), first);
        }
    }
    if (values.contains(kCardStatus)) {
        const int status = current.value(QStringLiteral("CustomerStatus"), 1).toInt();
        if (values.value(kCardStatus) == QLatin1String("Y"))
            fields.insert(QStringLiteral("CustomerStatus"), 9);
        else
            fields.insert(QStringLiteral("CustomerStatus"), status == 9 ? 1 : status);
    }
}

void xeroRule(const QHash<QString, QString> &values, const QVariantMap &, QVariantMap &fields)
{
    copyFields(values, fields);
}

// A MYOB address column under its full heading and under the continuation
// heading of older exports (" - Line 2").
CustomerImportFormat::Column address(const char *field, const char *part)
{
    const QString p = QString::fromLatin1(part);
    return {QString::fromLatin1(field), {QStringLiteral("addr 1 - ") + p, QStringLiteral("- ") + p}};
}

} // namespace

const CustomerImportFormat &myobCustomerFormat()
{
    static const CustomerImportFormat f = [] {
        CustomerImportFormat m;
        m.package = QStringLiteral("MYOB");
        m.headingLine = 1;
        m.tabsAllowed = true;
        m.keyHeadings = {QStringLiteral("card id")};
        m.noKeyValues = {QStringLiteral("*none")};
        m.columns = {
            {kLastName, {QStringLiteral("co./last name")}},
            {kFirstName, {QStringLiteral("first name")}},
            {kCardStatus, {QStringLiteral("card status")}},
            address("CAddress1", "line 1"),
            address("CAddress2", "line 2"),
            address("CAddress3", "line 3"),
            address("CSuburb", "line 4"),
            address("CCity", "city"),
            address("CPostCode", "postcode"),
            address("Phone1", "phone no. 1"),
            address("Phone2", "phone no. 2"),
            address("Phone3", "phone no. 3"),
            address("Email1", "email"),
            {QStringLiteral("CustomerComment"), {QStringLiteral("notes")}},
            {QStringLiteral("ContactName"),
             {QStringLiteral("contact name"), QStringLiteral("addr 1 - contact name"), QStringLiteral("- contact name")}},
        };
        m.rule = myobRule;
        return m;
    }();
    return f;
}

const CustomerImportFormat &xeroCustomerFormat()
{
    static const CustomerImportFormat f = [] {
        CustomerImportFormat x;
        x.package = QStringLiteral("Xero");
        x.headingLine = 0;
        x.keyHeadings = {QStringLiteral("contactname"), QStringLiteral("name")};
        x.keyCut = 30;
        auto col = [](const char *field, const char *heading, int cut) {
            return CustomerImportFormat::Column{QString::fromLatin1(field), {QString::fromLatin1(heading)}, cut};
        };
        x.columns = {
            col("Forename", "firstname", 50),       col("Surname", "lastname", 50),
            col("Email1", "emailaddress", 100),     col("CAddress1", "saaddressline1", 100),
            col("CAddress2", "saaddressline2", 100), col("CAddress3", "saaddressline3", 100),
            col("CSuburb", "saregion", 50),         col("CCity", "sacity", 50),
            col("CPostCode", "sapostalcode", 20),   col("Phone1", "phonenumber", 30),
            col("Phone2", "mobilenumber", 30),      col("Phone3", "ddinumber", 30),
        };
        x.rule = xeroRule;
        return x;
    }();
    return f;
}

} // namespace wvs
