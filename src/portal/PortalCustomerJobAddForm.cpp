#include "portal/PortalCustomerJobAddForm.h"
#include "admin/AccessRights.h"
#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "core/Session.h"
#include "customers/CustomerMapLink.h"
#include "jobs/ComboChoice.h"
#include "jobs/JobEntryControls.h"
#include "jobs/RecurrenceFrames.h"
#include "platform/Desktop.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/MultiLineText.h"
#include "portal/PortalCustomerJobsManagementForm.h"
#include "portal/PortalRequestRecords.h"
#include "platform/FormRegistry.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(PortalCustomerJobAddForm);

namespace {

const char *const Window = "PortalCustomerJobAddForm";

QLabel *dateLabel(QWidget *parent, const char *name)
{
    auto *l = named(new QLabel(parent), name);
    l->setFrameShape(QFrame::Box);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(100);
    return l;
}

// A request's date in the form the date labels show; the stored text when it
// does not read as a date, so the user sees what came and picks another.
QString shownDate(const QString &stored)
{
    const QDate d = PortalRequestRecords::readDate(stored);
    return d.isValid() ? Formats::toDisplayDate(d) : stored;
}

} // namespace

PortalCustomerJobAddForm::PortalCustomerJobAddForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(Window));
    setWindowTitle(QStringLiteral("Portal Customer Job Add"));
    setFont(QFont(QStringLiteral("Arial"), 9));
    buildControls();
    guarded(Window, "Form_Load", [&] {
        for (const KeyedItem &t : CustomerJobRecords::jobTypes()) {
            JobTypeCodes << t.key;
            JobTypeCombo->addItem(t.text);
        }
        JobTypeCombo->setCurrentIndex(-1);
        AssociateList = CustomerJobRecords::associates(true);
        for (const KeyedItem &a : AssociateList)
            AssociateCombo->addItem(a.text);
        AssociateCombo->setCurrentIndex(-1);
        Frequency->showFrame(nullptr);
    });
}

