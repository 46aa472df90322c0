#include "jobs/CustomerJobAddModifyForm.h"
#include "common/AutoCompleteComboModule.h"
#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "customers/CustomerMapLink.h"
#include "jobs/ComboChoice.h"
#include "jobs/CustomerJobOpener.h"
#include "jobs/CustomerJobRecords.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

namespace {

const char *const Window = "CustomerJobAddModifyForm";

const QStringList &occurrenceItems()
{
    static const QStringList items = {QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd"),
                                      QStringLiteral("4th"), QStringLiteral("Last")};
    return items;
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

template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

QLineEdit *parameterBox(QWidget *parent, const char *name)
{
    auto *t = named(new QLineEdit(parent), name);
    t->setMaxLength(3);
    t->setFixedWidth(44);
    return t;
}

QComboBox *listCombo(QWidget *parent, const char *name, const QStringList &items = {})
{
    auto *c = named(new QComboBox(parent), name);
    c->addItems(items);
    c->setCurrentIndex(-1);
    return c;
}

QToolButton *imageButton(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *b = named(new QToolButton(parent), name);
    b->setText(text);
    b->setToolTip(tip);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoRaise(true);
    return b;
}

// Numbers shown in the boxes: plain decimal text.
QString number(double v) { return QString::number(static_cast<long long>(v)); }

void selectPosition(QComboBox *c, int position)
{
    c->setCurrentIndex(position >= 0 && position < c->count() ? position : -1);
}

// A row of controls packed to the left.
QHBoxLayout *leftRow(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    for (QWidget *w : widgets)
        row->addWidget(w);
    row->addStretch();
    return row;
}

} // namespace

CustomerJobAddModifyForm::CustomerJobAddModifyForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(Window));
    setFont(QFont(QStringLiteral("Arial"), 9));
    buildControls();
    guarded(Window, "Form_Load", [&] { loadLists(); });
}

