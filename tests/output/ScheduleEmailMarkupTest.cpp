#include "output/ScheduleEmail.h"
#include "scheduling/ScheduleTestData.h"

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class ScheduleEmailMarkupTest : public ScheduleDbTest {};

} // namespace

TEST_F(ScheduleEmailMarkupTest, AnAssociateNameHoldingMarkupIsShownAsTyped)
{
    const QString name = QStringLiteral("Dan <b>Nomail</b> <font color=red>RED</font>");
    addAssociate("DAN", name, "pw", 1);
    writeSql("UPDATE Preferences SET EmailProvider = 'Other', SMTPServer = '127.0.0.1', SMTPPort = '25'");
    const qint64 s = addSchedule("2025-03-03", "2025-03-16", "Closed");
    storeJob(s, addJob({.associate = "DAN", .start = "2025-03-03"}), "2025-03-03", 0, "", "DAN");

    msgs_->clear();
    ASSERT_TRUE(ScheduleEmail::run(s, "DAN", "Hello", true));
    ASSERT_EQ(msgs_->shown().size(), 1);
    EXPECT_EQ(msgs_->shown()[0].text, "No email address is held for " + name + ".");
    EXPECT_EQ(msgs_->shown()[0].format, Qt::PlainText);
}
