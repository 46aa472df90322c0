#pragma once
#include "jobs/CustomerJobSave.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QRadioButton;

namespace wvs {

// The "Frequency (recurring jobs only)" frame of the job dialogs: the four
// kinds Daily, Weekly, Monthly and Yearly, each with its own frame of
// choices. The four frames share one place and at most the one of the
// selected kind shows. Controls carry the names the dialogs' saves and tests
// look for (DailyOption, DailyText1, MondayCheck, MonthlyCombo1, ...).
class RecurrenceFrames : public QGroupBox {
    Q_OBJECT
public:
    explicit RecurrenceFrames(QWidget *parent = nullptr);

    // Shows the frame (nullptr: none) and hides the other three.
    void showFrame(QFrame *frame);
    // The controls as they stand.
    FrequencyEntry entry() const;
    // Selects the kind and fills the frame of a stored recurrence code.
    void showCode(int code);

    QRadioButton *DailyOption, *WeeklyOption, *MonthlyOption, *YearlyOption;
    QFrame *DailyFrame, *WeeklyFrame, *MonthlyFrame, *YearlyFrame;
    QRadioButton *DailyOption1, *DailyOption2;
    QLineEdit *DailyText1, *WeeklyText1;
    QCheckBox *DayChecks[7]; // MondayCheck .. SundayCheck
    QRadioButton *MonthlyOption1, *MonthlyOption2, *MonthlyOption3;
    QLineEdit *MonthlyText1, *MonthlyText2, *MonthlyText3, *MonthlyText4;
    QComboBox *MonthlyCombo1, *MonthlyCombo2;
    QRadioButton *YearlyOption1, *YearlyOption2;
    QComboBox *YearlyCombo1, *YearlyCombo2, *YearlyCombo3, *YearlyCombo4;
    QLineEdit *YearlyText1;

    // Selects a list position, or nothing when it names no entry.
    static void selectPosition(QComboBox *combo, int position);

private:
    void PopulateDaily(int code);
    void PopulateWeekly(int code);
    void PopulateMonthly(int code);
    void PopulateYearly(int code);
};

} // namespace wvs
