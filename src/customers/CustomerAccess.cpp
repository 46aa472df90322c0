#include "customers/CustomerAccess.h"
#include "admin/AccessRights.h"

namespace wvs {

CustomerAccess CustomerAccess::fromValue(int value)
{
    CustomerAccess a;
    a.add = a.modify = a.remove = a.jobs =
        value >= AccessRights::threshold(RightsArea::Customers, AreaCommand::Change);
    a.notes = value >= AccessRights::threshold(RightsArea::Customers, AreaCommand::AddNotes);
    return a;
}

CustomerAccess CustomerAccess::forLevel(int authorityLevel)
{
    CustomerAccess a = fromValue(AccessRights::areaValue(authorityLevel, RightsArea::Customers));
    // The Jobs button opens the customer-job list, which a level without a
    // right to customer jobs never reaches from the main menu either.
    a.jobs = a.jobs && AccessRights::allows(authorityLevel, RightsArea::CustomerJobs, AreaCommand::Open);
    // Deleting a customer deletes its customer jobs with it.
    a.remove = a.remove && AccessRights::allows(authorityLevel, RightsArea::CustomerJobs, AreaCommand::Change);
    return a;
}

} // namespace wvs
