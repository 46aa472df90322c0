#include "jobs/CustomerJobsManagementForm.h"
#include "platform/TypingLimit.h"
#include "common/AutoCompleteComboModule.h"
#include "common/CalendarForm.h"
#include "common/ResizeControlsModule.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "data/AppDatabase.h"
#include "jobs/ComboChoice.h"
#include "common/CsvExport.h"
#include "customers/ExportChoiceForm.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "jobs/CustomerJobExport.h"
#include "platform/FlexGrid.h"
#include "common/SortChoiceCheck.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/WaitCursor.h"
#include "output/EmailDelivery.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QComboBox>
#include <QDate>
#include <algorithm>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(CustomerJobsManagementForm);

namespace {

const char *const Window = "CustomerJobsManagementForm";

QComboBox *filterCombo(QWidget *parent, const char *name)
{
    auto *c = named(new QComboBox(parent), name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    installAutoMatch(c);
    return c;
}

std::optional<QString> chosenKey(const QComboBox *combo, const QList<KeyedItem> &keys)
{
    const int i = chosenIndex(combo);
    if (i < 0 || i >= keys.size())
        return std::nullopt;
    return keys.at(i).key;
}

std::optional<bool> chosenYesNo(const QComboBox *combo)
{
    const int i = chosenIndex(combo);
    if (i < 0)
        return std::nullopt;
    return combo->itemText(i) == QLatin1String("Yes");
}

} // namespace

CustomerJobsManagementForm::CustomerJobsManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(Window));
    setWindowTitle(QStringLiteral("Customer Jobs Management"));
    buildControls();

    guarded(Window, "Form_Load", [&] {
        ResizeControls(this);
        // Adding offers every customer to choose from: it needs a right to customers too.
        const JobRights rights = jobRights(session().currentAuthorityLevel);
        AddButton->setEnabled(rights.add);
        ModifyButton->setEnabled(rights.change);
        DeleteButton->setEnabled(rights.change);
        for (QComboBox *c : {SuspendedCombo, ProspectiveCombo, AsRequiredCombo}) {
            c->addItems({QStringLiteral("Yes"), QStringLiteral("No")});
            c->setCurrentIndex(-1);
            c->setEditText(QString());
        }
        SortCombo->addItems({QStringLiteral("Associate"), QStringLiteral("Customer"), QStringLiteral("Service Address"),
                             QStringLiteral("Suburb"), QStringLiteral("Job Type"), QStringLiteral("Service Day"),
                             QStringLiteral("Frequency"), QStringLiteral("Cost"), QStringLiteral("Start Date"),
                             QStringLiteral("End Date")});
        SortOrderCombo->addItems({QStringLiteral("Ascending"), QStringLiteral("Descending")});
        jobTypes_ = CustomerJobRecords::jobTypes();
        for (const KeyedItem &t : jobTypes_)
            JobTypeCombo->addItem(t.text);
        associates_ = CustomerJobRecords::associates(false);
        for (const KeyedItem &a : associates_)
            AssociateCombo->addItem(a.text);
        QSqlQuery q = execSql(QStringLiteral("SELECT DISTINCT CSuburb FROM Customers"));
        while (q.next())
            SuburbCombo->addItem(q.value(0).toString());
        for (QComboBox *c : {SuburbCombo, JobTypeCombo, AssociateCombo}) {
            c->setCurrentIndex(-1);
            c->setEditText(QString());
        }
        SortCombo->setCurrentIndex(0);
        SortOrderCombo->setCurrentIndex(0);
        CreateGrid();
    });

    // A changed filter empties the list until Go is pressed again.
    connect(SurnameText, &QLineEdit::textChanged, this, [this] { emptyGrid(); });
    for (QComboBox *c : {SuburbCombo, JobTypeCombo, AssociateCombo, ProspectiveCombo, SuspendedCombo, AsRequiredCombo}) {
        connect(c, qOverload<int>(&QComboBox::activated), this, [this] { emptyGrid(); });
        connect(c, &QComboBox::editTextChanged, this, [this] { emptyGrid(); });
    }
}

