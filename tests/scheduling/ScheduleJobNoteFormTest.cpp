#include "scheduling/ScheduleJobNoteForm.h"
#include "ScheduleTestData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class JobNoteFormTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        job = addJob({.associate = "BOB", .start = "2025-03-03"});
        schedule = addSchedule("2025-03-03", "2025-03-16", "Closed");
        storeJob(schedule, job, "2025-03-03", 0, "2025-03-05", "ADM");
        storeJob(schedule, job, "2025-03-10", 1, "", "BOB");
    }
    std::unique_ptr<ScheduleJobNoteForm> open(const QString &date)
    {
        auto form = shown<ScheduleJobNoteForm>(QStringLiteral("%1~%2~%3").arg(schedule).arg(date).arg(job));
        check = form->findChild<QCheckBox *>("JobDoneCheck");
        dateText = form->findChild<QLineEdit *>("DateCompletedText");
        associate = form->findChild<QComboBox *>("AssociateCombo");
        return form;
    }
    qint64 job = 0;
    qint64 schedule = 0;
    QCheckBox *check = nullptr;
    QLineEdit *dateText = nullptr;
    QComboBox *associate = nullptr;
};

} // namespace

TEST_F(JobNoteFormTest, ShowsTheRecordedStateAndFillsTheFieldsWhenTicked)
{
    auto done = open("2025-03-03");
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(dateText->text(), "05/03/2025");
    EXPECT_EQ(associate->currentText(), "Administrator");
    check->setChecked(false);
    EXPECT_EQ(dateText->text(), "");
    EXPECT_EQ(associate->currentIndex(), -1);
    // Exit after changes writes nothing.
    done->ExitButton_Click();
    EXPECT_EQ(done->JobNoteResult, 0);
    EXPECT_EQ(stored(schedule, job, "2025-03-03", "ActualServiceDate"), "2025-03-05");

    auto notDone = open("2025-03-10");
    // Typing into the empty date box marks the job done on its planned date.
    dateText->setText("1");
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(dateText->text(), "10/03/2025");
    EXPECT_EQ(associate->currentText(), "Bob Builder");

    // OK saves what the window shows.
    dateText->setText("12/03/2025");
    notDone->findChild<QPlainTextEdit *>("NoteText")->setPlainText("Invoice sent");
    notDone->findChild<QRadioButton *>("InvoicingOption")->setChecked(true);
    notDone->OKButton_Click();
    EXPECT_EQ(notDone->JobNoteResult, 1);
    EXPECT_EQ(stored(schedule, job, "2025-03-10", "ActualServiceDate"), "2025-03-12");
    EXPECT_EQ(scalarSql("SELECT NoteType || '/' || NoteDetail FROM ScheduleJobNotes").toString(), "Invoicing/Invoice sent");
}
