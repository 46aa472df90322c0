#include "admin/AuthorityLevelStore.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"
#include "data/ChangedColumns.h"

#include <QRegularExpression>

namespace wvs {

namespace {

// A level number is typed as one or two digits; a leading sign or a fraction
// still reads as a number, but only whole numbers from 1 to 99 are levels.
bool looksNumeric(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    return re.match(text.trimmed()).hasMatch();
}

std::optional<int> levelNumber(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\d{1,2}$"));
    if (!re.match(text).hasMatch())
        return std::nullopt;
    const int n = text.toInt();
    if (n < 1 || n > 99)
        return std::nullopt;
    return n;
}

} // namespace

QList<AuthorityLevel> AuthorityLevelStore::all()
{
    QList<AuthorityLevel> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT LevelNumber, LevelDescription FROM AuthorityLevels"));
    while (q.next())
        out.append({q.value(0).toInt(), q.value(1).toString()});
    return out;
}

std::optional<AuthorityLevel> AuthorityLevelStore::find(int number)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT LevelNumber, LevelDescription FROM AuthorityLevels WHERE LevelNumber = ?"),
                          {number});
    if (!q.next())
        return std::nullopt;
    return AuthorityLevel{q.value(0).toInt(), q.value(1).toString()};
}

namespace {

AuthorityLevelStore::Check numberTaken(const QString &numberText)
{
    return {AuthorityLevelStore::Field::Number,
            QStringLiteral("Authority Level Number %1 already exists - please enter another").arg(numberText), true};
}

} // namespace

AuthorityLevelStore::Check AuthorityLevelStore::check(bool adding, const QString &numberText, const QString &description)
{
    if (numberText.isEmpty())
        return {Field::Number, QStringLiteral("Please enter a Level Number")};
    if (!looksNumeric(numberText))
        return {Field::Number, QStringLiteral("The Level Number must be numeric")};
    // 0 would log in with no rights at all, and a sign or a fraction is no
    // level. (A level being modified keeps the number it has.)
    if (adding && !levelNumber(numberText))
        return {Field::Number, QStringLiteral("The Level Number must be a whole number from 1 to 99")};
    if (description.isEmpty())
        return {Field::Description, QStringLiteral("Please enter a Description")};
    if (adding && find(*levelNumber(numberText)))
        return numberTaken(numberText);
    return {};
}

AuthorityLevelStore::Check AuthorityLevelStore::add(const QString &numberText, const QString &description)
{
    const int n = levelNumber(numberText).value_or(0);
    // The number is asked for again inside the adding transaction: another
    // workstation may have added it since the check.
    Transaction t;
    if (find(n))
        return numberTaken(numberText);
    writeSql(QStringLiteral("INSERT INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (?, ?)"), {n, description});
    // A new level has no rights until they are saved for it: none left behind
    // by an earlier level of the number.
    writeSql(QStringLiteral("DELETE FROM AuthorityAccess WHERE AuthorityLevelNumber = ?"), {n});
    t.commit();
    return {};
}

void AuthorityLevelStore::modify(int number, const QString &shown, const QString &description)
{
    ChangedColumns changed;
    changed.compare(QStringLiteral("LevelDescription"), shown, description);
    Transaction t;
    if (changed.update(QStringLiteral("AuthorityLevels"), QStringLiteral("LevelNumber = ?"), {number}) == 0)
        NamedRows::gone(NamedRows::Kind::AuthorityLevel);
    t.commit();
}

AuthorityLevelStore::Removal AuthorityLevelStore::remove(int number, const QString &description, const Ask &ask)
{
    const auto refusal = [number]() -> std::optional<QString> {
        const int holders =
            scalarSql(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE AssociateAuthorityLevel = ?"), {number}).toInt();
        if (holders == 0)
            return std::nullopt;
        return QStringLiteral("One or more Associates are assigned Authority Level %1 and therefore it cannot be deleted")
            .arg(number);
    };
    if (const auto why = refusal())
        return {false, *why};
    if (!ask(QStringLiteral("Are you sure you want to PERMANENTLY delete Level %1?").arg(description)))
        return {};
    // The level and its rights go together or not at all, and not while an
    // associate was given the level during the question.
    Transaction t;
    if (!find(number))
        return {false, NamedRows::goneMessage(NamedRows::Kind::AuthorityLevel)};
    if (const auto why = refusal())
        return {false, *why};
    writeSql(QStringLiteral("DELETE FROM AuthorityLevels WHERE LevelNumber = ?"), {number});
    writeSql(QStringLiteral("DELETE FROM AuthorityAccess WHERE AuthorityLevelNumber = ?"), {number});
    t.commit();
    return {true, QString()};
}

} // namespace wvs
