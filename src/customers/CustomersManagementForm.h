#pragma once
#include "platform/Form.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wvs {

class FlexGrid;

// The customer list: filters on company, surname, suburb and status, a sort,
// rows coloured by status, and every customer operation from the selected
// row. It opens empty; customers are read when the user presses Go.
class CustomersManagementForm : public Form {
    Q_OBJECT
public:
    explicit CustomersManagementForm(QWidget *parent = nullptr);

    // Refills the grid with the current filters and sort; no row is selected
    // afterwards.
    void PopulateGrid();

    // The number of columns chosen in the export window; 0 when it was left
    // by Exit.
    int FieldCount = 0;
    // The customer numbers of the listed rows, in the grid's order (what an
    // export writes).
    QList<qint64> listedCustomerNumbers() const;

    FlexGrid *grid() const { return CustomersGrid; }

private:
    void CreateGrid();
    void AddButton_Click();
    void ModifyButton_Click();
    void ViewButton_Click();
    void DeleteButton_Click();
    void JobsButton_Click();
    void NotesButton_Click();
    void HistoryButton_Click();
    void ExportButton_Click();
    void SortButton_Click();
    void ClearButton_Click();
    void CustomersGrid_DblClick();
    void emptyGrid();

    // The selected row's customer number after the row checks; 0 when the
    // handler must stop (no data rows, or none selected after the message).
    qint64 selectedCustomer(const QString &noSelectionMessage) const;
    void openCustomer(const QString &tag);
    void openOther(const QString &formName, const QString &tag);
    void removeCustomer(qint64 number, const QString &name);
    bool inactivate(qint64 number, const QString &name);
    QString chosenSuburb() const;

    QLineEdit *CompanyText;
    QLineEdit *SurnameText;
    QComboBox *SuburbCombo;
    QComboBox *CustomerStatusCombo;
    QComboBox *SortCombo;
    QComboBox *SortOrderCombo;
    FlexGrid *CustomersGrid;
    QPushButton *AddButton;
    QPushButton *ModifyButton;
    QPushButton *ViewButton;
    QPushButton *DeleteButton;
    QPushButton *JobsButton;
    QPushButton *NotesButton;
    QPushButton *HistoryButton;
    QPushButton *ExportButton;
    QPushButton *SortButton;
    QPushButton *GoButton;
    QPushButton *ClearButton;
    QPushButton *ExitButton;
};

} // namespace wvs
