#include "customers/ServiceHistoryForm.h"
#include "admin/AccessRights.h"
#include "common/Formats.h"
#include "common/ResizeControlsModule.h"
#include "customers/ServiceHistoryQuery.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(ServiceHistoryForm);

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);

// "Tue 05 Mar 2024"
QString dayAndDate(const QDate &d)
{
    return d.isValid() ? Formats::weekdayName(d).left(3) + QLatin1Char(' ') + Formats::toDisplayDate(d) : QString();
}

} // namespace

ServiceHistoryForm::ServiceHistoryForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("ServiceHistoryForm"));
    setWindowTitle(QStringLiteral("Service History"));

    JobsGrid = new FlexGrid(this);
    JobsGrid->setObjectName(QStringLiteral("JobsGrid"));
    JobsGrid->setFont(QFont(QStringLiteral("Arial"), 9));

    NotesButton = makeButton("NotesButton", "&Job Notes");
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(NotesButton);
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(JobsGrid);
    layout->addLayout(buttons);
    resize(900, 480);

    connect(NotesButton, &QPushButton::clicked, this, &ServiceHistoryForm::NotesButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &ServiceHistoryForm::ExitButton_Click);
    connect(JobsGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { JobsGrid_DblClick(); });

    guarded("ServiceHistoryForm", "Form_Load", [&] {
        ResizeControls(this);
        // The notes are the job schedules' own: a level that cannot open
        // that area does not reach them from here either.
        NotesButton->setEnabled(
            AccessRights::allows(session().currentAuthorityLevel, RightsArea::JobSchedules, AreaCommand::Open));
        CreateGrid();
    });
}

void ServiceHistoryForm::CreateGrid()
{
    guarded("ServiceHistoryForm", "CreateGrid", [&] {
        JobsGrid->setRows(1);
        JobsGrid->setCols(ColumnCount);
        JobsGrid->setHeadings({QString(), QStringLiteral("Service Date"), QStringLiteral("Date Done"),
                               QStringLiteral("Job Type"), QStringLiteral("Cost"), QStringLiteral("Assigned To"),
                               QStringLiteral("Done By"), QString(), QString(), QString()});
        // "Done By" takes what the other columns leave (less the narrow last column).
        const int widths[ColumnCount] = {0, 1800, 1800, 3400, 1500, 2400, 1500, 300, 0, 0};
        for (int c = 0; c < ColumnCount; ++c)
            JobsGrid->setColWidth(c, widths[c], c != 7);
        JobsGrid->setFillColumn(ColDoneBy);
        for (int c = ColServiceDate; c <= ColDoneBy; ++c)
            JobsGrid->setCellAlignment(0, c, FlexGrid::alignmentFromCode(5));
        for (int c = 1; c < ColumnCount; ++c)
            JobsGrid->setColAlignment(c, FlexGrid::alignmentFromCode(c == ColCost ? 8 : 2));
    });
}

void ServiceHistoryForm::firstActivate() { Form_Activate(); }

void ServiceHistoryForm::Form_Activate()
{
    guarded("ServiceHistoryForm", "Form_Activate", [&] {
        const int sep = Tag.indexOf(QLatin1Char('~'));
        CustomerNumber = (sep < 0 ? Tag : Tag.mid(sep + 1)).trimmed().toLongLong();
        const QString caption = ServiceHistoryQuery::caption(CustomerNumber);
        if (!caption.isEmpty())
            setWindowTitle(caption);
        PopulateGrid();
    });
}

void ServiceHistoryForm::PopulateGrid()
{
    guarded("ServiceHistoryForm", "PopulateGrid", [&] {
        JobsGrid->setRows(1);
        serviceDates_.clear();
        const QList<ServiceHistoryRow> rows = ServiceHistoryQuery::rows(CustomerNumber, QDate::currentDate());
        if (!rows.isEmpty()) {
            FlexGrid::FillScope fill(JobsGrid);
            const QString country = session().installationCountry;
            QVector<QStringList> cells;
            cells.reserve(rows.size());
            for (const ServiceHistoryRow &r : rows) {
                cells.append({QString(), dayAndDate(r.serviceDate), r.done ? dayAndDate(r.dateDone) : QString(),
                              r.jobType, r.cost.display(country), r.assignedTo, r.doneBy, QString(),
                              QString::number(r.jobSeqNo), QString::number(r.scheduleNumber)});
                serviceDates_.append(r.storedServiceDate);
            }
            JobsGrid->setData(std::move(cells));
            // Stripes from white, whatever the state; jobs not done in bold silver.
            for (int row = 1; row <= rows.size(); ++row) {
                JobsGrid->setRowBackColor(row, FlexGrid::stripeColor(row));
                if (!rows.at(row - 1).done) {
                    JobsGrid->setRowForeColor(row, kSilver);
                    JobsGrid->setRowBold(row, true);
                }
            }
        }
        JobsGrid->clearSelectedRow();
    });
}

void ServiceHistoryForm::NotesButton_Click()
{
    guarded("ServiceHistoryForm", "NotesButton_Click", [&] {
        const int row = JobsGrid->chosenRow(QStringLiteral("Please select the Job first"));
        if (row == 0)
            return;
        const qint64 schedule = JobsGrid->textMatrix(row, ColScheduleNumber).toLongLong();
        const QString job = JobsGrid->textMatrix(row, ColJobSeqNo);
        const QString date = serviceDates_.value(row - 1);
        if (ServiceHistoryQuery::noteCount(schedule, job.toLongLong(), date) == 0) {
            msgBox(QStringLiteral("No Notes found"));
            return;
        }
        FormRegistry::open(QStringLiteral("ScheduleNotesForm"), QStringLiteral("History~") + job + QLatin1Char('~') + date,
                           this);
    });
}

void ServiceHistoryForm::JobsGrid_DblClick()
{
    guarded("ServiceHistoryForm", "JobsGrid_DblClick", [&] {
        if (NotesButton->isEnabled())
            NotesButton_Click();
    });
}

void ServiceHistoryForm::ExitButton_Click()
{
    guarded("ServiceHistoryForm", "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
