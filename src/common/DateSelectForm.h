#pragma once
#include "platform/Form.h"

#include <QPointer>

class QLabel;
class QPushButton;
class QToolButton;

namespace wvs {

// The "Select Dates" dialog: a from date and a to date picked with the date
// pop-up, handed to the window that opened it.
//
// Opening: create it with the opener as parent (or set Opener), set Tag to the
// mode and show it modally. Modes and the opener's properties written when OK
// succeeds (as "dd Mmm yyyy" texts):
//   "Customer Notes", "Schedule Notes"  ->  PrintFromDate, PrintToDate
//   "Schedule"                          ->  FromDate, ToDate
// The opener declares them as Qt properties over its public members, e.g.
//   Q_PROPERTY(QString FromDate MEMBER FromDate)
// Nothing is written on Exit or on a refused OK, and the dialog never reads
// them: the opener empties them before and tests them after. The chosen texts
// are also left in SelectedFromDate / SelectedToDate (empty unless OK
// succeeded), and the dialog's result is Accepted exactly when they were
// handed over. Any other Tag closes on OK without writing.
class DateSelectForm : public Form {
    Q_OBJECT
public:
    explicit DateSelectForm(QWidget *parent = nullptr);

    // The window that receives the dates; the parent when not set.
    QPointer<QObject> Opener;

    QString SelectedFromDate;
    QString SelectedToDate;

    void FromDateImage_Click();
    void ToDateImage_Click();
    void OKButton_Click();
    void ExitButton_Click();

private:
    QObject *opener() const;

    QLabel *FromLabel;
    QLabel *FromDateLabel;
    QToolButton *FromDateImage;
    QLabel *ToLabel;
    QLabel *ToDateLabel;
    QToolButton *ToDateImage;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
