#pragma once
#include "core/Session.h"
#include "portal/PortalSync.h"
#include "scheduling/ScheduleTestData.h"
#include "platform/FormRegistry.h"
#include "support/PortalDouble.h"
#include "portal/PortalCompanyIdCheck.h"

namespace wvs::portaltest {

// Points portal runs at the test: their folders below the test's own, short
// waits, the portal switched on for a company it knows as ABCD, and the
// portal window running its exchange as soon as it is shown.
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

// A business with the portal switched on and the portal's double running
// on 127.0.0.1.
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
        ScheduleDbTest::TearDown();
    }
    void startPortal(const QString &password = QStringLiteral("plomkar7"), int bytesPerSecond = 0)
    {
        portal_.reset();
        portal_ = std::make_unique<test::PortalDouble>();
        ASSERT_TRUE(portal_->start(password, bytesPerSecond));
    }
    // One run as a window of the program opens it; true when it succeeded.
    bool run(const QString &tag, QWidget *opener = nullptr)
    {
        session().portalUpdateSucceeded = false;
        EXPECT_TRUE(FormRegistry::open(QStringLiteral("PortalForm"), tag, opener));
        return session().portalUpdateSucceeded;
    }
    std::unique_ptr<test::PortalDouble> portal_;
};

} // namespace wvs::portaltest
