#pragma once
#include "platform/Form.h"
#include "scheduling/ScheduleJobNote.h"
#include "scheduling/ScheduleRecords.h"

#include <QDate>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wvs {

// The note on one scheduled occurrence of a closed or published schedule:
// whether and when the job was done, by whom, and a remark.
//
// Tag: the schedule number, "~", the planned service date ("yyyy-MM-dd", as
// stored), "~", the JobSeqNo. After the window has closed JobNoteResult is 1
// when the occurrence was saved as done, 2 when saved as not done, and 0 when
// nothing was saved.
class ScheduleJobNoteForm : public Form {
    Q_OBJECT
public:
    explicit ScheduleJobNoteForm(QWidget *parent = nullptr);

    int JobNoteResult = 0;

    void OKButton_Click();
    void ExitButton_Click();

protected:
    void firstActivate() override;

private:
    void Form_Load();
    void JobDoneCheck_Click();
    void DateCompletedText_Change();
    void selectAssociate(const QString &id);

    qint64 ScheduleNumber = 0;
    QDate ServiceDate;
    qint64 JobSeqNo = 0;
    QString DoneByID;
    // The occurrence as the window showed it: the done state is written only when changed.
    JobNoteState Shown;
    QList<ScheduleAssociate> AssociateList;
    bool Updating = false;

    QCheckBox *JobDoneCheck;
    QLabel *DateCompletedLabel;
    QLineEdit *DateCompletedText;
    QLabel *Label1;
    QLabel *AssociateLabel;
    QComboBox *AssociateCombo;
    QLabel *NoteLabel;
    MultiLineText *NoteText;
    QRadioButton *ActionOption;
    QRadioButton *InvoicingOption;
    QRadioButton *InfoOption;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