void CustomerJobAddModifyForm::buildControls()
{
    CustomerNameCombo = named(new QComboBox(this), "CustomerNameCombo");
    CustomerNameCombo->setEditable(true);
    CustomerNameCombo->setInsertPolicy(QComboBox::NoInsert);
    CustomerNameCombo->setCompleter(nullptr);
    installAutoMatch(CustomerNameCombo);
    CustomerNameCombo->installEventFilter(this);
    CustomerNameCombo->lineEdit()->installEventFilter(this);
    SuburbCombo = listCombo(this, "SuburbCombo");
    AddressCombo = listCombo(this, "AddressCombo");
    MapImage = imageButton(this, "MapImage", QStringLiteral("Map"), QStringLiteral("Show the address on a map"));
    JobTypeCombo = listCombo(this, "JobTypeCombo");
    CostText = named(new QLineEdit(this), "CostText");
    CostText->setMaxLength(8);
    CostText->setFixedWidth(90);
    AssociateCombo = listCombo(this, "AssociateCombo");
    CommentText = named(new QPlainTextEdit(this), "CommentText");
    CommentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CommentText->setTabChangesFocus(true);
    CommentCheck = named(new QCheckBox(QStringLiteral("Include comments on Job Schedule"), this), "CommentCheck");
    AsRequiredCheck = named(new QCheckBox(QStringLiteral("As required"), this), "AsRequiredCheck");
    ProspectiveCheck = named(new QCheckBox(QStringLiteral("Job is prospective"), this), "ProspectiveCheck");
    SuspendCheck = named(new QCheckBox(QStringLiteral("Job suspended"), this), "SuspendCheck");

    auto dateLabel = [this](const char *name) {
        auto *l = named(new QLabel(this), name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(100);
        return l;
    };
    StartDateLabel = dateLabel("StartDateLabel");
    StartDateImage = imageButton(this, "StartDateImage", QStringLiteral("..."), QStringLiteral("Choose the start date"));
    StartDayLabel = named(new QLabel(this), "StartDayLabel");
    StartDayLabel->setVisible(false);
    LastServiceLabel = dateLabel("LastServiceLabel");

    EndDateFrame = named(new QGroupBox(QStringLiteral("End"), this), "EndDateFrame");
    NoEndOption = named(new QRadioButton(QStringLiteral("None"), EndDateFrame), "NoEndOption");
    EndDateOption = named(new QRadioButton(QStringLiteral("On"), EndDateFrame), "EndDateOption");
    OccurrencesOption = named(new QRadioButton(QStringLiteral("After"), EndDateFrame), "OccurrencesOption");
    EndDateLabel = named(new QLabel(EndDateFrame), "EndDateLabel");
    EndDateLabel->setFrameShape(QFrame::Panel);
    EndDateLabel->setFrameShadow(QFrame::Sunken);
    EndDateLabel->setMinimumWidth(100);
    EndDateImage = imageButton(EndDateFrame, "EndDateImage", QStringLiteral("..."), QStringLiteral("Choose the end date"));
    OccurrencesText = parameterBox(EndDateFrame, "OccurrencesText");
    {
        auto *g = new QGridLayout(EndDateFrame);
        g->addWidget(NoEndOption, 0, 0);
        g->addWidget(EndDateOption, 1, 0);
        auto *on = leftRow({EndDateLabel, EndDateImage});
        g->addLayout(on, 1, 1);
        g->addWidget(OccurrencesOption, 2, 0);
        auto *after = leftRow({OccurrencesText, new QLabel(QStringLiteral("occurrence(s)"), EndDateFrame)});
        g->addLayout(after, 2, 1);
    }

    OKButton = named(new QPushButton(QStringLiteral("&Save"), this), "OKButton");
    OKButton->setDefault(true);
    ExitButton = named(new QPushButton(QStringLiteral("&Exit"), this), "ExitButton");
    ExitButton->setAutoDefault(false);

    // Left: the customer, the job and its flags.
    auto *left = new QGridLayout;
    int r = 0;
    left->addWidget(new QLabel(QStringLiteral("Customer name"), this), r, 0);
    left->addWidget(CustomerNameCombo, r++, 1, 1, 2);
    left->addWidget(new QLabel(QStringLiteral("Service location"), this), r, 0);
    left->addWidget(SuburbCombo, r++, 1, 1, 2);
    left->addWidget(new QLabel(QStringLiteral("Service address"), this), r, 0);
    left->addWidget(AddressCombo, r, 1);
    left->addWidget(MapImage, r++, 2);
    left->addWidget(new QLabel(QStringLiteral("Job Type"), this), r, 0);
    left->addWidget(JobTypeCombo, r++, 1, 1, 2);
    left->addWidget(new QLabel(QStringLiteral("Cost"), this), r, 0);
    left->addWidget(CostText, r++, 1, Qt::AlignLeft);
    left->addWidget(new QLabel(QStringLiteral("Job assigned to"), this), r, 0);
    left->addWidget(AssociateCombo, r++, 1, 1, 2);
    left->addWidget(new QLabel(QStringLiteral("Comments"), this), r, 0, Qt::AlignTop);
    left->addWidget(CommentText, r++, 1, 1, 2);
    left->addWidget(CommentCheck, r++, 1, 1, 2);
    left->addWidget(AsRequiredCheck, r++, 1, 1, 2);
    left->addWidget(ProspectiveCheck, r++, 1, 1, 2);
    left->addWidget(SuspendCheck, r++, 1, 1, 2);
    left->setColumnStretch(1, 1);
    left->setRowStretch(6, 1);

    // Right: when the job happens.
    auto *dates = new QGridLayout;
    dates->addWidget(new QLabel(QStringLiteral("Start date"), this), 0, 0);
    auto *start = leftRow({StartDateLabel, StartDateImage, StartDayLabel});
    dates->addLayout(start, 0, 1);
    dates->addWidget(new QLabel(QStringLiteral("Last service date"), this), 1, 0);
    auto *last = leftRow({LastServiceLabel});
    dates->addLayout(last, 1, 1);
    auto *right = new QVBoxLayout;
    right->addLayout(dates);
    right->addWidget(EndDateFrame);
    right->addWidget(buildFrequencyFrame());
    right->addStretch();

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    columns->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    resize(860, 470);

    connect(CustomerNameCombo, qOverload<int>(&QComboBox::activated), this, [this](int) { CustomerNameCombo_Click(); });
    connect(SuburbCombo, qOverload<int>(&QComboBox::activated), this, [this](int) { SuburbCombo_Click(); });
    connect(MapImage, &QToolButton::clicked, this, &CustomerJobAddModifyForm::MapImage_Click);
    connect(StartDateImage, &QToolButton::clicked, this, &CustomerJobAddModifyForm::StartDateImage_Click);
    connect(EndDateImage, &QToolButton::clicked, this, &CustomerJobAddModifyForm::EndDateImage_Click);
    connect(EndDateOption, &QRadioButton::clicked, this, [this] {
        if (!LoadingJob)
            EndDateImage_Click();
    });
    connect(OccurrencesOption, &QRadioButton::clicked, this, [this] { OccurrencesText->setFocus(); });
    connect(OKButton, &QPushButton::clicked, this, &CustomerJobAddModifyForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded(Window, "ExitButton_Click", [&] { reject(); }); });
}

