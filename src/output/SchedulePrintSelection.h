#pragma once

namespace wvs {

// The job schedule print options last confirmed in the print options window:
// the columns, the check box column, a new page per service date and the
// orientation. Unconfirmed until the window has been confirmed once since the
// program started.
struct SchedulePrintSelection {
    bool confirmed = false;
    bool customerName = false;
    bool address = false;
    bool location = false;
    bool phone = false;
    bool jobType = false;
    bool cost = false;
    bool comments = false;
    bool checkBox = false;
    bool breakOnDate = false;
    bool portrait = false;

    static SchedulePrintSelection all()
    {
        return {true, true, true, true, true, true, true, true, true, true, false};
    }
};

// The program-wide selection.
SchedulePrintSelection &schedulePrintSelection();

} // namespace wvs
