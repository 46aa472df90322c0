#include "JobsDbTest.h"
#include "common/CalendarForm.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "jobs/CustomerJobOpener.h"
#include "support/Pointer.h"

#include <QCheckBox>
#include <QFrame>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>

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

    // One control as the user sets it, and the column its value is saved to.
    struct Saved {
        const char *control;
        QString entry;  // typed; a list's entry; a date picked; "ticked", "cleared" or "chosen"; shown when fixed
        const char *column;
        QString stored;
    };
    // Sets the control as a user does: keys typed over a box's text and into a list (its entry's first word),
    // the pointer on a tick box, an option or a date's picture, and the date picked in the pop-up. A control a
    // stored job fixes is only read.
    void enter(const Saved &row)
    {
        QWidget *w = child<QWidget>(dialog_.get(), row.control);
        auto *list = qobject_cast<QComboBox *>(w);
        if (!w->isEnabled()) {
            EXPECT_EQ(list ? list->currentText() : QString(), row.entry) << row.control;
        } else if (list) {
            test::typeKeys(list, row.entry.section(QLatin1Char(' '), 0, 0));
            if (list->isEditable())
                test::press(Qt::Key_Tab); // the type-ahead box is left for the next control
            EXPECT_EQ(list->currentText(), row.entry) << row.control;
        } else if (qobject_cast<QToolButton *>(w)) {
            modal_->once("CalendarForm", [&](QDialog *d) {
                static_cast<CalendarForm *>(d)->pickDate(QDate::fromString(row.entry, "dd MMM yyyy"));
            });
            test::pressButton(dialog_.get(), row.control);
        } else if (auto *mark = qobject_cast<QAbstractButton *>(w)) {
            if (mark->isChecked() != (row.entry != "cleared"))
                test::pointAndClick(dialog_.get(), mark, QPoint(6, mark->height() / 2));
            EXPECT_EQ(mark->isChecked(), row.entry != "cleared") << row.control;
        } else {
            test::retypeKeys(w, row.entry);
        }
    }
    // Every control of the table set, the job saved, and every column of the job read back.
    void saveAndReadBack(const std::vector<Saved> &rows, const QStringList &otherColumns)
    {
        QSet<QString> entered;
        for (const Saved &r : rows)
            if (!entered.contains(QString::fromLatin1(r.control) + r.entry)) {
                entered << QString::fromLatin1(r.control) + r.entry;
                enter(r);
            }
        msgs_->clear();
        test::pressButton(dialog_.get(), "OKButton");
        EXPECT_EQ(msgs_->texts(), QStringList({"Customer Job saved"}));
        const QString job = rowsOf("SELECT MAX(JobSeqNo) FROM CustomerJobs");
        QStringList columns = otherColumns;
        for (const Saved &r : rows) {
            columns << QString::fromLatin1(r.column);
            EXPECT_EQ(rowsOf(QStringLiteral("SELECT %1 FROM CustomerJobs WHERE JobSeqNo = ?").arg(r.column), {job}),
                      r.stored)
                << r.control << " " << r.column;
        }
        // No column is left out.
        QStringList table;
        for (QSqlQuery q = execSql("PRAGMA table_info(CustomerJobs)"); q.next();)
            table << q.value(1).toString();
        columns.removeDuplicates(), columns.sort(), table.sort();
        EXPECT_EQ(columns, table);
    }
    static QString shownDate(const QDate &d) { return d.toString("dd MMM yyyy"); }
    static QString weekday(const QDate &d) { return QLocale(QLocale::English).dayName(d.dayOfWeek()); }
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

