#pragma once
#include "platform/Form.h"
#include "scheduling/ScheduleNoteBrowser.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QPlainTextEdit;

namespace wvs {

// "Schedule Notes": the notes on the scheduled jobs of one schedule, filtered
// by customer, assigned associate and note type, with the action-taken tick,
// comments and the notes printout or preview for a period.
//
// Tag "Schedule~" + schedule number (every note of the schedule), or
// "History~" + customer job + "~" + planned date (stored form) for the notes
// of one customer job on the schedule that holds that occurrence.
class ScheduleNotesForm : public Form {
    Q_OBJECT
    Q_PROPERTY(QString PrintFromDate MEMBER FromDate)
    Q_PROPERTY(QString PrintToDate MEMBER ToDate)
    Q_PROPERTY(bool PreviewPrint MEMBER PreviewRequested)
public:
    explicit ScheduleNotesForm(QWidget *parent = nullptr);

    QString FormMode;
    qint64 ScheduleNumber = 0;
    qint64 JobSeqNo = 0;
    QString ServiceDate;
    QList<qint64> CustomerNumbers;   // beside CustomerCombo; item 0 "<All>"
    QStringList AssociateIDs;        // beside AssociateCombo; item 0 "<All>"
    QList<ScheduleNoteBrowser::Note> NotesList;
    QString FromDate;
    QString ToDate;
    bool PreviewRequested = false;
    bool CanAddNotes = false;        // JobSchedules right of 3 or more: action taken and comments

    void Form_Activate();
    void GoButton_Click();
    void CustomerList_Click();
    void ActionCheck_Click();
    void CommentButton_Click();
    void PrintButton_Click();
    void ExitButton_Click();
    void Filter_Click();

protected:
    void firstActivate() override { Form_Activate(); }

private:
    void clearList();
    int selectedNote() const;

    bool loading_ = false;
    QLabel *FilterLabel;
    QLabel *CustomerNameLabel;
    QComboBox *CustomerCombo;
    QLabel *AssociateLabel;
    QComboBox *AssociateCombo;
    QLabel *NoteTypeLabel;
    QComboBox *NoteTypeCombo;
    QPushButton *GoButton;
    QLabel *CustomerLabel;
    QListWidget *CustomerList;
    QLabel *DetailsLabel;
    QPlainTextEdit *DetailsText;
    QCheckBox *ActionCheck;
    QPushButton *CommentButton;
    QPushButton *PrintButton;
    QPushButton *ExitButton;
};

} // namespace wvs
