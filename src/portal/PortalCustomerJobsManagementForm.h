#pragma once
#include "jobs/CustomerJobList.h"
#include "jobs/CustomerJobRecords.h"
#include "platform/Form.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace wvs {

class FlexGrid;

// The customer-job requests fetched from the web portal and not yet saved as
// customer jobs or deleted. From here the user fetches new requests, opens one
// in the request dialog, deletes requests and sorts the list.
class PortalCustomerJobsManagementForm : public Form {
    Q_OBJECT
    // Set by the portal import once it has stored new requests.
    Q_PROPERTY(bool CustomerJobsImported MEMBER CustomerJobsImported)
public:
    explicit PortalCustomerJobsManagementForm(QWidget *parent = nullptr);

    bool CustomerJobsImported = false;

    // Refills the list from the stored requests and applies the chosen sort.
    void PopulateGrid();

protected:
    void firstActivate() override;

private:
    void buildControls();
    void CreateGrid();
    void SortButton_Click();
    void ImportButton_Click();
    void ViewModifySaveButton_Click();
    void DeleteButton_Click();
    // A row's colour and weight: prospective before "As Required".
    JobRowStyle rowStyle(int row) const;

    QList<KeyedItem> JobTypesArray;
    // The last fill read the stored requests.
    bool Filled = false;

    FlexGrid *JobsGrid;
    QComboBox *SortCombo, *SortOrderCombo;
    QPushButton *SortButton, *ImportButton, *ViewModifySaveButton, *DeleteButton, *ExitButton;
    QLabel *JobProspectiveLabel, *JobAsRequiredLabel;
};

} // namespace wvs
