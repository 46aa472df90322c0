#include "scheduling/SchedulesManagementForm.h"
#include "admin/AccessRights.h"
#include "common/DateSelectForm.h"
#include "common/Formats.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/WaitCursor.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleNoteBrowser.h"
#include "scheduling/ScheduleNotesForm.h"
#include "scheduling/ScheduleRecords.h"
#include "scheduling/ScheduleStatus.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(SchedulesManagementForm);

namespace {

enum Column { ColFrom = 1, ColTo = 2, ColStatus = 3, ColNumber = 5 };

} // namespace

SchedulesManagementForm::SchedulesManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("SchedulesManagementForm"));
    setWindowTitle(QStringLiteral("Job Schedules Management"));

    SchedulesGrid = new FlexGrid(this);
    SchedulesGrid->setObjectName(QStringLiteral("SchedulesGrid"));
    SchedulesGrid->setMultiRowSelect(true);
    SchedulesGrid->setFont(QFont(QStringLiteral("Arial"), 9));

    AddButton = makeButton("AddButton", "&Add");
    ModifyButton = makeButton("ModifyButton", "&Modify");
    DeleteButton = makeButton("DeleteButton", "&Delete");
    ViewButton = makeButton("ViewButton", "&View");
    NotesButton = makeButton("NotesButton", "&Notes");
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {AddButton, ModifyButton, DeleteButton, ViewButton, NotesButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(SchedulesGrid, 1);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(AddButton, &QPushButton::clicked, this, &SchedulesManagementForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &SchedulesManagementForm::ModifyButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &SchedulesManagementForm::DeleteButton_Click);
    connect(ViewButton, &QPushButton::clicked, this, &SchedulesManagementForm::ViewButton_Click);
    connect(NotesButton, &QPushButton::clicked, this, &SchedulesManagementForm::NotesButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &SchedulesManagementForm::ExitButton_Click);
    connect(SchedulesGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { SchedulesGrid_DblClick(); });

    guarded("SchedulesManagementForm", "Form_Load", [&] {
        // Without the Job Schedules change right a user may only view schedules.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::JobSchedules, AreaCommand::Change)) {
            for (QPushButton *b : {AddButton, ModifyButton, DeleteButton, NotesButton})
                b->setEnabled(false);
        }
        CreateGrid();
        PopulateGrid();
    });
}

void SchedulesManagementForm::firstActivate()
{
    guarded("SchedulesManagementForm", "Form_Activate", [&] { PopulateGrid(); });
}

void SchedulesManagementForm::CreateGrid()
{
    guarded("SchedulesManagementForm", "CreateGrid", [&] {
        SchedulesGrid->setRows(1);
        SchedulesGrid->setCols(6);
        SchedulesGrid->setHeadings({QString(), QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Status"),
                                    QString(), QString()});
        const int widths[] = {0, 1200, 1200, 1600, 300, 0};
        for (int c = 0; c < 6; ++c) {
            SchedulesGrid->setColWidth(c, widths[c], false);
            SchedulesGrid->setColAlignment(c, Qt::AlignLeft | Qt::AlignBottom);
        }
        for (int c = ColFrom; c <= ColStatus; ++c)
            SchedulesGrid->setCellAlignment(0, c, Qt::AlignHCenter | Qt::AlignBottom);
    });
}

void SchedulesManagementForm::PopulateGrid()
{
    guarded("SchedulesManagementForm", "PopulateGrid", [&] {
        SchedulesGrid->setRows(1);
        const QList<ScheduleHeader> schedules = ScheduleRecords::all();
        if (!schedules.isEmpty()) {
            FlexGrid::FillScope fill(SchedulesGrid);
            QVector<QStringList> rows;
            rows.reserve(schedules.size());
            for (const ScheduleHeader &s : schedules)
                rows.append({QString(), Formats::toDisplayDate(s.fromDate), Formats::toDisplayDate(s.toDate), s.status,
                             QString(), QString::number(s.number)});
            SchedulesGrid->setData(std::move(rows));
            SchedulesGrid->stripe();
            for (int r = 1; r < SchedulesGrid->rows(); ++r) {
                const QColor c = scheduleStatusColour(SchedulesGrid->textMatrix(r, ColStatus));
                if (c.isValid())
                    SchedulesGrid->setCellForeColor(r, ColStatus, c);
            }
        }
        SchedulesGrid->clearSelectedRow();
    });
}

int SchedulesManagementForm::selectedRow(const QString &message) const
{
    return SchedulesGrid->chosenRow(message);
}

qint64 SchedulesManagementForm::rowNumber(int row) const
{
    return SchedulesGrid->textMatrix(row, ColNumber).toLongLong();
}

void SchedulesManagementForm::openSchedule(const QString &mode, qint64 number)
{
    auto *window = new ScheduleForm(this);
    window->Tag = mode + QLatin1Char('~') + QString::number(number);
    connect(window, &ScheduleForm::scheduleClosed, this, &SchedulesManagementForm::PopulateGrid);
    showHere(window);
    delete window;
}

