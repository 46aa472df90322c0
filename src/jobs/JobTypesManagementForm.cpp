#include "jobs/JobTypesManagementForm.h"
#include "admin/AccessRights.h"
#include "admin/CompanyRecord.h"
#include "jobs/JobTypeAddModifyForm.h"
#include "jobs/JobTypeRecords.h"
#include "data/AppDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/WaitCursor.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(JobTypesManagementForm);

JobTypesManagementForm::JobTypesManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("JobTypesManagementForm"));
    setWindowTitle(QStringLiteral("Job Types"));

    TypesGrid = new FlexGrid(this);
    TypesGrid->setObjectName(QStringLiteral("TypesGrid"));

    AddButton = makeButton("AddButton", "&Add");
    ModifyButton = makeButton("ModifyButton", "&Modify");
    DeleteButton = makeButton("DeleteButton", "&Delete");
    PortalButton = makeButton("PortalButton", "&Update Portal");
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(ModifyButton);
    buttons->addWidget(DeleteButton);
    buttons->addWidget(PortalButton);
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(TypesGrid);
    layout->addLayout(buttons);
    resize(620, 420);

    connect(AddButton, &QPushButton::clicked, this, &JobTypesManagementForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &JobTypesManagementForm::ModifyButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &JobTypesManagementForm::DeleteButton_Click);
    connect(PortalButton, &QPushButton::clicked, this, &JobTypesManagementForm::PortalButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded("JobTypesManagementForm", "ExitButton_Click", [&] { reject(); }); });
    connect(TypesGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { TypesGrid_DblClick(); });

    guarded("JobTypesManagementForm", "Form_Load", [&] {
        // Without the Job Types change right a user may look but not change.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::JobTypes, AreaCommand::Change)) {
            AddButton->setEnabled(false);
            ModifyButton->setEnabled(false);
            DeleteButton->setEnabled(false);
        }
        CreateGrid();
        PopulateGrid();
    });
}

void JobTypesManagementForm::CreateGrid()
{
    guarded("JobTypesManagementForm", "CreateGrid", [&] {
        TypesGrid->setRows(1);
        TypesGrid->setCols(5);
        TypesGrid->setHeadings({QString(), QStringLiteral("Code"), QStringLiteral("Description"),
                                QStringLiteral("Accounts Ref"), QString()});
        const int widths[] = {0, 1500, 4000, 3000, 300};
        for (int c = 0; c < 5; ++c) {
            TypesGrid->setColWidth(c, widths[c], false);
            TypesGrid->setColAlignment(c, FlexGrid::alignmentFromCode(2));
        }
        for (int c = 1; c <= 3; ++c)
            TypesGrid->setCellAlignment(0, c, FlexGrid::alignmentFromCode(5));
    });
}

void JobTypesManagementForm::PopulateGrid()
{
    guarded("JobTypesManagementForm", "PopulateGrid", [&] {
        TypesGrid->setRows(1);
        const QList<JobType> types = JobTypeRecords::all();
        if (!types.isEmpty()) {
            WaitCursor wait;
            QVector<QStringList> rows;
            rows.reserve(types.size());
            for (const JobType &t : types)
                rows.append({QString(), t.code, t.description, t.accountsRef, QString()});
            TypesGrid->setData(std::move(rows));
            TypesGrid->stripe();
        }
        TypesGrid->clearSelectedRow();
    });
}

void JobTypesManagementForm::openDialog(const QString &tag)
{
    auto *dialog = new JobTypeAddModifyForm(this);
    dialog->Tag = tag;
    connect(dialog, &JobTypeAddModifyForm::saved, this, &JobTypesManagementForm::PopulateGrid);
    showModal(dialog);
    delete dialog;
}

void JobTypesManagementForm::AddButton_Click()
{
    guarded("JobTypesManagementForm", "AddButton_Click", [&] { openDialog(QStringLiteral("Add")); });
}

void JobTypesManagementForm::ModifyButton_Click()
{
    guarded("JobTypesManagementForm", "ModifyButton_Click", [&] {
        const int row = TypesGrid->chosenRow(QStringLiteral("Please select the Job Type to be modified"));
        if (row == 0)
            return;
        openDialog(QStringLiteral("Modify~") + TypesGrid->textMatrix(row, 1));
    });
}

void JobTypesManagementForm::TypesGrid_DblClick()
{
    guarded("JobTypesManagementForm", "TypesGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

void JobTypesManagementForm::DeleteButton_Click()
{
    guarded("JobTypesManagementForm", "DeleteButton_Click", [&] {
        const int row = TypesGrid->chosenRow(QStringLiteral("Please select the Job Type to be deleted"));
        if (row == 0)
            return;
        const QString code = TypesGrid->textMatrix(row, 1);
        const QString description = TypesGrid->textMatrix(row, 2);
        const QString refusal = JobTypeRecords::deleteRefusal(code, description, QDate::currentDate());
        if (!refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        if (!askYesNo(QStringLiteral("Are you sure you want to PERMANENTLY delete Job Type ") + description +
                      QStringLiteral("?")))
            return;
        QString refusedMeanwhile;
        {
            WaitCursor wait;
            refusedMeanwhile = JobTypeRecords::remove(code, description, QDate::currentDate());
        }
        PopulateGrid();
        msgBox(refusedMeanwhile.isEmpty() ? QStringLiteral("Job Type deleted") : refusedMeanwhile);
    });
}

void JobTypesManagementForm::PortalButton_Click()
{
    guarded("JobTypesManagementForm", "PortalButton_Click", [&] {
        if (const QString refusal = CompanyRecord::portalAccessRefusal(); !refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        // The portal window sends the job types and reports the outcome itself;
        // the list does not look at it.
        FormRegistry::open(QStringLiteral("PortalForm"), QStringLiteral("JobTypes~"), this);
    });
}

} // namespace wvs
