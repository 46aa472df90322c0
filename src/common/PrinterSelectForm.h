#pragma once
#include "platform/Form.h"

#include <QPointer>

class QComboBox;
class QLabel;
class QPushButton;

namespace wvs {

// The "Select a Printer" dialog: one of the installed printers, and print or
// preview.
//
// Opening: create it with the opener as parent (or set Opener), set Tag to
// "CustomerNotes" or "ScheduleNotes", set the opener's PreviewPrint False and
// show it modally. Results:
//   session().selectedPrinterIndex  999 when cancelled (Cancel, Escape, the
//                                   close box); otherwise a position in
//                                   installedPrinters(), never negative.
//   session().defaultPrinterIndex   the position of the printer that was
//                                   current when the dialog opened.
//   the opener's PreviewPrint       set true by Preview when Tag is one of the
//                                   two values (declare it as a Qt property:
//                                   Q_PROPERTY(bool PreviewPrint MEMBER PreviewPrint));
//   PreviewChosen                   the same answer, kept on the dialog.
// The list always ends with the "PDF file" entry, so a workstation without a
// printer prints into a PDF file.
class PrinterSelectForm : public Form {
    Q_OBJECT
public:
    explicit PrinterSelectForm(QWidget *parent = nullptr);

    // The window whose PreviewPrint is set; the parent when not set.
    QPointer<QObject> Opener;

    // The window's Tag, kept when it is first shown.
    QString NotesType;
    bool PreviewChosen = false;

    // Device name of the installed printer at a position, empty when there is none.
    static QString printerName(int index);
    // Lists the installed printers in a printer choice, the current one chosen
    // and kept as the default. With none installed (not even the PDF file) it
    // says "No printers found", greys the Print button and returns false: only
    // a preview can be asked for.
    static bool listPrinters(QComboBox *combo, QPushButton *printButton);

    void Form_Activate();
    void OKButton_Click();
    void PreviewButton_Click();
    void CancelButton_Click();

protected:
    void firstActivate() override;

private:
    void ExitDialog(int result);
    int chosenPosition() const;
    QObject *opener() const;

    QLabel *SelectLabel;
    QComboBox *PrinterCombo;
    QPushButton *OKButton;
    QPushButton *PreviewButton;
    QPushButton *CancelButton;
};

} // namespace wvs
