#pragma once
#include "jobs/JobTypeRecords.h"
#include "platform/Form.h"

#include <optional>

class QLineEdit;
class QPushButton;

namespace wvs {

// Adds a job type (Tag "Add") or changes one (Tag "Modify~" + code). Emits
// saved after every successful save so the list can refill itself.
class JobTypeAddModifyForm : public Form {
    Q_OBJECT
public:
    explicit JobTypeAddModifyForm(QWidget *parent = nullptr);

signals:
    void saved();

protected:
    void firstActivate() override;

private:
    void OKButton_Click();

    QString mode_;
    QString oldCode_;
    std::optional<JobType> shown_; // Modify: the job type as first shown
    QLineEdit *CodeText;
    QLineEdit *DescriptionText;
    QLineEdit *AccountsText;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
