#include "admin/PreferenceSettings.h"
#include "admin/AccessRights.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"

#include <QRegularExpression>
#include <cmath>

namespace wvs {

std::optional<PreferenceValues> PreferenceSettings::load()
{
    QSqlQuery q = execSql(QStringLiteral(
        "SELECT MYOB, Xero, GSTInclusive, EmailHTML, ShowCostOnSchedPrint, ShowCostOnSchedEmail, Portal, "
        "ShowCostOnPortal, ShowPhoneOnSchedEmail, ShowPhoneOnPortal, TaxRate, XeroTaxRateName, EmailProvider, "
        "SMTPServer, SMTPPort, SMTPSSL, SMTPUserName, SMTPPassword, SMTPTestEmail FROM Preferences LIMIT 1"));
    if (!q.next())
        return std::nullopt;
    auto b = [&](int i) { return q.value(i).toInt() != 0; };
    auto s = [&](int i) { return q.value(i).toString(); };
    PreferenceValues v;
    v.myob = b(0);
    v.xero = b(1);
    v.gstInclusive = b(2);
    v.emailHtml = b(3);
    v.showCostOnSchedPrint = b(4);
    v.showCostOnSchedEmail = b(5);
    v.portal = b(6);
    v.showCostOnPortal = b(7);
    v.showPhoneOnSchedEmail = b(8);
    v.showPhoneOnPortal = b(9);
    v.taxRate = q.value(10).toDouble();
    v.xeroTaxRateName = s(11);
    v.emailProvider = s(12);
    v.smtpServer = s(13);
    v.smtpPort = s(14);
    v.smtpSsl = b(15);
    v.smtpUserName = s(16);
    v.smtpPassword = s(17);
    v.smtpTestEmail = s(18);
    return v;
}

namespace {

// The fields the preferences window shows, in the row's order, as a save
// writes them. XeroTaxRateName is not one of them: the Xero sales export
// keeps it.
ChangedColumns::Columns shownColumns(const PreferenceValues &v)
{
    auto b = [](bool x) { return QVariant(x ? 1 : 0); };
    return {{QStringLiteral("MYOB"), b(v.myob)},
            {QStringLiteral("Xero"), b(v.xero)},
            {QStringLiteral("GSTInclusive"), b(v.gstInclusive)},
            {QStringLiteral("EmailHTML"), b(v.emailHtml)},
            {QStringLiteral("ShowCostOnSchedPrint"), b(v.showCostOnSchedPrint)},
            {QStringLiteral("ShowCostOnSchedEmail"), b(v.showCostOnSchedEmail)},
            {QStringLiteral("Portal"), b(v.portal)},
            {QStringLiteral("ShowCostOnPortal"), b(v.showCostOnPortal)},
            {QStringLiteral("ShowPhoneOnSchedEmail"), b(v.showPhoneOnSchedEmail)},
            {QStringLiteral("ShowPhoneOnPortal"), b(v.showPhoneOnPortal)},
            {QStringLiteral("TaxRate"), v.taxRate},
            {QStringLiteral("EmailProvider"), v.smtp() ? QStringLiteral("Other") : QStringLiteral("Outlook")},
            {QStringLiteral("SMTPServer"), v.smtpServer},
            {QStringLiteral("SMTPPort"), v.smtpPort},
            {QStringLiteral("SMTPSSL"), b(v.smtpSsl)},
            {QStringLiteral("SMTPUserName"), v.smtpUserName},
            {QStringLiteral("SMTPPassword"), v.smtpPassword},
            {QStringLiteral("SMTPTestEmail"), v.smtpTestEmail}};
}

} // namespace

void PreferenceSettings::save(const PreferenceValues &v, const PreferenceValues &shown)
{
    ChangedColumns::Columns before = shownColumns(shown);
    // The provider as it was stored: an empty or unknown one, which the window
    // shows as Outlook, is written as the window saves it.
    for (auto &c : before)
        if (c.first == QLatin1String("EmailProvider"))
            c.second = shown.emailProvider;
    const ChangedColumns changed = ChangedColumns::between(before, shownColumns(v));
    Transaction t;
    writeSql(QStringLiteral("INSERT OR IGNORE INTO Preferences (RowId) VALUES (1)"));
    changed.update(QStringLiteral("Preferences"), QStringLiteral("RowId = 1"), {});
    t.commit();
}

void PreferenceSettings::save(const PreferenceValues &v)
{
    auto b = [](bool x) { return x ? 1 : 0; };
    Transaction t;
    writeSql(QStringLiteral("DELETE FROM Preferences"));
    writeSql(QStringLiteral(
                 "INSERT INTO Preferences (RowId, MYOB, Xero, GSTInclusive, EmailHTML, ShowCostOnSchedPrint, "
                 "ShowCostOnSchedEmail, Portal, ShowCostOnPortal, ShowPhoneOnSchedEmail, ShowPhoneOnPortal, TaxRate, "
                 "XeroTaxRateName, EmailProvider, SMTPServer, SMTPPort, SMTPSSL, SMTPUserName, SMTPPassword, "
                 "SMTPTestEmail) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {b(v.myob), b(v.xero), b(v.gstInclusive), b(v.emailHtml), b(v.showCostOnSchedPrint),
              b(v.showCostOnSchedEmail), b(v.portal), b(v.showCostOnPortal), b(v.showPhoneOnSchedEmail),
              b(v.showPhoneOnPortal), v.taxRate, v.xeroTaxRateName,
              v.smtp() ? QStringLiteral("Other") : QStringLiteral("Outlook"), v.smtpServer,
              v.smtpPort, b(v.smtpSsl), v.smtpUserName, v.smtpPassword,
              v.smtpTestEmail});
    t.commit();
}

bool PreferenceSettings::parseNumber(const QString &text, double *value)
{
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!re.match(text).hasMatch())
        return false;
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    if (value)
        *value = d;
    return true;
}

