#include "jobs/RecurrenceFrames.h"
#include "platform/Form.h"
#include "common/Formats.h"
#include "jobs/ComboChoice.h"
#include "jobs/JobEntryControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wvs {

namespace {

QStringList occurrenceItems()
{
    return {QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd"), QStringLiteral("4th"),
            QStringLiteral("Last")};
}

QStringList weekdayItems()
{
    QStringList items;
    for (int d = 1; d <= 7; ++d)
        items << Formats::weekdayName(d);
    return items;
}

QStringList monthItems()
{
    QStringList items;
    for (int m = 1; m <= 12; ++m)
        items << Formats::monthName(m);
    return items;
}

// Numbers shown in the boxes: plain decimal text.
QString number(double v) { return QString::number(static_cast<long long>(v)); }

} // namespace

void RecurrenceFrames::selectPosition(QComboBox *c, int position)
{
    c->setCurrentIndex(position >= 0 && position < c->count() ? position : -1);
}

RecurrenceFrames::RecurrenceFrames(QWidget *parent)
    : QGroupBox(QStringLiteral("Frequency (recurring jobs only)"), parent)
{
    setObjectName(QStringLiteral("FrequencyFrame"));
    DailyOption = named(new QRadioButton(QStringLiteral("Daily"), this), "DailyOption");
    WeeklyOption = named(new QRadioButton(QStringLiteral("Weekly"), this), "WeeklyOption");
    MonthlyOption = named(new QRadioButton(QStringLiteral("Monthly"), this), "MonthlyOption");
    YearlyOption = named(new QRadioButton(QStringLiteral("Yearly"), this), "YearlyOption");

    auto frame = [this](const char *name) {
        auto *f = named(new QFrame(this), name);
        f->setFrameShape(QFrame::StyledPanel);
        f->setVisible(false);
        return f;
    };
    auto text = [](QWidget *parent, const char *t) { return new QLabel(QString::fromUtf8(t), parent); };

    DailyFrame = frame("DailyFrame");
    DailyOption1 = named(new QRadioButton(QStringLiteral("Every"), DailyFrame), "DailyOption1");
    DailyOption2 = named(new QRadioButton(QStringLiteral("Every weekday"), DailyFrame), "DailyOption2");
    DailyText1 = parameterBox(DailyFrame, "DailyText1");
    {
        auto *g = new QGridLayout(DailyFrame);
        g->addWidget(DailyOption1, 0, 0);
        g->addWidget(DailyText1, 0, 1);
        g->addWidget(text(DailyFrame, "days"), 0, 2);
        g->addWidget(DailyOption2, 1, 0, 1, 3);
        g->setColumnStretch(3, 1);
        g->setRowStretch(2, 1);
    }

    WeeklyFrame = frame("WeeklyFrame");
    WeeklyText1 = parameterBox(WeeklyFrame, "WeeklyText1");
    {
        static const char *const names[7] = {"MondayCheck", "TuesdayCheck", "WednesdayCheck", "ThursdayCheck",
                                             "FridayCheck", "SaturdayCheck", "SundayCheck"};
        auto *g = new QGridLayout(WeeklyFrame);
        g->addLayout(leftRow({text(WeeklyFrame, "Every"), WeeklyText1, text(WeeklyFrame, "week(s) on")}), 0, 0, 1, 4);
        for (int d = 0; d < 7; ++d) {
            DayChecks[d] = named(new QCheckBox(Formats::weekdayName(d + 1), WeeklyFrame), names[d]);
            g->addWidget(DayChecks[d], 1 + d / 4, d % 4);
        }
        g->setRowStretch(3, 1);
    }

    MonthlyFrame = frame("MonthlyFrame");
    MonthlyOption1 = named(new QRadioButton(QStringLiteral("Day"), MonthlyFrame), "MonthlyOption1");
    MonthlyOption2 = named(new QRadioButton(QStringLiteral("The"), MonthlyFrame), "MonthlyOption2");
    MonthlyOption3 = named(new QRadioButton(QStringLiteral("The last day of every"), MonthlyFrame), "MonthlyOption3");
    MonthlyText1 = parameterBox(MonthlyFrame, "MonthlyText1");
    MonthlyText2 = parameterBox(MonthlyFrame, "MonthlyText2");
    MonthlyText3 = parameterBox(MonthlyFrame, "MonthlyText3");
    MonthlyText4 = parameterBox(MonthlyFrame, "MonthlyText4");
    MonthlyCombo1 = listCombo(MonthlyFrame, "MonthlyCombo1", occurrenceItems());
    MonthlyCombo2 = listCombo(MonthlyFrame, "MonthlyCombo2", weekdayItems());
    {
        auto *v = new QVBoxLayout(MonthlyFrame);
        v->addLayout(leftRow({MonthlyOption1, MonthlyText1, text(MonthlyFrame, "of every"), MonthlyText2,
                              text(MonthlyFrame, "month(s)")}));
        v->addLayout(leftRow({MonthlyOption3, MonthlyText4, text(MonthlyFrame, "month(s)")}));
        v->addLayout(leftRow({MonthlyOption2, MonthlyCombo1, MonthlyCombo2, text(MonthlyFrame, "of every"),
                              MonthlyText3, text(MonthlyFrame, "month(s)")}));
        v->addStretch();
    }

    YearlyFrame = frame("YearlyFrame");
    YearlyOption1 = named(new QRadioButton(QStringLiteral("Every"), YearlyFrame), "YearlyOption1");
    YearlyOption2 = named(new QRadioButton(QStringLiteral("The"), YearlyFrame), "YearlyOption2");
    YearlyCombo1 = listCombo(YearlyFrame, "YearlyCombo1", monthItems());
    YearlyCombo2 = listCombo(YearlyFrame, "YearlyCombo2", occurrenceItems());
    YearlyCombo3 = listCombo(YearlyFrame, "YearlyCombo3", weekdayItems());
    YearlyCombo4 = listCombo(YearlyFrame, "YearlyCombo4", monthItems());
    YearlyText1 = parameterBox(YearlyFrame, "YearlyText1");
    {
        auto *v = new QVBoxLayout(YearlyFrame);
        v->addLayout(leftRow({YearlyOption1, YearlyCombo1, YearlyText1}));
        v->addLayout(leftRow({YearlyOption2, YearlyCombo2, YearlyCombo3, text(YearlyFrame, "of"), YearlyCombo4}));
        v->addStretch();
    }

    // The four frames share one place; at most one shows.
    auto *frames = new QGridLayout;
    for (QFrame *f : {DailyFrame, WeeklyFrame, MonthlyFrame, YearlyFrame})
        frames->addWidget(f, 0, 0);
    auto *place = new QWidget(this);
    place->setLayout(frames);
    place->setMinimumHeight(130);
    frames->setContentsMargins(0, 0, 0, 0);

    auto *kinds = new QHBoxLayout;
    for (QRadioButton *o : {DailyOption, WeeklyOption, MonthlyOption, YearlyOption})
        kinds->addWidget(o);
    kinds->addStretch();
    auto *v = new QVBoxLayout(this);
    v->addLayout(kinds);
    v->addWidget(place);

    connect(DailyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(DailyFrame); });
    connect(WeeklyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(WeeklyFrame); });
    connect(MonthlyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(MonthlyFrame); });
    connect(YearlyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(YearlyFrame); });
    // Choosing by hand moves the focus to the box that needs a value next.
    connect(WeeklyOption, &QRadioButton::clicked, this, [this] { WeeklyText1->setFocus(); });
    connect(DailyOption1, &QRadioButton::clicked, this, [this] { DailyText1->setFocus(); });
    connect(MonthlyOption1, &QRadioButton::clicked, this, [this] { MonthlyText1->setFocus(); });
    connect(MonthlyOption3, &QRadioButton::clicked, this, [this] { MonthlyText4->setFocus(); });
}

