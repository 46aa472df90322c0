#pragma once
#include "core/Session.h"
#include "portal/PortalSite.h"
#include "portal/PortalSync.h"
#include "portal/PortalUploadFiles.h"
#include "platform/Transfer.h"
#include "scheduling/ScheduleTestData.h"
#include "platform/FormRegistry.h"
#include "support/PortalDouble.h"
#include "support/ShownTexts.h"
#include "portal/PortalCompanyIdCheck.h"
#include "jobs/JobsDbTest.h"
#include "platform/FlexGrid.h"
#include "portal/PortalCustomerJobAddForm.h"
#include "portal/PortalCustomerJobsManagementForm.h"

#include <QComboBox>
#include <QVariantMap>
#include <functional>

namespace wvs::portaltest {

// Points portal runs at the test: folders below its own, short waits, the company ABCD, the window run at once.
inline void usePortal(const QString &folder, ModalScript &modal)
{
    qputenv("TMPDIR", folder.toLocal8Bit());
    PortalSync::options() = {20, 250};
    session().installationID = QStringLiteral("TEST01");
    session().installationCountry = QStringLiteral("New Zealand");
    writeSql("DELETE FROM Company");
    writeSql("INSERT INTO Company (RowId, ID, CompanyName) VALUES (1, 'ABCD', 'Smith & Sons')");
    writeSql("UPDATE Preferences SET Portal = 1");
    modal.on(QStringLiteral("PortalForm"), [](QDialog *) {});
}

// What a run adds to a failed delete of the requests it has stored.
inline const QString kKept = QStringLiteral("\r\nThe Customer Jobs have been received and will be cleared from the portal "
                                            "at the next import");

// The FTP server's refusal of a command in the words a run shows it: the same
// command of the portal's account, tried again, and the transfer's own text.
inline QString ftpRefusal(const std::function<bool(FtpTransfer &)> &start)
{
    FtpTransfer ftp(PortalSite::ftpAccount());
    EXPECT_TRUE(start(ftp));
    EXPECT_TRUE(ftp.waitUntilDone(20, 250));
    EXPECT_FALSE(ftp.succeeded());
    EXPECT_FALSE(ftp.errorText().isEmpty());
    return ftp.errorText();
}

inline void leavePortal()
{
    PortalSync::options() = {};
    qunsetenv("TMPDIR");
}

// A customer-job request as the portal writes it: a weekly Monday job from
// 7 Jul 2031 for a new private customer.
inline QByteArray requestLine(int id, const char *cost = "45.50")
{
    QList<QByteArray> f(59);
    const std::pair<int, QByteArray> values[] = {
        {0, QByteArray::number(id)}, {1, "web9"}, {4, "Mary"}, {5, "Jones"}, {6, "3 High St"}, {9, "Herne Bay"},
        {12, "555 9876"}, {15, "1"}, {19, "2031/06/01"}, {20, "MOW"}, {21, "7/07/2031"}, {23, "0"}, {25, "1"},
        {28, "1"}, {29, "1"}, {49, cost}, {51, "Side gate"}, {52, "3 High St"}, {55, "Herne Bay"}, {58, "0"}};
    for (const auto &[i, v] : values)
        f[i] = v;
    return f.join('|');
}

// An update of one occurrence as the portal's schedule file gives it.
inline QByteArray scheduleLine(qint64 schedule, qint64 job, const char *date, int done, const char *doneDate,
                               const char *by, const char *note)
{
    return QByteArray::number(schedule) + "," + date + "," + QByteArray::number(job) + "," + QByteArray::number(done)
           + "," + doneDate + "," + by + ",\"" + note + "\"";
}

// Opens the request dialog as the list does; handle drives it.
inline void openRequest(ModalScript &modal, qint64 id, const std::function<void(QDialog *)> &handle)
{
    modal.once(QStringLiteral("PortalCustomerJobAddForm"), handle);
    PortalCustomerJobAddForm dialog;
    dialog.Tag = QString::number(id);
    showModal(&dialog);
}

// Drives the request dialog: the first associate, then edit, then Save.
inline std::function<void(QDialog *)> savingRequest(const std::function<void(QDialog *)> &edit = {})
{
    return [edit](QDialog *d) {
        d->findChild<QComboBox *>(QStringLiteral("AssociateCombo"))->setCurrentIndex(0);
        if (edit)
            edit(d);
        d->findChild<QAbstractButton *>(QStringLiteral("OKButton"))->click();
    };
}

// A business with the portal switched on and the portal's double on 127.0.0.1.
class PortalDbTest : public schedtest::ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        usePortal(dir_->path(), *modal_);
        writeSql("UPDATE Preferences SET ShowCostOnPortal = 1, ShowPhoneOnPortal = 0");
        writeSql("UPDATE Associates SET PortalAccess = 'Admin' WHERE AssociateID = 'ADM'");
        startPortal();
    }
    void TearDown() override
    {
        portal_.reset();
        leavePortal();
        AppDatabase::setBusyWait(5000);
        ScheduleDbTest::TearDown();
    }
    void startPortal(const QString &password = QStringLiteral("plomkar7"), int bytesPerSecond = 0,
                     const QString &ftpSilentAt = QString())
    {
        portal_.reset();
        portal_ = std::make_unique<test::PortalDouble>();
        ASSERT_TRUE(portal_->start(password, bytesPerSecond, ftpSilentAt));
    }
    // One run as a window of the program opens it; true when it succeeded.
    bool run(const QString &tag, QWidget *opener = nullptr)
    {
        session().portalUpdateSucceeded = false;
        EXPECT_TRUE(FormRegistry::open(QStringLiteral("PortalForm"), tag, opener));
        return session().portalUpdateSucceeded;
    }
    // The stored requests' ids, in order.
    static QString requests()
    {
        return scalarSql("SELECT group_concat(UniqueId) FROM (SELECT UniqueId FROM PortalCustomerJobs ORDER BY 1)").toString();
    }
    std::unique_ptr<test::PortalDouble> portal_;
};

} // namespace wvs::portaltest

