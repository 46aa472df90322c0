#pragma once
#include "platform/Form.h"

#include <QList>

class QDialog;
class QPushButton;

namespace wvs {

class FlexGrid;

// The list of job schedules, the newest period first: add a schedule for a
// new period, open it to change or to view, set a closed one back to Open,
// and delete one or several.
class SchedulesManagementForm : public Form {
    Q_OBJECT
    // Written by the date-range dialog in its "Schedule" mode ("dd Mmm yyyy").
    Q_PROPERTY(QString FromDate MEMBER FromDate)
    Q_PROPERTY(QString ToDate MEMBER ToDate)
public:
    explicit SchedulesManagementForm(QWidget *parent = nullptr);

    QString FromDate;
    QString ToDate;

    // Refills the grid from the database; no row is selected afterwards.
    void PopulateGrid();
    FlexGrid *grid() const { return SchedulesGrid; }

    void AddButton_Click();
    void ModifyButton_Click();
    void NotesButton_Click();
    void DeleteButton_Click();
    void ViewButton_Click();
    void ExitButton_Click();
    void SchedulesGrid_DblClick();

protected:
    void firstActivate() override;

private:
    void CreateGrid();
    // The selected data row, or 0 after showing the message (nothing shown
    // when the list is empty).
    int selectedRow(const QString &message) const;
    qint64 rowNumber(int row) const;
    void openSchedule(const QString &mode, qint64 number);
    // Shows a window opened from the list, then refills the list.
    void showHere(QDialog *window);

    FlexGrid *SchedulesGrid;
    QPushButton *AddButton;
    QPushButton *ModifyButton;
    QPushButton *DeleteButton;
    QPushButton *ViewButton;
    QPushButton *NotesButton;
    QPushButton *ExitButton;
};

} // namespace wvs
