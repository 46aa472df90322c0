#include "portal/PortalCompanyIdCheck.h"

#include "admin/CompanyRecord.h"
#include "platform/Transfer.h"
#include "portal/PortalSite.h"

namespace wvs {

QString portalCompanyIdReply(const QString &id, int timeoutMs)
{
    const QString url = PortalSite::checkIdPage() + QStringLiteral("?companyid=")
                        + PortalSite::pageValue(id);
    const HttpReply reply = httpGet(url, timeoutMs);
    return reply.ok ? QString::fromUtf8(reply.body) : QString();
}

namespace {
// The company window's ID check goes to the portal.
const bool installed = [] {
    CompanyRecord::idChecker() = [](const QString &id) { return portalCompanyIdReply(id); };
    return true;
}();
} // namespace

} // namespace wvs
