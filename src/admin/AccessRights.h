#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace wvs {

// The functional areas whose rights an authority level holds, in the order the
// rights window shows them.
enum class RightsArea { Company, Associates, Customers, JobTypes, CustomerJobs, JobSchedules, Accounts, Security, Preferences };

// The rights of one area are stored as one number: the sum of View 1, Add
// Notes 2 and Add/Modify/Delete 4.
enum AccessRightBits { ViewRight = 1, NotesRight = 2, ChangeRight = 4 };

struct RightsAreaInfo {
    RightsArea area;
    QString column;   // the AuthorityAccess column
    QString caption;  // the row caption of the rights window
    QString prefix;   // the boxes are prefix + "RCheck", "WCheck", "NCheck"
    bool hasView;
    bool hasChange;
    bool hasNotes;
};

// The ticked boxes of one area's row.
struct RightsTicks {
    bool view = false;
    bool change = false;
    bool notes = false;
    bool operator==(const RightsTicks &) const = default;
};

enum class RightsBox { View, Change, Notes };

// The kinds of command an area's own windows gate: opening the area's windows
// (any right), adding notes, adding, modifying or deleting its records, and
// publishing a schedule on the portal or retrieving it (Job Schedules only).
enum class AreaCommand { Open, AddNotes, Change, Publish };

using RightsValues = QMap<RightsArea, int>;

class AccessRights {
public:
    static const QList<RightsAreaInfo> &areas();
    static const RightsAreaInfo &info(RightsArea area);

    // The boxes a stored value ticks: each bit on the box the area has for it,
    // so a value no tick combination produces still shows what it grants, and
    // a level saved unchanged writes back what was read. The Accounts
    // Interface has only its Add/Modify/Delete box (stored as 5 or 0).
    static RightsTicks ticksFor(RightsArea area, int value);
    // The value the ticked boxes store; the Accounts box stores 5.
    static int valueOf(RightsArea area, const RightsTicks &ticks);

    // The row after one box changed (ticks already holds that box's new state):
    // unticking View unticks the row's other boxes; ticking Add/Modify/Delete or
    // Add Notes ticks View, except in the Security, Preferences and Accounts rows,
    // where Add/Modify/Delete stands alone.
    static RightsTicks applyRule(RightsArea area, RightsTicks ticks, RightsBox changed);

    // The stored row of a level, or none when its rights were never saved.
    static std::optional<RightsValues> load(int level);
    // Writes every area of the level's row (areas missing from values store 0),
    // in one transaction. A level no longer there (deleted at another
    // workstation) throws the recoverable "no longer exists" message and writes
    // nothing.
    static void save(int level, const RightsValues &values);
    // Writes only the areas whose value differs from shown, the values the
    // window loaded for the level (0 in every area when it had no row), so an
    // area saved at another workstation meanwhile is kept. A level without a
    // row is given one.
    static void save(int level, const RightsValues &shown, const RightsValues &values);
    // One area's value for a level; 0 when the level has no row.
    static int areaValue(int level, RightsArea area);
    // Whether an area's value lets the level into the area at all: its main
    // menu item, the initial screen of the log-in and every button of another
    // window that opens one of its windows. Any right (view, notes or change)
    // does; the windows apply their own thresholds to their commands.
    static bool opensArea(int value) { return value > 0; }

    // The least value an area's own windows ask for a kind of command: any
    // right opens the area; adding notes asks 3 (view and notes); adding,
    // modifying and deleting asks 7 in the areas that have a notes box
    // (customers, customer jobs, job schedules), 4 in Preferences (its save
    // needs Add/Modify/Delete alone) and 5 in the others; publishing and
    // retrieving a schedule asks 5 (view and Add/Modify/Delete), below the 7
    // that changing schedules asks. These are thresholds on the stored number,
    // not tests of single rights.
    static int threshold(RightsArea area, AreaCommand command);
    // Whether the level may give the command in the area. A command that opens
    // a window of another area, or changes that area's records, asks this of
    // that area on top of its own window's gate, so no way round an area's
    // windows reaches its records with less than its own windows ask.
    static bool allows(int level, RightsArea area, AreaCommand command);

    // The commands an area's windows ask of its value: every area is opened
    // and changed; notes are added where the area has them; schedules are
    // also published and retrieved.
    static QList<AreaCommand> commandsOf(RightsArea area);
    // Whether a stored value grants the command in the area (its threshold).
    static bool grants(RightsArea area, int value, AreaCommand command);

    // Whether level's rights are within ceiling's: in no area does level's
    // value grant a command that ceiling's does not. What counts is what a
    // value opens, not the number: a 4 stored without View (Add/Modify/Delete
    // alone) grants no more than View alone where changing asks View too. A
    // level without a rights row counts as 0 in every area.
    static bool within(int level, int ceiling);
    // Whether a user at userLevel may give an associate the level, or modify or
    // delete an associate who holds it. The right to change the levels' rights
    // (Security Add/Modify/Delete) covers every level; without it only a level
    // within the user's own, so no level gives itself or anyone else rights it
    // lacks, nor takes over a stronger associate's log-in through his password.
    static bool mayAssign(int userLevel, int level);
};

} // namespace wvs
