#include "admin/CompanyRecord.h"
#include "common/ValidateEntryModule.h"
#include "data/AppDatabase.h"
#include "platform/MessageBox.h"

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

void CompanyRecord::save(const CompanyDetails &d)
{
    // One row only: two workstations saving a new company both write row 1.
    writeSql(QStringLiteral(
                 "INSERT OR REPLACE INTO Company (RowId, ID, CompanyName, PAddress1, PAddress2, PAddress3, PAddress4, "
                 "PPostCode, PTelephone, PFax, PEmail, SAddress1, SAddress2, SAddress3, SAddress4, SPostCode, "
                 "STelephone, SFax, SEmail, RegisteredNo, GSTNo) "
                 "VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {d.id, d.name, d.pAddress1, d.pAddress2,
              d.pAddress3, d.pAddress4, d.pPostCode, d.pTelephone,
              d.pFax, d.pEmail, d.sAddress1, d.sAddress2,
              d.sAddress3, d.sAddress4, d.sPostCode, d.sTelephone,
              d.sFax, d.sEmail, d.regNo, d.gstNo});
}


CompanyRecord::Field CompanyRecord::check(const CompanyDetails &d, bool portalInUse)
{
    if (portalInUse) {
        if (d.id.isEmpty()) {
            msgBox(QStringLiteral("The ID is required to be able to access the internet portal"));
            return Field::ID;
        }
        if (d.id.size() < 4) {
            msgBox(QStringLiteral("The ID must be at least 4 characters"));
            return Field::ID;
        }
        if (d.id.contains(QLatin1Char(' '))) {
            msgBox(QStringLiteral("The ID cannot contain spaces"));
            return Field::ID;
        }
    }
    if (ValidateEntry(d.id, false).isValid())
        return Field::ID;
    if (d.name.isEmpty()) {
        msgBox(QStringLiteral("Please enter the Name"));
        return Field::Name;
    }
    if (ValidateEntry(d.name, true).isValid())
        return Field::Name;
    if (d.regNo.isEmpty() && !askYesNo(QStringLiteral("No Registered Number has been entered. Is this correct?")))
        return Field::RegNo;
    if (d.gstNo.isEmpty() && !askYesNo(QStringLiteral("No GST Number has been entered. Is this correct?")))
        return Field::GSTNo;
    if (d.pAddress1.isEmpty()) {
        msgBox(QStringLiteral("Please enter the Primary Address"));
        return Field::PAddress1;
    }
    if (d.pPostCode.isEmpty() && !askYesNo(QStringLiteral("No Primary Post Code has been entered. Is this correct?")))
        return Field::PPostCode;
    if (d.pTelephone.isEmpty()
        && !askYesNo(QStringLiteral("No Primary Telephone number has been entered. Is this correct?")))
        return Field::PTelephone;
    return Field::None;
}

bool CompanyRecord::acceptIdReply(const QString &reply, const QString &id)
{
    if (reply.isEmpty()) {
        msgBox(QStringLiteral("Unable to verify that Company ID already exists. Please try again"));
        return false;
    }
    if (reply != QLatin1String("OK")) {
        msgBox(QStringLiteral("Company ID %1 is already in use. Please enter another").arg(id));
        return false;
    }
    return true;
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

} // namespace wvs
