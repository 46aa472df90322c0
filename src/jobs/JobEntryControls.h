#pragma once
#include "jobs/CustomerJobSave.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QWidget>

class QRadioButton;

namespace wvs {

// What the job dialogs (the customer job dialog and the portal request's)
// share beyond their own controls.

// A small number box (every n days, after n occurrences): three digits
// typed, a stored value shown whole.
QLineEdit *parameterBox(QWidget *parent, const char *name);

// The end option selected among "None", "On" and "After".
JobEnd chosenEnd(const QRadioButton *noEnd, const QRadioButton *onDate, const QRadioButton *after);

// Shows a save's outcome in the dialog: the reformatted cost, and for a
// refused save its message and the control to go back to. True when saved.
template <class Outcome>
bool showSaveOutcome(QWidget *dialog, QLineEdit *costText, const Outcome &out)
{
    if (out.costText)
        costText->setText(*out.costText);
    if (out.saved)
        return true;
    if (!out.message.isEmpty())
        msgBox(out.message);
    if (auto *w = dialog->findChild<QWidget *>(out.focus))
        w->setFocus();
    return false;
}

} // namespace wvs
