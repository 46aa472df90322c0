#include "output/SchedulePrintForm.h"
#include "common/PrinterSelectForm.h"
#include "data/AppDatabase.h"
#include "data/SchemaRegistry.h"
#include "output/JobSchedulePrintout.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/Printers.h"
#include "platform/WvsError.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(SchedulePrintForm);

namespace {

// The print options last chosen, one row.
const SchemaRegistration printFieldsTable(52, "schedule print options", {
    R"(CREATE TABLE IF NOT EXISTS SchedulePrintFields (
        RowId INTEGER PRIMARY KEY CHECK (RowId = 1),
        CustomerName INTEGER NOT NULL DEFAULT 0,
        Address1 INTEGER NOT NULL DEFAULT 0,
        Location INTEGER NOT NULL DEFAULT 0,
        Phone INTEGER NOT NULL DEFAULT 0,
        JobType INTEGER NOT NULL DEFAULT 0,
        Cost INTEGER NOT NULL DEFAULT 0,
        Comments INTEGER NOT NULL DEFAULT 0,
        Checkbox INTEGER NOT NULL DEFAULT 0,
        BreakOnDate INTEGER NOT NULL DEFAULT 0,
        Orientation TEXT NOT NULL DEFAULT 'L' COLLATE NOCASE))",
});

constexpr int kCancelled = 999;

} // namespace

SchedulePrintForm::SchedulePrintForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("SchedulePrintForm"));
    setWindowTitle(QStringLiteral("Print Job Schedule"));
    PrinterLabel = named(new QLabel(QStringLiteral(" Printer"), this), "PrinterLabel");
    PrinterCombo = named(new QComboBox(this), "PrinterCombo");
    PrinterCombo->setMinimumWidth(260);
    LayoutLabel = named(new QLabel(QStringLiteral("Layout"), this), "LayoutLabel");
    PortraitOption = makeOption("PortraitOption", QStringLiteral("Portrait"));
    LandscapeOption = makeOption("LandscapeOption", QStringLiteral("Landscape"));
    SelectLabel = named(new QLabel(QStringLiteral("Fields to be printed"), this), "SelectLabel");
    CustomerNameCheck = makeCheck("CustomerNameCheck", QStringLiteral("Customer Name"));
    AddressCheck = makeCheck("AddressCheck", QStringLiteral("Service Address"));
    LocationCheck = makeCheck("LocationCheck", QStringLiteral("Service Location"));
    PhoneCheck = makeCheck("PhoneCheck", QStringLiteral("Customer Phone"));
    JobTypeCheck = makeCheck("JobTypeCheck", QStringLiteral("Job Description"));
    CostCheck = makeCheck("CostCheck", QStringLiteral("Cost"));
    CommentCheck = makeCheck("CommentCheck", QStringLiteral("Job Comments"));
    CheckBoxCheck = makeCheck("CheckBoxCheck", QStringLiteral("Check Box"));
    PageBreakCheck = makeCheck("PageBreakCheck", QStringLiteral("Page Break by Service Date"));
    SelectAllButton = makeButton("SelectAllButton", QStringLiteral("&Select All"));
    UnselectAllButton = makeButton("UnselectAllButton", QStringLiteral("&Unselect All"));
    OKButton = makeButton("OKButton", QStringLiteral("&Print"));
    PreviewButton = makeButton("PreviewButton", QStringLiteral("Pre&view"));
    CancelButton = makeButton("CancelButton", QStringLiteral("&Cancel"));

    auto *printerRow = new QHBoxLayout;
    printerRow->addWidget(PrinterLabel);
    printerRow->addWidget(PrinterCombo, 1);
    auto *layoutRow = new QHBoxLayout;
    layoutRow->addWidget(LayoutLabel);
    layoutRow->addSpacing(12);
    layoutRow->addWidget(PortraitOption);
    layoutRow->addWidget(LandscapeOption);
    layoutRow->addStretch();

    auto *fields = new QGroupBox(this);
    auto *grid = new QGridLayout(fields);
    grid->addWidget(SelectLabel, 0, 0, 1, 2);
    QCheckBox *left[] = {CustomerNameCheck, AddressCheck, LocationCheck, PhoneCheck};
    QCheckBox *right[] = {JobTypeCheck, CostCheck, CommentCheck, CheckBoxCheck};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(left[i], i + 1, 0);
        grid->addWidget(right[i], i + 1, 1);
    }
    grid->addWidget(PageBreakCheck, 5, 0, 1, 2);
    auto *selectRow = new QHBoxLayout;
    selectRow->addWidget(SelectAllButton);
    selectRow->addWidget(UnselectAllButton);
    selectRow->addStretch();
    grid->addLayout(selectRow, 6, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(PreviewButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(printerRow);
    layout->addLayout(layoutRow);
    layout->addWidget(fields);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &SchedulePrintForm::OKButton_Click);
    connect(PreviewButton, &QPushButton::clicked, this, &SchedulePrintForm::PreviewButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &SchedulePrintForm::CancelButton_Click);
    connect(SelectAllButton, &QPushButton::clicked, this, &SchedulePrintForm::SelectAllButton_Click);
    connect(UnselectAllButton, &QPushButton::clicked, this, &SchedulePrintForm::UnselectAllButton_Click);

    // However the window is left, nothing chosen means cancelled.
    session().selectedPrinterIndex = kCancelled;
}

void SchedulePrintForm::firstActivate() { Form_Activate(); }

