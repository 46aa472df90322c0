#pragma once

namespace wvs {

// A window that opens the customer-job dialog to add or change a job. It
// clears the flag it needs, opens the dialog with itself as the opener, and
// after the dialog has closed refreshes its own list when the flag is set.
// The dialog's save sets JobAdded (Add mode) or JobModified (Modify mode).
class CustomerJobOpener {
public:
    virtual ~CustomerJobOpener() = default;
    bool JobAdded = false;
    bool JobModified = false;

    // What the customer-job area lets a level do through the dialog, from
    // whichever window opens it: viewing a job needs a right to customer
    // jobs; adding, modifying and deleting one needs that area's right to
    // change; adding also offers every customer to choose from, so it needs
    // a right to customers as well.
    struct JobRights {
        bool view = false;
        bool add = false;
        bool change = false;   // modify and delete
    };
    static JobRights jobRights(int authorityLevel);
};

} // namespace wvs