QWidget *CustomerJobAddModifyForm::buildFrequencyFrame()
{
    FrequencyFrame = named(new QGroupBox(QStringLiteral("Frequency (recurring jobs only)"), this), "FrequencyFrame");
    DailyOption = named(new QRadioButton(QStringLiteral("Daily"), FrequencyFrame), "DailyOption");
    WeeklyOption = named(new QRadioButton(QStringLiteral("Weekly"), FrequencyFrame), "WeeklyOption");
    MonthlyOption = named(new QRadioButton(QStringLiteral("Monthly"), FrequencyFrame), "MonthlyOption");
    YearlyOption = named(new QRadioButton(QStringLiteral("Yearly"), FrequencyFrame), "YearlyOption");

    auto frame = [this](const char *name) {
        auto *f = named(new QFrame(FrequencyFrame), name);
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
        auto *every = leftRow({text(WeeklyFrame, "Every"), WeeklyText1, text(WeeklyFrame, "week(s) on")});
        g->addLayout(every, 0, 0, 1, 4);
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
    MonthlyCombo1 = listCombo(MonthlyFrame, "MonthlyCombo1");
    MonthlyCombo2 = listCombo(MonthlyFrame, "MonthlyCombo2");
    {
        auto *v = new QVBoxLayout(MonthlyFrame);
        auto *day = leftRow({MonthlyOption1, MonthlyText1, text(MonthlyFrame, "of every"), MonthlyText2, text(MonthlyFrame, "month(s)")});
        auto *lastDay = leftRow({MonthlyOption3, MonthlyText4, text(MonthlyFrame, "month(s)")});
        auto *nth = leftRow({MonthlyOption2, MonthlyCombo1, MonthlyCombo2, text(MonthlyFrame, "of every"), MonthlyText3, text(MonthlyFrame, "month(s)")});
        v->addLayout(day);
        v->addLayout(lastDay);
        v->addLayout(nth);
        v->addStretch();
    }

    YearlyFrame = frame("YearlyFrame");
    YearlyOption1 = named(new QRadioButton(QStringLiteral("Every"), YearlyFrame), "YearlyOption1");
    YearlyOption2 = named(new QRadioButton(QStringLiteral("The"), YearlyFrame), "YearlyOption2");
    YearlyCombo1 = listCombo(YearlyFrame, "YearlyCombo1");
    YearlyCombo2 = listCombo(YearlyFrame, "YearlyCombo2");
    YearlyCombo3 = listCombo(YearlyFrame, "YearlyCombo3");
    YearlyCombo4 = listCombo(YearlyFrame, "YearlyCombo4");
    YearlyText1 = parameterBox(YearlyFrame, "YearlyText1");
    {
        auto *v = new QVBoxLayout(YearlyFrame);
        auto *date = leftRow({YearlyOption1, YearlyCombo1, YearlyText1});
        auto *nth = leftRow({YearlyOption2, YearlyCombo2, YearlyCombo3, text(YearlyFrame, "of"), YearlyCombo4});
        v->addLayout(date);
        v->addLayout(nth);
        v->addStretch();
    }

    // The four frames share one place; at most one shows.
    auto *frames = new QGridLayout;
    for (QFrame *f : {DailyFrame, WeeklyFrame, MonthlyFrame, YearlyFrame})
        frames->addWidget(f, 0, 0);
    auto *place = new QWidget(FrequencyFrame);
    place->setLayout(frames);
    place->setMinimumHeight(130);
    frames->setContentsMargins(0, 0, 0, 0);

    auto *kinds = new QHBoxLayout;
    for (QRadioButton *o : {DailyOption, WeeklyOption, MonthlyOption, YearlyOption})
        kinds->addWidget(o);
    kinds->addStretch();
    auto *v = new QVBoxLayout(FrequencyFrame);
    v->addLayout(kinds);
    v->addWidget(place);

    connect(DailyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(DailyFrame); });
    connect(WeeklyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(WeeklyFrame); });
    connect(MonthlyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(MonthlyFrame); });
    connect(YearlyOption, &QRadioButton::toggled, this, [this](bool on) { if (on) showFrame(YearlyFrame); });
    connect(WeeklyOption, &QRadioButton::clicked, this, [this] { WeeklyText1->setFocus(); });
    connect(DailyOption1, &QRadioButton::clicked, this, [this] { DailyText1->setFocus(); });
    connect(MonthlyOption1, &QRadioButton::clicked, this, [this] { MonthlyText1->setFocus(); });
    connect(MonthlyOption3, &QRadioButton::clicked, this, [this] { MonthlyText4->setFocus(); });
    return FrequencyFrame;
}