void PortalCustomerJobAddForm::buildControls()
{
    // The boxes take as much typing as the customer's fields hold; a request
    // longer than that is shown and saved whole, never cut on the way in.
    auto text = [this](const char *name, const char *column) {
        return makeText(name, customerFieldSize(QString::fromLatin1(column)));
    };
    // Customer.
    TitleText = text("TitleText", "Title");
    FirstNameText = text("FirstNameText", "Forename");
    LastNameText = text("LastNameText", "Surname");
    CompanyText = text("CompanyText", "CompanyName");
    ContactText = text("ContactText", "ContactName");
    AccountsRefText = text("AccountsRefText", "AccountsRef");
    CAddress1Text = text("CAddress1Text", "CAddress1");
    CAddress2Text = text("CAddress2Text", "CAddress2");
    CAddress3Text = text("CAddress3Text", "CAddress3");
    CSuburbText = text("CSuburbText", "CSuburb");
    CCityText = text("CCityText", "CCity");
    CPostCodeText = text("CPostCodeText", "CPostCode");
    Phone1Option = named(new QRadioButton(QStringLiteral("Phone 1"), this), "Phone1Option");
    Phone2Option = named(new QRadioButton(QStringLiteral("Phone 2"), this), "Phone2Option");
    Phone3Option = named(new QRadioButton(QStringLiteral("Phone 3"), this), "Phone3Option");
    auto *phones = new QButtonGroup(this);
    for (QRadioButton *o : {Phone1Option, Phone2Option, Phone3Option})
        phones->addButton(o);
    Phone1Option->setChecked(true);
    Phone1Text = text("Phone1Text", "Phone1");
    Phone2Text = text("Phone2Text", "Phone2");
    Phone3Text = text("Phone3Text", "Phone3");
    Email1Text = text("Email1Text", "Email1");
    Email2Text = text("Email2Text", "Email2");
    CustomerCommentText = makeMultiLineText("CustomerCommentText");
    CustomerCommentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CustomerCommentText->setTabChangesFocus(true);
    CustomerCommentCheck = named(new QCheckBox(QStringLiteral("Include on Job Schedule"), this), "CustomerCommentCheck");

    auto *customer = named(new QGroupBox(QStringLiteral("Customer"), this), "CustomerFrame");
    {
        auto *g = new QGridLayout(customer);
        int r = 0;
        auto row = [&](const char *label, QWidget *w) {
            g->addWidget(new QLabel(QString::fromUtf8(label), customer), r, 0);
            g->addWidget(w, r++, 1, 1, 2);
        };
        row("Title", TitleText);
        row("First Name", FirstNameText);
        row("Last Name", LastNameText);
        row("Company", CompanyText);
        row("Contact", ContactText);
        row("Accounts Ref", AccountsRefText);
        auto *heading = new QLabel(QStringLiteral("Correspondence Address"), customer);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        g->addWidget(heading, r++, 0, 1, 3);
        row("Address Line 1", CAddress1Text);
        row("Address Line 2", CAddress2Text);
        row("Address Line 3", CAddress3Text);
        row("Suburb", CSuburbText);
        row("City", CCityText);
        row("Zip/Post Code", CPostCodeText);
        g->addWidget(Phone1Option, r, 0);
        g->addWidget(Phone1Text, r++, 1, 1, 2);
        g->addWidget(Phone2Option, r, 0);
        g->addWidget(Phone2Text, r++, 1, 1, 2);
        g->addWidget(Phone3Option, r, 0);
        g->addWidget(Phone3Text, r++, 1, 1, 2);
        row("Email 1", Email1Text);
        row("Email 2", Email2Text);
        g->addWidget(new QLabel(QStringLiteral("Comments"), customer), r, 0, Qt::AlignTop);
        g->addWidget(CustomerCommentText, r++, 1, 1, 2);
        g->addWidget(CustomerCommentCheck, r++, 1, 1, 2);
        g->setColumnStretch(1, 1);
    }

    // Service address.
    SAddress1Text = text("SAddress1Text", "SAddress1");
    SAddress2Text = text("SAddress2Text", "SAddress2");
    SAddress3Text = text("SAddress3Text", "SAddress3");
    SSuburbText = text("SSuburbText", "SSuburb");
    SCityText = text("SCityText", "SCity");
    SPostCodeText = text("SPostCodeText", "SPostCode");
    MapImage = imageButton(this, "MapImage", QStringLiteral("Map"), QStringLiteral("Map"));
    MapImage->setCursor(Qt::ArrowCursor);
    auto *service = named(new QGroupBox(QStringLiteral("Service Address"), this), "ServiceAddressFrame");
    {
        auto *g = new QGridLayout(service);
        int r = 0;
        for (const auto &[label, box] : {std::pair{"Address Line 1", SAddress1Text}, std::pair{"Address Line 2", SAddress2Text},
                                        std::pair{"Address Line 3", SAddress3Text}}) {
            g->addWidget(new QLabel(QString::fromUtf8(label), service), r, 0);
            g->addWidget(box, r++, 1, 1, 2);
        }
        g->addWidget(new QLabel(QStringLiteral("Location"), service), r, 0);
        g->addWidget(SSuburbText, r, 1);
        g->addWidget(MapImage, r++, 2);
        g->addWidget(new QLabel(QStringLiteral("City"), service), r, 0);
        g->addWidget(SCityText, r++, 1, 1, 2);
        g->addWidget(new QLabel(QStringLiteral("Zip/Post Code"), service), r, 0);
        g->addWidget(SPostCodeText, r++, 1, 1, 2);
        g->setColumnStretch(1, 1);
    }

    // Details.
    JobTypeCombo = named(new QComboBox(this), "JobTypeCombo");
    CostText = makeText("CostText", 8);
    CostText->setFixedWidth(90);
    ProspectiveCheck = named(new QCheckBox(QStringLiteral("Job is prospective"), this), "ProspectiveCheck");
    AssociateCombo = named(new QComboBox(this), "AssociateCombo");
    JobCommentText = makeMultiLineText("JobCommentText");
    JobCommentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    JobCommentText->setTabChangesFocus(true);
    JobCommentText->setMaximumHeight(70);
    JobCommentCheck = named(new QCheckBox(QStringLiteral("Include on Job Schedule"), this), "JobCommentCheck");
    auto *details = named(new QGroupBox(QStringLiteral("Details"), this), "DetailsFrame");
    {
        auto *g = new QGridLayout(details);
        g->addWidget(new QLabel(QStringLiteral("Job Type"), details), 0, 0);
        g->addWidget(JobTypeCombo, 0, 1, 1, 2);
        g->addWidget(new QLabel(QStringLiteral("Cost"), details), 1, 0);
        g->addWidget(CostText, 1, 1);
        g->addWidget(ProspectiveCheck, 1, 2);
        g->addWidget(new QLabel(QStringLiteral("Job assigned to"), details), 2, 0);
        g->addWidget(AssociateCombo, 2, 1, 1, 2);
        g->addWidget(new QLabel(QStringLiteral("Comments"), details), 3, 0, Qt::AlignTop);
        g->addWidget(JobCommentText, 3, 1, 1, 2);
        g->addWidget(JobCommentCheck, 4, 1, 1, 2);
        g->setColumnStretch(2, 1);
    }

    // Start and end.
    StartDateLabel = dateLabel(this, "StartDateLabel");
    StartDayLabel = named(new QLabel(this), "StartDayLabel");
    StartDateImage = CalendarForm::dateButton(this, "StartDateImage", QStringLiteral("Choose the start date"));
    auto *ends = named(new QGroupBox(this), "EndDateFrame");
    NoEndOption = named(new QRadioButton(QStringLiteral("None"), ends), "NoEndOption");
    EndDateOption = named(new QRadioButton(QStringLiteral("On"), ends), "EndDateOption");
    OccurrencesOption = named(new QRadioButton(QStringLiteral("After"), ends), "OccurrencesOption");
    EndDateLabel = dateLabel(ends, "EndDateLabel");
    EndDateImage = CalendarForm::dateButton(ends, "EndDateImage", QStringLiteral("Choose the end date"));
    OccurrencesText = parameterBox(ends, "OccurrencesText");
    {
        auto *h = new QHBoxLayout(ends);
        h->addWidget(NoEndOption);
        h->addWidget(EndDateOption);
        h->addWidget(EndDateLabel);
        h->addWidget(EndDateImage);
        h->addSpacing(8);
        h->addWidget(OccurrencesOption);
        h->addWidget(OccurrencesText);
        h->addWidget(new QLabel(QStringLiteral("occurrence(s)"), ends));
        h->addStretch();
    }
    auto *startEnd = named(new QGroupBox(QStringLiteral("Start/End"), this), "StartEndFrame");
    {
        auto *g = new QGridLayout(startEnd);
        g->addWidget(new QLabel(QStringLiteral("Start date"), startEnd), 0, 0);
        g->addLayout(leftRow({StartDateLabel, StartDateImage, StartDayLabel}), 0, 1);
        g->addWidget(new QLabel(QStringLiteral("End date"), startEnd), 1, 0);
        g->addWidget(ends, 1, 1);
        g->setColumnStretch(1, 1);
    }

    Frequency = new RecurrenceFrames(this);
    AsRequiredCheck = named(new QCheckBox(QStringLiteral("As required"), this), "AsRequiredCheck");

    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));
    // Saving adds the customer and its service address when they are new, and
    // the customer job: it asks what those areas' own windows ask to add them.
    {
        const int level = session().currentAuthorityLevel;
        OKButton->setEnabled(AccessRights::allows(level, RightsArea::Customers, AreaCommand::Change) &&
                             AccessRights::allows(level, RightsArea::CustomerJobs, AreaCommand::Change));
    }

    auto *jobHeading = new QLabel(QStringLiteral("Job"), this);
    QFont bold = jobHeading->font();
    bold.setBold(true);
    jobHeading->setFont(bold);
    auto *right = new QVBoxLayout;
    right->addWidget(jobHeading);
    right->addWidget(service);
    right->addWidget(details);
    right->addWidget(startEnd);
    right->addWidget(Frequency);
    right->addWidget(AsRequiredCheck);
    right->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addWidget(customer, 1);
    columns->addSpacing(8);
    columns->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ExitButton);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    resize(980, 720);

    CostText->installEventFilter(this);
    connect(SAddress1Text, &QLineEdit::textChanged, this, [this](const QString &t) {
        MapImage->setCursor(t.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    });
    connect(MapImage, &QToolButton::clicked, this, &PortalCustomerJobAddForm::MapImage_Click);
    connect(StartDateImage, &QToolButton::clicked, this, &PortalCustomerJobAddForm::StartDateImage_Click);
    connect(EndDateImage, &QToolButton::clicked, this, &PortalCustomerJobAddForm::EndDateImage_Click);
    // Choosing "On" by hand asks for the end date; filling the window does not.
    connect(EndDateOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !Filling)
            EndDateImage_Click();
    });
    connect(OccurrencesOption, &QRadioButton::clicked, this, [this] { OccurrencesText->setFocus(); });
    connect(OKButton, &QPushButton::clicked, this, &PortalCustomerJobAddForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded(Window, "ExitButton_Click", [&] { reject(); }); });
}

