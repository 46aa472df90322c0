#include "accounts/CustomerImportFormat.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "customers/CustomerRecord.h"
#include "platform/TypingLimit.h"

namespace wvs {

QString CustomerImportFormat::normalHeading(const QString &heading)
{
    QString h = heading.trimmed().toLower();
    while (h.startsWith(QLatin1Char('*')))
        h.remove(0, 1);
    return h.trimmed();
}

QString CustomerImportFormat::asTyped(const QString &value, bool multiLine)
{
    return multiLine ? TypingLimit::asLines(value) : TypingLimit::onOneLine(value);
}

QString CustomerImportFormat::key(const QString &value) const
{
    QString k = asTyped(value).trimmed();
    if (keyCut > 0)
        k = AccountsFileRules::cut(k, keyCut).trimmed();
    return k;
}

QString CustomerImportFormat::keyAsExported(const QString &accountsRef) const
{
    return key(AccountsFileRules::asWritten(kind, accountsRef));
}

std::optional<QString> CustomerImportFormat::asExported(const QString &field, const QString &stored) const
{
    const auto it = exported.constFind(field);
    if (it == exported.constEnd())
        return std::nullopt;
    QString v = AccountsFileRules::asWritten(kind, AccountsFileRules::cut(stored, it.value()));
    for (const Column &c : columns)
        if (c.field == field)
            v = AccountsFileRules::cut(v, c.cut);
    return v;
}

namespace {

const QString kLastName = QStringLiteral("(co./last name)");
const QString kFirstName = QStringLiteral("(first name)");
const QString kCardStatus = QStringLiteral("(card status)");
const QString kAddressLine4 = QStringLiteral("(saaddressline4)");

void copyFields(const QHash<QString, QString> &values, QVariantMap &fields)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        if (!it.key().startsWith(QLatin1Char('(')))
            fields.insert(it.key(), it.value());
}

// A card without a first name is a company; a person's names go to the
// surname and forename. A person stored without a forename goes out as such a
// card and stays that person when it comes back. An inactive card makes the
// customer inactive; an active card makes an inactive customer active and
// leaves a prospect one.
void myobRule(const CustomerImportFormat &f, const QHash<QString, QString> &values, const QVariantMap &current,
              QVariantMap &fields)
{
    copyFields(values, fields);
    if (values.contains(kLastName) && values.contains(kFirstName)) {
        const QString first = values.value(kFirstName);
        auto stored = [&](const char *field) { return current.value(QString::fromLatin1(field)).toString(); };
        const bool personWithoutForename = !current.isEmpty() && stored("CompanyName").isEmpty()
                                           && stored("Forename").isEmpty() && !stored("Surname").isEmpty()
                                           && f.asExported(QStringLiteral("Surname"), stored("Surname"))
                                                  == values.value(kLastName);
        if (first.isEmpty() && !personWithoutForename) {
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

// The suburb is the region when Xero has one, else the fourth address line,
// where the program's own export puts it.
void xeroRule(const CustomerImportFormat &, const QHash<QString, QString> &values, const QVariantMap &,
              QVariantMap &fields)
{
    copyFields(values, fields);
    const QString suburb = QStringLiteral("CSuburb");
    if (values.contains(kAddressLine4) && values.value(suburb).isEmpty())
        fields.insert(suburb, values.value(kAddressLine4));
}

// A MYOB address column under its full heading and under the continuation
// heading of older exports (" - Line 2").
CustomerImportFormat::Column address(const char *field, const char *part, bool sent = true)
{
    const QString p = QString::fromLatin1(part);
    return {QString::fromLatin1(field), {QStringLiteral("addr 1 - ") + p, QStringLiteral("- ") + p}, 0, sent};
}

} // namespace

const CustomerImportFormat &myobCustomerFormat()
{
    static const CustomerImportFormat f = [] {
        CustomerImportFormat m;
        m.package = QStringLiteral("MYOB");
        m.kind = AccountsPackage::MYOB;
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
            address("Phone3", "phone no. 3", false),
            address("Email1", "email"),
            {QStringLiteral("CustomerComment"), {QStringLiteral("notes")}, 0, true, true},
            {QStringLiteral("ContactName"),
             {QStringLiteral("contact name"), QStringLiteral("addr 1 - contact name"), QStringLiteral("- contact name")},
             0,
             false},
        };
        m.exported = {
            {QStringLiteral("CompanyName"), 0},
            {QStringLiteral("Surname"), MYOBCardLengths::Surname},
            {QStringLiteral("Forename"), MYOBCardLengths::Forename},
            {QStringLiteral("CAddress1"), 0},
            {QStringLiteral("CAddress2"), 0},
            {QStringLiteral("CAddress3"), 0},
            {QStringLiteral("CSuburb"), 0},
            {QStringLiteral("CCity"), 0},
            {QStringLiteral("CPostCode"), MYOBCardLengths::PostCode},
            {QStringLiteral("Phone1"), MYOBCardLengths::Phone},
            {QStringLiteral("Phone2"), MYOBCardLengths::Phone},
            {QStringLiteral("Email1"), MYOBCardLengths::Email},
            {QStringLiteral("CustomerComment"), MYOBCardLengths::Notes},
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
        x.kind = AccountsPackage::Xero;
        x.headingLine = 0;
        x.keyHeadings = {QStringLiteral("contactname"), QStringLiteral("name")};
        x.keyCut = 30;
        // Each value is cut to what its field holds.
        auto col = [](const char *field, const char *heading, bool sent = true) {
            const QString f = QString::fromLatin1(field);
            return CustomerImportFormat::Column{f, {QString::fromLatin1(heading)}, customerFieldSize(f), sent};
        };
        const int suburbSize = customerFieldSize(QStringLiteral("CSuburb"));
        x.columns = {
            col("Forename", "firstname"),        col("Surname", "lastname"),
            col("Email1", "emailaddress", false), col("CAddress1", "saaddressline1"),
            col("CAddress2", "saaddressline2"),  col("CAddress3", "saaddressline3"),
            col("CSuburb", "saregion", false),   {kAddressLine4, {QStringLiteral("saaddressline4")}, suburbSize},
            col("CCity", "sacity"),              col("CPostCode", "sapostalcode"),
            col("Phone1", "phonenumber"),        col("Phone2", "mobilenumber", false),
            col("Phone3", "ddinumber", false),
        };
        // The export writes these whole, the suburb under SAAddressLine4.
        for (const char *field : {"Forename", "Surname", "CAddress1", "CAddress2", "CAddress3", "CSuburb", "CCity",
                                  "CPostCode", "Phone1"})
            x.exported.insert(QString::fromLatin1(field), 0);
        x.rule = xeroRule;
        return x;
    }();
    return f;
}

} // namespace wvs
