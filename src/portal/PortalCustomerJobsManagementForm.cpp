#include "portal/PortalCustomerJobsManagementForm.h"
#include "admin/CompanyRecord.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "common/ResizeControlsModule.h"
#include "common/SortChoiceCheck.h"
#include "jobs/CustomerJobList.h"
#include "core/Session.h"
#include "customers/CustomerRecord.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "portal/PortalCustomerJobAddForm.h"
#include "portal/PortalRequestRecords.h"
#include "platform/FormRegistry.h"

#include <QComboBox>
#include <QDate>
#include <algorithm>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(PortalCustomerJobsManagementForm);

namespace {

const char *const Window = "PortalCustomerJobsManagementForm";
const QColor ProspectiveColour(0, 0, 255);
const QColor AsRequiredColour(255, 128, 0);

QLabel *legend(QWidget *parent, const char *name, const QString &text, const QColor &colour)
{
    auto *l = named(new QLabel(text, parent), name);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    l->setFont(f);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Window, QColor(231, 239, 255));
    l->setPalette(p);
    l->setContentsMargins(6, 2, 6, 2);
    return l;
}

} // namespace

PortalCustomerJobsManagementForm::PortalCustomerJobsManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(Window));
    setWindowTitle(QStringLiteral("Customer Jobs Added On Portal"));
    buildControls();
    guarded(Window, "Form_Load", [&] {
        ResizeControls(this);
        SortCombo->addItems({QStringLiteral("User Id"), QStringLiteral("Customer"), QStringLiteral("Service Address"),
                             QStringLiteral("Suburb"), QStringLiteral("Job Type"), QStringLiteral("Service Day"),
                             QStringLiteral("Frequency"), QStringLiteral("Cost"), QStringLiteral("Start Date"),
                             QStringLiteral("Date Entered")});
        SortOrderCombo->addItems({QStringLiteral("Ascending"), QStringLiteral("Descending")});
        JobTypesArray = CustomerJobRecords::jobTypes();
        SortCombo->setCurrentIndex(0);
        SortOrderCombo->setCurrentIndex(0);
        CreateGrid();
        PopulateGrid();
    });
}

void PortalCustomerJobsManagementForm::buildControls()
{
    JobsGrid = named(new FlexGrid(this), "JobsGrid");
    SortCombo = named(new QComboBox(this), "SortCombo");
    SortOrderCombo = named(new QComboBox(this), "SortOrderCombo");
    SortButton = makeButton("SortButton", QStringLiteral("S&ort"));
    ImportButton = makeButton("ImportButton", QStringLiteral("&Import From Portal"));
    ViewModifySaveButton = makeButton("ViewModifySaveButton", QStringLiteral("&View/Modify/Save"));
    DeleteButton = makeButton("DeleteButton", QStringLiteral("&Delete"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));
    JobProspectiveLabel = legend(this, "JobProspectiveLabel", QStringLiteral("Job is prospective"), ProspectiveColour);
    JobAsRequiredLabel =
        legend(this, "JobAsRequiredLabel", QStringLiteral("Job is \"As Required\""), AsRequiredColour);

    auto *sort = new QHBoxLayout;
    sort->addStretch();
    sort->addWidget(named(new QLabel(QStringLiteral("Sort by"), this), "SortByLabel"));
    sort->addWidget(SortCombo);
    sort->addWidget(SortOrderCombo);
    sort->addWidget(SortButton);
    auto *legends = new QHBoxLayout;
    legends->addWidget(JobProspectiveLabel);
    legends->addWidget(JobAsRequiredLabel);
    legends->addStretch();
    auto *line = named(new QFrame(this), "Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ImportButton);
    buttons->addWidget(ViewModifySaveButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sort);
    layout->addWidget(JobsGrid, 1);
    layout->addLayout(legends);
    layout->addWidget(line);
    layout->addLayout(buttons);
    resize(1100, 560);

    connect(SortButton, &QPushButton::clicked, this, &PortalCustomerJobsManagementForm::SortButton_Click);
    connect(ImportButton, &QPushButton::clicked, this, &PortalCustomerJobsManagementForm::ImportButton_Click);
    connect(ViewModifySaveButton, &QPushButton::clicked, this,
            &PortalCustomerJobsManagementForm::ViewModifySaveButton_Click);
    connect(JobsGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) {
        guarded(Window, "JobsGrid_DblClick", [&] { ViewModifySaveButton_Click(); });
    });
    connect(DeleteButton, &QPushButton::clicked, this, &PortalCustomerJobsManagementForm::DeleteButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded(Window, "ExitButton_Click", [&] { reject(); }); });
}

