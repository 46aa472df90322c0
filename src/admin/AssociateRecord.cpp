#include "admin/AssociateRecord.h"
#include "admin/AccessRights.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "common/ValidateEntryModule.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"
#include "core/Session.h"

#include <QDate>
#include <QRegularExpression>
#include <functional>

namespace wvs {

namespace {

bool sameId(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

double todaySerial() { return double(Formats::dateSerial(QDate::currentDate())); }

bool idTaken(const QString &id, const QString &exceptId = QString())
{
    if (exceptId.isNull())
        return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateID = ? COLLATE NOCASE"), {id})
                   .toInt() > 0;
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateID = ? COLLATE NOCASE "
                                    "AND AssociateID <> ? COLLATE NOCASE"),
                     {id, exceptId})
               .toInt() > 0;
}

AssociateRecord::Check refusal(const QString &message, AssociateRecord::Field field)
{
    AssociateRecord::Check c;
    c.ok = false;
    c.message = message;
    c.field = field;
    return c;
}

// The refusals of a level with rights above the user's own.
const QString kModifyAbove = QStringLiteral("You cannot modify an Associate whose Authority Level has rights above your own");
const QString kDeleteAbove = QStringLiteral("You cannot delete an Associate whose Authority Level has rights above your own");
const QString kGiveAbove = QStringLiteral("You cannot give an Associate an Authority Level with rights above your own");

// Whether the stored associate holds a level the user logged on may not handle.
bool heldAbove(const QString &id)
{
    const auto row = AssociateRecord::load(id);
    return row && !AssociateRecord::mayAssign(row->level);
}

// An associate marked logged on (a negative status) at another workstation:
// deleting him or changing his ID would pull the record from under his
// session and leave his schedule locks to a name nobody frees. The user's
// own mark is this workstation's, not another's.
bool loggedOnElsewhere(const std::optional<AssociateRow> &row)
{
    return row && row->status < 0 && !AssociateRecord::isCurrentAssociate(row->id);
}

// The associates ticked in the portal list, each confirmed still there.
NamedRows portalAssociates(const AssociateEntry &e)
{
    NamedRows rows;
    for (const QString &id : e.portalIds)
        rows.associate(id);
    return rows;
}

AssociateRecord::Check refuseTakenId(const QString &id)
{
    AssociateRecord::Check c;
    c.ok = false;
    c.message = QStringLiteral("Associate ID %1 already exists - please enter another").arg(id);
    c.field = AssociateRecord::Field::ID;
    c.clearId = true;
    return c;
}

// Rewrites every other associate's portal access list: each named ID (after
// the owner's own, which comes first) is passed through map; an empty result
// drops it from the list.
void rewritePortalLists(const std::function<QString(const QString &)> &map)
{
    QList<QPair<QString, QString>> changes;
    QSqlQuery q = execSql(QStringLiteral("SELECT AssociateID, PortalAccess FROM Associates WHERE PortalAccess <> ''"));
    while (q.next()) {
        const QString owner = q.value(0).toString();
        const QString stored = q.value(1).toString();
        QStringList parts = stored.split(QLatin1Char(','));
        QStringList out;
        for (int i = 0; i < parts.size(); ++i) {
            if (i == 0) {
                out << parts[i];
                continue;
            }
            const QString mapped = map(parts[i]);
            if (!mapped.isEmpty())
                out << mapped;
        }
        const QString rewritten = out.join(QLatin1Char(','));
        if (rewritten != stored)
            changes.append({owner, rewritten});
    }
    for (const auto &c : changes)
        writeSql(QStringLiteral("UPDATE Associates SET PortalAccess = ? WHERE AssociateID = ?"), {c.second, c.first});
}

} // namespace

const QStringList &AssociateRecord::initialScreenEntries()
{
    static const QStringList entries{QStringLiteral("Customers Management"), QStringLiteral("Customer Jobs Management"),
                                     QStringLiteral("Job Schedules Management"), QStringLiteral("None")};
    return entries;
}

const QStringList &AssociateRecord::initialScreenForms()
{
    static const QStringList forms{QStringLiteral("CustomersManagementForm"), QStringLiteral("CustomerJobsManagementForm"),
                                   QStringLiteral("SchedulesManagementForm"), QStringLiteral("None")};
    return forms;
}

