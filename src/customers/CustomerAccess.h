#pragma once

namespace wvs {

// What the customer list lets an authority level do. The stored right is a
// sum of 1 (view), 2 (add notes) and 4 (add, modify and delete): changing
// customers and their jobs needs 7, adding notes 3.
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
