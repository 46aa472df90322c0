#include "admin/AssociatesManagementForm.h"
#include "platform/WaitCursor.h"
#include "data/PreferenceChoices.h"
#include "admin/AccessRights.h"
#include "admin/CompanyRecord.h"
#include "admin/AssociateAddModifyForm.h"
#include "admin/AssociateRecord.h"
#include "common/ResizeControlsModule.h"
#include "data/AppDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(AssociatesManagementForm);

namespace {
constexpr int ColCount = 8;
const QColor kInactiveText(255, 0, 0);
} // namespace

AssociatesManagementForm::AssociatesManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("AssociatesManagementForm"));
    setWindowTitle(QStringLiteral("Associates Management"));

    AssociatesGrid = new FlexGrid(this);
    AssociatesGrid->setObjectName(QStringLiteral("AssociatesGrid"));

    AddButton = makeButton("AddButton", "&Add");
    ModifyButton = makeButton("ModifyButton", "&Modify");
    ViewButton = makeButton("ViewButton", "&View");
    DeleteButton = makeButton("DeleteButton", "&Delete");
    PortalButton = makeButton("PortalButton", "&Update Portal");
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(ModifyButton);
    buttons->addWidget(ViewButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch();
    buttons->addWidget(PortalButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(AssociatesGrid);
    layout->addLayout(buttons);
    resize(1000, 480);

    connect(AddButton, &QPushButton::clicked, this, &AssociatesManagementForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &AssociatesManagementForm::ModifyButton_Click);
    connect(ViewButton, &QPushButton::clicked, this, &AssociatesManagementForm::ViewButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &AssociatesManagementForm::DeleteButton_Click);
    connect(PortalButton, &QPushButton::clicked, this, &AssociatesManagementForm::PortalButton_Click);
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("AssociatesManagementForm", "ExitButton_Click", [&] { reject(); }); });
    connect(AssociatesGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { AssociatesGrid_DblClick(); });

    guarded("AssociatesManagementForm", "Form_Load", [&] {
        ResizeControls(this);
        // Without the Associates change right a user may look and view but not change.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::Associates, AreaCommand::Change)) {
            AddButton->setEnabled(false);
            ModifyButton->setEnabled(false);
            DeleteButton->setEnabled(false);
        }
        PortalButton->setEnabled(portalInUse());
        CreateGrid();
        PopulateGrid();
    });
}

void AssociatesManagementForm::CreateGrid()
{
    guarded("AssociatesManagementForm", "CreateGrid", [&] {
        AssociatesGrid->setRows(1);
        AssociatesGrid->setCols(ColCount);
        AssociatesGrid->setHeadings({QString(), QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Phone"),
                                     QStringLiteral("Email"), QStringLiteral("Authority Level"),
                                     QStringLiteral("Active"), QString()});
        AssociatesGrid->setColWidth(0, 0);
        AssociatesGrid->setColWidth(1, 670);
        AssociatesGrid->setColWidth(2, 3350);
        AssociatesGrid->setColWidth(3, 2500);
        AssociatesGrid->setColWidth(4, 3500);
        AssociatesGrid->setColWidth(5, 2600, false);
        AssociatesGrid->setColWidth(7, 300, false);
        // "Active" takes what the other columns leave.
        AssociatesGrid->setFillColumn(6);
        for (int c = 1; c <= 6; ++c)
            AssociatesGrid->setCellAlignment(0, c, FlexGrid::alignmentFromCode(5));
        for (int c = 0; c < ColCount; ++c)
            AssociatesGrid->setColAlignment(c, FlexGrid::alignmentFromCode(2));
    });
}