QString AssociateRecord::portalPasswordRefusal()
{
    return QStringLiteral("The Password cannot contain \"|\" or a line break while the internet portal is in use");
}

AssociateRecord::Check AssociateRecord::check(const AssociateEntry &e, bool portalInUse)
{
    auto refuse = [](const QString &message, Field field) { return refusal(message, field); };
    if (e.id.isEmpty())
        return refuse(QStringLiteral("Please enter an ID"), Field::ID);
    if (e.id.size() < 2)
        return refuse(QStringLiteral("The ID must be at least 2 characters"), Field::ID);
    if (e.id.contains(QLatin1Char(' ')))
        return refuse(QStringLiteral("The ID cannot contain spaces"), Field::ID);
    // The ID is a key of other tables and an entry of comma-separated portal
    // lists and portal files: letters A-Z, digits and underscores only (no
    // control characters, accented letters, emoji or direction marks).
    if (const QString m = validateEntryMessage(e.id, false); !m.isEmpty())
        return refuse(m, Field::ID);
    static const QRegularExpression plainId(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!plainId.match(e.id).hasMatch())
        return refuse(plainEntryMessage(), Field::ID);
    if (e.name.isEmpty())
        return refuse(QStringLiteral("Please enter a Name"), Field::Name);
    if (e.password.isEmpty())
        return refuse(QStringLiteral("Please enter a Password"), Field::Password);
    if (e.password.size() < 4)
        return refuse(QStringLiteral("The Password must be at least 4 characters"), Field::Password);
    if (e.password.contains(QLatin1Char(' ')))
        return refuse(QStringLiteral("The Password cannot contain spaces"), Field::Password);
    if (portalInUse
        && (e.password.contains(QLatin1Char('|')) || e.password.contains(QLatin1Char('\r'))
            || e.password.contains(QLatin1Char('\n'))))
        return refuse(portalPasswordRefusal(), Field::Password);
    if (e.password != e.password2) {
        Check c = refuse(QStringLiteral("Passwords don't match - please re-enter"), Field::Password);
        c.clearPasswords = true;
        return c;
    }
    if (!e.level)
        return refuse(QStringLiteral("Please select an Authority Level"), Field::Level);
    if (e.initialScreen.isEmpty())
        return refuse(QStringLiteral("Please select the Initial Screen"), Field::InitialScreen);
    return {};
}

QString AssociateRecord::portalAccessValue(const AssociateEntry &e, bool portalInUse)
{
    if (!portalInUse || !e.portalAccess)
        return QString();
    QStringList parts{e.id};
    parts << e.portalIds;
    return parts.join(QLatin1Char(','));
}

AssociateRecord::Check AssociateRecord::add(const AssociateEntry &e, bool portalInUse)
{
    Transaction t;
    if (idTaken(e.id))
        return refuseTakenId(e.id);
    // The level chosen, and the associates ticked for portal access, may have
    // been deleted at another workstation while the window was open.
    if (e.level)
        if (const QString gone = NamedRows().authorityLevel(*e.level).firstGone(); !gone.isEmpty())
            return refusal(gone, Field::Level);
    if (!portalAccessValue(e, portalInUse).isEmpty())
        if (const QString gone = portalAssociates(e).firstGone(); !gone.isEmpty())
            return refusal(gone, Field::None);
    if (e.level && !mayAssign(*e.level))
        return refusal(kGiveAbove, Field::Level);
    writeSql(QStringLiteral("INSERT INTO Associates (AssociateID, AssociateName, AssociatePassword, AssociatePhone, "
                            "AssociateEmail, AssociateAuthorityLevel, AssociateStatus, InitialScreen, PortalAccess, Active) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {e.id, e.name, e.password, e.phone, e.email,
              e.level.value_or(0), todaySerial(), e.initialScreen,
              portalAccessValue(e, portalInUse), e.active ? 1 : 0});
    t.commit();
    return {};
}