void RecurrenceFrames::showFrame(QFrame *frame)
{
    for (QFrame *f : {DailyFrame, WeeklyFrame, MonthlyFrame, YearlyFrame})
        f->setVisible(f == frame);
}

void RecurrenceFrames::showCode(int f)
{
    if (f <= 0) {
        // no kind
    } else if (f < 1000) {
        DailyOption->setChecked(true);
        PopulateDaily(f);
    } else if (f > 100000 && f < 200000) {
        WeeklyOption->setChecked(true);
        PopulateWeekly(f);
    } else if (f > 10000 && f < 30000) {
        MonthlyOption->setChecked(true);
        PopulateMonthly(f);
    } else if (f > 30000 && f < 50000) {
        YearlyOption->setChecked(true);
        PopulateYearly(f);
    }
}

void RecurrenceFrames::PopulateDaily(int code)
{
    const FrequencySettings s = decodeFrequency(code);
    if (s.subOption == 2) {
        DailyOption2->setChecked(true);
    } else {
        DailyOption1->setChecked(true);
        DailyText1->setText(number(s.dailyText1));
    }
}

void RecurrenceFrames::PopulateWeekly(int code)
{
    const FrequencySettings s = decodeFrequency(code);
    WeeklyText1->setText(number(s.weeklyText1));
    for (int d = 0; d < 7; ++d) {
        if (maskHasWeekday(s.weekdayMask, d + 1))
            DayChecks[d]->setChecked(true);
    }
}

