#include "admin/CompanyRecord.h"
#include "common/ValidateEntryModule.h"
#include "common/Windows1252.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"
#include "platform/TypingLimit.h"

#include <algorithm>

namespace wvs {

std::optional<CompanyDetails> CompanyRecord::load()
{
    QSqlQuery q = execSql(QStringLiteral(
        "SELECT ID, CompanyName, PAddress1, PAddress2, PAddress3, PAddress4, PPostCode, PTelephone, PFax, PEmail, "
        "SAddress1, SAddress2, SAddress3, SAddress4, SPostCode, STelephone, SFax, SEmail, RegisteredNo, GSTNo "
        "FROM Company ORDER BY RowId LIMIT 1"));
    if (!q.next())
        return std::nullopt;
    auto v = [&](int i) { return q.value(i).isNull() ? QString() : q.value(i).toString(); };
    CompanyDetails d;
    d.id = v(0);
    d.name = v(1);
    d.pAddress1 = v(2);
    d.pAddress2 = v(3);
    d.pAddress3 = v(4);
    d.pAddress4 = v(5);
    d.pPostCode = v(6);
    d.pTelephone = v(7);
    d.pFax = v(8);
    d.pEmail = v(9);
    d.sAddress1 = v(10);
    d.sAddress2 = v(11);
    d.sAddress3 = v(12);
    d.sAddress4 = v(13);
    d.sPostCode = v(14);
    d.sTelephone = v(15);
    d.sFax = v(16);
    d.sEmail = v(17);
    d.regNo = v(18);
    d.gstNo = v(19);
    return d;
}

namespace {

// The columns of the row in the order they are written, with their values.
ChangedColumns::Columns companyColumns(const CompanyDetails &d)
{
    return {{QStringLiteral("ID"), d.id},
            {QStringLiteral("CompanyName"), d.name},
            {QStringLiteral("PAddress1"), d.pAddress1},
            {QStringLiteral("PAddress2"), d.pAddress2},
            {QStringLiteral("PAddress3"), d.pAddress3},
            {QStringLiteral("PAddress4"), d.pAddress4},
            {QStringLiteral("PPostCode"), d.pPostCode},
            {QStringLiteral("PTelephone"), d.pTelephone},
            {QStringLiteral("PFax"), d.pFax},
            {QStringLiteral("PEmail"), d.pEmail},
            {QStringLiteral("SAddress1"), d.sAddress1},
            {QStringLiteral("SAddress2"), d.sAddress2},
            {QStringLiteral("SAddress3"), d.sAddress3},
            {QStringLiteral("SAddress4"), d.sAddress4},
            {QStringLiteral("SPostCode"), d.sPostCode},
            {QStringLiteral("STelephone"), d.sTelephone},
            {QStringLiteral("SFax"), d.sFax},
            {QStringLiteral("SEmail"), d.sEmail},
            {QStringLiteral("RegisteredNo"), d.regNo},
            {QStringLiteral("GSTNo"), d.gstNo}};
}

} // namespace

void CompanyRecord::save(const CompanyDetails &d, const CompanyDetails *shown)
{
    const ChangedColumns::Columns columns = companyColumns(d);
    Transaction t;
    const ChangedColumns changed = ChangedColumns::between(shown ? companyColumns(*shown) : ChangedColumns::Columns{}, columns);
    if (changed.update(QStringLiteral("Company"), QStringLiteral("RowId = 1"), {}) == 0) {
        QStringList names{QStringLiteral("RowId")};
        QVariantList values{1};
        for (const auto &c : columns) {
            names << c.first;
            values << c.second;
        }
        writeSql(QStringLiteral("INSERT INTO Company (%1) VALUES (%2)")
                     .arg(names.join(QStringLiteral(", ")), QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
                 values);
    }
    t.commit();
}

CompanyRecord::Check CompanyRecord::check(const CompanyDetails &d, bool portalInUse, const Ask &ask)
{
    if (portalInUse) {
        if (d.id.isEmpty())
            return {Field::ID, QStringLiteral("The ID is required to be able to access the internet portal")};
        if (d.id.size() < 4)
            return {Field::ID, QStringLiteral("The ID must be at least 4 characters")};
        if (d.id.contains(QLatin1Char(' ')))
            return {Field::ID, QStringLiteral("The ID cannot contain spaces")};
    }
    // With the portal off too the ID takes no blanks or punctuation: it names
    // the company on the portal once the portal is switched on.
    if (QString m = validateEntryMessage(d.id, false); !m.isEmpty())
        return {Field::ID, m};
    if (QString m = portalCharacterRefusal(QStringLiteral("ID"), d.id); !m.isEmpty())
        return {Field::ID, m};
    if (d.name.isEmpty())
        return {Field::Name, QStringLiteral("Please enter the Name")};
    if (QString m = validateEntryMessage(d.name, true); !m.isEmpty())
        return {Field::Name, m};
    if (d.regNo.isEmpty() && !ask(QStringLiteral("No Registered Number has been entered. Is this correct?")))
        return {Field::RegNo};
    if (d.gstNo.isEmpty() && !ask(QStringLiteral("No GST Number has been entered. Is this correct?")))
        return {Field::GSTNo};
    if (d.pAddress1.isEmpty())
        return {Field::PAddress1, QStringLiteral("Please enter the Primary Address")};
    if (d.pPostCode.isEmpty() && !ask(QStringLiteral("No Primary Post Code has been entered. Is this correct?")))
        return {Field::PPostCode};
    if (d.pTelephone.isEmpty() && !ask(QStringLiteral("No Primary Telephone number has been entered. Is this correct?")))
        return {Field::PTelephone};
    return {};
}

QString CompanyRecord::portalCharacterRefusal(const QString &what, const QString &id)
{
    // No control character, line break or tab: no box lets one in.
    const auto ruled = std::find_if(id.cbegin(), id.cend(), &TypingLimit::isMended);
    const QString missing = ruled != id.cend() ? QString(*ruled) : Windows1252::firstMissing(id);
    if (missing.isEmpty())
        return QString();
    return QStringLiteral("The %1 cannot contain \"%2\" - the internet portal cannot carry that character")
        .arg(what, missing);
}

QString CompanyRecord::idReplyRefusal(const QString &reply, const QString &id)
{
    if (reply.isEmpty())
        return QStringLiteral("Unable to verify that Company ID already exists. Please try again");
    if (reply != QLatin1String("OK"))
        return QStringLiteral("Company ID %1 is already in use. Please enter another").arg(id);
    return QString();
}

QString CompanyRecord::portalMode(const QString &originalId, const QString &originalName, const CompanyDetails &d)
{
    if (d.id != originalId)
        return QStringLiteral("CompanyID~%1~%2~%3").arg(originalId, d.id, d.name);
    if (d.name != originalName)
        return QStringLiteral("CompanyName~%1~%2").arg(d.id, d.name);
    return QString();
}

std::function<QString(const QString &)> &CompanyRecord::idChecker()
{
    static std::function<QString(const QString &)> checker;
    return checker;
}

QString CompanyRecord::checkId(const QString &id)
{
    auto &checker = idChecker();
    return checker ? checker(id) : QString();
}

QString CompanyRecord::helpText()
{
    return QStringLiteral("The ID can be left blank if the internet portal is not being used. \r\n"
                          "Otherwise, a minimum of 4 and a maximum of 10 alphanumeric characters (a - z  0 - 9) "
                          "with no spaces is required.\r\n"
                          "The ID is not case sensitive.");
}

QString CompanyRecord::portalAccessRefusal()
{
    const QVariant id = scalarSql(QStringLiteral("SELECT ID FROM Company"));
    if (!id.isValid())
        return QStringLiteral("The Company details have not yet been entered. These are required to access the portal");
    if (id.toString().isEmpty())
        return QStringLiteral("The ID has not been set for the Company. This is required to access the portal");
    return QString();
}

} // namespace wvs
