#pragma once
#include "core/Session.h"
#include "portal/PortalSync.h"
#include "scheduling/ScheduleTestData.h"
#include "platform/FormRegistry.h"
#include "support/PortalDouble.h"
#include "portal/PortalCompanyIdCheck.h"

namespace wvs::portaltest {

// A business with the portal switched on, a company known to the portal as
// ABCD, and the portal's double running on 127.0.0.1.
class PortalDbTest : public schedtest::ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        // The run's own temporary folders go below the test's folder.
        qputenv("TMPDIR", dir_->path().toLocal8Bit());
        PortalSync::options() = {20, 250};
        session().installationID = QStringLiteral("TEST01");
        session().installationCountry = QStringLiteral("New Zealand");
        writeSql("DELETE FROM Company");
        writeSql("INSERT INTO Company (RowId, ID, CompanyName) VALUES (1, 'ABCD', 'Smith & Sons')");
        writeSql("UPDATE Preferences SET Portal = 1, ShowCostOnPortal = 1, ShowPhoneOnPortal = 0");
        writeSql("UPDATE Associates SET PortalAccess = 'Admin' WHERE AssociateID = 'ADM'");
        // The portal window runs its exchange as soon as it is shown.
        modal_->on(QStringLiteral("PortalForm"), [](QDialog *) {});
        startPortal();
    }
    void TearDown() override
    {
        portal_.reset();
        PortalSync::options() = {};
        qunsetenv("TMPDIR");
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