void CustomerJobsManagementForm::buildControls()
{
    SurnameText = named(new QLineEdit(this), "SurnameText");
    TypingLimit::apply(SurnameText, 50); // no more than a surname holds
    SuburbCombo = filterCombo(this, "SuburbCombo");
    JobTypeCombo = filterCombo(this, "JobTypeCombo");
    AssociateCombo = filterCombo(this, "AssociateCombo");
    ProspectiveCombo = filterCombo(this, "ProspectiveCombo");
    SuspendedCombo = filterCombo(this, "SuspendedCombo");
    AsRequiredCombo = filterCombo(this, "AsRequiredCombo");
    ActiveDateLabel = named(new QLabel(this), "ActiveDateLabel");
    ActiveDateLabel->setFrameShape(QFrame::Panel);
    ActiveDateLabel->setFrameShadow(QFrame::Sunken);
    ActiveDateLabel->setMinimumWidth(100);
    ActiveDateImage = CalendarForm::dateButton(this, "ActiveDateImage", QStringLiteral("Choose the date"));
    SortCombo = named(new QComboBox(this), "SortCombo");
    SortOrderCombo = named(new QComboBox(this), "SortOrderCombo");
    JobsGrid = named(new FlexGrid(this), "JobsGrid");

    AddButton = makeButton("AddButton", "&Add");
    ModifyButton = makeButton("ModifyButton", "&Modify");
    ViewButton = makeButton("ViewButton", "&View");
    DeleteButton = makeButton("DeleteButton", "&Delete");
    EmailButton = makeButton("EmailButton", "Emai&l");
    ExportButton = makeButton("ExportButton", "Expo&rt");
    SortButton = makeButton("SortButton", "S&ort");
    GoButton = makeButton("GoButton", "&Go");
    GoButton->setDefault(true);
    ClearButton = makeButton("ClearButton", "&Clear");
    ExitButton = makeButton("ExitButton", "&Exit");
    // The e-mail and the export are separate windows; without them the buttons are not offered.
    EmailButton->setVisible(FormRegistry::contains(QStringLiteral("CustomerJobEmailForm")));
    ExportButton->setVisible(FormRegistry::contains(QStringLiteral("CustomerJobExportForm")));

    auto label = [this](const QString &text) { return new QLabel(text, this); };
    auto *heading = label(QStringLiteral("Customer Jobs Filter:"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto *filters = new QGridLayout;
    filters->addWidget(heading, 0, 0, 1, 2);
    filters->addWidget(label(QStringLiteral("Customer Name")), 1, 0);
    filters->addWidget(SurnameText, 1, 1);
    filters->addWidget(label(QStringLiteral("Service Location")), 2, 0);
    filters->addWidget(SuburbCombo, 2, 1);
    filters->addWidget(label(QStringLiteral("Job Type")), 3, 0);
    filters->addWidget(JobTypeCombo, 3, 1);
    filters->addWidget(label(QStringLiteral("Associate")), 1, 2);
    filters->addWidget(AssociateCombo, 1, 3);
    filters->addWidget(label(QStringLiteral("Prospective")), 2, 2);
    filters->addWidget(ProspectiveCombo, 2, 3);
    filters->addWidget(label(QStringLiteral("Suspended")), 3, 2);
    filters->addWidget(SuspendedCombo, 3, 3);
    filters->addWidget(label(QStringLiteral("As Required")), 1, 4);
    filters->addWidget(AsRequiredCombo, 1, 5);
    filters->addWidget(label(QStringLiteral("Active As At")), 2, 4);
    auto *active = new QHBoxLayout;
    active->addWidget(ActiveDateLabel);
    active->addWidget(ActiveDateImage);
    active->addStretch();
    filters->addLayout(active, 2, 5);
    auto *go = new QHBoxLayout;
    go->addWidget(GoButton);
    go->addWidget(ClearButton);
    go->addStretch();
    filters->addLayout(go, 3, 5);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);
    filters->setColumnStretch(5, 1);

    auto *sort = new QHBoxLayout;
    auto *listHeading = label(QStringLiteral("Customer Jobs"));
    listHeading->setFont(bold);
    sort->addWidget(listHeading);
    sort->addStretch();
    sort->addWidget(label(QStringLiteral("Sort by")));
    sort->addWidget(SortCombo);
    sort->addWidget(SortOrderCombo);
    sort->addWidget(SortButton);

    // What the row colours mean.
    auto *legend = new QHBoxLayout;
    const struct {
        const char *text;
        QColor colour;
    } legends[] = {
        {"Customer is prospective", QColor(0, 192, 0)}, {"Associate is inactive", QColor(128, 128, 128)},
        {"Customer is inactive", QColor(255, 0, 0)},     {"Job is suspended", QColor(255, 0, 255)},
        {"Job is prospective", QColor(0, 0, 255)},       {"Job is \"As Required\"", QColor(255, 128, 0)},
    };
    for (const auto &l : legends) {
        auto *w = label(QString::fromUtf8(l.text));
        QFont f(QStringLiteral("Arial"));
        f.setBold(true);
        w->setFont(f);
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, l.colour);
        w->setPalette(p);
        legend->addWidget(w);
        legend->addSpacing(10);
    }
    legend->addStretch();

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {AddButton, ModifyButton, ViewButton, DeleteButton, EmailButton, ExportButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ExitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addSpacing(6);
    layout->addLayout(sort);
    layout->addWidget(JobsGrid, 1);
    layout->addLayout(legend);
    layout->addLayout(buttons);
    resize(1100, 620);

    connect(AddButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::ModifyButton_Click);
    connect(ViewButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::ViewButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::DeleteButton_Click);
    connect(EmailButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::EmailButton_Click);
    connect(ExportButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::ExportButton_Click);
    connect(SortButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::SortButton_Click);
    connect(GoButton, &QPushButton::clicked, this, [this] { guarded(Window, "GoButton_Click", [&] { PopulateGrid(); }); });
    connect(ClearButton, &QPushButton::clicked, this, &CustomerJobsManagementForm::ClearButton_Click);
    connect(ActiveDateImage, &QToolButton::clicked, this, &CustomerJobsManagementForm::ActiveDateImage_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded(Window, "ExitButton_Click", [&] { reject(); }); });
    connect(JobsGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { JobsGrid_DblClick(); });
}

