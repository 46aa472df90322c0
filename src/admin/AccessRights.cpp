#include "admin/AccessRights.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"

namespace wvs {

const QList<RightsAreaInfo> &AccessRights::areas()
{
    static const QList<RightsAreaInfo> list{
        {RightsArea::Company, QStringLiteral("Company"), QStringLiteral("Company Details"), QStringLiteral("Company"), true, true, false},
        {RightsArea::Associates, QStringLiteral("Associates"), QStringLiteral("Associates"), QStringLiteral("Associates"), true, true, false},
        {RightsArea::Customers, QStringLiteral("Customers"), QStringLiteral("Customers"), QStringLiteral("Customers"), true, true, true},
        {RightsArea::JobTypes, QStringLiteral("JobTypes"), QStringLiteral("Job Types"), QStringLiteral("JobTypes"), true, true, false},
        {RightsArea::CustomerJobs, QStringLiteral("CustomerJobs"), QStringLiteral("Customer Jobs"), QStringLiteral("CustomerJobs"), true, true, true},
        {RightsArea::JobSchedules, QStringLiteral("JobSchedules"), QStringLiteral("Job Schedules"), QStringLiteral("JobSchedules"), true, true, true},
        {RightsArea::Accounts, QStringLiteral("Accounts"), QStringLiteral("Accounts Interface"), QStringLiteral("Accounts"), false, true, false},
        {RightsArea::Security, QStringLiteral("Security"), QStringLiteral("Security"), QStringLiteral("Security"), true, true, false},
        {RightsArea::Preferences, QStringLiteral("Preferences"), QStringLiteral("Preferences"), QStringLiteral("Preferences"), true, true, false},
    };
    return list;
}

const RightsAreaInfo &AccessRights::info(RightsArea area)
{
    for (const RightsAreaInfo &i : areas())
        if (i.area == area)
            return i;
    return areas().first();
}

RightsTicks AccessRights::ticksFor(RightsArea area, int value)
{
    const RightsAreaInfo &i = info(area);
    RightsTicks t;
    t.view = i.hasView && (value & ViewRight);
    t.change = i.hasChange && (value & ChangeRight);
    t.notes = i.hasNotes && (value & NotesRight);
    return t;
}

int AccessRights::valueOf(RightsArea area, const RightsTicks &ticks)
{
    if (area == RightsArea::Accounts)
        return ticks.change ? ViewRight + ChangeRight : 0;
    const RightsAreaInfo &i = info(area);
    int v = 0;
    if (i.hasView && ticks.view)
        v += ViewRight;
    if (i.hasChange && ticks.change)
        v += ChangeRight;
    if (i.hasNotes && ticks.notes)
        v += NotesRight;
    return v;
}

RightsTicks AccessRights::applyRule(RightsArea area, RightsTicks t, RightsBox changed)
{
    const RightsAreaInfo &i = info(area);
    const bool changeStandsAlone =
        area == RightsArea::Security || area == RightsArea::Preferences || area == RightsArea::Accounts;
    switch (changed) {
    case RightsBox::View:
        if (!t.view) {
            t.change = false;
            t.notes = false;
        }
        break;
    case RightsBox::Change:
        if (t.change && !changeStandsAlone && i.hasView)
            t.view = true;
        break;
    case RightsBox::Notes:
        if (t.notes && i.hasView)
            t.view = true;
        break;
    }
    return t;
}

std::optional<RightsValues> AccessRights::load(int level)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT Company, Associates, Customers, JobTypes, CustomerJobs, JobSchedules, "
                                         "Accounts, Security, Preferences FROM AuthorityAccess "
                                         "WHERE AuthorityLevelNumber = ?"),
                          {level});
    if (!q.next())
        return std::nullopt;
    RightsValues values;
    int col = 0;
    for (const RightsAreaInfo &i : areas())
        values.insert(i.area, q.value(col++).toInt());
    return values;
}

namespace {

// The nine areas' columns with their values, in the order of the areas.
ChangedColumns::Columns columnsOf(const RightsValues &values)
{
    ChangedColumns::Columns out;
    for (const RightsAreaInfo &i : AccessRights::areas())
        out.append({i.column, values.value(i.area)});
    return out;
}

void writeRights(int level, const ChangedColumns &changed)
{
    Transaction t;
    // A level deleted at another workstation keeps no rights row for a later
    // level of its number to start with.
    NamedRows().authorityLevel(level).confirm();
    // A level whose rights were never saved starts from none.
    writeSql(QStringLiteral("INSERT OR IGNORE INTO AuthorityAccess (AuthorityLevelNumber) VALUES (?)"), {level});
    changed.update(QStringLiteral("AuthorityAccess"), QStringLiteral("AuthorityLevelNumber = ?"), {level});
    t.commit();
}

} // namespace

void AccessRights::save(int level, const RightsValues &values)
{
    writeRights(level, ChangedColumns::between({}, columnsOf(values)));
}

void AccessRights::save(int level, const RightsValues &shown, const RightsValues &values)
{
    writeRights(level, ChangedColumns::between(columnsOf(shown), columnsOf(values)));
}

int AccessRights::areaValue(int level, RightsArea area)
{
    // The column name comes from the fixed list of areas, never from input.
    const QVariant v = scalarSql(QStringLiteral("SELECT %1 FROM AuthorityAccess WHERE AuthorityLevelNumber = ?")
                                     .arg(info(area).column),
                                 {level});
    return v.isValid() ? v.toInt() : 0;
}

int AccessRights::threshold(RightsArea area, AreaCommand command)
{
    switch (command) {
    case AreaCommand::Open:
        return ViewRight;
    case AreaCommand::AddNotes:
        return ViewRight + NotesRight;
    case AreaCommand::Change:
        // The rights window stores Add/Modify/Delete alone (4) in the
        // Preferences row, and that is what its save asks; elsewhere changing
        // asks view as well, and notes where the area has them.
        if (area == RightsArea::Preferences)
            return ChangeRight;
        return info(area).hasNotes ? ViewRight + NotesRight + ChangeRight : ViewRight + ChangeRight;
    case AreaCommand::Publish:
        // The schedule window publishes and retrieves with view and
        // Add/Modify/Delete, notes or not.
        return ViewRight + ChangeRight;
    }
    return ViewRight + NotesRight + ChangeRight;
}

bool AccessRights::grants(RightsArea area, int value, AreaCommand command)
{
    return value >= threshold(area, command);
}

bool AccessRights::allows(int level, RightsArea area, AreaCommand command)
{
    return grants(area, areaValue(level, area), command);
}

QList<AreaCommand> AccessRights::commandsOf(RightsArea area)
{
    QList<AreaCommand> commands{AreaCommand::Open};
    if (info(area).hasNotes)
        commands << AreaCommand::AddNotes;
    commands << AreaCommand::Change;
    if (area == RightsArea::JobSchedules)
        commands << AreaCommand::Publish;
    return commands;
}

bool AccessRights::within(int level, int ceiling)
{
    const RightsValues values = load(level).value_or(RightsValues());
    const RightsValues limits = load(ceiling).value_or(RightsValues());
    for (const RightsAreaInfo &i : areas())
        for (const AreaCommand command : commandsOf(i.area))
            if (grants(i.area, values.value(i.area), command) && !grants(i.area, limits.value(i.area), command))
                return false;
    return true;
}

bool AccessRights::mayAssign(int userLevel, int level)
{
    return allows(userLevel, RightsArea::Security, AreaCommand::Change) || within(level, userLevel);
}

} // namespace wvs
