#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace wvs {

// What the associate dialog holds when Save is pressed.
struct AssociateEntry {
    QString id;
    QString name;
    QString password;
    QString password2;
    QString phone;
    QString email;
    std::optional<int> level;   // the chosen level's number; none when no level is chosen
    QString initialScreen;      // the stored value of the chosen entry; empty when none is chosen
    bool portalAccess = false;  // the portal access box
    QStringList portalIds;      // the IDs of the ticked portal list entries, in list order
    bool active = false;
};

// One stored associate.
struct AssociateRow {
    QString id;
    QString name;
    QString password;
    QString phone;
    QString email;
    int level = 0;
    double status = 0;
    bool active = false;
    QString initialScreen;
    QString portalAccess;
};

// An associate another one may be given portal access to.
struct PortalCandidate {
    QString id;
    QString name;
};

// The associates: the staff who log in. Checks, saves (a changed ID is carried
// into every table that names the associate) and deletion.
class AssociateRecord {
public:
    // The initial-screen choices: what the combo box shows, and the window
    // names the log-in opens ("None" opens nothing).
    static const QStringList &initialScreenEntries();
    static const QStringList &initialScreenForms();

    enum class Field { None, ID, Name, Password, Level, InitialScreen };
    // The outcome of a check or a save: a refusal carries the message the
    // window shows and the field that takes the focus.
    struct Check {
        bool ok = true;
        QString message;
        Field field = Field::None;
        bool clearId = false;        // the ID exists already
        bool clearPasswords = false; // the two passwords differ
    };

    // The field checks of Save, in order; the first failure is returned.
    // While the portal is in use a password must reach it as typed, so it
    // may not hold "|" or a line break (the portal files turn them into
    // blanks).
    static Check check(const AssociateEntry &e, bool portalInUse = false);
    static QString portalPasswordRefusal();

    // The PortalAccess text a save writes: empty without the portal or the
    // box, else the associate's own ID followed by ",ID" for each ticked entry.
    static QString portalAccessValue(const AssociateEntry &e, bool portalInUse);

    // Whether the user logged on may give an associate this level, or modify
    // or delete one who holds it (AccessRights::mayAssign at his own level).
    static bool mayAssign(int level);
    // Why the user logged on may not modify the associate: his level has
    // rights above the user's own (one's own record stays open); or empty.
    static QString modifyRefusal(const QString &id);

    // Adds a new associate after the duplicate test (any letter case) and the
    // test that the user may give the level, both inside the adding transaction.
    static Check add(const AssociateEntry &e, bool portalInUse);
    // Rewrites the associate originally named originalId. Refuses to make the
    // logged-on associate inactive and an ID that another associate holds. A
    // changed ID is carried, in the same transaction, into the customer jobs,
    // scheduled jobs, schedule locks, staged schedules and other associates'
    // portal access, and into the session when the associate is the one logged
    // on. Refused, with nothing written, inside the saving transaction: the
    // associate deleted or his ID changed at another workstation, the chosen
    // level or a ticked portal associate deleted there, and a change of ID
    // while he is logged on at another workstation.
    // Given the entry as the dialog first showed it, only the fields the user
    // changed are written (and the status). Inside the saving transaction, an
    // associate the user may not modify, or a new level he may not give, is
    // refused and nothing is written: another workstation may have changed
    // the levels while the dialog was open.
    static Check modify(const QString &originalId, const AssociateEntry &e, bool portalInUse,
                        const AssociateEntry *shown = nullptr);

    // Why an associate may not be deleted (himself, his level has rights above
    // the user's own, he is logged on at another workstation, or customer jobs
    // are assigned to him), or empty. The messages name him by name.
    static QString removeRefusal(const QString &id, const QString &name);
    // The question asked before a delete.
    static QString removeQuestion(const QString &name);
    // Deletes an associate. His schedule locks and staged schedule go with him
    // and other associates' portal access no longer names him. Returns why
    // nothing was deleted, or empty: every refusal of removeRefusal asked again
    // inside the deleting transaction, and an associate no longer there
    // (deleted, or his ID changed, at another workstation). name defaults to
    // the stored one.
    static QString remove(const QString &id, const QString &name = QString());

    static std::optional<AssociateRow> load(const QString &id);
    // Every associate but the one named (any letter case), by name.
    static QList<PortalCandidate> portalCandidates(const QString &excludeId);
    // Whether the web portal is in use (no preferences row: not in use).
    // Whether an ID names the associate logged on.
    static bool isCurrentAssociate(const QString &id);
};

} // namespace wvs
