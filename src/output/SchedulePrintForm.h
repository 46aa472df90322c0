#pragma once
#include "output/SchedulePrintSelection.h"
#include "platform/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace wvs {

// "Print Job Schedule": the printer, the orientation, the columns and a new
// page per service date for the job schedule printout or preview. The choice
// is kept for the next time and handed on as the program's print selection.
//
// Results: session().selectedPrinterIndex (999 when cancelled),
// session().defaultPrinterIndex (the printer current when it opened) and
// PreviewChosen (left through Preview).
class SchedulePrintForm : public Form {
    Q_OBJECT
public:
    explicit SchedulePrintForm(QWidget *parent = nullptr);

    bool PreviewChosen = false;

    void Form_Activate();
    void OKButton_Click();
    void PreviewButton_Click();
    void CancelButton_Click();
    void SelectAllButton_Click();
    void UnselectAllButton_Click();

protected:
    void firstActivate() override;

private:
    bool ValidateSelection();
    bool SumWidths();
    void SaveSelection();
    void ExitDialog(int result);
    bool accept(bool preview);
    SchedulePrintSelection chosen() const;
    void setColumns(bool on);

    QLabel *PrinterLabel;
    QComboBox *PrinterCombo;
    QLabel *LayoutLabel;
    QRadioButton *PortraitOption;
    QRadioButton *LandscapeOption;
    QLabel *SelectLabel;
    QCheckBox *CustomerNameCheck;
    QCheckBox *AddressCheck;
    QCheckBox *LocationCheck;
    QCheckBox *PhoneCheck;
    QCheckBox *JobTypeCheck;
    QCheckBox *CostCheck;
    QCheckBox *CommentCheck;
    QCheckBox *CheckBoxCheck;
    QCheckBox *PageBreakCheck;
    QPushButton *SelectAllButton;
    QPushButton *UnselectAllButton;
    QPushButton *OKButton;
    QPushButton *PreviewButton;
    QPushButton *CancelButton;
};

} // namespace wvs