void CustomerJobsManagementForm::CreateGrid()
{
    guarded(Window, "CreateGrid", [&] {
        const QStringList headings =
            CustomerJobList::gridHeadings(JobListColumn::Count, QStringLiteral("Asst"), QStringLiteral("End"));
        int widths[] = {0, 600, 1950, 2150, 1800, 1800, 1150, 1020, 850, 1150};
        // Coloured rows are bold: the start date column is widened where the
        // grid's font would otherwise cut a bold date short.
        for (int month = 1; month <= 12; ++month)
            widths[JobListColumn::Start] = std::max(
                widths[JobListColumn::Start],
                JobsGrid->textWidthTwips(Formats::toDisplayDate(QDate(2000, month, 28)), true));
        // The cost column holds the largest cost the job dialog's box takes
        // (eight digits), bold as a coloured row shows it.
        widths[JobListColumn::Cost] =
            std::max(widths[JobListColumn::Cost],
                     JobsGrid->textWidthTwips(Money::fromCents(9999999900).display(session().installationCountry), true));
        CustomerJobList::setUpGrid(JobsGrid, headings, widths);
    });
}

void CustomerJobsManagementForm::firstActivate()
{
    guarded(Window, "Form_Activate", [&] {
        if (!Tag.startsWith(QLatin1String("CustomersManagement~")))
            return;
        CustomerNumberFilter = Tag.section(QLatin1Char('~'), 1, 1).toLongLong();
        const QVariant surname = scalarSql(QStringLiteral("SELECT Surname FROM Customers WHERE CustomerNumber = ?"),
                                           {CustomerNumberFilter});
        if (!surname.isValid())
            return;
        SurnameText->setText(surname.toString());
        PopulateGrid();
    });
}

