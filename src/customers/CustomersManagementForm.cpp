#include "customers/CustomersManagementForm.h"
#include "platform/TypingLimit.h"
#include "common/AutoCompleteComboModule.h"
#include "common/ResizeControlsModule.h"
#include "customers/CustomerAccess.h"
#include "common/CsvExport.h"
#include "customers/CustomerAddModifyForm.h"
#include "customers/CustomerExport.h"
#include "customers/CustomerListQuery.h"
#include "customers/CustomerListStyle.h"
#include "customers/CustomerRemoval.h"
#include "customers/ExportChoiceForm.h"
#include "platform/FlexGrid.h"
#include "common/SortChoiceCheck.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(CustomersManagementForm);

namespace {

const char *const kForm = "CustomersManagementForm";

// The windows of the other customer operations; each button shows only once
// its window exists in the program.
const QString kJobsForm = QStringLiteral("CustomerJobsManagementForm");
const QString kNotesForm = QStringLiteral("NotesForm");
const QString kHistoryForm = QStringLiteral("ServiceHistoryForm");
const QString kExportForm = QStringLiteral("CustomerExportForm");

QLabel *label(const QString &text, QWidget *parent, const char *name = nullptr)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromUtf8(name));
    return l;
}

} // namespace

CustomersManagementForm::CustomersManagementForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromUtf8(kForm));
    setWindowTitle(QStringLiteral("Customers Management"));

    auto makeCombo = [this](const char *name, bool editable) {
        auto *c = named(new QComboBox(this), name);
        c->setEditable(editable);
        if (editable)
            c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };

    // A filter takes no more than the customer dialog lets its field hold.
    CompanyText = makeText("CompanyText", 100);
    SurnameText = makeText("SurnameText", 50);
    SuburbCombo = makeCombo("SuburbCombo", true);
    CustomerStatusCombo = makeCombo("CustomerStatusCombo", true);
    SortCombo = makeCombo("SortCombo", false);
    SortOrderCombo = makeCombo("SortOrderCombo", false);
    installAutoMatch(SuburbCombo);
    installAutoMatch(CustomerStatusCombo);

    CustomersGrid = named(new FlexGrid(this), "CustomersGrid");

    AddButton = makeButton("AddButton", "&Add");
    ModifyButton = makeButton("ModifyButton", "&Modify");
    ViewButton = makeButton("ViewButton", "&View");
    DeleteButton = makeButton("DeleteButton", "&Delete");
    JobsButton = makeButton("JobsButton", "&Jobs");
    NotesButton = makeButton("NotesButton", "&Notes");
    HistoryButton = makeButton("HistoryButton", "&History");
    ExportButton = makeButton("ExportButton", "Expo&rt");
    SortButton = makeButton("SortButton", "S&ort");
    GoButton = makeButton("GoButton", "&Go");
    ClearButton = makeButton("ClearButton", "&Clear");
    ExitButton = makeButton("ExitButton", "&Exit");
    GoButton->setAutoDefault(true);
    GoButton->setDefault(true);

    // Filters and sort.
    QFont bold = font();
    bold.setBold(true);
    QLabel *filterLabel = label(QStringLiteral("Customers Filter:"), this, "FilterLabel");
    filterLabel->setFont(bold);
    auto *filters = new QGridLayout;
    filters->addWidget(filterLabel, 0, 0, 1, 4);
    filters->addWidget(label(QStringLiteral("Company"), this, "CompanyLabel"), 1, 0);
    filters->addWidget(CompanyText, 1, 1);
    filters->addWidget(label(QStringLiteral("Surname"), this, "SurnameLabel"), 1, 2);
    filters->addWidget(SurnameText, 1, 3);
    filters->addWidget(label(QStringLiteral("Suburb"), this, "SuburbLabel"), 1, 4);
    filters->addWidget(SuburbCombo, 1, 5);
    filters->addWidget(label(QStringLiteral("Status"), this, "StatusLabel"), 1, 6);
    filters->addWidget(CustomerStatusCombo, 1, 7);
    filters->addWidget(GoButton, 1, 8);
    filters->addWidget(ClearButton, 1, 9);
    filters->addWidget(label(QStringLiteral("Sort by"), this, "SortLabel"), 2, 0);
    auto *sortRow = new QHBoxLayout;
    sortRow->addWidget(SortCombo, 2);
    sortRow->addWidget(SortOrderCombo, 2);
    sortRow->addWidget(SortButton, 1);
    filters->addLayout(sortRow, 2, 1, 1, 3);
    for (int c : {1, 3, 5, 7})
        filters->setColumnStretch(c, 1);

    // The legend matches the row colours.
    QFont legendFont(QStringLiteral("Arial"));
    legendFont.setBold(true);
    QLabel *customersLabel = label(QStringLiteral("Customers"), this, "CustomersLabel");
    customersLabel->setFont(bold);
    QLabel *prospective = label(QStringLiteral("Customer is prospective"), this, "ProspectiveLabel");
    QLabel *inactive = label(QStringLiteral("Customer is inactive"), this, "InactiveLabel");
    for (QLabel *l : {prospective, inactive})
        l->setFont(legendFont);
    prospective->setStyleSheet(QStringLiteral("color: rgb(0, 192, 0);"));
    inactive->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    auto *heading = new QHBoxLayout;
    heading->addWidget(customersLabel);
    heading->addStretch();
    heading->addWidget(prospective);
    heading->addSpacing(24);
    heading->addWidget(inactive);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {AddButton, ModifyButton, ViewButton, DeleteButton})
        buttons->addWidget(b);
    buttons->addSpacing(24);
    for (QPushButton *b : {JobsButton, NotesButton, HistoryButton, ExportButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ExitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addSpacing(6);
    layout->addLayout(heading);
    layout->addWidget(CustomersGrid, 1);
    layout->addLayout(buttons);
    resize(1000, 640);

    setTabOrder(CompanyText, SurnameText);
    setTabOrder(SurnameText, SuburbCombo);
    setTabOrder(SuburbCombo, CustomerStatusCombo);
    setTabOrder(CustomerStatusCombo, GoButton);
    setTabOrder(GoButton, ClearButton);
    setTabOrder(ClearButton, SortCombo);
    setTabOrder(SortCombo, SortOrderCombo);
    setTabOrder(SortOrderCombo, SortButton);
    setTabOrder(SortButton, CustomersGrid);

    connect(AddButton, &QPushButton::clicked, this, &CustomersManagementForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &CustomersManagementForm::ModifyButton_Click);
    connect(ViewButton, &QPushButton::clicked, this, &CustomersManagementForm::ViewButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &CustomersManagementForm::DeleteButton_Click);
    connect(JobsButton, &QPushButton::clicked, this, &CustomersManagementForm::JobsButton_Click);
    connect(NotesButton, &QPushButton::clicked, this, &CustomersManagementForm::NotesButton_Click);
    connect(HistoryButton, &QPushButton::clicked, this, &CustomersManagementForm::HistoryButton_Click);
    connect(ExportButton, &QPushButton::clicked, this, &CustomersManagementForm::ExportButton_Click);
    connect(SortButton, &QPushButton::clicked, this, &CustomersManagementForm::SortButton_Click);
    connect(GoButton, &QPushButton::clicked, this, &CustomersManagementForm::PopulateGrid);
    connect(ClearButton, &QPushButton::clicked, this, &CustomersManagementForm::ClearButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, [this] { guarded(kForm, "ExitButton_Click", [&] { reject(); }); });
    connect(CustomersGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { CustomersGrid_DblClick(); });
    // Any change of a filter empties the list until Go is pressed.
    connect(CompanyText, &QLineEdit::textChanged, this, &CustomersManagementForm::emptyGrid);
    connect(SurnameText, &QLineEdit::textChanged, this, &CustomersManagementForm::emptyGrid);
    connect(SuburbCombo, &QComboBox::currentIndexChanged, this, &CustomersManagementForm::emptyGrid);
    connect(CustomerStatusCombo, &QComboBox::currentIndexChanged, this, &CustomersManagementForm::emptyGrid);

    JobsButton->setHidden(!FormRegistry::contains(kJobsForm));
    NotesButton->setHidden(!FormRegistry::contains(kNotesForm));
    HistoryButton->setHidden(!FormRegistry::contains(kHistoryForm));
    ExportButton->setHidden(!FormRegistry::contains(kExportForm));

    guarded(kForm, "Form_Load", [&] {
        ResizeControls(this);
        const CustomerAccess access = CustomerAccess::forLevel(session().currentAuthorityLevel);
        AddButton->setEnabled(access.add);
        ModifyButton->setEnabled(access.modify);
        DeleteButton->setEnabled(access.remove);
        JobsButton->setEnabled(access.jobs);
        NotesButton->setEnabled(access.notes);

        SortCombo->addItems({QStringLiteral("Last Name"), QStringLiteral("First Name"), QStringLiteral("Company Name"),
                             QStringLiteral("Address"), QStringLiteral("Suburb")});
        SortCombo->setCurrentIndex(0);
        SortOrderCombo->addItems({QStringLiteral("Ascending"), QStringLiteral("Descending")});
        SortOrderCombo->setCurrentIndex(0);
        CustomerStatusCombo->addItems({QStringLiteral("Active"), QStringLiteral("Prospective"), QStringLiteral("Inactive")});
        CustomerStatusCombo->setCurrentIndex(-1);
        SuburbCombo->addItems(CustomerListQuery::suburbs());
        SuburbCombo->setCurrentIndex(-1);
        CreateGrid();
    });
}

void CustomersManagementForm::CreateGrid()
{
    guarded(kForm, "CreateGrid", [&] {
        CustomersGrid->setRows(1);
        CustomersGrid->setCols(CustomerListQuery::ColumnCount);
        CustomersGrid->setHeadings({QString(), QStringLiteral("Last Name"), QStringLiteral("First Name"),
                                    QStringLiteral("Company Name"), QStringLiteral("Correspondence Address"),
                                    QStringLiteral("Suburb"), QStringLiteral("Phone"), QString(), QString(), QString()});
        CustomersGrid->setColWidth(0, 0);
        CustomersGrid->setColWidth(1, 1800);
        CustomersGrid->setColWidth(2, 1800);
        CustomersGrid->setColWidth(3, 3200);
        CustomersGrid->setColWidth(4, 3800);
        CustomersGrid->setColWidth(5, 1850);
        // The phone takes what the other columns leave.
        CustomersGrid->setFillColumn(CustomerListQuery::ColPhone);
        CustomersGrid->setColWidth(7, 300, false);
        CustomersGrid->setColWidth(CustomerListQuery::ColKey, 0);
        CustomersGrid->setColWidth(CustomerListQuery::ColStatus, 0);
        for (int c = 1; c <= 6; ++c) {
            CustomersGrid->setCellBold(0, c, true);
            CustomersGrid->setCellAlignment(0, c, FlexGrid::alignmentFromCode(5));
            CustomersGrid->setColAlignment(c, FlexGrid::alignmentFromCode(2));
        }
    });
}

void CustomersManagementForm::emptyGrid()
{
    if (CustomersGrid->rows() > 1)
        CustomersGrid->setRows(1);
}

QString CustomersManagementForm::chosenSuburb() const
{
    // Text typed into the box that is not one of its suburbs sets no condition.
    const int i = SuburbCombo->currentIndex();
    if (i < 0 || SuburbCombo->itemText(i) != SuburbCombo->currentText())
        return QString();
    return SuburbCombo->currentText();
}

void CustomersManagementForm::PopulateGrid()
{
    guarded(kForm, "PopulateGrid", [&] {
        CustomerFilter filter;
        filter.company = CompanyText->text();
        filter.surname = SurnameText->text();
        filter.suburb = chosenSuburb();
        filter.status = CustomerStatusCombo->currentText();
        CustomersGrid->setRows(1);
        QVector<QStringList> rows = CustomerListQuery::rows(filter);
        if (rows.isEmpty()) {
            msgBox(QStringLiteral("No records found"));
        } else {
            {
                FlexGrid::FillScope fill(CustomersGrid);
                CustomersGrid->setData(std::move(rows));
            }
            SortButton_Click();
        }
        CustomersGrid->clearSelectedRow();
    });
}

void CustomersManagementForm::SortButton_Click()
{
    guarded(kForm, "SortButton_Click", [&] {
        if (CustomersGrid->rows() < 2)
            return;
        if (!sortChoiceMade(SortCombo, SortOrderCombo))
            return;
        {
            FlexGrid::FillScope fill(CustomersGrid);
            CustomersGrid->sortByColumn(SortCombo->currentIndex() + 1, SortOrderCombo->currentIndex() == 0);
            CustomerListStyle::apply(*CustomersGrid);
        }
        CustomersGrid->setTopRow(1);
        CustomersGrid->clearSelectedRow();
    });
}

void CustomersManagementForm::ClearButton_Click()
{
    guarded(kForm, "ClearButton_Click", [&] {
        CustomersGrid->setRows(1);
        CompanyText->clear();
        SurnameText->clear();
        for (QComboBox *c : {SuburbCombo, CustomerStatusCombo}) {
            c->setCurrentIndex(-1);
            c->clearEditText();
        }
        SurnameText->setFocus();
    });
}

QList<qint64> CustomersManagementForm::listedCustomerNumbers() const
{
    QList<qint64> out;
    for (int r = 1; r < CustomersGrid->rows(); ++r)
        out << CustomersGrid->textMatrix(r, CustomerListQuery::ColKey).toLongLong();
    return out;
}

qint64 CustomersManagementForm::selectedCustomer(const QString &noSelectionMessage) const
{
    const int row = CustomersGrid->chosenRow(noSelectionMessage);
    return row == 0 ? 0 : CustomersGrid->textMatrix(row, CustomerListQuery::ColKey).toLongLong();
}

void CustomersManagementForm::openCustomer(const QString &tag)
{
    auto *dialog = new CustomerAddModifyForm(this);
    dialog->Tag = tag;
    connect(dialog, &CustomerAddModifyForm::saved, this, &CustomersManagementForm::PopulateGrid);
    showModal(dialog);
    delete dialog;
}

void CustomersManagementForm::openOther(const QString &formName, const QString &tag)
{
    if (FormRegistry::contains(formName))
        FormRegistry::open(formName, tag, this);
}

void CustomersManagementForm::AddButton_Click()
{
    guarded(kForm, "AddButton_Click", [&] { openCustomer(QStringLiteral("Add")); });
}

void CustomersManagementForm::ModifyButton_Click()
{
    guarded(kForm, "ModifyButton_Click", [&] {
        if (const qint64 n = selectedCustomer(QStringLiteral("Please select the Customer to be modified")))
            openCustomer(QStringLiteral("Modify~") + QString::number(n));
    });
}

void CustomersManagementForm::ViewButton_Click()
{
    guarded(kForm, "ViewButton_Click", [&] {
        if (const qint64 n = selectedCustomer(QStringLiteral("Please select the Customer to be viewed")))
            openCustomer(QStringLiteral("View~") + QString::number(n));
    });
}

void CustomersManagementForm::CustomersGrid_DblClick()
{
    guarded(kForm, "CustomersGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

void CustomersManagementForm::DeleteButton_Click()
{
    guarded(kForm, "DeleteButton_Click", [&] {
        const qint64 n = selectedCustomer(QStringLiteral("Please select the Customer to be deleted"));
        if (!n)
            return;
        const QString name = CustomersGrid->textMatrix(CustomersGrid->selectedRow(), CustomerListQuery::ColSurname);
        removeCustomer(n, name);
    });
}

bool CustomersManagementForm::inactivate(qint64 number, const QString &name)
{
    if (!askYesNo(CustomerRemoval::inactivateQuestion(name)))
        return false;
    CustomerRemoval::makeInactive(number);
    msgBox(QStringLiteral("Customer set to Inactive"));
    return true;
}

void CustomersManagementForm::removeCustomer(qint64 number, const QString &name)
{
    // A customer whose jobs were ever scheduled stays, inactive, so the
    // schedules that hold his jobs stay whole.
    if (CustomerRemoval::scheduledJobCount(number) > 0) {
        if (!inactivate(number, name))
            return;
    } else {
        if (!askYesNo(CustomerRemoval::deleteQuestion(name)))
            return;
        if (CustomerRemoval::deletePermanently(number) == CustomerRemoval::DeleteResult::Scheduled) {
            if (!inactivate(number, name))
                return;
        } else {
            msgBox(QStringLiteral("Customer deleted"));
        }
    }
    PopulateGrid();
}

void CustomersManagementForm::JobsButton_Click()
{
    guarded(kForm, "JobsButton_Click", [&] {
        if (const qint64 n = selectedCustomer(QStringLiteral("Please select the Customer first")))
            openOther(kJobsForm, QStringLiteral("CustomersManagement~") + QString::number(n));
    });
}

void CustomersManagementForm::NotesButton_Click()
{
    guarded(kForm, "NotesButton_Click", [&] {
        if (const qint64 n = selectedCustomer(QStringLiteral("Please select the Customer first")))
            openOther(kNotesForm, QStringLiteral("Customer~") + QString::number(n));
    });
}

void CustomersManagementForm::HistoryButton_Click()
{
    guarded(kForm, "HistoryButton_Click", [&] {
        const qint64 n = selectedCustomer(QStringLiteral("Please select the Customer first"));
        if (!n)
            return;
        if (CustomerRemoval::scheduledJobsBeforeToday(n) == 0) {
            msgBox(QStringLiteral("The selected Customer has had no jobs scheduled before today"));
            return;
        }
        openOther(kHistoryForm, QString::number(n));
    });
}

void CustomersManagementForm::ExportButton_Click()
{
    guarded(kForm, "ExportButton_Click", [&] {
        if (CustomersGrid->rows() < 2)
            return;
        // The export window asks for the columns; the listed customers are
        // written in the grid's order.
        FieldCount = ExportChoiceForm::chooseColumns(FormRegistry::create(kExportForm, this));
        if (FieldCount == 0)
            return;
        const QString path = CsvExport::askFileName(this);
        if (path.isEmpty())
            return; // Cancel: nothing happens
        const QList<qint64> numbers = listedCustomerNumbers();
        guarded(kForm, "ExportCsvFile", [&] { CustomerExport::ExportCsvFile(path, numbers); });
    });
}

} // namespace wvs
