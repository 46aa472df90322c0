#include "support/DbTest.h"
#include "support/LocalServers.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace wvs::test {

void DbTest::SetUp()
{
    dir_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir_->isValid());
    qputenv("WVS_HOME", dir_->path().toLocal8Bit());
    resetSession();
    msgs_ = std::make_unique<MessageScript>();
    modal_ = std::make_unique<ModalScript>();
    desktop_ = std::make_unique<DesktopScript>();
    // A network step taken while the program's connection holds a lock
    // fails the test, whatever the program makes of the refusal.
    AppDatabase::setLockBreachHandler([](const QString &held) {
        ADD_FAILURE() << "A network step was started while the database was locked by " << held.toStdString();
    });
    createNewDatabase(dbPath(), {"Sparkle Cleaning", "New Zealand", "TEST01", "ADM", "Administrator", "secret"});
    readInstallation();
}

void DbTest::TearDown()
{
    // A message box has an empty title but for two: the offer of a new version and the import's closing message.
    const std::pair<QString, QString> titled[] = {{"New Version Available", "An updated version of WVS is available!"},
                                                  {"WVS", "Customer import completed"}};
    for (const ShownMessage &m : msgs_->shown())
        EXPECT_TRUE(m.title.isEmpty() || std::any_of(std::begin(titled), std::end(titled), [&](const auto &t) {
                        return m.title == t.first && m.text.startsWith(t.second);
                    })) << m.title.toStdString() << ": " << m.text.toStdString();
    for (const QString &n : extraConnections_) {
        QSqlDatabase::database(n, false).close();
        QSqlDatabase::removeDatabase(n);
    }
    extraConnections_.clear();
    AppDatabase::close();
    AppDatabase::setLockBreachHandler(nullptr);
    desktop_.reset();
    modal_.reset();
    msgs_.reset();
    resetSession();
    qunsetenv("WVS_HOME");
    dir_.reset();
}

QString DbTest::dbPath() const { return QDir(dir_->path()).filePath(QStringLiteral("WVS.db")); }

QSqlDatabase DbTest::secondConnection(const QString &name)
{
    extraConnections_ << name;
    return AppDatabase::openConnection(name, dbPath());
}

void DbTest::loginAs(const QString &id, int level)
{
    session().currentAssociateID = id;
    const QVariant name = scalarSql(QStringLiteral("SELECT AssociateName FROM Associates WHERE AssociateID = ?"), {id});
    session().currentAssociateName = name.isValid() ? name.toString() : id;
    session().currentAuthorityLevel = level;
}

void DbTest::addAssociate(const QString &id, const QString &name, const QString &password, int level, bool active,
                          double status)
{
    writeSql(QStringLiteral("INSERT INTO Associates (AssociateID, AssociateName, AssociatePassword, "
                            "AssociateAuthorityLevel, AssociateStatus, Active, InitialScreen) VALUES (?, ?, ?, ?, ?, ?, 'None')"),
             {id, name, password, level, status, active ? 1 : 0});
}

void DbTest::setAccess(int level, int customers, int customerJobs, int jobTypes, int associates, int company,
                       int preferences, int jobSchedules, int accounts, int security)
{
    writeSql(QStringLiteral("INSERT OR REPLACE INTO AuthorityLevels (LevelNumber, LevelDescription) VALUES (?, ?)"),
             {level, QStringLiteral("Level %1").arg(level)});
    writeSql(QStringLiteral("INSERT OR REPLACE INTO AuthorityAccess (AuthorityLevelNumber, Customers, CustomerJobs, "
                            "JobTypes, Associates, Company, Preferences, JobSchedules, Accounts, Security) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {level, customers, customerJobs, jobTypes, associates, company, preferences, jobSchedules, accounts,
              security});
}

void DbTest::addJobType(const QString &code, const QString &description, const QString &accountsRef)
{
    writeSql("INSERT INTO JobTypes (JobTypeCode, JobTypeDescription, AccountsRef) VALUES (?, ?, ?)",
             {code, description, accountsRef});
}

qint64 DbTest::addSchedule(const QString &from, const QString &to, const QString &status)
{
    writeSql("INSERT INTO Schedules (FromDate, ToDate, Status) VALUES (?, ?, ?)", {from, to, status});
    return lastInsertId();
}

void DbTest::storeJob(qint64 schedule, qint64 job, const QString &date, int seqNo, const QString &actual,
                      const QString &associate)
{
    writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, ScheduleSeqNo, ActualServiceDate, "
             "AssociateID) VALUES (?, ?, ?, ?, ?, ?)",
             {schedule, job, date, seqNo, actual, associate});
}

QString DbTest::rowsOf(const QString &sql, const QVariantList &params)
{
    QSqlQuery q = execSql(sql, params);
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << q.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char(';'));
}

QList<QStringList> DbTest::csv(const QString &path)
{
    bool ok = false;
    const auto rows = pythonCsvRows(path, &ok);
    EXPECT_TRUE(ok) << path.toStdString();
    return rows;
}

} // namespace wvs::test
