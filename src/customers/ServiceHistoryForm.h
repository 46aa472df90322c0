#pragma once
#include "platform/Form.h"

#include <QStringList>

class QPushButton;

namespace wvs {

class FlexGrid;

// One customer's scheduled jobs planned before today, newest first, with
// when and by whom each was done.
//
// Opening: Tag is the customer number ("Customer~" before it is accepted as
// well), shown modally. "&Job Notes" (or a double click) opens the
// "ScheduleNotesForm" window, when there is one, with Tag "History~" + the
// job's JobSeqNo + "~" + the planned date as stored ("yyyy-MM-dd"); both
// need a right to job schedules, whose notes they are.
class ServiceHistoryForm : public Form {
    Q_OBJECT
public:
    explicit ServiceHistoryForm(QWidget *parent = nullptr);

    qint64 CustomerNumber = 0;

    FlexGrid *grid() const { return JobsGrid; }

    // The grid's columns.
    enum Column {
        ColServiceDate = 1,
        ColDateDone = 2,
        ColJobType = 3,
        ColCost = 4,
        ColAssignedTo = 5,
        ColDoneBy = 6,
        ColJobSeqNo = 8,
        ColScheduleNumber = 9,
        ColumnCount = 10
    };

    void Form_Activate();
    void NotesButton_Click();
    void JobsGrid_DblClick();
    void ExitButton_Click();

protected:
    void firstActivate() override;

private:
    void CreateGrid();
    void PopulateGrid();

    FlexGrid *JobsGrid;
    QPushButton *NotesButton;
    QPushButton *ExitButton;
    // Planned date of each data row as stored (index = row - 1).
    QStringList serviceDates_;
};

} // namespace wvs
