#pragma once
#include "platform/Form.h"

class QPushButton;

namespace wvs {

class FlexGrid;

// The list of associates (the staff who log in): add, modify, view and delete
// them, and send their portal log-ins to the web portal.
class AssociatesManagementForm : public Form {
    Q_OBJECT
public:
    explicit AssociatesManagementForm(QWidget *parent = nullptr);

    // Refills the grid from the database; no row is selected afterwards.
    void PopulateGrid();

    FlexGrid *grid() const { return AssociatesGrid; }

private:
    void CreateGrid();
    void AddButton_Click();
    void ModifyButton_Click();
    void ViewButton_Click();
    void DeleteButton_Click();
    void AssociatesGrid_DblClick();
    void PortalButton_Click();
    void openRecord(const QString &tag);

    FlexGrid *AssociatesGrid;
    QPushButton *ViewButton;
    QPushButton *PortalButton;
    QPushButton *ExitButton;
    QPushButton *AddButton;
    QPushButton *ModifyButton;
    QPushButton *DeleteButton;
};

} // namespace wvs
