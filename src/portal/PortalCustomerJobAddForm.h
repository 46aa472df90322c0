#pragma once
#include "customers/CustomerContactControls.h"
#include "jobs/CustomerJobRecords.h"
#include "platform/Form.h"
#include "portal/PortalCustomerJobSave.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace wvs {

class PortalCustomerJobsManagementForm;
class RecurrenceFrames;
struct PortalRequest;

// One customer-job request from the portal shown as an editable customer,
// service address and job. The opener sets Tag to the request's UniqueId and
// List to itself; Save turns the request into a customer job, refreshes the
// list and closes the window, Exit leaves the request as it is.
class PortalCustomerJobAddForm : public Form, protected CustomerContactControls {
    Q_OBJECT
public:
    explicit PortalCustomerJobAddForm(QWidget *parent = nullptr);

    PortalCustomerJobsManagementForm *List = nullptr;

    qint64 UniqueId = 0;
    // Everything the save reads.
    PortalJobEntry entry() const;

protected:
    void firstActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void fill(const PortalRequest &r);
    void CostText_Validate();
    void MapImage_Click();
    void StartDateImage_Click();
    void EndDateImage_Click();
    void OKButton_Click();

    QStringList JobTypeCodes;
    QList<KeyedItem> AssociateList;
    bool Filling = false;

    QLineEdit *FirstNameText, *LastNameText;
    MultiLineText *CustomerCommentText;
    QCheckBox *CustomerCommentCheck;
    QLineEdit *SAddress1Text, *SAddress2Text, *SAddress3Text, *SSuburbText, *SCityText, *SPostCodeText;
    QToolButton *MapImage;
    QComboBox *JobTypeCombo, *AssociateCombo;
    QLineEdit *CostText;
    QCheckBox *ProspectiveCheck;
    MultiLineText *JobCommentText;
    QCheckBox *JobCommentCheck;
    QLabel *StartDateLabel, *StartDayLabel, *EndDateLabel;
    QToolButton *StartDateImage, *EndDateImage;
    QRadioButton *NoEndOption, *EndDateOption, *OccurrencesOption;
    QLineEdit *OccurrencesText;
    RecurrenceFrames *Frequency;
    QCheckBox *AsRequiredCheck;
    QPushButton *OKButton, *ExitButton;
};

} // namespace wvs