void CustomerJobAddModifyForm::showFrame(QFrame *frame)
{
    for (QFrame *f : {DailyFrame, WeeklyFrame, MonthlyFrame, YearlyFrame})
        f->setVisible(f == frame);
}

void CustomerJobAddModifyForm::loadLists()
{
    for (const KeyedItem &a : CustomerJobRecords::associates(true)) {
        AssociateArray << a.key;
        AssociateCombo->addItem(a.text);
    }
    AssociateCombo->setCurrentIndex(-1);
    MonthlyCombo1->addItems(occurrenceItems());
    MonthlyCombo2->addItems(weekdayItems());
    YearlyCombo1->addItems(monthItems());
    YearlyCombo2->addItems(occurrenceItems());
    YearlyCombo3->addItems(weekdayItems());
    YearlyCombo4->addItems(monthItems());
    for (QComboBox *c : {MonthlyCombo1, MonthlyCombo2, YearlyCombo1, YearlyCombo2, YearlyCombo3, YearlyCombo4})
        c->setCurrentIndex(-1);
    showFrame(nullptr);
}

void CustomerJobAddModifyForm::firstActivate()
{
    guarded(Window, "Form_Activate", [&] {
        const QStringList parts = tagParts();
        FormMode = parts.value(0);
        if (FormMode == QLatin1String("Add")) {
            customerNumber_ = parts.value(1).toLongLong();
            setWindowTitle(QStringLiteral("Add Customer Job"));
            for (const KeyedItem &c : CustomerJobRecords::customerChoices(customerNumber_)) {
                CustomerNumberArray << c.key;
                CustomerNameCombo->addItem(c.text);
            }
            CustomerNameCombo->setCurrentIndex(-1);
            CustomerNameCombo->setEditText(QString());
            if (customerNumber_ > 0 && CustomerNameCombo->count() > 0) {
                CustomerNameCombo->setCurrentIndex(0);
                CustomerNameCombo_Click();
            }
            for (const KeyedItem &t : CustomerJobRecords::jobTypes()) {
                JobTypeCodeArray << t.key;
                JobTypeCombo->addItem(t.text);
            }
            JobTypeCombo->setCurrentIndex(-1);
            DailyOption->setChecked(true);
            NoEndOption->setChecked(true);
            return;
        }
        if (FormMode != QLatin1String("Modify") && FormMode != QLatin1String("View"))
            return;
        jobSeqNo_ = parts.value(1).toLongLong();
        sAddressSeqNo_ = parts.value(2).toLongLong();
        if (const auto job = CustomerJobRecords::loadForDialog(jobSeqNo_, sAddressSeqNo_)) {
            LoadingJob = true;
            loadJob(*job);
            LoadingJob = false;
        }
        if (FormMode == QLatin1String("Modify")) {
            setWindowTitle(QStringLiteral("Modify Customer Job"));
            OKButton->setFocus();
        } else {
            setWindowTitle(QStringLiteral("View Customer Job"));
            OKButton->setEnabled(false);
            ExitButton->setFocus();
        }
    });
}

