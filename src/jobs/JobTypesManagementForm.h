#pragma once
#include "platform/Form.h"

class QPushButton;

namespace wvs {

class FlexGrid;

// The list of job types: add, modify and delete them.
class JobTypesManagementForm : public Form {
    Q_OBJECT
public:
    explicit JobTypesManagementForm(QWidget *parent = nullptr);

    // Refills the grid from the database; no row is selected afterwards.
    void PopulateGrid();

    FlexGrid *grid() const { return TypesGrid; }

private:
    void CreateGrid();
    void AddButton_Click();
    void ModifyButton_Click();
    void DeleteButton_Click();
    void PortalButton_Click();
    void TypesGrid_DblClick();
    void openDialog(const QString &tag);

    FlexGrid *TypesGrid;
    QPushButton *AddButton;
    QPushButton *ModifyButton;
    QPushButton *DeleteButton;
    QPushButton *PortalButton;
    QPushButton *ExitButton;
};

} // namespace wvs
