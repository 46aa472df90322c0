#pragma once
#include "jobs/CustomerJobOpener.h"
#include "platform/Form.h"
#include "scheduling/ScheduleGeneration.h"
#include "scheduling/ScheduleGrid.h"
#include "scheduling/ScheduleSortKeys.h"

#include <QDate>
#include <QList>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace wvs {

class FlexGrid;

// One job schedule: its occurrences in a grid that can be filtered by
// associate and sorted on two keys. An Open schedule opened to modify is
// trimmed and closed here; a Closed or Published one is re-ordered and saved
// and its jobs are marked done (a click on the done column) or given a note
// (the right mouse button there).
//
// Tag: "Modify~" or "View~" followed by the schedule number. Opening adds a
// row to LockedSchedules (a schedule whose row cannot be written is not
// opened); leaving removes all of the associate's rows and, for a Closed or
// Published schedule, brings the customer jobs' last service dates up to
// date. When that cannot be stored the window stays open.
class ScheduleForm : public Form, public CustomerJobOpener {
    Q_OBJECT
public:
    explicit ScheduleForm(QWidget *parent = nullptr);

    QString FormMode;                 // "Modify" or "View"
    qint64 ScheduleNumber = 0;
    QString Status;                   // as read when the window opened
    QDate FromDate;
    QDate ToDate;
    bool CanAddNotes = false;         // JobSchedules right of 3 or more: notes and done marks
    bool CanEdit = false;             // JobSchedules right of 5 or more: publish and retrieve
    CustomerJobOpener::JobRights JobAccess;  // View, Add, Modify and Delete of the customer jobs
    QStringList AssociateIDs;         // entry 0 "<All>", then one per item of AssociateCombo
    QList<ScheduleEntry> JobsArray;   // every occurrence of the schedule
    QList<int> SeqNoArray;            // stored sequence numbers of the staged rows
    QList<StagedJob> StagedRows;      // the user's staging rows, RecordNumber 1 first
    int JobNoteResult = 0;
    bool PreviewRequested = false;
    int ExportFieldCount = 0;
    bool ResortOnly = false;          // a re-sort redraws the staged rows only

    // Generates (or reads back) and stages the schedule, then fills the grid.
    void PopulateGrid();
    FlexGrid *grid() const { return ScheduleGrid; }
    bool storedSchedule() const;

    void GoButton_Click();
    void SortButton_Click();
    void AddButton_Click();
    void ModifyButton_Click();
    void ViewButton_Click();
    void DeleteButton_Click();
    void ExcludeButton_Click();
    void CloseButton_Click();
    void UpButton_Click();
    void DownButton_Click();
    void EmailButton_Click();
    void ExportButton_Click();
    void ExpandImage_Click();
    void ExitButton_Click();
    void PublishButton_Click();
    void UpdateButton_Click();
    void PrintButton_Click();
    void ScheduleGrid_Click(int row, int col);
    void ScheduleGrid_DblClick();
    void ScheduleGrid_MouseDown(Qt::MouseButton button, int row, int col);

signals:
    // A schedule was closed here: the schedules list shows the new status.
    void scheduleClosed();

protected:
    void firstActivate() override;
    void done(int result) override;

private:
    void Form_Load();
    void buildControls();
    void DisableSchedule();
    void EnableSchedule();
    void PopulateSort2Combos();
    void Sort1Combo_Click();
    void Sort1OrderCombo_Click();
    void AssociateCombo_Click();
    // False (after its message) when the dates could not be stored.
    bool UpdateLastServiceDate();
    // Shows the refusal, if any, else runs a portal task ("PublishSchedule",
    // "RetrieveSchedule") on this schedule; true when the portal succeeded.
    bool RunPortalTask(const QString &refusal, const char *task);
    void ExportCsvFile(const QString &fileName);
    void SaveOrder();
    void moveRow(int step);
    void repaintExclusions();
    ScheduleSortKeys::Choice sortChoice() const;
    // The ID of the associate chosen in the list; empty for "<All>".
    QString chosenAssociate() const;
    void showStagedRows();
    void showRows(const QList<int> &order, wvs::ScheduleGrid::FillData *laidOut);
    bool resortShownRows(const QList<int> &order);
    int rowRecord(int row) const;
    void setRowDone(int row, bool done);
    int findEntry(int row) const;
    QDate rowDate(int row) const;
    qint64 rowJob(int row) const;
    void openJobDialog(const QString &tag, bool asCaller);

    bool left_ = false;
    QList<int> shownRecords_;   // the RecordNumber of each grid row, row 1 first

    QLabel *AssociateLabel;
    QComboBox *AssociateCombo;
    QPushButton *GoButton;
    QLabel *Sort1Label;
    QComboBox *Sort1Combo;
    QComboBox *Sort1OrderCombo;
    QLabel *Sort2Label;
    QComboBox *Sort2Combo;
    QComboBox *Sort2OrderCombo;
    QPushButton *SortButton;
    QLabel *Label1;
    FlexGrid *ScheduleGrid;
    QLabel *StatusLabel;
    QToolButton *ExpandImage;
    QToolButton *UpButton;
    QToolButton *DownButton;
    QPushButton *ViewButton;
    QPushButton *ModifyButton;
    QPushButton *AddButton;
    QPushButton *DeleteButton;
    QPushButton *ExcludeButton;
    QPushButton *CloseButton;
    QPushButton *PrintButton;
    QPushButton *EmailButton;
    QPushButton *ExportButton;
    QPushButton *PublishButton;
    QPushButton *UpdateButton;
    QPushButton *ExitButton;
    QLabel *CheckImage;
    QLabel *NoCheckImage;
    QLabel *StagingLabel;
    QFrame *Line1;
};

} // namespace wvs