void PortalCustomerJobsManagementForm::CreateGrid()
{
    guarded(Window, "CreateGrid", [&] {
        namespace C = PortalRequestColumn;
        const QStringList headings =
            CustomerJobList::gridHeadings(C::Count, QStringLiteral("User"), QStringLiteral("Entered"));
        int widths[] = {0, 600, 2250, 2500, 1800, 2050, 1200, 1020, 850, 1150};
        // Coloured rows are bold: a column is widened where the grid's font
        // would cut its heading or a bold day, word, amount or date short.
        // The measured width is already in the grid's unscaled twips.
        auto atLeast = [&](int col, const QString &text) {
            widths[col] = std::max(widths[col], JobsGrid->textWidthTwips(text, true));
        };
        for (int c = C::User; c <= C::Start; ++c)
            atLeast(c, headings[c]);
        atLeast(C::Day, QStringLiteral("Wednesday"));
        atLeast(C::Frequency, QStringLiteral("Monthly"));
        // A request's cost may be as large as the job dialog's cost box takes (eight digits).
        atLeast(C::Cost, Money::fromCents(9999999900).display(session().installationCountry));
        for (int month = 1; month <= 12; ++month)
            atLeast(C::Start, Formats::toDisplayDate(QDate(2000, month, 28)));
        // The entry date takes what the other columns leave.
        CustomerJobList::setUpGrid(JobsGrid, headings, widths);
    });
}

void PortalCustomerJobsManagementForm::firstActivate()
{
    guarded(Window, "Form_Activate", [&] {
        // A list that could not be read (the data in use elsewhere) has said so already.
        if (Filled && JobsGrid->rows() < 2)
            msgBox(QStringLiteral("No records found"));
    });
}

void PortalCustomerJobsManagementForm::PopulateGrid()
{
    Filled = guarded(Window, "PopulateGrid", [&] {
        JobsGrid->setRows(1);
        QVector<QStringList> rows;
        for (const PortalRequest &r : PortalRequestRecords::all())
            rows << PortalRequestRecords::gridRow(r, JobTypesArray);
        if (!rows.isEmpty()) {
            FlexGrid::FillScope fill(JobsGrid);
            JobsGrid->setData(std::move(rows));
            SortButton_Click();
        }
        JobsGrid->clearSelectedRow();
    });
}

JobRowStyle PortalCustomerJobsManagementForm::rowStyle(int r) const
{
    auto flag = [&](int col) { return JobsGrid->textMatrix(r, col) == CustomerJobList::boolText(true); };
    // A request's customer and associate are not stored yet: only its own two
    // marks colour it, as they colour a customer job.
    return CustomerJobList::rowStyle(CustomerStatus::Active, true, false, flag(PortalRequestColumn::Prospective),
                                     flag(PortalRequestColumn::AsRequired));
}

void PortalCustomerJobsManagementForm::SortButton_Click()
{
    guarded(Window, "SortButton_Click", [&] {
        if (JobsGrid->rows() < 2)
            return;
        if (!sortChoiceMade(SortCombo, SortOrderCombo))
            return;
        CustomerJobList::sortGrid(JobsGrid, PortalRequestRecords::sortColumn(SortCombo->currentIndex()),
                                  SortOrderCombo->currentIndex() == 0, [this](int r) { return rowStyle(r); });
    });
}

void PortalCustomerJobsManagementForm::ImportButton_Click()
{
    guarded(Window, "ImportButton_Click", [&] {
        CustomerJobsImported = false;
        // The portal knows the company only by its ID.
        if (const QString refusal = CompanyRecord::portalAccessRefusal(); !refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        // The portal window fetches the requests and tells this list through
        // CustomerJobsImported once they are stored: the list is refilled then
        // even when the portal afterwards failed to let them go.
        FormRegistry::open(QStringLiteral("PortalForm"), QStringLiteral("ImportCustomerJobs~"), this);
        if (CustomerJobsImported)
            PopulateGrid();
    });
}

void PortalCustomerJobsManagementForm::ViewModifySaveButton_Click()
{
    guarded(Window, "ViewModifySaveButton_Click", [&] {
        const int row = JobsGrid->chosenRow(QStringLiteral("Please select the Customer Job to be viewed/modified/saved"));
        if (row == 0)
            return;
        PortalCustomerJobAddForm dialog(this);
        dialog.List = this;
        dialog.Tag = JobsGrid->textMatrix(row, PortalRequestColumn::Key);
        showModal(&dialog);
    });
}

void PortalCustomerJobsManagementForm::DeleteButton_Click()
{
    guarded(Window, "DeleteButton_Click", [&] {
        const int row = JobsGrid->chosenRow(QStringLiteral("Please select the Customer Job to be deleted"));
        if (row == 0)
            return;
        if (msgBox(QStringLiteral("Are you sure you wish to delete the selected Customer Job?"), MsgButtons::YesNo,
                   MsgIcon::Question) != MsgAnswer::Yes)
            return;
        PortalRequestRecords::remove(JobsGrid->textMatrix(row, PortalRequestColumn::Key).toLongLong());
        PopulateGrid();
    });
}

} // namespace wvs
