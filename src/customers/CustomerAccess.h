#pragma once

namespace wvs {

// What the customer list lets an authority level do: the Customers area's
// thresholds (AccessRights::threshold) for changing customers and their jobs,
// and for adding notes.
struct CustomerAccess {
    bool add = false;
    bool modify = false;
    bool remove = false;
    bool jobs = false;
    bool notes = false;

    static CustomerAccess fromValue(int value);
    // The rights of a level as stored (none when the level has no row); Jobs
    // also needs a right to the customer-job area, and Delete, which deletes
    // the customer's jobs too, that area's right to delete.
    static CustomerAccess forLevel(int authorityLevel);
};

} // namespace wvs
