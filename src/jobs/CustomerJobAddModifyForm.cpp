#include "jobs/CustomerJobAddModifyForm.h"

#include <algorithm>
#include "common/AutoCompleteComboModule.h"
#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "customers/CustomerMapLink.h"
#include "jobs/ComboChoice.h"
#include "jobs/CustomerJobOpener.h"
#include "jobs/CustomerJobRecords.h"
#include "jobs/JobEntryControls.h"
#include "jobs/RecurrenceFrames.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

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

WVS_REGISTER_FORM(CustomerJobAddModifyForm);

namespace {

const char *const Window = "CustomerJobAddModifyForm";

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
    // Eight characters typed; a stored or reformatted cost is shown whole.
    CostText = makeText("CostText", 8);
    // Wide enough to show the largest cost the box takes in currency form.
    CostText->setFixedWidth(std::max(90, CostText->fontMetrics().horizontalAdvance(QStringLiteral("$99,999,999.00")) + 16));
    AssociateCombo = listCombo(this, "AssociateCombo");
    CommentText = makeMultiLineText("CommentText");
    CommentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CommentText->setTabChangesFocus(true);
    CommentCheck = makeCheck("CommentCheck", QStringLiteral("Include comments on Job Schedule"));
    AsRequiredCheck = makeCheck("AsRequiredCheck", QStringLiteral("As required"));
    ProspectiveCheck = makeCheck("ProspectiveCheck", QStringLiteral("Job is prospective"));
    SuspendCheck = makeCheck("SuspendCheck", QStringLiteral("Job suspended"));

    auto dateLabel = [this](const char *name) {
        auto *l = named(new QLabel(this), name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(100);
        return l;
    };
    StartDateLabel = dateLabel("StartDateLabel");
    StartDateImage = CalendarForm::dateButton(this, "StartDateImage", QStringLiteral("Choose the start date"));
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
    EndDateImage = CalendarForm::dateButton(EndDateFrame, "EndDateImage", QStringLiteral("Choose the end date"));
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

    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    OKButton->setDefault(true);
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));

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
    Frequency = new RecurrenceFrames(this);
    right->addWidget(Frequency);
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

void CustomerJobAddModifyForm::loadLists()
{
    for (const KeyedItem &a : CustomerJobRecords::associates(true)) {
        AssociateArray << a.key;
        AssociateCombo->addItem(a.text);
    }
    AssociateCombo->setCurrentIndex(-1);
    Frequency->showFrame(nullptr);
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
            Frequency->DailyOption->setChecked(true);
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
            shown_ = entry();
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

    Frequency->showCode(job.frequency);

    const int a = AssociateArray.indexOf(job.associateID);
    AssociateCombo->setCurrentIndex(a);
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

FrequencyEntry CustomerJobAddModifyForm::frequencyEntry() const { return Frequency->entry(); }

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
    e.end = chosenEnd(NoEndOption, EndDateOption, OccurrencesOption);
    e.endDateText = EndDateLabel->text();
    e.occurrencesText = OccurrencesText->text();
    e.costText = CostText->text();
    if (const int t = chosenIndex(JobTypeCombo); t >= 0 && t < JobTypeCodeArray.size())
        e.jobTypeCode = JobTypeCodeArray.at(t);
    if (const int a = chosenIndex(AssociateCombo); a >= 0 && a < AssociateArray.size())
        e.associateID = AssociateArray.at(a);
    e.frequency = frequencyEntry();
    e.comment = CommentText->text();
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
            CustomerJobSave::save(entry(), Caller, Opener, [](const QString &q) { return askYesNo(q); },
                                  shown_ ? &*shown_ : nullptr);
        if (!showSaveOutcome(this, CostText, out))
            return;
        msgBox(QStringLiteral("Customer Job saved"));
        accept();
    });
}

} // namespace wvs
