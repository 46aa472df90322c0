#pragma once
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

struct AuthorityLevel {
    int number = 0;
    QString description;
};

// The authority levels: the named classes of users, each with one row of
// rights. A level's number is fixed once it exists; 0 is kept for "no rights".
class AuthorityLevelStore {
public:
    // Every level, in the order the table returns them.
    static QList<AuthorityLevel> all();
    static std::optional<AuthorityLevel> find(int number);

    using Ask = std::function<bool(const QString &)>;

    // The box a failed check sends the user back to.
    enum class Field { None, Number, Description };
    struct Check {
        Field field = Field::None;
        QString message;          // what the window shows
        bool clearNumber = false; // the number exists already: the box is emptied
        bool ok() const { return field == Field::None; }
    };

    // The checks of the level dialog's save, in order; the first failure
    // gives its message. In "Add" mode a number already in use is refused too.
    static Check check(bool adding, const QString &numberText, const QString &description);

    // Adds a level (the number must have passed check), with no rights row
    // (one left by an earlier level of the number goes). A number another
    // workstation added meanwhile is refused inside the adding transaction,
    // as check refuses it.
    static Check add(const QString &numberText, const QString &description);
    // Changes a level's description when it differs from shown, the one the
    // dialog showed, so a description saved at another workstation meanwhile is
    // kept by a save that did not change it. A level no longer there (deleted at
    // another workstation) throws the recoverable "no longer exists" message.
    static void modify(int number, const QString &shown, const QString &description);

    // Deletes a level with its rights row unless an associate holds it or
    // ask, given the question, says No. The outcome's message is the refusal
    // (empty after a No); asked again inside the deleting transaction, with a
    // level already deleted at another workstation.
    struct Removal {
        bool removed = false;
        QString message;
    };
    static Removal remove(int number, const QString &description, const Ask &ask);
};

} // namespace wvs
