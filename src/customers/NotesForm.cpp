#include "customers/NotesForm.h"
#include "common/DateSelectForm.h"
#include "common/Formats.h"
#include "common/PrinterSelectForm.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(NotesForm);

NotesForm::PrintHandler &NotesForm::printHandler()
{
    static PrintHandler handler;
    return handler;
}

NotesForm::NotesForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("NotesForm"));
    setWindowTitle(QStringLiteral("Notes"));

    DateLabel = new QLabel(QStringLiteral("Date"), this);
    DateLabel->setObjectName(QStringLiteral("DateLabel"));
    DateList = new QListWidget(this);
    DateList->setObjectName(QStringLiteral("DateList"));
    DateList->setFixedWidth(130);
    DetailsLabel = new QLabel(QStringLiteral("Details"), this);
    DetailsLabel->setObjectName(QStringLiteral("DetailsLabel"));
    DetailsText = makeMultiLineText("DetailsText");
    DetailsText->setReadOnly(true);

    NewButton = makeButton("NewButton", "&New");
    SaveButton = makeButton("SaveButton", "&Save");
    PrintButton = makeButton("PrintButton", "&Print");
    ExitButton = makeButton("ExitButton", "&Exit");
    SaveButton->setDefault(true);
    SaveButton->setEnabled(false);
    // The notes printout is installed by the printouts; without it there is
    // nothing to print with.
    PrintButton->setVisible(static_cast<bool>(printHandler()));

    auto *grid = new QGridLayout;
    grid->addWidget(DateLabel, 0, 0);
    grid->addWidget(DetailsLabel, 0, 1);
    grid->addWidget(DateList, 1, 0);
    grid->addWidget(DetailsText, 1, 1);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(NewButton);
    buttons->addWidget(SaveButton);
    buttons->addWidget(PrintButton);
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(600, 400);

    connect(DateList, &QListWidget::currentRowChanged, this, &NotesForm::DateList_Click);
    connect(NewButton, &QPushButton::clicked, this, &NotesForm::NewButton_Click);
    connect(SaveButton, &QPushButton::clicked, this, &NotesForm::SaveButton_Click);
    connect(PrintButton, &QPushButton::clicked, this, &NotesForm::PrintButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &NotesForm::ExitButton_Click);
}

void NotesForm::firstActivate() { Form_Activate(); }

void NotesForm::Form_Activate()
{
    guarded("NotesForm", "Form_Activate", [&] {
        const int sep = Tag.indexOf(QLatin1Char('~'));
        NotesSubject = sep < 0 ? Tag : Tag.left(sep);
        CustomerNumber = sep < 0 ? 0 : Tag.mid(sep + 1).toLongLong();
        setWindowTitle(NotesSubject + QStringLiteral(" Notes"));
        if (NotesSubject == QLatin1String("Customer"))
            NoteRows = CustomerNoteStore::notesOf(CustomerNumber);
        if (!NoteRows.isEmpty()) {
            QSignalBlocker block(DateList);
            for (const CustomerNote &n : NoteRows)
                DateList->addItem(Formats::toShortDate(n.noteDateTime.date()));
        }
        if (!NoteRows.isEmpty()) {
            DateList->setCurrentRow(0);
            DateList->setFocus();
        }
        SaveButton->setEnabled(false);
        DetailsText->setReadOnly(true);
    });
}

void NotesForm::keepPendingText()
{
    if (pending_ >= 0 && CurrentNote == pending_)
        NoteRows[pending_].detail = DetailsText->text();
}

void NotesForm::showRow(int row)
{
    CurrentNote = row;
    const CustomerNote &n = NoteRows.at(row);
    if (row == pending_) {
        DetailsText->setPlainText(n.detail);
        DetailsText->setReadOnly(false);
        DetailsText->moveCursor(QTextCursor::End);
    } else {
        DetailsText->setPlainText(n.noteDateTime.time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ') +
                                  n.author + QLatin1Char('\n') + n.detail);
        DetailsText->setReadOnly(true);
    }
}

void NotesForm::DateList_Click(int row)
{
    guarded("NotesForm", "DateList_Click", [&] {
        if (NoteRows.isEmpty() || row < 0 || row >= NoteRows.size())
            return;
        // Leaving the note being written keeps what was typed.
        keepPendingText();
        showRow(row);
    });
}

void NotesForm::NewButton_Click()
{
    guarded("NotesForm", "NewButton_Click", [&] {
        if (pending_ < 0) {
            NoteRows.append({QDateTime::currentDateTime(), QString(), session().currentAssociateName});
            pending_ = int(NoteRows.size()) - 1;
            {
                QSignalBlocker block(DateList);
                DateList->addItem(Formats::toShortDate(QDate::currentDate()));
                DateList->setCurrentRow(pending_);
            }
            showRow(pending_);
            SaveButton->setEnabled(true);
        } else if (CurrentNote != pending_) {
            QSignalBlocker block(DateList);
            DateList->setCurrentRow(pending_);
            showRow(pending_);
        }
        DetailsText->setReadOnly(false);
        DetailsText->setFocus();
    });
}

void NotesForm::SaveButton_Click()
{
    guarded("NotesForm", "SaveButton_Click", [&] {
        keepPendingText();
        if (pending_ < 0 || NoteRows.isEmpty()) {
            msgBox(QStringLiteral("Nothing to save"));
            return;
        }
        if (NoteRows.at(pending_).detail.trimmed().isEmpty()) {
            msgBox(QStringLiteral("Please enter the note details"));
            NewButton_Click();
            return;
        }
        if (NotesSubject == QLatin1String("Customer"))
            CustomerNoteStore::add(CustomerNumber, NoteRows.at(pending_));
        msgBox(QStringLiteral("Note saved"));
        DetailsText->setReadOnly(true);
        pending_ = -1;
        accept();
    });
}

void NotesForm::PrintButton_Click()
{
    guarded("NotesForm", "PrintButton_Click", [&] {
        if (DateList->count() == 0 || !printHandler())
            return;
        PrintFromDate.clear();
        {
            DateSelectForm dates(this);
            dates.Tag = NotesSubject + QStringLiteral(" Notes");
            showModal(&dates);
        }
        if (PrintFromDate.isEmpty())
            return;
        PreviewPrint = false;
        {
            PrinterSelectForm printers(this);
            printers.Tag = QStringLiteral("CustomerNotes");
            showModal(&printers);
        }
        if (session().selectedPrinterIndex == 999)
            return;
        PrintRequest r;
        r.notesSubject = NotesSubject;
        r.customerNumber = CustomerNumber;
        r.from = Formats::fromDisplayDate(PrintFromDate);
        r.to = Formats::fromDisplayDate(PrintToDate);
        r.preview = PreviewPrint;
        r.printerIndex = session().selectedPrinterIndex;
        printHandler()(this, r);
    });
}

void NotesForm::ExitButton_Click()
{
    guarded("NotesForm", "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
