#include "jobs/CustomerJobOpener.h"
#include "admin/AccessRights.h"

namespace wvs {

CustomerJobOpener::JobRights CustomerJobOpener::jobRights(int authorityLevel)
{
    JobRights r;
    r.view = AccessRights::allows(authorityLevel, RightsArea::CustomerJobs, AreaCommand::Open);
    r.change = AccessRights::allows(authorityLevel, RightsArea::CustomerJobs, AreaCommand::Change);
    r.add = r.change && AccessRights::allows(authorityLevel, RightsArea::Customers, AreaCommand::Open);
    return r;
}

} // namespace wvs
