#include "common/PrinterSelectForm.h"
#include "platform/MessageBox.h"
#include "platform/Printers.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(PrinterSelectForm);

namespace {
constexpr int kCancelled = 999;
}

PrinterSelectForm::PrinterSelectForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("PrinterSelectForm"));
    setWindowTitle(QStringLiteral("Select a Printer"));

    SelectLabel = new QLabel(QStringLiteral(" Printer"), this);
    SelectLabel->setObjectName(QStringLiteral("SelectLabel"));
    PrinterCombo = new QComboBox(this);
    PrinterCombo->setObjectName(QStringLiteral("PrinterCombo"));
    PrinterCombo->setMinimumWidth(260);
    SelectLabel->setBuddy(PrinterCombo);

    OKButton = makeButton("OKButton", "&Print");
    OKButton->setDefault(true);
    PreviewButton = makeButton("PreviewButton", "Pre&view");
    CancelButton = makeButton("CancelButton", "&Cancel");

    auto *row = new QHBoxLayout;
    row->addWidget(SelectLabel);
    row->addWidget(PrinterCombo, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(PreviewButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &PrinterSelectForm::OKButton_Click);
    connect(PreviewButton, &QPushButton::clicked, this, &PrinterSelectForm::PreviewButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &PrinterSelectForm::CancelButton_Click);

    // Whatever way the window is left, nothing chosen means cancelled.
    session().selectedPrinterIndex = kCancelled;
}

QString PrinterSelectForm::printerName(int index)
{
    const QStringList printers = installedPrinters();
    return index >= 0 && index < printers.size() ? printers.at(index) : QString();
}

QObject *PrinterSelectForm::opener() const { return Opener ? Opener.data() : parent(); }

void PrinterSelectForm::firstActivate() { Form_Activate(); }

void PrinterSelectForm::Form_Activate()
{
    guarded("PrinterSelectForm", "Form_Activate", [&] {
        session().selectedPrinterIndex = kCancelled;
        NotesType = Tag;
        listPrinters(PrinterCombo, OKButton);
    });
}

bool PrinterSelectForm::listPrinters(QComboBox *combo, QPushButton *printButton)
{
    combo->clear();
    const QStringList printers = installedPrinters();
    if (printers.isEmpty()) {
        session().defaultPrinterIndex = 0;
        printButton->setEnabled(false);
        msgBox(QStringLiteral("No printers found"));
        return false;
    }
    combo->addItems(printers);
    const int current = currentPrinterIndex();
    session().defaultPrinterIndex = current >= 0 && current < printers.size() ? current : 0;
    combo->setCurrentIndex(session().defaultPrinterIndex);
    return true;
}

int PrinterSelectForm::chosenPosition() const
{
    // An empty list (no printer installed) hands back the first position
    // rather than none, so no caller ever sees a negative position.
    return PrinterCombo->currentIndex() < 0 ? 0 : PrinterCombo->currentIndex();
}

void PrinterSelectForm::OKButton_Click()
{
    guarded("PrinterSelectForm", "OKButton_Click", [&] {
        if (PrinterCombo->count() == 0) {
            msgBox(QStringLiteral("No printers found"));
            return;
        }
        session().selectedPrinterIndex = chosenPosition();
        ExitDialog(QDialog::Accepted);
    });
}

void PrinterSelectForm::PreviewButton_Click()
{
    guarded("PrinterSelectForm", "PreviewButton_Click", [&] {
        session().selectedPrinterIndex = chosenPosition();
        PreviewChosen = true;
        if (NotesType == QLatin1String("CustomerNotes") || NotesType == QLatin1String("ScheduleNotes"))
            if (QObject *o = opener())
                o->setProperty("PreviewPrint", true);
        ExitDialog(QDialog::Accepted);
    });
}

void PrinterSelectForm::CancelButton_Click()
{
    guarded("PrinterSelectForm", "CancelButton_Click", [&] {
        session().selectedPrinterIndex = kCancelled;
        ExitDialog(QDialog::Rejected);
    });
}

void PrinterSelectForm::ExitDialog(int result)
{
    guarded("PrinterSelectForm", "ExitDialog", [&] { done(result); });
}

} // namespace wvs