CustomerJobFilters CustomerJobsManagementForm::filters() const
{
    CustomerJobFilters f;
    f.customerNumber = CustomerNumberFilter;
    f.surname = SurnameText->text();
    if (const int s = chosenIndex(SuburbCombo); s >= 0)
        f.suburb = SuburbCombo->itemText(s);
    f.jobTypeCode = chosenKey(JobTypeCombo, jobTypes_);
    f.associateID = chosenKey(AssociateCombo, associates_);
    f.prospective = chosenYesNo(ProspectiveCombo);
    f.suspended = chosenYesNo(SuspendedCombo);
    f.asRequired = chosenYesNo(AsRequiredCombo);
    if (!ActiveDateLabel->text().isEmpty())
        f.activeAsAt = Formats::fromDisplayDate(ActiveDateLabel->text());
    return f;
}

void CustomerJobsManagementForm::emptyGrid()
{
    JobsGrid->setRows(1);
}

void CustomerJobsManagementForm::PopulateGrid()
{
    bool empty = true;
    const bool filled = guarded(Window, "PopulateGrid", [&] {
        const CustomerJobFilters f = filters();
        JobsGrid->setRows(1);
        QVector<QStringList> rows = CustomerJobList::rows(f, jobTypes_);
        if (!rows.isEmpty()) {
            FlexGrid::FillScope fill(JobsGrid);
            JobsGrid->setData(std::move(rows));
            SortButton_Click();
        }
        JobsGrid->clearSelectedRow();
        empty = JobsGrid->rows() < 2;
    });
    // After an error the procedure stops: there is nothing to offer. Adding is
    // offered only to a user who may add (the Add button is enabled).
    if (!filled || !empty)
        return;
    if (!AddButton->isEnabled())
        msgBox(QStringLiteral("No records found"));
    else if (askYesNo(QStringLiteral("No records found - do you wish to add a Customer Job now?")))
        AddButton_Click();
}

void CustomerJobsManagementForm::colour()
{
    CustomerJobList::colourGrid(JobsGrid, [this](int r) { return CustomerJobList::rowStyle(JobsGrid->rowTexts(r)); });
}

void CustomerJobsManagementForm::SortButton_Click()
{
    guarded(Window, "SortButton_Click", [&] {
        if (JobsGrid->rows() < 2)
            return;
        if (!sortChoiceMade(SortCombo, SortOrderCombo))
            return;
        CustomerJobList::sortGrid(JobsGrid, CustomerJobList::sortColumn(SortCombo->currentIndex()),
                                  SortOrderCombo->currentText() != QLatin1String("Descending"),
                                  [this](int r) { return CustomerJobList::rowStyle(JobsGrid->rowTexts(r)); });
    });
}

int CustomerJobsManagementForm::rowFor(const char *message)
{
    return JobsGrid->chosenRow(QString::fromUtf8(message));
}

void CustomerJobsManagementForm::AddButton_Click()
{
    guarded(Window, "AddButton_Click", [&] {
        JobAdded = false;
        CustomerJobAddModifyForm dialog(this);
        dialog.Caller = QStringLiteral("CustomerJobsManagement");
        dialog.Opener = this;
        dialog.Tag = QStringLiteral("Add~%1~").arg(CustomerNumberFilter);
        showModal(&dialog);
        if (JobAdded)
            PopulateGrid();
    });
}

