#include "JobsDbTest.h"
#include "common/CalendarForm.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "jobs/CustomerJobOpener.h"

#include <QCheckBox>
#include <QFrame>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace wvs;

namespace {

class CustomerJobDialogTest : public test::SmithJobsTest {
protected:
    void SetUp() override
    {
        SmithJobsTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1, true);
        addAssociate("OLD", "Old Timer", "pw", 1, false);
        writeSql("UPDATE CustomerServiceAddresses SET SAddress2 = 'Unit 2'");
        addAddress(customer_, "9 Back Lane", "Albany");
        addAddress(customer_, "5 Beach Road", "Takapuna");
        addJobType("LAWN", "Lawn mowing");
    }
    void TearDown() override { dialog_.reset(), SmithJobsTest::TearDown(); }

    CustomerJobAddModifyForm *open(const QString &tag, const QString &caller = {})
    {
        dialog_ = std::make_unique<CustomerJobAddModifyForm>();
        dialog_->Tag = tag;
        dialog_->Caller = caller;
        dialog_->Opener = &opener_;
        dialog_->show();
        settle();
        return dialog_.get();
    }
    CustomerJobAddModifyForm *openJob(qint64 job, const QString &mode = QStringLiteral("Modify"))
    {
        return open(QStringLiteral("%1~%2~%3").arg(mode).arg(job).arg(address_), "CustomerJobsManagement");
    }
    qint64 storeJob(int code, const QString &start = QStringLiteral("2031-07-07"))
    {
        return addJob(customer_, address_, [&](test::JobData &j) { j.frequency = code, j.start = start; });
    }

    QRadioButton *option(const char *name) { return child<QRadioButton>(dialog_.get(), name); }
    QComboBox *combo(const char *name) { return child<QComboBox>(dialog_.get(), name); }
    QLineEdit *box(const char *name) { return child<QLineEdit>(dialog_.get(), name); }
    QLabel *label(const char *name) { return child<QLabel>(dialog_.get(), name); }
    // The kinds whose option is ticked and whose frame shows: "Weekly/Weekly".
    QString shownKind()
    {
        QStringList ticked, shown;
        for (const char *kind : {"Daily", "Weekly", "Monthly", "Yearly"}) {
            if (option((QByteArray(kind) + "Option").constData())->isChecked())
                ticked << kind;
            if (!child<QFrame>(dialog_.get(), (QByteArray(kind) + "Frame").constData())->isHidden())
                shown << kind;
        }
        return ticked.join(",") + "/" + shown.join(",");
    }
    QStringList items(const char *name) { return test::entries(dialog_.get(), name); }
    CustomerJobOpener opener_;
    std::unique_ptr<CustomerJobAddModifyForm> dialog_;
};

TEST_F(CustomerJobDialogTest, EveryWorkedExampleShowsInItsFrameAndSavesBackUnchangedAndOtherCodesShowNone)
{
    // A code naming no kind shows no frame, without a message.
    const QList<std::pair<int, QString>> codes = {
        {3, "Daily"},       {399, "Daily"},      {102009, "Weekly"}, {152127, "Weekly"}, {13103, "Monthly"},
        {19902, "Monthly"}, {25503, "Monthly"}, {31225, "Yearly"},  {45703, "Yearly"},  {0, ""},
        {-5, ""},           {1000, ""},          {30000, ""},        {200000, ""}};
    for (const auto &[code, kind] : codes) {
        const qint64 job = storeJob(code);
        msgs_->clear();
        openJob(job);
        EXPECT_EQ(shownKind(), kind + "/" + kind) << code;
        if (kind.isEmpty()) {
            EXPECT_TRUE(msgs_->texts().isEmpty()) << code << msgs_->texts().join("|").toStdString();
            continue;
        }
        click(dialog_.get(), "OKButton");
        EXPECT_TRUE(msgs_->texts().contains("Customer Job saved")) << code << msgs_->texts().join("|").toStdString();
        EXPECT_EQ(jobFields(job, "Frequency"), QString::number(code));
        writeSql("DELETE FROM CustomerJobs");
    }
    // A code naming no list entry shows its option without one.
    openJob(storeJob(19000));
    EXPECT_TRUE(option("MonthlyOption2")->isChecked());
    EXPECT_EQ(combo("MonthlyCombo1")->currentIndex(), -1);
}

