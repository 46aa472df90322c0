#include "common/Formats.h"
#include "customers/CustomerNoteStore.h"
#include "customers/NotesForm.h"
#include "platform/Printers.h"
#include "core/Session.h"
#include "support/DbTest.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>

using namespace wvs;

namespace {

class NotesFormTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs("ADM", 1);
        writeSql("INSERT INTO Customers (Surname, Forename) VALUES ('Smith', 'Mary')");
        customer_ = lastInsertId();
        writeSql("INSERT INTO Customers (Surname, Forename) VALUES ('Brown', 'Tom')");
        other_ = lastInsertId();
    }
    void TearDown() override
    {
        NotesForm::printHandler() = nullptr;
        DbTest::TearDown();
    }

    void addNote(qint64 customer, const QString &when, const QString &detail, const QString &author)
    {
        writeSql("INSERT INTO CustomerNotes (CustomerNumber, NoteDateTime, NoteDetail, NoteAuthor) VALUES (?, ?, ?, ?)",
                 {customer, when, detail, author});
    }
    void addMarchNotes()
    {
        addNote(customer_, "2024-03-01 09:00:00", "First visit arranged", "Jo");
        addNote(customer_, "2024-03-05 16:45:10", "Gate code is 1234", "Sam");
        addNote(customer_, "2024-03-03 11:20:00", "Dog in the yard", "Administrator");
        addNote(other_, "2024-03-04 10:00:00", "Not for Mary", "Jo");
    }
    // Opens the window as the customer list does, and lets it finish its first activation.
    std::unique_ptr<NotesForm> open(qint64 customer)
    {
        auto f = std::make_unique<NotesForm>();
        f->Tag = "Customer~" + QString::number(customer);
        f->show();
        settle();
        return f;
    }
    static QListWidget *list(NotesForm *f) { return f->findChild<QListWidget *>("DateList"); }
    static QTextEdit *details(NotesForm *f) { return f->findChild<QTextEdit *>("DetailsText"); }
    QStringList stored(qint64 customer) const
    {
        QStringList out;
        for (const CustomerNote &n : CustomerNoteStore::notesOf(customer))
            out << Formats::toStoredDateTime(n.noteDateTime) + "|" + n.detail + "|" + n.author;
        return out;
    }

    qint64 customer_ = 0;
    qint64 other_ = 0;
};

TEST_F(NotesFormTest, AnEmptyNoteIsRefusedAndNewTwiceAddsOnlyOneNote)
{
    auto f = open(customer_);
    click(f.get(), "NewButton");
    details(f.get())->setPlainText("   ");
    click(f.get(), "SaveButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please enter the note details"}));
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(stored(customer_).isEmpty());

    details(f.get())->setPlainText("Typed once");
    click(f.get(), "NewButton");
    EXPECT_EQ(list(f.get())->count(), 1);
    EXPECT_EQ(details(f.get())->toPlainText(), "Typed once");
    click(f.get(), "SaveButton");
    EXPECT_EQ(stored(customer_).size(), 1);
}

TEST_F(NotesFormTest, SavingAddsTheNoteBeingWrittenWhileOlderOnesAreRead)
{
    addMarchNotes();
    const QStringList before = stored(customer_);
    auto f = open(customer_);
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    click(f.get(), "NewButton");
    EXPECT_EQ(list(f.get())->item(3)->text(), Formats::toShortDate(QDate::currentDate()));
    details(f.get())->setPlainText("Customer asked for a Friday visit");
    list(f.get())->setCurrentRow(1);
    EXPECT_EQ(details(f.get())->toPlainText(), "11:20 Administrator\nDog in the yard");
    EXPECT_TRUE(details(f.get())->isReadOnly());

    // Back to the new note: the text is still there and can be added to.
    list(f.get())->setCurrentRow(3);
    EXPECT_EQ(details(f.get())->toPlainText(), "Customer asked for a Friday visit");
    EXPECT_FALSE(details(f.get())->isReadOnly());
    details(f.get())->setPlainText("Customer asked for a Friday visit, mornings");

    // Saving while an older note is shown stores the new note's own text.
    list(f.get())->setCurrentRow(2);
    click(f.get(), "SaveButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Note saved"}));
    EXPECT_FALSE(f->isVisible());
    const QList<CustomerNote> notes = CustomerNoteStore::notesOf(customer_);
    ASSERT_EQ(notes.size(), 4);
    EXPECT_EQ(notes[0].detail, "Customer asked for a Friday visit, mornings");
    EXPECT_EQ(notes[0].author, "Administrator");
    EXPECT_GE(notes[0].noteDateTime, started);
    EXPECT_LE(notes[0].noteDateTime, QDateTime::currentDateTime());
    // The other notes, and the other customer's, stay as they were.
    EXPECT_EQ(stored(customer_).mid(1), before);
    EXPECT_EQ(stored(other_).size(), 1);
}

// Two workstations write notes for the same customer while both windows are open.
TEST_F(NotesFormTest, NotesWrittenMeanwhileAtAnotherWorkstationAreKept)
{
    addMarchNotes();
    QSqlDatabase second = secondConnection();
    auto f = open(customer_);
    click(f.get(), "NewButton");
    details(f.get())->setPlainText("Written here");

    CustomerNoteStore::add(customer_, {QDateTime(QDate(2024, 3, 6), QTime(8, 0)), "Written there", "Jo"}, second);
    click(f.get(), "SaveButton");
    CustomerNoteStore::add(customer_, {QDateTime(QDate(2024, 3, 7), QTime(8, 0)), "Written there later", "Jo"},
                           second);

    const QList<CustomerNote> seenThere = CustomerNoteStore::notesOf(customer_, second);
    QStringList details;
    for (const CustomerNote &n : seenThere)
        details << n.detail;
    EXPECT_EQ(details, QStringList({"Written here", "Written there later", "Written there", "Gate code is 1234",
                                    "Dog in the yard", "First visit arranged"}));
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
        d->findChild<QPushButton *>("OKButton")->click();
    };
    // Leaving the range dialog asks for no printer.
    modal_->once("DateSelectForm", [](QDialog *d) { d->findChild<QPushButton *>("ExitButton")->click(); });
    click(f.get(), "PrintButton");
    EXPECT_EQ(modal_->openedNames(), QStringList({"DateSelectForm"}));

    // Cancel in the printer dialog prints nothing.
    modal_->once("DateSelectForm", chooseRange);
    modal_->once("PrinterSelectForm", [](QDialog *d) { d->findChild<QPushButton *>("CancelButton")->click(); });
    click(f.get(), "PrintButton");
    EXPECT_TRUE(requests.isEmpty());

    modal_->once("DateSelectForm", chooseRange);
    modal_->once("PrinterSelectForm", [](QDialog *d) {
        EXPECT_EQ(d->property("Tag").toString(), "CustomerNotes");
        d->findChild<QPushButton *>("PreviewButton")->click();
    });
    click(f.get(), "PrintButton");
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].customerNumber, customer_);
    EXPECT_EQ(requests[0].from, QDate(2024, 3, 1));
    EXPECT_EQ(requests[0].to, QDate(2024, 3, 4));
    EXPECT_TRUE(requests[0].preview);
    EXPECT_EQ(requests[0].printerIndex, 0);
}

} // namespace