void CustomerJobsManagementForm::ModifyButton_Click()
{
    guarded(Window, "ModifyButton_Click", [&] {
        const int row = rowFor("Please select the Job to be modified");
        if (row == 0)
            return;
        JobModified = false;
        CustomerJobAddModifyForm dialog(this);
        dialog.Caller = QStringLiteral("CustomerJobsManagement");
        dialog.Opener = this;
        dialog.Tag = QStringLiteral("Modify~") + JobsGrid->textMatrix(row, JobListColumn::Key) + QStringLiteral("~") +
                     JobsGrid->textMatrix(row, JobListColumn::SAddressSeqNo);
        showModal(&dialog);
        if (JobModified)
            PopulateGrid();
    });
}

void CustomerJobsManagementForm::ViewButton_Click()
{
    guarded(Window, "ViewButton_Click", [&] {
        const int row = rowFor("Please select the Job to be viewed");
        if (row == 0)
            return;
        CustomerJobAddModifyForm dialog(this);
        dialog.Tag = QStringLiteral("View~") + JobsGrid->textMatrix(row, JobListColumn::Key) + QStringLiteral("~") +
                     JobsGrid->textMatrix(row, JobListColumn::SAddressSeqNo);
        showModal(&dialog);
    });
}

void CustomerJobsManagementForm::JobsGrid_DblClick()
{
    guarded(Window, "JobsGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

void CustomerJobsManagementForm::DeleteButton_Click()
{
    guarded(Window, "DeleteButton_Click", [&] {
        const int row = rowFor("Please select the Job to be deleted");
        if (row == 0)
            return;
        const qint64 key = JobsGrid->textMatrix(row, JobListColumn::Key).toLongLong();
        const QString refusal = CustomerJobRecords::deleteRefusal(key);
        if (!refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        if (!askYesNo(QStringLiteral("Are you sure you wish to PERMANENTLY delete the selected Customer Job?")))
            return;
        CustomerJobRecords::remove(key);
        msgBox(QStringLiteral("Customer Job deleted"));
        PopulateGrid();
    });
}

void CustomerJobsManagementForm::EmailButton_Click()
{
    guarded(Window, "EmailButton_Click", [&] {
        const int row = rowFor("Please select the Job to be emailed");
        if (row == 0)
            return;
        if (!EmailDelivery::mailProgramReady())
            return;
        FormRegistry::open(QStringLiteral("CustomerJobEmailForm"), JobsGrid->textMatrix(row, JobListColumn::Key), this);
    });
}

void CustomerJobsManagementForm::ExportButton_Click()
{
    guarded(Window, "ExportButton_Click", [&] {
        if (JobsGrid->rows() < 2)
            return;
        FieldCount = ExportChoiceForm::chooseColumns(FormRegistry::create(QStringLiteral("CustomerJobExportForm"), this));
        if (FieldCount == 0)
            return;
        const QString path = CsvExport::askFileName(this);
        if (path.isEmpty())
            return; // Cancel: nothing happens
        QList<CustomerJobExport::ListedJob> jobs;
        for (int r = 1; r < JobsGrid->rows(); ++r)
            jobs.append({JobsGrid->textMatrix(r, JobListColumn::Key).toLongLong(),
                         JobsGrid->textMatrix(r, JobListColumn::Frequency)});
        guarded(Window, "ExportCsvFile", [&] { CustomerJobExport::ExportCsvFile(path, jobs); });
    });
}

void CustomerJobsManagementForm::ClearButton_Click()
{
    guarded(Window, "ClearButton_Click", [&] {
        emptyGrid();
        CustomerNumberFilter = 0;
        SurnameText->clear();
        for (QComboBox *c : {SuburbCombo, JobTypeCombo, AssociateCombo, SuspendedCombo, ProspectiveCombo, AsRequiredCombo}) {
            c->setCurrentIndex(-1);
            c->setEditText(QString());
        }
        ActiveDateLabel->clear();
        SurnameText->setFocus();
    });
}

void CustomerJobsManagementForm::ActiveDateImage_Click()
{
    guarded(Window, "ActiveDateImage_Click", [&] {
        emptyGrid();
        CalendarForm::pick(this, QStringLiteral("CustomerJobsActiveDate"));
    });
}

} // namespace wvs