void SchedulesManagementForm::showHere(QDialog *window)
{
    showModal(window);
    // Back in the list: other workstations may have added, closed or deleted
    // schedules meanwhile.
    PopulateGrid();
}

void SchedulesManagementForm::AddButton_Click()
{
    guarded("SchedulesManagementForm", "AddButton_Click", [&] {
        FromDate.clear();
        auto *dialog = new DateSelectForm(this);
        dialog->Opener = this;
        dialog->Tag = QStringLiteral("Schedule");
        showHere(dialog);
        delete dialog;
        if (FromDate.isEmpty())
            return;
        const QDate from = Formats::fromDisplayDate(FromDate);
        const QDate to = Formats::fromDisplayDate(ToDate);
        if (ScheduleRecords::exceedsOneYear(from, to)) {
            msgBox(ScheduleRecords::timespanMessage());
            return;
        }
        const qint64 number = ScheduleRecords::create(from, to);
        PopulateGrid();
        if (!askYesNo(QStringLiteral("Schedule created - would you like to open it now?")))
            return;
        openSchedule(QStringLiteral("Modify"), number);
    });
}

void SchedulesManagementForm::NotesButton_Click()
{
    guarded("SchedulesManagementForm", "NotesButton_Click", [&] {
        if (SchedulesGrid->rows() <= 1)
            return;
        const int row = selectedRow(QStringLiteral("Please select a Schedule"));
        if (row < 1)
            return;
        const qint64 number = rowNumber(row);
        if (!ScheduleNoteBrowser::hasNotes(number)) {
            msgBox(QStringLiteral("No Notes found for the selected Schedule"));
            return;
        }
        ScheduleNotesForm notes(this);
        notes.Tag = QStringLiteral("Schedule~") + QString::number(number);
        showHere(&notes);
    });
}

void SchedulesManagementForm::ModifyButton_Click()
{
    guarded("SchedulesManagementForm", "ModifyButton_Click", [&] {
        const int row = selectedRow(QStringLiteral("Please select the Schedule to be modified"));
        if (row < 1)
            return;
        const QString status = SchedulesGrid->textMatrix(row, ColStatus);
        const qint64 number = rowNumber(row);
        if (status == QLatin1String("Published") || status == QLatin1String("Closed")) {
            if (!askYesNo(QStringLiteral("The selected Schedule has a status of ") + status +
                          QStringLiteral(" and therefore cannot be modified") +
                          QStringLiteral(" - do you wish to change its status back to Open?")))
                return;
            // A schedule deleted elsewhere meanwhile is reported, and the list
            // then shows what is there now.
            guarded("SchedulesManagementForm", "ModifyButton_Click", [&] { ScheduleRecords::reopen(number); });
        } else {
            openSchedule(QStringLiteral("Modify"), number);
        }
        PopulateGrid();
    });
}

void SchedulesManagementForm::DeleteButton_Click()
{
    guarded("SchedulesManagementForm", "DeleteButton_Click", [&] {
        if (selectedRow(QStringLiteral("Please select the Schedule(s) to be deleted")) < 1)
            return;
        const QList<int> rows = SchedulesGrid->selectedRows();
        QList<qint64> numbers;
        bool published = false;
        for (int r : rows) {
            numbers << rowNumber(r);
            published = published || SchedulesGrid->textMatrix(r, ColStatus) == QLatin1String("Published");
        }
        if (!askYesNo(QStringLiteral("Are you sure you want to PERMANENTLY delete the selected Schedule(s)?")))
            return;
        if (published &&
            !askYesNo(QStringLiteral("A selected Schedule has been published on the internet portal. ") +
                      QStringLiteral("Deleting it in WVS (which cannot be undone) will not remove it from the portal, ") +
                      QStringLiteral("but it will be overwritten when the next Schedule is published. ") +
                      QStringLiteral("Do you wish to continue?")))
            return;
        const QString refusal = ScheduleRecords::deleteRefusal(numbers, session().currentAssociateID);
        if (!refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        // A schedule deleted elsewhere meanwhile is reported, and the list
        // then shows what is there now.
        bool removed = false;
        {
            WaitCursor wait;
            removed = guarded("SchedulesManagementForm", "DeleteButton_Click",
                              [&] { ScheduleRecords::remove(numbers, session().currentAssociateID); });
        }
        PopulateGrid();
        if (removed)
            msgBox(QStringLiteral("Schedule(s) deleted"));
    });
}

void SchedulesManagementForm::ViewButton_Click()
{
    guarded("SchedulesManagementForm", "ViewButton_Click", [&] {
        const int row = selectedRow(QStringLiteral("Please select the Schedule to be viewed"));
        if (row < 1)
            return;
        openSchedule(QStringLiteral("View"), rowNumber(row));
    });
}

void SchedulesManagementForm::SchedulesGrid_DblClick()
{
    guarded("SchedulesManagementForm", "SchedulesGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

void SchedulesManagementForm::ExitButton_Click()
{
    guarded("SchedulesManagementForm", "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