void SchedulePrintForm::Form_Activate()
{
    guarded("SchedulePrintForm", "Form_Activate", [&] {
        session().selectedPrinterIndex = kCancelled;
        // Nothing to print on: nothing else is filled, only a preview can be asked for.
        if (!PrinterSelectForm::listPrinters(PrinterCombo, OKButton))
            return;

        QSqlQuery q = execSql(QStringLiteral("SELECT ShowCostOnSchedPrint FROM Preferences"));
        if (!q.next())
            throw WvsError(ErrorNumber::Database, QStringLiteral("No current record."));
        CostCheck->setEnabled(q.value(0).toInt() != 0);

        q = execSql(QStringLiteral("SELECT CustomerName, Address1, Location, Phone, JobType, Cost, Comments, Checkbox, "
                                   "BreakOnDate, Orientation FROM SchedulePrintFields"));
        if (!q.next()) {
            LandscapeOption->setChecked(true);
            for (QCheckBox *c : {PageBreakCheck, CustomerNameCheck, PhoneCheck, AddressCheck, LocationCheck,
                                 JobTypeCheck, CommentCheck, CheckBoxCheck})
                c->setChecked(true);
            CostCheck->setChecked(CostCheck->isEnabled());
            return;
        }
        (q.value(9).toString() == QLatin1String("L") ? LandscapeOption : PortraitOption)->setChecked(true);
        QCheckBox *boxes[] = {CustomerNameCheck, AddressCheck, LocationCheck, PhoneCheck, JobTypeCheck,
                              CostCheck, CommentCheck, CheckBoxCheck, PageBreakCheck};
        for (int i = 0; i < 9; ++i)
            boxes[i]->setChecked(q.value(i).toInt() != 0);
        if (!CostCheck->isEnabled())
            CostCheck->setChecked(false);
    });
}

void SchedulePrintForm::setColumns(bool on)
{
    for (QCheckBox *c : {CustomerNameCheck, AddressCheck, LocationCheck, PhoneCheck, JobTypeCheck, CommentCheck,
                         CheckBoxCheck})
        c->setChecked(on);
    if (CostCheck->isEnabled())
        CostCheck->setChecked(on);
}

void SchedulePrintForm::SelectAllButton_Click()
{
    guarded("SchedulePrintForm", "SelectAllButton_Click", [&] { setColumns(true); });
}

void SchedulePrintForm::UnselectAllButton_Click()
{
    guarded("SchedulePrintForm", "UnselectAllButton_Click", [&] { setColumns(false); });
}

SchedulePrintSelection SchedulePrintForm::chosen() const
{
    SchedulePrintSelection s;
    s.confirmed = true;
    s.customerName = CustomerNameCheck->isChecked();
    s.address = AddressCheck->isChecked();
    s.location = LocationCheck->isChecked();
    s.phone = PhoneCheck->isChecked();
    s.jobType = JobTypeCheck->isChecked();
    s.cost = CostCheck->isChecked();
    s.comments = CommentCheck->isChecked();
    s.checkBox = CheckBoxCheck->isChecked();
    s.breakOnDate = PageBreakCheck->isChecked();
    s.portrait = PortraitOption->isChecked();
    return s;
}

bool SchedulePrintForm::ValidateSelection()
{
    const SchedulePrintSelection s = chosen();
    if (!(s.customerName || s.address || s.location || s.phone || s.jobType || s.cost || s.comments || s.checkBox)) {
        msgBox(QStringLiteral("No fields selected"));
        return false;
    }
    return true;
}

bool SchedulePrintForm::SumWidths()
{
    // The page is measured upright, whatever way the printer usually turns it.
    const int width = printerPageSize(session().selectedPrinterIndex, QPageLayout::Portrait).width();
    if (!JobSchedulePrintout::fitsUpright(chosen(), width)) {
        msgBox(QStringLiteral("The width of the selected fields exceeds the printer's printable area.\r\n"
                              "Change the selection or set the orientation to landscape"));
        return false;
    }
    return true;
}

void SchedulePrintForm::SaveSelection()
{
    const SchedulePrintSelection s = chosen();
    Transaction t;
    writeSql(QStringLiteral("DELETE FROM SchedulePrintFields"));
    writeSql(QStringLiteral("INSERT INTO SchedulePrintFields (RowId, CustomerName, Address1, Location, Phone, JobType, "
                            "Cost, Comments, Checkbox, BreakOnDate, Orientation) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {int(s.customerName), int(s.address), int(s.location), int(s.phone), int(s.jobType), int(s.cost),
              int(s.comments), int(s.checkBox), int(s.breakOnDate), s.portrait ? QStringLiteral("P") : QStringLiteral("L")});
    t.commit();
    schedulePrintSelection() = s;
}

bool SchedulePrintForm::accept(bool preview)
{
    if (!ValidateSelection())
        return false;
    session().selectedPrinterIndex = PrinterCombo->currentIndex();
    if (PortraitOption->isChecked() && !SumWidths()) {
        session().selectedPrinterIndex = kCancelled;
        return false;
    }
    SaveSelection();
    PreviewChosen = preview;
    ExitDialog(QDialog::Accepted);
    return true;
}

void SchedulePrintForm::OKButton_Click()
{
    guarded("SchedulePrintForm", "OKButton_Click", [&] { accept(false); });
}

void SchedulePrintForm::PreviewButton_Click()
{
    guarded("SchedulePrintForm", "PreviewButton_Click", [&] { accept(true); });
}

void SchedulePrintForm::CancelButton_Click()
{
    guarded("SchedulePrintForm", "CancelButton_Click", [&] {
        session().selectedPrinterIndex = kCancelled;
        ExitDialog(QDialog::Rejected);
    });
}

void SchedulePrintForm::ExitDialog(int result) { done(result); }

} // namespace wvs