AssociateRecord::Check AssociateRecord::modify(const QString &originalId, const AssociateEntry &e, bool portalInUse,
                                               const AssociateEntry *shown)
{
    // The row being edited decides whether this is the logged-on associate, so
    // that renaming oneself in the same save does not slip past the test.
    const bool self = isCurrentAssociate(originalId);
    if (!e.active && self)
        return refusal(QStringLiteral("You cannot de-activate yourself!"), Field::None);
    Transaction t;
    const bool renamed = e.id != originalId;
    // The row edited, read inside the saving transaction: deleted, or its ID
    // changed, at another workstation since the window opened, nothing is
    // written and the window keeps what was typed.
    const auto stored = load(originalId);
    if (!stored)
        return refusal(NamedRows::goneMessage(NamedRows::Kind::Associate), Field::None);
    if (renamed && idTaken(e.id, originalId))
        return refuseTakenId(e.id);
    if (const QString r = modifyRefusal(originalId); !r.isEmpty())
        return refusal(r, Field::None);
    if (e.level)
        if (const QString gone = NamedRows().authorityLevel(*e.level).firstGone(); !gone.isEmpty())
            return refusal(gone, Field::Level);
    // Keeping the level he holds gives nothing; another level must be one the user may give.
    if (e.level && *e.level != stored->level && !mayAssign(*e.level))
        return refusal(kGiveAbove, Field::Level);
    if (renamed && loggedOnElsewhere(stored))
        return refusal(QStringLiteral("%1 is currently logged on and therefore his/her ID cannot be changed").arg(stored->name),
                       Field::ID);

    // Only what the user changed is written, so that another workstation's
    // change to the other fields is kept. The status is always written: a
    // logged-on associate keeps his log-on mark (negative), anyone else gets
    // today's date serial. Without the portal the access list is cleared.
    ChangedColumns changed;
    auto column = [&](const char *name, const QVariant &before, const QVariant &after) {
        if (shown)
            changed.compare(QString::fromLatin1(name), before, after);
        else
            changed.set(QString::fromLatin1(name), after);
    };
    const AssociateEntry none;
    const AssociateEntry &was = shown ? *shown : none;
    column("AssociateID", was.id, e.id);
    column("AssociateName", was.name, e.name);
    column("AssociatePassword", was.password, e.password);
    column("AssociatePhone", was.phone, e.phone);
    column("AssociateEmail", was.email, e.email);
    column("AssociateAuthorityLevel", was.level ? QVariant(*was.level) : QVariant(), e.level.value_or(0));
    column("InitialScreen", was.initialScreen, e.initialScreen);
    if (portalInUse)
        column("PortalAccess", portalAccessValue(was, true), portalAccessValue(e, true));
    else
        changed.set(QStringLiteral("PortalAccess"), QString());
    // A portal list written names only associates who are still there.
    if (changed.contains(QStringLiteral("PortalAccess")) && !portalAccessValue(e, portalInUse).isEmpty())
        if (const QString gone = portalAssociates(e).firstGone(); !gone.isEmpty())
            return refusal(gone, Field::None);
    column("Active", was.active ? 1 : 0, e.active ? 1 : 0);
    writeSql(QStringLiteral("UPDATE Associates SET AssociateStatus = CASE WHEN AssociateStatus < 0 THEN AssociateStatus "
                            "ELSE ? END WHERE AssociateID = ? COLLATE NOCASE"),
             {todaySerial(), originalId});
    changed.update(QStringLiteral("Associates"), QStringLiteral("AssociateID = ? COLLATE NOCASE"), {originalId});

    if (renamed) {
        writeSql(QStringLiteral("UPDATE CustomerJobs SET AssociateID = ? WHERE AssociateID = ? COLLATE NOCASE"), {e.id, originalId});
        writeSql(QStringLiteral("UPDATE ScheduleJobs SET AssociateID = ? WHERE AssociateID = ? COLLATE NOCASE"), {e.id, originalId});
        writeSql(QStringLiteral("UPDATE LockedSchedules SET AssociateID = ? WHERE AssociateID = ? COLLATE NOCASE"),
                 {e.id, originalId});
        writeSql(QStringLiteral("UPDATE PublishingSchedules SET AssociateID = ? WHERE AssociateID = ? COLLATE NOCASE"),
                 {e.id, originalId});
        writeSql(QStringLiteral("UPDATE ScheduleStaging SET UserID = ? WHERE UserID = ? COLLATE NOCASE"), {e.id, originalId});
        writeSql(QStringLiteral("UPDATE ScheduleStaging SET Associate = ? WHERE Associate = ? COLLATE NOCASE"),
                 {e.id, originalId});
        rewritePortalLists([&](const QString &id) { return sameId(id, originalId) ? e.id : id; });
    }
    t.commit();

    if (self) {
        session().currentAssociateID = e.id;
        session().currentAssociateName = e.name;
    }
    return {};
}

