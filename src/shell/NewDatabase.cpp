#include "shell/NewDatabase.h"
#include "admin/CompanyRecord.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "core/Session.h"

#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace wvs {

QString runningVersion() { return QString::fromLatin1(kSoftwareVersion) + QString::fromLatin1(kBuildSuffix); }

QString generateInstallationID()
{
    static const char digits[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QString id;
    for (int i = 0; i < 8; ++i)
        id += QLatin1Char(digits[QRandomGenerator::global()->bounded(int(sizeof(digits) - 1))]);
    return id;
}

QString validateNewInstallation(const NewInstallation &inst)
{
    if (inst.businessName.trimmed().isEmpty())
        return QStringLiteral("Please enter the business name");
    static const QStringList countries{QStringLiteral("New Zealand"), QStringLiteral("Australia"),
                                       QStringLiteral("USA"), QStringLiteral("UK")};
    if (!countries.contains(inst.country))
        return QStringLiteral("Please select the country");
    const QString installationID = inst.installationID.trimmed();
    if (installationID.isEmpty())
        return QStringLiteral("Please enter the installation ID");
    // The installation ID is part of the names of the files the portal is
    // sent and hands back.
    if (installationID.contains(QLatin1Char('/')) || installationID.contains(QLatin1Char('\\')))
        return QStringLiteral("The installation ID cannot contain \"/\" or \"\\\" - the internet portal reads them as "
                              "folder separators in its file names");
    // It is also the company serial inside those files, whose fields "|" separates.
    if (installationID.contains(QLatin1Char('|')))
        return QStringLiteral("The installation ID cannot contain \"|\" - the internet portal separates the fields "
                              "of its files with it");
    if (QString m = CompanyRecord::portalCharacterRefusal(QStringLiteral("installation ID"), installationID); !m.isEmpty())
        return m;
    static const QRegularExpression idRe(QStringLiteral("^[A-Za-z0-9_]{2,4}$"));
    if (!idRe.match(inst.associateID).hasMatch())
        return QStringLiteral("The Associate ID must be 2 to 4 letters, digits or underscores");
    if (inst.associateName.trimmed().isEmpty())
        return QStringLiteral("Please enter the Associate's name");
    if (inst.password.size() < 4 || inst.password.size() > 20 || inst.password.contains(QLatin1Char(' ')))
        return QStringLiteral("The password must be 4 to 20 characters with no spaces");
    return QString();
}

void createNewDatabase(const QString &path, const NewInstallation &inst)
{
    AppDatabase::open(path);
    Transaction t;
    writeSql(QStringLiteral("DELETE FROM DatabaseInfo"));
    writeSql(QStringLiteral("INSERT INTO DatabaseInfo (RowId, MajorVersion, MinorVersion, InstallationCountry, "
                            "InstallationName, InstallationID) VALUES (1, ?, ?, ?, ?, ?)"),
             {kMajorVersion, kMinorVersion, inst.country, inst.businessName.trimmed(), inst.installationID.trimmed()});
    writeSql(QStringLiteral("INSERT OR REPLACE INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (1, ?)"),
             {QStringLiteral("Administrator")});
    writeSql(QStringLiteral("INSERT OR REPLACE INTO AuthorityAccess (AuthorityLevelNumber, Customers, CustomerJobs, "
                            "JobTypes, Associates, Company, Preferences, JobSchedules, Accounts, Security) "
                            "VALUES (1, 7, 7, 5, 5, 5, 5, 7, 5, 5)"));
    writeSql(QStringLiteral("INSERT INTO Associates (AssociateID, AssociateName, AssociatePassword, "
                            "AssociateAuthorityLevel, AssociateStatus, Active, InitialScreen) "
                            "VALUES (?, ?, ?, 1, ?, 1, 'None')"),
             {inst.associateID, inst.associateName.trimmed(), inst.password,
              Formats::dateSerial(QDate::currentDate())});
    // The business name entered here is the company's name in Company Details.
    writeSql(QStringLiteral("INSERT OR IGNORE INTO Company (RowId, CompanyName) VALUES (1, ?)"),
             {inst.businessName.trimmed()});
    writeSql(QStringLiteral("DELETE FROM Preferences"));
    writeSql(QStringLiteral("INSERT INTO Preferences (RowId) VALUES (1)"));
    t.commit();
}

DatabaseVersion readInstallation()
{
    QSqlQuery q = execSql(QStringLiteral("SELECT MajorVersion, MinorVersion, InstallationCountry, InstallationName, "
                                         "InstallationID FROM DatabaseInfo WHERE RowId = 1"));
    DatabaseVersion v;
    if (q.next()) {
        v.major = q.value(0).toInt();
        v.minor = q.value(1).toInt();
        session().installationCountry = q.value(2).toString();
        session().installationName = q.value(3).toString();
        session().installationID = q.value(4).toString();
    }
    return v;
}

} // namespace wvs
