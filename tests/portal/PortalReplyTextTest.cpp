#include "PortalTestData.h"
#include "scheduling/ScheduleForm.h"

using namespace wvs;
using namespace wvs::portaltest;

// An error page of the portal is shown as the text it sent, not rendered.
TEST_F(PortalDbTest, AnErrorPageIsShownAsTheTextReceived)
{
    const QString page = QStringLiteral("<html><body><h1>Server Error</h1><font color=red>try later</font></body></html>");
    portal_->reply("LoadSchedule.php", page);
    const qint64 closed = addSchedule("2012-03-05", "2012-03-18", "Closed");
    storeJob(closed, addJob({.start = "2012-03-05"}), "2012-03-05", 0, "", "ADM");
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    msgs_->clear();
    click(form.get(), "PublishButton");
    ASSERT_FALSE(msgs_->shown().isEmpty());
    EXPECT_EQ(msgs_->last(), "Schedule load failed - " + page);
    EXPECT_EQ(msgs_->shown().last().format, Qt::PlainText);
}