namespace wvs::test {

// A request stored as the import leaves it: by default a weekly Monday job for a new private customer.
class PortalRequestDbTest : public JobsDbTest {
protected:
    void SetUp() override
    {
        JobsDbTest::SetUp();
        addJobType(QStringLiteral("CLEAN"), QStringLiteral("Window cleaning"));
        addJobType(QStringLiteral("MOW"), QStringLiteral("Lawn mowing"));
    }

    qint64 addRequest(qint64 id, const QVariantMap &changes = {})
    {
        QVariantMap row = {{"UniqueId", id},          {"UserID", "web1"},        {"FirstName", "Ann"},
                           {"LastName", "Lee"},       {"CAddress1", "1 Main St"}, {"CSuburb", "Ponsonby"},
                           {"CPostCode", "1011"},     {"Phone1", "555 1234"},    {"PreferredPhone", 1},
                           {"DateEntered", "2031-06-01"}, {"JobTypeCode", "CLEAN"}, {"StartDate", "2031-07-07"},
                           {"EndDateOption", 0},      {"DWMYOption", 1},         {"WeeklyNoOfWeeks", 1},
                           {"WeeklyMon", 1},          {"Cost", 2500},            {"SAddress1", "1 Main St"},
                           {"SSuburb", "Ponsonby"}};
        for (auto it = changes.begin(); it != changes.end(); ++it)
            row[it.key()] = it.value();
        QStringList marks(row.size(), QStringLiteral("?"));
        writeSql(QStringLiteral("INSERT INTO PortalCustomerJobs (%1) VALUES (%2)")
                     .arg(row.keys().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                 row.values());
        return id;
    }

    void openRequest(qint64 id, const std::function<void(QDialog *)> &handle)
    { portaltest::openRequest(*modal_, id, handle); }
    void save(qint64 id, const std::function<void(QDialog *)> &edit = {}) { openRequest(id, portaltest::savingRequest(edit)); }

    std::unique_ptr<PortalCustomerJobsManagementForm> openList()
    {
        return shown<PortalCustomerJobsManagementForm>();
    }
    static void sortBy(QWidget *w, const QString &column, const QString &order = "Ascending")
    {
        choose(w, "SortCombo", column);
        choose(w, "SortOrderCombo", order);
        click(w, "SortButton");
    }
    static FlexGrid *grid(QWidget *w) { return child<FlexGrid>(w, "JobsGrid"); }
    static QStringList column(QWidget *w, int col) { return test::column(grid(w), col); }
    QVariant lastJob(const char *field)
    {
        return scalarSql(QStringLiteral("SELECT %1 FROM CustomerJobs ORDER BY JobSeqNo DESC").arg(field));
    }
};

} // namespace wvs::test