bool AssociateRecord::mayAssign(int level)
{
    return AccessRights::mayAssign(session().currentAuthorityLevel, level);
}

QString AssociateRecord::modifyRefusal(const QString &id)
{
    return !isCurrentAssociate(id) && heldAbove(id) ? kModifyAbove : QString();
}

QString AssociateRecord::removeRefusal(const QString &id, const QString &name)
{
    if (isCurrentAssociate(id))
        return QStringLiteral("You cannot delete yourself!");
    const auto row = load(id);
    if (row && !mayAssign(row->level))
        return kDeleteAbove;
    if (loggedOnElsewhere(row))
        return QStringLiteral("%1 is currently logged on and therefore cannot be deleted").arg(name);
    const int jobs = scalarSql(QStringLiteral("SELECT COUNT(*) FROM CustomerJobs WHERE AssociateID = ? COLLATE NOCASE"), {id}).toInt();
    if (jobs > 0)
        return QStringLiteral("There are Customer Jobs assigned to  %1 therefore he/she cannot be deleted").arg(name);
    return QString();
}

QString AssociateRecord::removeQuestion(const QString &name)
{
    return QStringLiteral("Are you sure you want to PERMANENTLY delete Associate %1?").arg(name);
}

QString AssociateRecord::remove(const QString &id, const QString &name)
{
    // Every refusal is asked again inside the deleting transaction: another
    // workstation may have given him a job, logged him on, changed the levels,
    // or deleted him or changed his ID, while the question was open.
    Transaction t;
    const auto row = load(id);
    if (!row)
        return NamedRows::goneMessage(NamedRows::Kind::Associate);
    if (const QString why = removeRefusal(id, name.isNull() ? row->name : name); !why.isEmpty())
        return why;
    writeSql(QStringLiteral("DELETE FROM Associates WHERE AssociateID = ? COLLATE NOCASE"), {id});
    // Locks and a staged grid of someone who can no longer log in would never be freed.
    writeSql(QStringLiteral("DELETE FROM LockedSchedules WHERE AssociateID = ? COLLATE NOCASE"), {id});
    writeSql(QStringLiteral("DELETE FROM PublishingSchedules WHERE AssociateID = ? COLLATE NOCASE"), {id});
    writeSql(QStringLiteral("DELETE FROM ScheduleStaging WHERE UserID = ? COLLATE NOCASE"), {id});
    rewritePortalLists([&](const QString &entry) { return sameId(entry, id) ? QString() : entry; });
    t.commit();
    return QString();
}

std::optional<AssociateRow> AssociateRecord::load(const QString &id)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT AssociateID, AssociateName, AssociatePassword, AssociatePhone, "
                                         "AssociateEmail, AssociateAuthorityLevel, AssociateStatus, Active, "
                                         "InitialScreen, PortalAccess FROM Associates WHERE AssociateID = ? COLLATE NOCASE"),
                          {id});
    if (!q.next())
        return std::nullopt;
    AssociateRow r;
    r.id = q.value(0).toString();
    r.name = q.value(1).toString();
    r.password = q.value(2).toString();
    r.phone = q.value(3).toString();
    r.email = q.value(4).toString();
    r.level = q.value(5).toInt();
    r.status = q.value(6).toDouble();
    r.active = q.value(7).toInt() != 0;
    r.initialScreen = q.value(8).toString();
    r.portalAccess = q.value(9).toString();
    return r;
}

QList<PortalCandidate> AssociateRecord::portalCandidates(const QString &excludeId)
{
    QList<PortalCandidate> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT AssociateID, AssociateName FROM Associates "
                                         "WHERE AssociateID <> ? COLLATE NOCASE ORDER BY AssociateName"),
                          {excludeId});
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}


bool AssociateRecord::isCurrentAssociate(const QString &id)
{
    return !session().currentAssociateID.isEmpty() && sameId(id, session().currentAssociateID);
}

} // namespace wvs