void CustomerJobAddModifyForm::loadJob(const CustomerJob &job)
{
    customerNumber_ = job.customerNumber;
    CustomerNumberArray = {QString::number(job.customerNumber)};
    CustomerNameCombo->addItem(CustomerJobRecords::displayName(job.surname, job.forename));
    CustomerNameCombo->setCurrentIndex(0);
    CustomerNameCombo->setEnabled(false);
    SuburbCombo->addItem(job.sSuburb);
    SuburbCombo->setCurrentIndex(0);
    SuburbCombo->setEnabled(false);
    SAddressSeqNoArray = {QString::number(job.sAddressSeqNo)};
    AddressCombo->clear();
    AddressCombo->addItem(job.sAddress1);
    AddressCombo->setCurrentIndex(0);
    AddressCombo->setEnabled(false);
    JobTypeCodeArray = {job.jobTypeCode};
    JobTypeCombo->addItem(job.jobTypeDescription);
    JobTypeCombo->setCurrentIndex(0);
    JobTypeCombo->setEnabled(false);

    LastServiceLabel->setText(Formats::toDisplayDate(Formats::fromStoredDate(job.lastServiceDate)));
    StartDateLabel->setText(Formats::toDisplayDate(Formats::fromStoredDate(job.startDate)));
    StartDayLabel->setText(QStringLiteral("(") + job.startDay + QStringLiteral(")"));
    StartDayLabel->setVisible(true);

    if (!job.endDate.isEmpty()) {
        EndDateOption->setChecked(true);
        EndDateLabel->setText(Formats::toDisplayDate(Formats::fromStoredDate(job.endDate)));
    } else if (job.occurrences > 0) {
        OccurrencesOption->setChecked(true);
        OccurrencesText->setText(QString::number(job.occurrences));
    } else {
        NoEndOption->setChecked(true);
    }

    CostText->setText(job.cost.display(session().installationCountry));
    CommentText->setPlainText(job.comment);
    CommentCheck->setChecked(job.commentOnSchedule);
    AsRequiredCheck->setChecked(job.asRequired);
    SuspendCheck->setChecked(job.suspended);
    ProspectiveCheck->setChecked(job.prospective);

    const int f = job.frequency;
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

    const int a = AssociateArray.indexOf(job.associateID);
    AssociateCombo->setCurrentIndex(a);
}

void CustomerJobAddModifyForm::PopulateDaily(int code)
{
    const FrequencySettings s = decodeFrequency(code);
    if (s.subOption == 2) {
        DailyOption2->setChecked(true);
    } else {
        DailyOption1->setChecked(true);
        DailyText1->setText(number(s.dailyText1));
    }
}

void CustomerJobAddModifyForm::PopulateWeekly(int code)
{
    const FrequencySettings s = decodeFrequency(code);
    WeeklyText1->setText(number(s.weeklyText1));
    for (int d = 0; d < 7; ++d) {
        if (maskHasWeekday(s.weekdayMask, d + 1))
            DayChecks[d]->setChecked(true);
    }
}

void CustomerJobAddModifyForm::PopulateMonthly(int code)
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

void CustomerJobAddModifyForm::PopulateYearly(int code)
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

qint64 CustomerJobAddModifyForm::currentCustomer() const
{
    if (customerNumber_ != 0)
        return customerNumber_;
    const int i = chosenIndex(CustomerNameCombo);
    return i >= 0 ? CustomerNumberArray.value(i).toLongLong() : 0;
}

void CustomerJobAddModifyForm::CustomerNameCombo_Click()
{
    guarded(Window, "CustomerNameCombo_Click", [&] {
        if (FormMode != QLatin1String("Add"))
            return;
        SuburbCombo->clear();
        AddressCombo->clear();
        SAddressSeqNoArray.clear();
        const QStringList suburbs = CustomerJobRecords::serviceSuburbs(currentCustomer());
        SuburbCombo->addItems(suburbs);
        SuburbCombo->setCurrentIndex(-1);
        if (!suburbs.isEmpty()) {
            SuburbCombo->setCurrentIndex(0);
            SuburbCombo_Click();
        }
    });
}

void CustomerJobAddModifyForm::CustomerNameCombo_LostFocus()
{
    guarded(Window, "CustomerNameCombo_LostFocus", [&] {
        if (chosenIndex(CustomerNameCombo) < 0) {
            if (FormMode == QLatin1String("Add")) {
                SuburbCombo->clear();
                AddressCombo->clear();
                SAddressSeqNoArray.clear();
            }
            return;
        }
        CustomerNameCombo_Click();
    });
}