void PortalCustomerJobAddForm::firstActivate()
{
    guarded(Window, "Form_Activate", [&] {
        bool number = false;
        UniqueId = Tag.toLongLong(&number);
        const std::optional<PortalRequest> r = number ? PortalRequestRecords::load(UniqueId) : std::nullopt;
        if (!r) {
            msgBox(QStringLiteral("Unable to find the PortalCustomerJob record. This is a database error!\r\n"
                                  "Make a note of this message and report to Support"),
                   MsgButtons::Ok, MsgIcon::Critical);
            return;
        }
        Filling = true;
        fill(*r);
        Filling = false;
    });
    Filling = false;
}

void PortalCustomerJobAddForm::fill(const PortalRequest &r)
{
    TitleText->setText(r.title);
    FirstNameText->setText(r.firstName);
    LastNameText->setText(r.lastName);
    CompanyText->setText(r.companyName);
    CAddress1Text->setText(r.cAddress1);
    CAddress2Text->setText(r.cAddress2);
    CAddress3Text->setText(r.cAddress3);
    CSuburbText->setText(r.cSuburb);
    CCityText->setText(r.cCity);
    CPostCodeText->setText(r.cPostCode);
    Phone1Text->setText(r.phone1);
    Phone2Text->setText(r.phone2);
    Phone3Text->setText(r.phone3);
    Email1Text->setText(r.email1);
    Email2Text->setText(r.email2);
    if (r.preferredPhone == 2)
        Phone2Option->setChecked(true);
    else if (r.preferredPhone == 3)
        Phone3Option->setChecked(true);
    else if (r.preferredPhone == 1)
        Phone1Option->setChecked(true);
    CustomerCommentText->setPlainText(r.customerComments);
    SAddress1Text->setText(r.sAddress1);
    SAddress2Text->setText(r.sAddress2);
    SAddress3Text->setText(r.sAddress3);
    SSuburbText->setText(r.sSuburb);
    SCityText->setText(r.sCity);
    SPostCodeText->setText(r.sPostCode);
    JobTypeCombo->setCurrentIndex(JobTypeCodes.indexOf(r.jobTypeCode));
    CostText->setText(Money::fromCents(r.costCents).display(session().installationCountry));
    JobCommentText->setPlainText(r.jobDetailsComments);
    StartDateLabel->setText(shownDate(r.startDate));
    const QDate start = PortalRequestRecords::readDate(r.startDate);
    StartDayLabel->setText(start.isValid() ? QStringLiteral("(") + Formats::weekdayName(start) + QStringLiteral(")")
                                           : QString());

    switch (r.endDateOption) {
    case 0:
        NoEndOption->setChecked(true);
        break;
    case 1:
        EndDateOption->setChecked(true);
        EndDateLabel->setText(shownDate(r.endDate));
        break;
    case 2:
        OccurrencesOption->setChecked(true);
        OccurrencesText->setText(QString::number(r.endOccurrences));
        break;
    default:
        break;
    }

    RecurrenceFrames &f = *Frequency;
    switch (r.dwmyOption) {
    case 0:
        f.DailyOption->setChecked(true);
        if (r.dailyOption == 0) {
            f.DailyOption1->setChecked(true);
            f.DailyText1->setText(QString::number(r.dailyNoOfDays));
        } else {
            f.DailyOption2->setChecked(true);
        }
        break;
    case 1:
        f.WeeklyOption->setChecked(true);
        f.WeeklyText1->setText(QString::number(r.weeklyNoOfWeeks));
        for (int d = 0; d < 7; ++d)
            f.DayChecks[d]->setChecked(r.weeklyDays[d] != 0);
        break;
    case 2:
        f.MonthlyOption->setChecked(true);
        if (r.monthlyOption == 0) {
            f.MonthlyOption1->setChecked(true);
            f.MonthlyText1->setText(QString::number(r.monthlyDay));
            f.MonthlyText2->setText(QString::number(r.monthlyMonth1));
        } else if (r.monthlyOption == 1) {
            f.MonthlyOption3->setChecked(true);
            f.MonthlyText4->setText(QString::number(r.monthlyMonth2));
        } else {
            f.MonthlyOption2->setChecked(true);
            RecurrenceFrames::selectPosition(f.MonthlyCombo1, r.monthlyList1Index);
            RecurrenceFrames::selectPosition(f.MonthlyCombo2, r.monthlyList2Index);
            f.MonthlyText3->setText(QString::number(r.monthlyMonth3));
        }
        break;
    case 3:
        f.YearlyOption->setChecked(true);
        if (r.yearlyOption == 0) {
            f.YearlyOption1->setChecked(true);
            RecurrenceFrames::selectPosition(f.YearlyCombo1, r.yearlyList1Index);
            f.YearlyText1->setText(QString::number(r.yearlyDay));
        } else {
            f.YearlyOption2->setChecked(true);
            RecurrenceFrames::selectPosition(f.YearlyCombo2, r.yearlyList2Index);
            RecurrenceFrames::selectPosition(f.YearlyCombo3, r.yearlyList3Index);
            RecurrenceFrames::selectPosition(f.YearlyCombo4, r.yearlyList4Index);
        }
        break;
    default:
        break;
    }
    AsRequiredCheck->setChecked(r.asRequired);
    ProspectiveCheck->setChecked(r.prospective);
}

