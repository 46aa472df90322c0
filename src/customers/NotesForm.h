#pragma once
#include "customers/CustomerNoteStore.h"
#include "platform/Form.h"

#include <QDate>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace wvs {

// A customer's dated notes, newest first, with one new note per opening.
//
// Opening: Tag "Customer~" followed by the customer number, shown modally.
// Notes are only added: saving stores the new note's row alone, so the
// customer's other notes (those written meanwhile at another workstation
// too) stay as they are.
//
// Printing: the Print button shows once a print handler is installed; it asks
// for the range (DateSelectForm, "Customer Notes") and the printer
// (PrinterSelectForm, "CustomerNotes"), then hands the request to the handler.
class NotesForm : public Form {
    Q_OBJECT
    Q_PROPERTY(QString PrintFromDate MEMBER PrintFromDate)
    Q_PROPERTY(QString PrintToDate MEMBER PrintToDate)
    Q_PROPERTY(bool PreviewPrint MEMBER PreviewPrint)
public:
    explicit NotesForm(QWidget *parent = nullptr);

    // What the print command hands to the printouts.
    struct PrintRequest {
        QString notesSubject;      // "Customer"
        qint64 customerNumber = 0;
        QDate from;
        QDate to;
        bool preview = false;
        int printerIndex = 0;      // position in installedPrinters()
    };
    using PrintHandler = std::function<void(QWidget *opener, const PrintRequest &)>;
    static PrintHandler &printHandler();

    QString NotesSubject;
    qint64 CustomerNumber = 0;
    QList<CustomerNote> NoteRows;
    int CurrentNote = -1;
    QString PrintFromDate;
    QString PrintToDate;
    bool PreviewPrint = false;

    // The row of the new note not yet saved, -1 when there is none.
    int pendingRow() const { return pending_; }

    void Form_Activate();
    void DateList_Click(int row);
    void NewButton_Click();
    void SaveButton_Click();
    void PrintButton_Click();
    void ExitButton_Click();

protected:
    void firstActivate() override;

private:
    void showRow(int row);
    void keepPendingText();

    QLabel *DateLabel;
    QListWidget *DateList;
    QLabel *DetailsLabel;
    MultiLineText *DetailsText;
    QPushButton *NewButton;
    QPushButton *SaveButton;
    QPushButton *PrintButton;
    QPushButton *ExitButton;
    int pending_ = -1;
};

} // namespace wvs
