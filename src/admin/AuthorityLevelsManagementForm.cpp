#include "admin/AuthorityLevelsManagementForm.h"
#include "admin/AccessRights.h"
#include "admin/AuthorityLevelAddModifyForm.h"
#include "admin/AuthorityLevelStore.h"
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

WVS_REGISTER_FORM(AuthorityLevelsManagementForm);

AuthorityLevelsManagementForm::AuthorityLevelsManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("AuthorityLevelsManagementForm"));
    setWindowTitle(QStringLiteral("Authority Levels"));

    LevelsGrid = new FlexGrid(this);
    LevelsGrid->setObjectName(QStringLiteral("LevelsGrid"));

    AddButton = makeButton("AddButton", "&Add");
    ModifyButton = makeButton("ModifyButton", "&Modify");
    DeleteButton = makeButton("DeleteButton", "&Delete");
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(ModifyButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LevelsGrid);
    layout->addLayout(buttons);
    resize(400, 360);

    connect(AddButton, &QPushButton::clicked, this, &AuthorityLevelsManagementForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &AuthorityLevelsManagementForm::ModifyButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &AuthorityLevelsManagementForm::DeleteButton_Click);
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("AuthorityLevelsManagementForm", "ExitButton_Click", [&] { reject(); }); });
    connect(LevelsGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { LevelsGrid_DblClick(); });

    guarded("AuthorityLevelsManagementForm", "Form_Load", [&] {
        // Without the Security change right the levels can be looked at but not changed.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::Security, AreaCommand::Change)) {
            AddButton->setEnabled(false);
            ModifyButton->setEnabled(false);
            DeleteButton->setEnabled(false);
        }
        CreateGrid();
        PopulateGrid();
    });
}

void AuthorityLevelsManagementForm::CreateGrid()
{
    guarded("AuthorityLevelsManagementForm", "CreateGrid", [&] {
        LevelsGrid->setRows(1);
        LevelsGrid->setCols(4);
        LevelsGrid->setHeadings({QString(), QStringLiteral("Level"), QStringLiteral("Description"), QString()});
        // Fixed widths: this small list is not scaled to the screen, so it
        // looks the same whichever scaled list was opened before it.
        const int widths[] = {0, 800, 3750, 300};
        for (int c = 0; c < 4; ++c)
            LevelsGrid->setColWidth(c, widths[c], false);
        LevelsGrid->setCellAlignment(0, 1, FlexGrid::alignmentFromCode(5));
        LevelsGrid->setCellAlignment(0, 2, FlexGrid::alignmentFromCode(5));
        LevelsGrid->setColAlignment(1, FlexGrid::alignmentFromCode(8));
        LevelsGrid->setColAlignment(2, FlexGrid::alignmentFromCode(2));
    });
}

void AuthorityLevelsManagementForm::PopulateGrid()
{
    guarded("AuthorityLevelsManagementForm", "PopulateGrid", [&] {
        LevelsGrid->setRows(1);
        const QList<AuthorityLevel> levels = AuthorityLevelStore::all();
        if (!levels.isEmpty()) {
            FlexGrid::FillScope fill(LevelsGrid);
            QVector<QStringList> rows;
            rows.reserve(levels.size());
            for (const AuthorityLevel &l : levels)
                rows.append({QString(), QString::number(l.number), l.description, QString()});
            LevelsGrid->setData(std::move(rows));
            LevelsGrid->stripe();
        }
        LevelsGrid->clearSelectedRow();
    });
}

void AuthorityLevelsManagementForm::openDialog(const QString &tag)
{
    auto *dialog = new AuthorityLevelAddModifyForm(this);
    dialog->Tag = tag;
    connect(dialog, &AuthorityLevelAddModifyForm::saved, this, &AuthorityLevelsManagementForm::PopulateGrid);
    showModal(dialog);
    delete dialog;
}

void AuthorityLevelsManagementForm::AddButton_Click()
{
    guarded("AuthorityLevelsManagementForm", "AddButton_Click", [&] { openDialog(QStringLiteral("Add")); });
}

void AuthorityLevelsManagementForm::ModifyButton_Click()
{
    guarded("AuthorityLevelsManagementForm", "ModifyButton_Click", [&] {
        const int row = LevelsGrid->chosenRow(QStringLiteral("Please select the Level to be modified"));
        if (row == 0)
            return;
        openDialog(QStringLiteral("Modify~") + QString::number(LevelsGrid->textMatrix(row, 1).toInt()));
    });
}

void AuthorityLevelsManagementForm::LevelsGrid_DblClick()
{
    guarded("AuthorityLevelsManagementForm", "LevelsGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

void AuthorityLevelsManagementForm::DeleteButton_Click()
{
    guarded("AuthorityLevelsManagementForm", "DeleteButton_Click", [&] {
        const int row = LevelsGrid->chosenRow(QStringLiteral("Please select the Level to be deleted"));
        if (row == 0)
            return;
        const int number = LevelsGrid->textMatrix(row, 1).toInt();
        const QString description = LevelsGrid->textMatrix(row, 2);
        const AuthorityLevelStore::Removal removal =
            AuthorityLevelStore::remove(number, description, [](const QString &q) { return askYesNo(q); });
        if (!removal.removed) {
            if (!removal.message.isEmpty())
                msgBox(removal.message);
            return;
        }
        PopulateGrid();
        msgBox(QStringLiteral("Level deleted"));
    });
}

} // namespace wvs