bool PortalCustomerJobAddForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CostText && event->type() == QEvent::FocusOut && QApplication::focusWidget() != ExitButton)
        CostText_Validate();
    return Form::eventFilter(watched, event);
}

void PortalCustomerJobAddForm::CostText_Validate()
{
    guarded(Window, "CostText_Validate", [&] {
        if (CostText->text().isEmpty())
            CostText->setText(QStringLiteral("0"));
        // A text that is no amount stays as typed; the save refuses it.
        if (const std::optional<Money> cost = Money::parse(CostText->text()))
            CostText->setText(cost->display(session().installationCountry));
    });
}

void PortalCustomerJobAddForm::MapImage_Click()
{
    guarded(Window, "MapImage_Click", [&] {
        if (SAddress1Text->text().isEmpty())
            return;
        AddressFields a;
        a.sAddress1 = SAddress1Text->text();
        a.sSuburb = SSuburbText->text();
        const QUrl url = CustomerMapLink::url(a);
        if (!url.isEmpty())
            openLink(url, LinkKind::WebPage);
    });
}

void PortalCustomerJobAddForm::StartDateImage_Click()
{
    guarded(Window, "StartDateImage_Click",
            [&] { CalendarForm::pick(this, QStringLiteral("PortalCustomerJobStartDate")); });
}

