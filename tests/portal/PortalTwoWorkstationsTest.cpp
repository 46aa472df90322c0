#include "PortalTestData.h"
#include "platform/Modal.h"
#include "portal/PortalRequestRecords.h"

#include <QThread>

using namespace wvs;
using namespace wvs::portaltest;

namespace {

const QString kDeleting = QStringLiteral("Deleting Customer Jobs data on server....");
const QString kKept = QStringLiteral("\r\nThe Customer Jobs have been received and will be cleared from the portal "
                                     "at the next import");

// Requests travel between the portal, which keeps them between calls, and
// the database; none may be lost on the way and none stored twice.
class PortalTwoWorkstationsTest : public PortalDbTest {
protected:
    void SetUp() override
    {
        PortalDbTest::SetUp();
        addJobType(QStringLiteral("MOW"), QStringLiteral("Lawn mowing"));
    }
    static QString stored()
    {
        return scalarSql("SELECT group_concat(UniqueId) FROM (SELECT UniqueId FROM PortalCustomerJobs ORDER BY 1)").toString();
    }
    QStringList held() const
    {
        QStringList ids;
        for (const QByteArray &line : portal_->heldRequests())
            ids << QString::fromLatin1(line.left(line.indexOf('|')));
        return ids;
    }
    // Waits for a page the program has given up on to finish on the portal.
    void waitUntilHeld(const QStringList &ids)
    {
        for (int i = 0; i < 100 && held() != ids; ++i)
            QThread::msleep(50);
    }
    void deletePage(const QString &reply, double delay)
    {
        portal_->reply(QStringLiteral("DeleteCustomerJobsData.php"), reply);
        portal_->delay(QStringLiteral("DeleteCustomerJobsData.php"), delay);
    }
    static int jobs() { return scalarSql("SELECT COUNT(*) FROM CustomerJobs").toInt(); }
};

} // namespace

TEST_F(PortalTwoWorkstationsTest, ARefusedOrLateDeleteKeepsWhatWasStoredAndTheNextImportClearsThePortal)
{
    // Workstation A has stored 901 and 902 and waits on the portal's delete.
    // Meanwhile: B imports (it skips both) and has the portal let them go,
    // after which the portal refuses A's delete; or A gives up on a delete
    // that the portal then finishes.
    const struct {
        const char *what;
        bool otherWorkstationFirst;
        QString reply;
        double delay;
        QString message;
    } cases[] = {
        {"another workstation's delete went first", true, QStringLiteral("Nothing to delete"), 0,
         QStringLiteral("Customer Jobs data deletion failed - Nothing to delete") + kKept},
        {"the delete finishes after the time-out", false, QStringLiteral("SUCCESS"), 1.5,
         QStringLiteral("Customer Jobs data deletion timed out - please try again") + kKept},
    };
    qint64 first = 900;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString a = QString::number(first + 1), b = QString::number(first + 2);
        portal_->holdRequests({requestLine(first + 1), requestLine(first + 2)});
        PortalSync workstationA(PortalSync::parseMode(QStringLiteral("ImportCustomerJobs~")));
        bool otherRan = false;
        workstationA.onInfo = [&](const QString &text) {
            if (text != kDeleting)
                return;
            EXPECT_EQ(stored(), a + QLatin1Char(',') + b);   // committed before the portal is asked
            if (c.otherWorkstationFirst) {
                // B's import sees A's requests stored and skips them.
                PortalSync workstationB(PortalSync::parseMode(QStringLiteral("ImportCustomerJobs~")));
                workstationB.run();
                otherRan = session().portalUpdateSucceeded;
                session().portalUpdateSucceeded = false;   // A's run is not over
                EXPECT_EQ(held(), QStringList());
            }
            deletePage(c.reply, c.delay);
            PortalSync::options() = {50, 10};
        };
        workstationA.run();
        EXPECT_EQ(otherRan, c.otherWorkstationFirst);
        EXPECT_FALSE(session().portalUpdateSucceeded);
        EXPECT_EQ(msgs_->last(), c.message);
        waitUntilHeld({});
        EXPECT_EQ(held(), QStringList());
        EXPECT_EQ(stored(), a + QLatin1Char(',') + b);

        // Nothing is left to fetch, and nothing goes.
        deletePage("SUCCESS", 0);
        PortalSync::options() = {20, 250};
        EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~")));
        EXPECT_EQ(msgs_->texts().mid(msgs_->texts().size() - 2),
                  (QStringList{"No new Customer Jobs found", "Process completed successfully"}));
        EXPECT_EQ(stored(), a + QLatin1Char(',') + b);
        writeSql("DELETE FROM PortalCustomerJobs");
        first += 10;
    }
}

TEST_F(PortalTwoWorkstationsTest, ARequestTakenOffTheListIsNeverStoredAgainWhenThePortalOffersItAgain)
{
    // The portal refuses to let 911 go; the user then turns it into a
    // customer job, or deletes it from the list; the portal offers it again.
    const struct {
        const char *what;
        std::function<void(qint64)> takeOff;
        int jobs;
    } cases[] = {
        {"converted",
         [this](qint64 id) {
             modal_->once(QStringLiteral("PortalCustomerJobAddForm"), [&](QDialog *d) {
                 child<QComboBox>(d, "AssociateCombo")->setCurrentIndex(0);
                 click(d, "OKButton");
             });
             PortalCustomerJobAddForm dialog;
             dialog.Tag = QString::number(id);
             showModal(&dialog);
         }, 1},
        {"deleted", [](qint64 id) { PortalRequestRecords::remove(id); }, 0},
    };
    qint64 id = 910;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ++id;
        const int jobsBefore = jobs();
        portal_->holdRequests({requestLine(int(id))});
        deletePage("Locked", 0);
        EXPECT_FALSE(run(QStringLiteral("ImportCustomerJobs~")));
        EXPECT_EQ(msgs_->last(), QStringLiteral("Customer Jobs data deletion failed - Locked") + kKept);
        EXPECT_EQ(stored(), QString::number(id));
        EXPECT_EQ(held(), QStringList{QString::number(id)});

        c.takeOff(id);
        EXPECT_EQ(stored(), QString());
        EXPECT_EQ(jobs() - jobsBefore, c.jobs);

        // Offered again: skipped, and the portal is asked to let it go.
        deletePage("SUCCESS", 0);
        EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~")));
        EXPECT_EQ(portal_->pages().last(), "DeleteCustomerJobsData.php");
        EXPECT_EQ(held(), QStringList());
        EXPECT_EQ(stored(), QString());
        EXPECT_EQ(jobs() - jobsBefore, c.jobs);
    }
}