double PreferenceSettings::taxRateFor(const QString &taxRateText)
{
    double d = 0;
    return parseNumber(taxRateText, &d) ? d : 0;
}

PreferenceSettings::Check PreferenceSettings::check(const PreferenceValues &v, const QString &taxRateText, const Ask &ask)
{
    double rate = 0;
    const bool numeric = parseNumber(taxRateText, &rate);
    if (v.gstInclusive) {
        if ((taxRateText.isEmpty() || (numeric && rate == 0))
            && !ask(QStringLiteral("Customer Jobs are inclusive of sales tax but no tax rate has been entered - "
                                   "is this correct?")))
            return {Field::TaxRate};
        if (!numeric)
            return {Field::TaxRate, QStringLiteral("The sales tax rate must be numeric")};
        if (rate < 0)
            return {Field::TaxRate, QStringLiteral("The sales tax rate cannot be negative")};
    } else if (!taxRateText.isEmpty() && !numeric) {
        return {Field::TaxRate, QStringLiteral("The sales tax rate must be numeric")};
    }

    if (v.smtp()) {
        if (v.smtpServer.isEmpty())
            return {Field::Server, QStringLiteral("Please enter the name of the Email Service Provider's Server")};
        if (v.smtpPort.isEmpty())
            return {Field::Port, QStringLiteral("Please enter the Email Service Provider Port")};
        double port = 0;
        if (!parseNumber(v.smtpPort, &port))
            return {Field::Port, QStringLiteral("The Email Service Provider Port must be numeric")};
        if (port < 0)
            return {Field::Port, QStringLiteral("The Email Service Provider Port be negative")};
        if (v.smtpUserName.isEmpty())
            return {Field::UserName, QStringLiteral("Please enter the User Name for the Email Service Provider")};
        if (v.smtpPassword.isEmpty())
            return {Field::Password, QStringLiteral("Please enter the Password for the Email Service Provider")};
    }
    return {};
}

std::optional<bool> PreferenceSettings::accountsMenuAfterSave(bool myob, bool xero, int level)
{
    if (!myob && !xero)
        return false;
    if (AccessRights::areaValue(level, RightsArea::Accounts) > 0)
        return true;
    return std::nullopt;
}

QString PreferenceSettings::gstInclusiveCaption(const QString &country)
{
    return country == QLatin1String("UK") ? QStringLiteral("Customer Job Costs include VAT")
                                          : QStringLiteral("Customer Job Costs include tax");
}

} // namespace wvs