void PortalCustomerJobAddForm::EndDateImage_Click()
{
    guarded(Window, "EndDateImage_Click", [&] { CalendarForm::pick(this, QStringLiteral("PortalCustomerJobEndDate")); });
}

PortalJobEntry PortalCustomerJobAddForm::entry() const
{
    PortalJobEntry e;
    e.uniqueId = UniqueId;
    CustomerRecord &c = e.customer;
    readContact(c);
    c.forename = FirstNameText->text();
    c.surname = LastNameText->text();
    c.customerComment = CustomerCommentText->text();
    c.commentOnSchedule = CustomerCommentCheck->isChecked();
    ServiceAddress &a = e.address;
    a.sAddress1 = SAddress1Text->text();
    a.sAddress2 = SAddress2Text->text();
    a.sAddress3 = SAddress3Text->text();
    a.sSuburb = SSuburbText->text();
    a.sCity = SCityText->text();
    a.sPostCode = SPostCodeText->text();
    CustomerJobEntry &j = e.job;
    j.mode = QStringLiteral("Add");
    j.startDateText = StartDateLabel->text();
    j.end = chosenEnd(NoEndOption, EndDateOption, OccurrencesOption);
    j.endDateText = EndDateLabel->text();
    j.occurrencesText = OccurrencesText->text();
    j.costText = CostText->text();
    if (const int t = chosenIndex(JobTypeCombo); t >= 0 && t < JobTypeCodes.size())
        j.jobTypeCode = JobTypeCodes.at(t);
    if (const int s = chosenIndex(AssociateCombo); s >= 0 && s < AssociateList.size())
        j.associateID = AssociateList.at(s).key;
    j.frequency = Frequency->entry();
    j.comment = JobCommentText->text();
    j.commentOnSchedule = JobCommentCheck->isChecked();
    j.asRequired = AsRequiredCheck->isChecked();
    j.prospective = ProspectiveCheck->isChecked();
    return e;
}

void PortalCustomerJobAddForm::OKButton_Click()
{
    guarded(Window, "OKButton_Click", [&] {
        const PortalJobSaveOutcome out =
            PortalCustomerJobSave::save(entry(), [](const QString &q) { return askYesNo(q); });
        if (!showSaveOutcome(this, CostText, out))
            return;
        if (List)
            List->PopulateGrid();
        msgBox(QStringLiteral("Customer Job saved"));
        accept();
    });
}

} // namespace wvs
