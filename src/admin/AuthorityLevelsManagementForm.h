#pragma once
#include "platform/Form.h"

class QPushButton;

namespace wvs {

class FlexGrid;

// The list of authority levels: add, modify and delete them.
class AuthorityLevelsManagementForm : public Form {
    Q_OBJECT
public:
    explicit AuthorityLevelsManagementForm(QWidget *parent = nullptr);

    // Refills the grid from the database; no row is selected afterwards.
    void PopulateGrid();

    FlexGrid *grid() const { return LevelsGrid; }

private:
    void CreateGrid();
    void AddButton_Click();
    void ModifyButton_Click();
    void DeleteButton_Click();
    void LevelsGrid_DblClick();
    void openDialog(const QString &tag);

    FlexGrid *LevelsGrid;
    QPushButton *AddButton;
    QPushButton *ModifyButton;
    QPushButton *DeleteButton;
    QPushButton *ExitButton;
};

} // namespace wvs
