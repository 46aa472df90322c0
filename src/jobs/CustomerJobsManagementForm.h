#pragma once
#include "jobs/CustomerJobList.h"
#include "jobs/CustomerJobOpener.h"
#include "platform/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace wvs {

class FlexGrid;

// The list of customer jobs under seven filters and an "Active As At" date:
// add, modify, view and delete jobs, sort and colour the list. Opened with no
// Tag it starts empty; with Tag "CustomersManagement~" + a customer number it
// lists that customer's jobs at once.
class CustomerJobsManagementForm : public Form, public CustomerJobOpener {
    Q_OBJECT
public:
    explicit CustomerJobsManagementForm(QWidget *parent = nullptr);

    // The number of columns chosen in the export window; 0 when it was left
    // by Exit.
    int FieldCount = 0;

    // Reads the listing under the filters, sorts and colours it.
    void PopulateGrid();

    FlexGrid *grid() const { return JobsGrid; }
    qint64 customerNumberFilter() const { return CustomerNumberFilter; }
    // The filters as the controls stand.
    CustomerJobFilters filters() const;

protected:
    void firstActivate() override;

private:
    void buildControls();
    void CreateGrid();
    void AddButton_Click();
    void ModifyButton_Click();
    void ViewButton_Click();
    void DeleteButton_Click();
    void EmailButton_Click();
    void ExportButton_Click();
    void SortButton_Click();
    void ClearButton_Click();
    void ActiveDateImage_Click();
    void JobsGrid_DblClick();
    void emptyGrid();
    // The selected data row, or 0 after showing the message (or with no data rows).
    int rowFor(const char *message);
    void colour();

    qint64 CustomerNumberFilter = 0;
    QList<KeyedItem> jobTypes_;
    QList<KeyedItem> associates_;

    FlexGrid *JobsGrid;
    QLineEdit *SurnameText;
    QComboBox *SuburbCombo, *JobTypeCombo, *AssociateCombo, *ProspectiveCombo, *SuspendedCombo, *AsRequiredCombo;
    QComboBox *SortCombo, *SortOrderCombo;
    QLabel *ActiveDateLabel;
    QToolButton *ActiveDateImage;
    QPushButton *AddButton, *ModifyButton, *ViewButton, *DeleteButton, *EmailButton, *ExportButton;
    QPushButton *SortButton, *GoButton, *ClearButton, *ExitButton;
};

} // namespace wvs