// Every control of the dialog is saved to its own column: a job added with every control set, then a stored job
// modified with every control a stored job leaves free changed. The four tick boxes hold over the two saves
// values of their own (comment: ticked, ticked; as required: ticked, cleared; suspended: cleared, ticked;
// prospective: cleared, cleared; the stored job holds the reverse of the Modify's), so one saved to another's
// column shows.
TEST_F(CustomerJobDialogTest, EveryControlIsSavedToItsOwnColumnWhenAddedAndWhenModified)
{
    // Keys that differ from every other number saved.
    writeSql("INSERT INTO Customers (CustomerNumber, Surname, Forename) VALUES (41, 'Tasman', 'Abel')");
    writeSql("INSERT INTO CustomerServiceAddresses (SAddressSeqNo, CustomerNumber, SAddress1, SSuburb) VALUES "
             "(52, 41, '1 Bay Road', 'Albany'), (53, 41, '5 Beach Road', 'Takapuna'), (54, 41, '7 Cliff Road', 'Takapuna')");
    const QDate today = QDate::currentDate();
    const QDate start = today.addDays(10), later = today.addDays(20), end = today.addDays(200);

    open("Add~0~", "CustomerJobsManagement");
    saveAndReadBack({{"CustomerNameCombo", "Tasman, Abel", "CustomerNumber", "41"},
                     {"SuburbCombo", "Takapuna", "SAddressSeqNo", "54"},
                     {"AddressCombo", "7 Cliff Road", "SAddressSeqNo", "54"},
                     {"JobTypeCombo", "Lawn mowing", "JobTypeCode", "LAWN"},
                     {"CostText", "1234.5", "Cost", "123450"},
                     {"AssociateCombo", "Bob Builder", "AssociateID", "BOB"},
                     {"CommentText", "Ring first\nDog", "CustomerJobComment", "Ring first\nDog"},
                     {"CommentCheck", "ticked", "CommentOnSchedule", "1"},
                     {"AsRequiredCheck", "ticked", "AsRequired", "1"},
                     {"SuspendCheck", "cleared", "Suspended", "0"},
                     {"ProspectiveCheck", "cleared", "Prospective", "0"},
                     {"StartDateImage", shownDate(start), "StartDate", start.toString("yyyy-MM-dd")},
                     {"StartDateImage", shownDate(start), "StartDay", weekday(start)},
                     {"OccurrencesOption", "chosen", "EndDate", ""},
                     {"OccurrencesText", "7", "Occurrences", "7"},
                     {"WeeklyOption", "chosen", "Frequency", "102009"},
                     {"WeeklyText1", "2", "Frequency", "102009"},
                     {"MondayCheck", "ticked", "Frequency", "102009"},
                     {"ThursdayCheck", "ticked", "Frequency", "102009"}},
                    {"JobSeqNo", "LastServiceDate"});
    EXPECT_EQ(rowsOf("SELECT LastServiceDate FROM CustomerJobs WHERE CustomerNumber = 41"), "");

    const qint64 job = addJob(41, 53, [&](test::JobData &j) {
        j.start = today.addDays(3).toString("yyyy-MM-dd"), j.startDay = weekday(today.addDays(3)), j.occurrences = 5;
        j.associate = "BOB", j.comment = "Old", j.asRequired = j.prospective = true;
        j.lastService = today.addDays(-4).toString("yyyy-MM-dd");
    });
    open(QStringLiteral("Modify~%1~53").arg(job), "CustomerJobsManagement");
    saveAndReadBack({{"CustomerNameCombo", "Tasman, Abel", "CustomerNumber", "41"},
                     {"SuburbCombo", "Takapuna", "SAddressSeqNo", "53"},
                     {"AddressCombo", "5 Beach Road", "SAddressSeqNo", "53"},
                     {"JobTypeCombo", "Window cleaning", "JobTypeCode", "CLEAN"},
                     {"CostText", "77", "Cost", "7700"},
                     {"AssociateCombo", "Administrator", "AssociateID", "ADM"},
                     {"CommentText", "Gate code\nCat", "CustomerJobComment", "Gate code\nCat"},
                     {"CommentCheck", "ticked", "CommentOnSchedule", "1"},
                     {"AsRequiredCheck", "cleared", "AsRequired", "0"},
                     {"SuspendCheck", "ticked", "Suspended", "1"},
                     {"ProspectiveCheck", "cleared", "Prospective", "0"},
                     {"StartDateImage", shownDate(later), "StartDate", later.toString("yyyy-MM-dd")},
                     {"StartDateImage", shownDate(later), "StartDay", weekday(later)},
                     {"EndDateOption", "chosen", "Occurrences", "0"},
                     {"EndDateImage", shownDate(end), "EndDate", end.toString("yyyy-MM-dd")},
                     {"MonthlyOption", "chosen", "Frequency", "11502"},
                     {"MonthlyOption1", "chosen", "Frequency", "11502"},
                     {"MonthlyText1", "15", "Frequency", "11502"},
                     {"MonthlyText2", "2", "Frequency", "11502"}},
                    {"JobSeqNo", "LastServiceDate"});
    EXPECT_EQ(jobFields(job, "LastServiceDate"), today.addDays(-4).toString("yyyy-MM-dd"));
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
