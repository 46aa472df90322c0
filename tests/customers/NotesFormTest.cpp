#include "CustomerTestData.h"
#include "customers/CustomerNoteStore.h"
#include "customers/NotesForm.h"
#include "platform/Printers.h"
#include "support/DbTest.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace wvs;

namespace {

class NotesFormTest : public test::AdminDbTest {
protected:
    void SetUp() override
    {
        AdminDbTest::SetUp();
        customer_ = test::addCustomer("Smith", "Mary");
        other_ = test::addCustomer("Brown", "Tom");
    }
    void TearDown() override { NotesForm::printHandler() = nullptr, DbTest::TearDown(); }

    void addMarchNotes()
    {
        writeSql("INSERT INTO CustomerNotes (CustomerNumber, NoteDateTime, NoteDetail, NoteAuthor) VALUES "
                 "(?, '2024-03-01 09:00:00', 'First visit arranged', 'Jo'), (?, '2024-03-05 16:45:10', 'Gate code is 1234', 'Sam'), "
                 "(?, '2024-03-03 11:20:00', 'Dog in the yard', 'Administrator'), (?, '2024-03-04 10:00:00', 'Not for Mary', 'Jo')",
                 {customer_, customer_, customer_, other_});
    }
    // Opens the window as the customer list does, and lets it finish its first activation.
    static std::unique_ptr<NotesForm> open(qint64 customer) { return shown<NotesForm>("Customer~" + QString::number(customer)); }
    static QListWidget *list(NotesForm *f) { return f->findChild<QListWidget *>("DateList"); }
    static QPlainTextEdit *details(NotesForm *f) { return f->findChild<QPlainTextEdit *>("DetailsText"); }
    // The customer's notes, newest first, as "detail|author".
    static QStringList stored(qint64 customer, const QSqlDatabase &db = AppDatabase::db())
    {
        QStringList out;
        for (const CustomerNote &n : CustomerNoteStore::notesOf(customer, db))
            out << n.detail + "|" + n.author;
        return out;
    }

    qint64 customer_ = 0, other_ = 0;
};

TEST_F(NotesFormTest, SavingAddsTheOneNoteBeingWrittenWhileOlderOnesAndAnotherWorkstationsAreKept)
{
    addMarchNotes();
    const QStringList before = stored(customer_);
    auto f = open(customer_);
    EXPECT_EQ(f->windowTitle(), "Customer Notes");
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    click(f.get(), "NewButton");
    details(f.get())->setPlainText("   ");
    click(f.get(), "SaveButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please enter the note details"}));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(stored(customer_), before);

    // New again keeps the one new note and its text.
    details(f.get())->setPlainText("Friday visit");
    click(f.get(), "NewButton");
    EXPECT_EQ(list(f.get())->count(), 4);
    EXPECT_EQ(details(f.get())->toPlainText(), "Friday visit");
    list(f.get())->setCurrentRow(1);
    EXPECT_EQ(details(f.get())->toPlainText(), "11:20 Administrator\nDog in the yard");
    EXPECT_TRUE(details(f.get())->isReadOnly());

    // Back to the new note: the text is still there and can be added to; saving
    // while an older note is shown stores the new note's own text.
    list(f.get())->setCurrentRow(3);
    EXPECT_FALSE(details(f.get())->isReadOnly());
    details(f.get())->setPlainText(details(f.get())->toPlainText() + ", mornings");
    list(f.get())->setCurrentRow(2);
    // Another workstation writes notes for the same customer before and after the save: all are kept.
    QSqlDatabase second = secondConnection();
    CustomerNoteStore::add(customer_, {QDateTime(QDate(2024, 3, 6), QTime(8, 0)), "Written there", "Jo"}, second);
    msgs_->clear();
    click(f.get(), "SaveButton");
    CustomerNoteStore::add(customer_, {QDateTime(QDate(2024, 3, 7), QTime(8, 0)), "Written there later", "Jo"}, second);
    EXPECT_EQ(msgs_->texts(), QStringList({"Note saved"}));
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(stored(customer_, second),
              QStringList({"Friday visit, mornings|Administrator", "Written there later|Jo", "Written there|Jo"}) + before);
    EXPECT_GE(CustomerNoteStore::notesOf(customer_)[0].noteDateTime, started);
    EXPECT_EQ(stored(other_).size(), 1);
}

TEST_F(NotesFormTest, PrintAsksForARangeAndAPrinterBeforeHandingOver)
{
    addMarchNotes();
    QList<NotesForm::PrintRequest> requests;
    NotesForm::printHandler() = [&](QWidget *, const NotesForm::PrintRequest &r) { requests.append(r); };
    PrinterScript printers({"Office Laser", "Front Desk"}, 0);
    auto f = open(customer_);

    auto chooseRange = [](QDialog *d) {
        d->findChild<QLabel *>("FromDateLabel")->setText("01 Mar 2024");
        d->findChild<QLabel *>("ToDateLabel")->setText("04 Mar 2024");
        click(d, "OKButton");
    };
    // Leaving the range dialog asks for no printer; Cancel in the printer dialog prints nothing.
    modal_->once("DateSelectForm", [](QDialog *d) { click(d, "ExitButton"); });
    click(f.get(), "PrintButton");
    for (const char *button : {"CancelButton", "PreviewButton"}) {
        modal_->once("DateSelectForm", chooseRange);
        modal_->once("PrinterSelectForm", [button](QDialog *d) { click(d, button); });
        click(f.get(), "PrintButton");
    }
    EXPECT_EQ(modal_->openedNames(), QStringList({"DateSelectForm", "DateSelectForm", "PrinterSelectForm",
                                                  "DateSelectForm", "PrinterSelectForm"}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].customerNumber, customer_);
    EXPECT_EQ(requests[0].from, QDate(2024, 3, 1));
    EXPECT_EQ(requests[0].to, QDate(2024, 3, 4));
    EXPECT_TRUE(requests[0].preview);

    // Print sends the range to paper; a range of one day is a range.
    modal_->once("DateSelectForm", [](QDialog *d) {
        d->findChild<QLabel *>("FromDateLabel")->setText("05 Mar 2024");
        d->findChild<QLabel *>("ToDateLabel")->setText("05 Mar 2024");
        click(d, "OKButton");
    });
    modal_->once("PrinterSelectForm", [](QDialog *d) { click(d, "OKButton"); });
    click(f.get(), "PrintButton");
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[1].customerNumber, customer_);
    EXPECT_EQ(requests[1].from, QDate(2024, 3, 5));
    EXPECT_EQ(requests[1].to, QDate(2024, 3, 5));
    EXPECT_FALSE(requests[1].preview);
}

} // namespace
