#pragma once
#include "jobs/CustomerJobRecords.h"
#include "jobs/CustomerJobSave.h"
#include "platform/Form.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace wvs {

class CustomerJobOpener;
class RecurrenceFrames;

// Adds, changes or shows one customer job.
//
// The opener sets Caller, Opener and Tag, then shows the window modally:
//   Add:    Caller "CustomerJobsManagement" or "Schedule", Tag "Add~" + customer number + "~"
//           (0 lets any customer be chosen)
//   Modify: Caller as for Add, Tag "Modify~" + JobSeqNo + "~" + SAddressSeqNo
//   View:   Tag "View~" + JobSeqNo + "~" + SAddressSeqNo (Caller left empty; nothing can be saved)
// A successful save sets Opener->JobAdded (Add) or Opener->JobModified
// (Modify) when Caller is one of the two names above, then closes the window.
class CustomerJobAddModifyForm : public Form {
    Q_OBJECT
public:
    explicit CustomerJobAddModifyForm(QWidget *parent = nullptr);

    QString Caller;
    CustomerJobOpener *Opener = nullptr;

    QString formMode() const { return FormMode; }
    // The frequency controls as they stand.
    FrequencyEntry frequencyEntry() const;
    // Everything the save reads.
    CustomerJobEntry entry() const;

protected:
    void firstActivate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void loadLists();
    void loadJob(const CustomerJob &job);

    void CustomerNameCombo_Click();
    void CustomerNameCombo_LostFocus();
    void SuburbCombo_Click();
    void MapImage_Click();
    void StartDateImage_Click();
    void EndDateImage_Click();
    void OKButton_Click();

    qint64 currentCustomer() const;

    QString FormMode;
    qint64 jobSeqNo_ = 0;
    qint64 sAddressSeqNo_ = 0;
    qint64 customerNumber_ = 0;
    bool LoadingJob = false;
    std::optional<CustomerJobEntry> shown_; // Modify: the entry as first shown

    QStringList CustomerNumberArray;
    QStringList JobTypeCodeArray;
    QStringList SAddressSeqNoArray;
    QStringList AssociateArray; // IDs; the names are the combo's items

    QComboBox *CustomerNameCombo, *SuburbCombo, *AddressCombo, *JobTypeCombo, *AssociateCombo;
    QToolButton *MapImage, *StartDateImage, *EndDateImage;
    QLineEdit *CostText, *OccurrencesText;
    MultiLineText *CommentText;
    QCheckBox *CommentCheck, *AsRequiredCheck, *ProspectiveCheck, *SuspendCheck;
    QLabel *StartDateLabel, *StartDayLabel, *LastServiceLabel, *EndDateLabel;
    QGroupBox *EndDateFrame;
    QRadioButton *NoEndOption, *EndDateOption, *OccurrencesOption;
    RecurrenceFrames *Frequency;
    QPushButton *OKButton, *ExitButton;
};

} // namespace wvs