void RecurrenceFrames::PopulateMonthly(int code)
{
    const FrequencySettings s = decodeFrequency(code);
    switch (s.subOption) {
    case 1:
        MonthlyOption1->setChecked(true);
        MonthlyText1->setText(number(s.monthlyText1));
        MonthlyText2->setText(number(s.monthlyText2));
        break;
    case 3:
        MonthlyOption3->setChecked(true);
        MonthlyText4->setText(number(s.monthlyText4));
        break;
    default:
        MonthlyOption2->setChecked(true);
        selectPosition(MonthlyCombo1, s.monthlyCombo1);
        selectPosition(MonthlyCombo2, s.monthlyCombo2);
        MonthlyText3->setText(number(s.monthlyText3));
        break;
    }
}

void RecurrenceFrames::PopulateYearly(int code)
{
    const FrequencySettings s = decodeFrequency(code);
    if (s.subOption == 1) {
        YearlyOption1->setChecked(true);
        selectPosition(YearlyCombo1, s.yearlyCombo1);
        YearlyText1->setText(number(s.yearlyText1));
    } else {
        YearlyOption2->setChecked(true);
        selectPosition(YearlyCombo2, s.yearlyCombo2);
        selectPosition(YearlyCombo3, s.yearlyCombo3);
        selectPosition(YearlyCombo4, s.yearlyCombo4);
    }
}

FrequencyEntry RecurrenceFrames::entry() const
{
    FrequencyEntry f;
    if (DailyOption->isChecked())
        f.option = FrequencyOption::Daily;
    else if (WeeklyOption->isChecked())
        f.option = FrequencyOption::Weekly;
    else if (MonthlyOption->isChecked())
        f.option = FrequencyOption::Monthly;
    else if (YearlyOption->isChecked())
        f.option = FrequencyOption::Yearly;
    switch (f.option) {
    case FrequencyOption::Daily:
        f.subOption = DailyOption1->isChecked() ? 1 : DailyOption2->isChecked() ? 2 : 0;
        break;
    case FrequencyOption::Monthly:
        f.subOption = MonthlyOption1->isChecked() ? 1 : MonthlyOption2->isChecked() ? 2 : MonthlyOption3->isChecked() ? 3 : 0;
        break;
    case FrequencyOption::Yearly:
        f.subOption = YearlyOption1->isChecked() ? 1 : YearlyOption2->isChecked() ? 2 : 0;
        break;
    default:
        break;
    }
    f.dailyText1 = DailyText1->text();
    f.weeklyText1 = WeeklyText1->text();
    for (int d = 0; d < 7; ++d) {
        if (DayChecks[d]->isChecked())
            f.weekdayMask += 1 << d;
    }
    f.monthlyText1 = MonthlyText1->text();
    f.monthlyText2 = MonthlyText2->text();
    f.monthlyText3 = MonthlyText3->text();
    f.monthlyText4 = MonthlyText4->text();
    f.monthlyCombo1 = chosenIndex(MonthlyCombo1);
    f.monthlyCombo2 = chosenIndex(MonthlyCombo2);
    f.yearlyCombo1 = chosenIndex(YearlyCombo1);
    f.yearlyText1 = YearlyText1->text();
    f.yearlyCombo2 = chosenIndex(YearlyCombo2);
    f.yearlyCombo3 = chosenIndex(YearlyCombo3);
    f.yearlyCombo4 = chosenIndex(YearlyCombo4);
    return f;
}

} // namespace wvs