void CustomerJobAddModifyForm::SuburbCombo_Click()
{
    guarded(Window, "SuburbCombo_Click", [&] {
        if (FormMode != QLatin1String("Add"))
            return;
        AddressCombo->clear();
        SAddressSeqNoArray.clear();
        const int s = chosenIndex(SuburbCombo);
        if (s < 0)
            return;
        const QList<KeyedItem> addresses = CustomerJobRecords::serviceAddresses(currentCustomer(), SuburbCombo->itemText(s));
        for (const KeyedItem &a : addresses) {
            SAddressSeqNoArray << a.key;
            AddressCombo->addItem(a.text);
        }
        AddressCombo->setCurrentIndex(addresses.isEmpty() ? -1 : 0);
    });
}

bool CustomerJobAddModifyForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut &&
        (watched == CustomerNameCombo || watched == CustomerNameCombo->lineEdit())) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        QWidget *now = QApplication::focusWidget();
        const bool stillInside = now == CustomerNameCombo || now == CustomerNameCombo->lineEdit();
        if (reason != Qt::PopupFocusReason && !stillInside && CustomerNameCombo->isEnabled())
            CustomerNameCombo_LostFocus();
    }
    return Form::eventFilter(watched, event);
}

void CustomerJobAddModifyForm::MapImage_Click()
{
    guarded(Window, "MapImage_Click", [&] {
        const int a = chosenIndex(AddressCombo);
        if (a < 0)
            return;
        AddressFields fields;
        fields.sAddress1 = AddressCombo->itemText(a);
        fields.sSuburb = SuburbCombo->currentText();
        const QUrl url = CustomerMapLink::url(fields);
        if (!url.isEmpty())
            openLink(url, LinkKind::WebPage);
    });
}

void CustomerJobAddModifyForm::StartDateImage_Click()
{
    guarded(Window, "StartDateImage_Click", [&] {
        CalendarForm::pick(this, QStringLiteral("CustomerJobStartDate"));
    });
}

void CustomerJobAddModifyForm::EndDateImage_Click()
{
    guarded(Window, "EndDateImage_Click", [&] {
        CalendarForm::pick(this, QStringLiteral("CustomerJobEndDate"));
    });
}

FrequencyEntry CustomerJobAddModifyForm::frequencyEntry() const
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

CustomerJobEntry CustomerJobAddModifyForm::entry() const
{
    CustomerJobEntry e;
    e.mode = FormMode;
    e.jobSeqNo = jobSeqNo_;
    if (const int c = chosenIndex(CustomerNameCombo); c >= 0)
        e.customerNumber = currentCustomer();
    e.suburbChosen = chosenIndex(SuburbCombo) >= 0;
    if (const int a = chosenIndex(AddressCombo); a >= 0 && a < SAddressSeqNoArray.size())
        e.sAddressSeqNo = SAddressSeqNoArray.at(a).toLongLong();
    e.startDateText = StartDateLabel->text();
    e.end = NoEndOption->isChecked()         ? JobEnd::NoEnd
            : EndDateOption->isChecked()     ? JobEnd::OnDate
            : OccurrencesOption->isChecked() ? JobEnd::After
                                             : JobEnd::Unchosen;
    e.endDateText = EndDateLabel->text();
    e.occurrencesText = OccurrencesText->text();
    e.costText = CostText->text();
    if (const int t = chosenIndex(JobTypeCombo); t >= 0 && t < JobTypeCodeArray.size())
        e.jobTypeCode = JobTypeCodeArray.at(t);
    if (const int a = chosenIndex(AssociateCombo); a >= 0 && a < AssociateArray.size())
        e.associateID = AssociateArray.at(a);
    e.frequency = frequencyEntry();
    e.comment = CommentText->toPlainText();
    e.commentOnSchedule = CommentCheck->isChecked();
    e.asRequired = AsRequiredCheck->isChecked();
    e.suspended = SuspendCheck->isChecked();
    e.prospective = ProspectiveCheck->isChecked();
    return e;
}

void CustomerJobAddModifyForm::OKButton_Click()
{
    guarded(Window, "OKButton_Click", [&] {
        if (FormMode != QLatin1String("Add") && FormMode != QLatin1String("Modify"))
            return;
        const CustomerJobSaveOutcome out =
            CustomerJobSave::save(entry(), Caller, Opener, [](const QString &q) { return askYesNo(q); });
        if (out.costText)
            CostText->setText(*out.costText);
        if (!out.saved) {
            if (!out.message.isEmpty())
                msgBox(out.message);
            if (auto *w = findChild<QWidget *>(out.focus))
                w->setFocus();
            return;
        }
        msgBox(QStringLiteral("Customer Job saved"));
        accept();
    });
}

} // namespace wvs
