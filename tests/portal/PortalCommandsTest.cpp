#include "PortalTestData.h"
#include "admin/AssociatesManagementForm.h"
#include "admin/CompanyForm.h"
#include "admin/CompanyRecord.h"
#include "jobs/JobTypesManagementForm.h"
#include "scheduling/ScheduleForm.h"

#include <QLabel>

using namespace wvs;
using namespace wvs::portaltest;

namespace {

class PortalCommandsTest : public PortalDbTest {
protected:
    void SetUp() override
    {
        PortalDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        published = addSchedule("2012-02-01", "2012-02-29", "Published");
        closed = addSchedule("2012-03-05", "2012-03-18", "Closed");
        job = addJob({.associate = "ADM", .start = "2012-03-05"});
        storeJob(closed, job, "2012-03-05", 0, "", "ADM");
    }
    qint64 published = 0, closed = 0, job = 0;
};

} // namespace

TEST_F(PortalCommandsTest, PublishingMakesTheScheduleTheOnePublishedAndShowsAnErrorPageAsSent)
{
    // A failed upload changes no status; the portal's error page is shown
    // as the text it sent, not rendered.
    const QString page = "<html><body><h1>Server Error</h1><font color=red>try later</font></body></html>";
    portal_->reply("LoadSchedule.php", page);
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->last(), "Schedule load failed - " + page);
    EXPECT_EQ(msgs_->shown().last().format, Qt::PlainText);
    EXPECT_EQ(status(published), "Published");
    EXPECT_EQ(status(closed), "Closed");

    portal_->reply("LoadSchedule.php", "SUCCESS");
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->last(), "Process completed successfully");
    EXPECT_EQ(status(published), "Closed");
    EXPECT_EQ(status(closed), "Published");
    EXPECT_EQ(child<QLabel>(form.get(), "StatusLabel")->text(), "Status: Published");

    // Without an associate who may use the portal nothing is sent.
    writeSql("UPDATE Associates SET PortalAccess = ''");
    const int calls = portal_->calls().size();
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->last(), "No Associates have been given access to the portal. "
                             "At least 1 is required for the schedule to be published");
    EXPECT_EQ(portal_->calls().size(), calls);
}

TEST_F(PortalCommandsTest, UpdatingIsRefusedWhileAnotherAssociateHasTheScheduleOpen)
{
    writeSql("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?", {closed});
    writeSql("UPDATE Schedules SET Status = 'Closed' WHERE ScheduleNumber = ?", {published});
    portal_->handOut("GetSchedule.php", QByteArray::number(closed) + ",2012/03/05," + QByteArray::number(job)
                                            + ",1,2012/03/06,BOB,\"\"\r\n");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (?, 'BOB')", {closed});
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    click(form.get(), "UpdateButton");
    EXPECT_EQ(msgs_->last(), "Bob Builder currently has this Schedule open and therefore it cannot be updated");
    EXPECT_TRUE(portal_->calls().isEmpty());

    // His own lock never stops the user.
    writeSql("DELETE FROM LockedSchedules WHERE AssociateID = 'BOB'");
    click(form.get(), "UpdateButton");
    EXPECT_EQ(msgs_->last(), "Process completed successfully");
    EXPECT_EQ(stored(closed, job, "2012-03-05", "ActualServiceDate"), "2012-03-06");
}

TEST_F(PortalCommandsTest, JobTypesAndUsersAreSentFromTheirLists)
{
    click(shown<JobTypesManagementForm>().get(), "PortalButton");
    click(shown<AssociatesManagementForm>().get(), "PortalButton");
    EXPECT_EQ(portal_->pages(), (QStringList{"LoadJobTypes.php", "LoadUsers.php"}));
}

TEST_F(PortalCommandsTest, CompanyDetailsReachThePortalBeforeTheyAreSaved)
{
    writeSql("UPDATE Company SET RegisteredNo = 'R1', GSTNo = 'G1', PAddress1 = '1 Main Road', PPostCode = '1010', "
             "PTelephone = '555 1234'");

    auto save = [&](const QString &id, const QString &name) {
        auto form = shown<CompanyForm>();
        type(form.get(), "IDText", id);
        type(form.get(), "NameText", name);
        click(form.get(), "OKButton");
    };
    // A new name goes to the portal whole, a "~" in it too.
    save("ABCD", "Smith & Sons~Ltd");
    EXPECT_EQ(portal_->pages(), QStringList{"ModifyCompany.php"});
    EXPECT_EQ(portal_->calls()[0].query, (QList<QPair<QString, QString>>{{"companyname", "Smith & Sons~Ltd"},
                                                                         {"companyid", "ABCD"}, {"companyserial", "TEST01"},
                                                                         {"country", "New Zealand"}}));
    EXPECT_EQ(CompanyRecord::load()->name, "Smith & Sons~Ltd");

    portal_->takeId("TAKEN1");
    save("TAKEN1", "Smith & Sons~Ltd");
    EXPECT_EQ(msgs_->last(), "Company ID TAKEN1 is already in use. Please enter another");
    EXPECT_EQ(CompanyRecord::load()->id, "ABCD");

    save("WXYZ", "Smith & Sons~Ltd");
    EXPECT_EQ(portal_->pages().mid(2), (QStringList{"CheckCompanyID.php", "LoadCompany.php"}));
    EXPECT_EQ(portal_->calls().last().value("oldcompanyid"), "ABCD");
    EXPECT_EQ(portal_->file("Company_WXYZ_TEST01.txt"), QByteArray("WXYZ|TEST01|Smith & Sons~Ltd|New Zealand\r\n"));
    EXPECT_EQ(CompanyRecord::load()->id, "WXYZ");
}