void AssociatesManagementForm::PopulateGrid()
{
    guarded("AssociatesManagementForm", "PopulateGrid", [&] {
        AssociatesGrid->setRows(1);
        QSqlQuery q = execSql(QStringLiteral(
            "SELECT Associates.AssociateID, Associates.AssociateName, Associates.AssociatePhone, "
            "Associates.AssociateEmail, AuthorityLevels.LevelDescription, Associates.Active "
            "FROM Associates, AuthorityLevels WHERE AuthorityLevels.LevelNumber = Associates.AssociateAuthorityLevel"));
        QVector<QStringList> rows;
        while (q.next())
            rows.append({QString(), q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                         q.value(3).toString(), q.value(4).toString(),
                         q.value(5).toInt() != 0 ? QStringLiteral("Yes") : QStringLiteral("No"), QString()});
        if (!rows.isEmpty()) {
            FlexGrid::FillScope fill(AssociatesGrid);
            AssociatesGrid->setData(std::move(rows));
            AssociatesGrid->stripe();
            // An inactive associate's whole row is red.
            for (int r = 1; r < AssociatesGrid->rows(); ++r)
                if (AssociatesGrid->textMatrix(r, 6) == QLatin1String("No"))
                    AssociatesGrid->setRowForeColor(r, kInactiveText);
        }
        AssociatesGrid->clearSelectedRow();
    });
}

void AssociatesManagementForm::openRecord(const QString &tag)
{
    auto *dialog = new AssociateAddModifyForm(this);
    dialog->Tag = tag;
    connect(dialog, &AssociateAddModifyForm::saved, this, &AssociatesManagementForm::PopulateGrid);
    showModal(dialog);
    delete dialog;
}

void AssociatesManagementForm::AddButton_Click()
{
    guarded("AssociatesManagementForm", "AddButton_Click", [&] { openRecord(QStringLiteral("Add")); });
}

void AssociatesManagementForm::ModifyButton_Click()
{
    guarded("AssociatesManagementForm", "ModifyButton_Click", [&] {
        const int row = AssociatesGrid->chosenRow(QStringLiteral("Please select the Associate to be modified"));
        if (row == 0)
            return;
        const QString id = AssociatesGrid->textMatrix(row, 1);
        if (const QString refusal = AssociateRecord::modifyRefusal(id); !refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        openRecord(QStringLiteral("Modify~") + id);
    });
}

void AssociatesManagementForm::ViewButton_Click()
{
    guarded("AssociatesManagementForm", "ViewButton_Click", [&] {
        const int row = AssociatesGrid->chosenRow(QStringLiteral("Please select the Associate to be viewed"));
        if (row == 0)
            return;
        openRecord(QStringLiteral("View~") + AssociatesGrid->textMatrix(row, 1));
    });
}

void AssociatesManagementForm::AssociatesGrid_DblClick()
{
    guarded("AssociatesManagementForm", "AssociatesGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

void AssociatesManagementForm::DeleteButton_Click()
{
    guarded("AssociatesManagementForm", "DeleteButton_Click", [&] {
        const int row = AssociatesGrid->chosenRow(QStringLiteral("Please select the Associate to be deleted"));
        if (row == 0)
            return;
        const QString id = AssociatesGrid->textMatrix(row, 1);
        const QString name = AssociatesGrid->textMatrix(row, 2);
        if (const QString refusal = AssociateRecord::removeRefusal(id, name); !refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        if (!askYesNo(AssociateRecord::removeQuestion(name)))
            return;
        QString refused;
        {
            WaitCursor wait;
            refused = AssociateRecord::remove(id, name);
        }
        if (!refused.isEmpty()) {
            msgBox(refused);
            return;
        }
        PopulateGrid();
        msgBox(QStringLiteral("Associate deleted"));
    });
}

void AssociatesManagementForm::PortalButton_Click()
{
    guarded("AssociatesManagementForm", "PortalButton_Click", [&] {
        if (const QString refusal = CompanyRecord::portalAccessRefusal(); !refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        // The portal window uploads the users and reports the outcome itself.
        FormRegistry::open(QStringLiteral("PortalForm"), QStringLiteral("Users~"), this);
    });
}

} // namespace wvs
