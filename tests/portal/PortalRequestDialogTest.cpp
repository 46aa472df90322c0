#include "PortalTestData.h"

#include <QFrame>
#include <QLabel>
#include <QRadioButton>

using namespace wvs;
using namespace wvs::test;

namespace {

class PortalRequestDialogTest : public PortalRequestDbTest {
protected:
    static bool selected(QWidget *d, const char *option) { return child<QRadioButton>(d, option)->isChecked(); }
};

} // namespace

TEST_F(PortalRequestDialogTest, OpensWithTheRequestAndLeavesItOnExit)
{
    addRequest(1, {{"PreferredPhone", 7}, {"DWMYOption", -1}, {"EndDateOption", 1}, {"EndDate", "2031-12-24"},
                   {"Cost", 0}, {"JobTypeCode", "NONE"}});
    openRequest(1, [&](QDialog *d) {
        EXPECT_TRUE(selected(d, "Phone1Option"));
        EXPECT_TRUE(selected(d, "EndDateOption"));
        EXPECT_EQ(child<QLabel>(d, "StartDateLabel")->text(), "07 Jul 2031");
        EXPECT_EQ(child<QLabel>(d, "EndDateLabel")->text(), "24 Dec 2031");
        EXPECT_EQ(child<QComboBox>(d, "JobTypeCombo")->currentIndex(), -1);
        for (const char *f : {"DailyFrame", "WeeklyFrame", "MonthlyFrame", "YearlyFrame"})
            EXPECT_FALSE(child<QFrame>(d, f)->isVisible()) << f;
        // Leaving an emptied cost box leaves the currency form of 0.
        QLineEdit *cost = child<QLineEdit>(d, "CostText");
        d->activateWindow();
        cost->setFocus();
        cost->clear();
        child<QLineEdit>(d, "TitleText")->setFocus();
        settle();
        EXPECT_EQ(cost->text(), "$0.00");
        // A map the desktop cannot show is reported, as in the job dialog.
        desktop_->openResult = false;
        click(d, "MapImage");
        click(d, "ExitButton");
    });
    EXPECT_TRUE(modal_->openedNames().filter("CalendarForm").isEmpty());   // filling "On" asks for no date
    EXPECT_EQ(count("PortalCustomerJobs"), 1);
    ASSERT_EQ(desktop_->opened.size(), 1);
    EXPECT_EQ(msgs_->texts(), QStringList{linkFailureText(desktop_->opened[0], LinkKind::WebPage)});
}

// A value longer than its box types is shown whole: a count so that the save
// refuses it rather than taking a cut-down number, an amount or a name so
// that it is saved as it came.
TEST_F(PortalRequestDialogTest, ValuesLongerThanTheirBoxesAreShownWhole)
{
    addRequest(1, {{"DWMYOption", 1}, {"WeeklyNoOfWeeks", 1000}, {"EndDateOption", 2}, {"EndOccurrences", 12345}});
    openRequest(1, [&](QDialog *d) {
        EXPECT_EQ(text(d, "WeeklyText1"), "1000");
        EXPECT_EQ(text(d, "OccurrencesText"), "12345");
    });

    const QString surname = QString(49, 'L') + "😀";
    save(addRequest(2, {{"Cost", 123456}, {"LastName", surname}}));
    EXPECT_EQ(lastJob("Cost").toLongLong(), 123456);
    EXPECT_EQ(scalarSql("SELECT Surname FROM Customers").toString(), surname);
}
