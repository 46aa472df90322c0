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
};

} // namespace wvs