TEST_F(CustomerJobDialogTest, AddOffersWhatTheOpenerAllowsTakesDatesFromThePopUpAndStaysOpenOnAFault)
{
    addCustomer("Adams", "", 9);
    addCustomer("", "Zoe", 2);
    open("Add~0~", "Schedule");
    EXPECT_EQ(dialog_->windowTitle(), "Add Customer Job");
    EXPECT_EQ(items("CustomerNameCombo"), QStringList({"Zoe", "Adams", "Smith, Ann"}));
    // Inactive associates are never offered.
    EXPECT_TRUE(items("AssociateCombo").contains("Bob Builder"));
    EXPECT_FALSE(items("AssociateCombo").contains("Old Timer"));

    // Line 3 without line 2, and both, in a suburb of their own.
    writeSql("UPDATE CustomerServiceAddresses SET SAddress3 = 'Rear' WHERE SAddressSeqNo = ?", {addAddress(customer_, "2 Hill Rd", "Orewa")});
    writeSql("UPDATE CustomerServiceAddresses SET SAddress2 = 'Flat 1', SAddress3 = 'Rear' WHERE SAddressSeqNo = ?",
             {addAddress(customer_, "4 Hill Rd", "Orewa")});
    open(QStringLiteral("Add~%1~").arg(customer_), "CustomerJobsManagement");
    EXPECT_EQ(items("CustomerNameCombo"), QStringList({"Smith, Ann"}));
    EXPECT_EQ(combo("SuburbCombo")->currentText(), "Albany");
    EXPECT_EQ(items("AddressCombo"), QStringList({"1 Main Road, Unit 2", "9 Back Lane"}));

    const int takapuna = combo("SuburbCombo")->findText("Takapuna");
    combo("SuburbCombo")->setCurrentIndex(takapuna);
    emit combo("SuburbCombo")->activated(takapuna);
    EXPECT_EQ(items("AddressCombo"), QStringList({"5 Beach Road"}));
    const int orewa = combo("SuburbCombo")->findText("Orewa");
    combo("SuburbCombo")->setCurrentIndex(orewa);
    emit combo("SuburbCombo")->activated(orewa);
    EXPECT_EQ(items("AddressCombo"), QStringList({"2 Hill Rd, Rear", "4 Hill Rd, Flat 1, Rear"}));

    // Dates come from the pop-up; a fault leaves the dialog open.
    const QDate start = QDate::currentDate().addDays(30);
    modal_->once("CalendarForm", [&](QDialog *d) { static_cast<CalendarForm *>(d)->pickDate(start); });
    click(dialog_.get(), "StartDateImage");
    EXPECT_EQ(label("StartDateLabel")->text(), start.toString("dd MMM yyyy"));
    click(dialog_.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please enter the Cost"}));
    EXPECT_EQ(msgs_->shown()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::None);
    EXPECT_TRUE(dialog_->isVisible());
    // A cost rewritten in currency form before a later fault stays whole.
    box("CostText")->setText("2500.75");
    click(dialog_.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Please select a Job Type");
    EXPECT_EQ(box("CostText")->text(), "$2,500.75");
    EXPECT_EQ(count("CustomerJobs"), 0);
}

TEST_F(CustomerJobDialogTest, ModifyAndViewShowTheJobDataWithItsKeysFixed)
{
    const qint64 job = addJob(customer_, address_, [](test::JobData &j) {
        j.associate = "OLD", j.end = "2031-12-31", j.lastService = "2031-07-14", j.asRequired = true;
    });

    openJob(job);
    EXPECT_EQ(dialog_->windowTitle(), "Modify Customer Job");
    for (const char *c : {"CustomerNameCombo", "SuburbCombo", "AddressCombo", "JobTypeCombo"})
        EXPECT_FALSE(combo(c)->isEnabled()) << c;
    EXPECT_EQ(combo("AddressCombo")->currentText(), "1 Main Road");
    EXPECT_EQ(label("LastServiceLabel")->text(), "14 Jul 2031");
    EXPECT_EQ(label("EndDateLabel")->text(), "31 Dec 2031");
    EXPECT_TRUE(child<QCheckBox>(dialog_.get(), "AsRequiredCheck")->isChecked());
    // Loading the end date opened no pop-up; the job's associate is inactive.
    EXPECT_FALSE(modal_->openedNames().contains("CalendarForm"));
    EXPECT_EQ(combo("AssociateCombo")->currentIndex(), -1);
    choose(dialog_.get(), "AssociateCombo", "Bob Builder");
    click(dialog_.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Customer Job saved");
    EXPECT_TRUE(opener_.JobModified);
    EXPECT_EQ(jobFields(job, "AssociateID, LastServiceDate"), "BOB|2031-07-14");

    openJob(job, "View");
    EXPECT_EQ(dialog_->windowTitle(), "View Customer Job");
    EXPECT_FALSE(child<QPushButton>(dialog_.get(), "OKButton")->isEnabled());
    EXPECT_EQ(combo("AssociateCombo")->currentText(), "Bob Builder");

    // A job deleted meanwhile opens empty and refuses to save.
    writeSql("DELETE FROM CustomerJobs");
    msgs_->clear();
    openJob(job);
    EXPECT_EQ(combo("CustomerNameCombo")->count(), 0);
    click(dialog_.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please select a Customer"}));
}

TEST_F(CustomerJobDialogTest, LongStoredValuesAreShownWholeAndAModifyKeepsWhatAnotherWorkstationSaved)
{
    // Stored values longer than the boxes take are shown whole and saved unchanged.
    const qint64 job = addJob(customer_, address_, [&](test::JobData &j) {
        j.associate = "BOB", j.costCents = 1234567800, j.occurrences = 1000;
    });
    openJob(job);
    EXPECT_EQ(box("OccurrencesText")->text(), "1000");
    EXPECT_EQ(box("CostText")->text(), "$12,345,678.00");
    // Workstation B suspends the job and changes its cost; A, which loaded it before, changes only its comment.
    writeSql("UPDATE CustomerJobs SET Suspended = 1, Cost = 9900 WHERE JobSeqNo = ?", {job}, secondConnection());
    child<QPlainTextEdit>(dialog_.get(), "CommentText")->setPlainText("Gate code 1234");
    click(dialog_.get(), "OKButton");
    EXPECT_EQ(jobFields(job, "Cost, Occurrences, CustomerJobComment, Suspended"), "9900|1000|Gate code 1234|1");
}

} // namespace
