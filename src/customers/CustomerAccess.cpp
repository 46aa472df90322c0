#include "customers/CustomerAccess.h"
#include "admin/AccessRights.h"

namespace wvs {

CustomerAccess CustomerAccess::fromValue(int value)
{
    CustomerAccess a;
    a.add = a.modify = a.remove = a.jobs = value >= 7;
    a.notes = value >= 3;
    return a;
}

CustomerAccess CustomerAccess::forLevel(int authorityLevel)
{
    return fromValue(AccessRights::areaValue(authorityLevel, RightsArea::Customers));
}

} // namespace wvs
