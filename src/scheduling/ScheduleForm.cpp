#include "scheduling/ScheduleForm.h"
#include "admin/AccessRights.h"
#include "admin/PreferenceSettings.h"
#include "common/AutoCompleteComboModule.h"
#include "common/CsvExport.h"
#include "common/Formats.h"
#include "common/ResizeControlsModule.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "output/ScheduleEmailForm.h"
#include "output/ScheduleExportForm.h"
#include "output/EmailDelivery.h"
#include "output/JobSchedulePrintout.h"
#include "output/PreviewScheduleForm.h"
#include "output/SchedulePrintForm.h"
#include "platform/Printers.h"
#include "platform/FlexGrid.h"
#include "common/SortChoiceCheck.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/WaitCursor.h"
#include "scheduling/ScheduleClosing.h"
#include "scheduling/ScheduleExport.h"
#include "scheduling/ScheduleGrid.h"
#include "scheduling/ScheduleJobNoteForm.h"
#include "scheduling/ScheduleLocks.h"
#include "scheduling/SchedulePublishing.h"
#include "portal/PortalForm.h"
#include "scheduling/ScheduleRecords.h"
#include "scheduling/ScheduleSortKeys.h"
#include "scheduling/ScheduleStatus.h"
#include "scheduling/ScheduledJobUpdates.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSqlQuery>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <future>
#include <optional>

namespace wvs {

WVS_REGISTER_FORM(ScheduleForm);

namespace {

using namespace ScheduleGrid;

void setTextColour(QLabel *label, const QColor &c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

} // namespace

ScheduleForm::ScheduleForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("ScheduleForm"));
    setWindowTitle(QStringLiteral("Job Schedule"));
    buildControls();
    Form_Load();
}

void ScheduleForm::buildControls()
{
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        return l;
    };
    auto button = [this](const char *name, const char *caption) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    };
    auto combo = [this](const char *name, int width) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromUtf8(name));
        c->setMinimumWidth(width);
        return c;
    };
    auto tool = [this](const char *name, const char *tip) {
        auto *t = new QToolButton(this);
        t->setObjectName(QString::fromUtf8(name));
        t->setToolTip(QString::fromUtf8(tip));
        t->setAutoRaise(true);
        return t;
    };

    AssociateLabel = label("AssociateLabel", QStringLiteral("Associate"));
    AssociateCombo = combo("AssociateCombo", 200);
    installAutoMatch(AssociateCombo);
    GoButton = button("GoButton", "&Go");
    Sort1Label = label("Sort1Label", QStringLiteral("Sort 1"));
    Sort1Combo = combo("Sort1Combo", 130);
    Sort1OrderCombo = combo("Sort1OrderCombo", 100);
    Sort2Label = label("Sort2Label", QStringLiteral("2"));
    Sort2Combo = combo("Sort2Combo", 130);
    Sort2OrderCombo = combo("Sort2OrderCombo", 100);
    SortButton = button("SortButton", "S&ort");
    Label1 = label("Label1", QStringLiteral("Scheduled Jobs"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    ScheduleGrid = new FlexGrid(this);
    ScheduleGrid->setObjectName(QStringLiteral("ScheduleGrid"));
    StatusLabel = label("StatusLabel", QStringLiteral("Status: "));
    StatusLabel->setFont(bold);
    ExpandImage = tool("ExpandImage", "Expand the screen");
    ExpandImage->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    {
        // Once the window is expanded the icon goes, but the row keeps its
        // place so the status does not move.
        QSizePolicy keep = ExpandImage->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        ExpandImage->setSizePolicy(keep);
    }
    UpButton = tool("UpButton", "Move job up");
    UpButton->setArrowType(Qt::UpArrow);
    DownButton = tool("DownButton", "Move job down");
    DownButton->setArrowType(Qt::DownArrow);
    UpButton->setMinimumSize(30, 26);
    DownButton->setMinimumSize(30, 26);
    ViewButton = button("ViewButton", "&View");
    ModifyButton = button("ModifyButton", "&Modify");
    AddButton = button("AddButton", "&Add");
    DeleteButton = button("DeleteButton", "&Delete");
    ExcludeButton = button("ExcludeButton", "E&xclude");
    CloseButton = button("CloseButton", "&Close");
    PrintButton = button("PrintButton", "&Print");
    EmailButton = button("EmailButton", "Emai&l");
    ExportButton = button("ExportButton", "Expo&rt");
    PublishButton = button("PublishButton", "Pu&blish On Portal");
    UpdateButton = button("UpdateButton", "&Update From Portal");
    ExitButton = button("ExitButton", "&Exit");
    // Printing and e-mail are offered only for a stored schedule (shown once it is read).
    PrintButton->setVisible(false);
    EmailButton->setVisible(false);

    CheckImage = label("CheckImage", QString());
    CheckImage->setPixmap(checkPicture());
    CheckImage->setVisible(false);
    NoCheckImage = label("NoCheckImage", QString());
    NoCheckImage->setPixmap(noCheckPicture());
    NoCheckImage->setVisible(false);
    StagingLabel = label("StagingLabel", QStringLiteral("Staging label"));
    StagingLabel->setFont(QFont(QStringLiteral("Arial"), 9));
    StagingLabel->setWordWrap(true);
    StagingLabel->setVisible(false);
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    auto *top = new QHBoxLayout;
    top->addWidget(AssociateLabel);
    top->addWidget(AssociateCombo);
    top->addWidget(GoButton);
    top->addStretch();
    top->addWidget(StatusLabel);
    top->addSpacing(12);
    top->addWidget(ExpandImage);

    auto *sort = new QHBoxLayout;
    sort->addWidget(Sort1Label);
    sort->addWidget(Sort1Combo);
    sort->addWidget(Sort1OrderCombo);
    sort->addSpacing(8);
    sort->addWidget(Sort2Label);
    sort->addWidget(Sort2Combo);
    sort->addWidget(Sort2OrderCombo);
    sort->addWidget(SortButton);
    sort->addStretch();
    sort->addWidget(UpButton);
    sort->addWidget(DownButton);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {ViewButton, ModifyButton, AddButton, DeleteButton, ExcludeButton})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton *b : {CloseButton, PrintButton, EmailButton, ExportButton, PublishButton, UpdateButton, ExitButton})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label1);
    layout->addWidget(ScheduleGrid, 1);
    layout->addLayout(sort);
    layout->addWidget(Line1);
    layout->addLayout(buttons);
    // Wide enough for the grid's columns at their designed widths.
    resize(1040, 640);

    connect(GoButton, &QPushButton::clicked, this, &ScheduleForm::GoButton_Click);
    connect(SortButton, &QPushButton::clicked, this, &ScheduleForm::SortButton_Click);
    connect(AddButton, &QPushButton::clicked, this, &ScheduleForm::AddButton_Click);
    connect(ModifyButton, &QPushButton::clicked, this, &ScheduleForm::ModifyButton_Click);
    connect(ViewButton, &QPushButton::clicked, this, &ScheduleForm::ViewButton_Click);
    connect(DeleteButton, &QPushButton::clicked, this, &ScheduleForm::DeleteButton_Click);
    connect(ExcludeButton, &QPushButton::clicked, this, &ScheduleForm::ExcludeButton_Click);
    connect(CloseButton, &QPushButton::clicked, this, &ScheduleForm::CloseButton_Click);
    connect(PrintButton, &QPushButton::clicked, this, &ScheduleForm::PrintButton_Click);
    connect(UpButton, &QToolButton::clicked, this, &ScheduleForm::UpButton_Click);
    connect(DownButton, &QToolButton::clicked, this, &ScheduleForm::DownButton_Click);
    connect(ExpandImage, &QToolButton::clicked, this, &ScheduleForm::ExpandImage_Click);
    connect(ExitButton, &QPushButton::clicked, this, &ScheduleForm::ExitButton_Click);
    connect(EmailButton, &QPushButton::clicked, this, &ScheduleForm::EmailButton_Click);
    connect(ExportButton, &QPushButton::clicked, this, &ScheduleForm::ExportButton_Click);
    connect(PublishButton, &QPushButton::clicked, this, &ScheduleForm::PublishButton_Click);
    connect(UpdateButton, &QPushButton::clicked, this, &ScheduleForm::UpdateButton_Click);
    connect(ScheduleGrid, &FlexGrid::rowClicked, this, &ScheduleForm::ScheduleGrid_Click);
    connect(ScheduleGrid, &FlexGrid::rowDoubleClicked, this, [this](int, int) { ScheduleGrid_DblClick(); });
    connect(ScheduleGrid, &FlexGrid::rowRightClicked, this,
            [this](int row, int col, const QPoint &) { ScheduleGrid_MouseDown(Qt::RightButton, row, col); });
    // The Exclude button offers what the selected row needs, however it was selected.
    connect(ScheduleGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    ScheduleGrid_Click(current.row() + 1, ColCustomer);
            });
    connect(Sort1Combo, &QComboBox::currentIndexChanged, this, [this] { Sort1Combo_Click(); });
    connect(Sort1OrderCombo, &QComboBox::currentIndexChanged, this, [this] { Sort1OrderCombo_Click(); });
    connect(AssociateCombo, &QComboBox::currentIndexChanged, this, [this] { AssociateCombo_Click(); });
}

void ScheduleForm::Form_Load()
{
    guarded("ScheduleForm", "Form_Load", [&] {
        ResizeControls(this);
        const int level = session().currentAuthorityLevel;
        CanAddNotes = AccessRights::allows(level, RightsArea::JobSchedules, AreaCommand::AddNotes);
        CanEdit = AccessRights::allows(level, RightsArea::JobSchedules, AreaCommand::Publish);
        JobAccess = jobRights(level);
        ViewButton->setEnabled(JobAccess.view);
        Sort1Combo->addItems(ScheduleSortKeys::captions());
        Sort1Combo->setCurrentIndex(0);
        Sort1OrderCombo->addItems({QStringLiteral("Ascending"), QStringLiteral("Descending")});
        Sort1OrderCombo->setCurrentIndex(1);
        ScheduleGrid::create(ScheduleGrid);
    });
}

bool ScheduleForm::storedSchedule() const
{
    return Status == QLatin1String("Closed") || Status == QLatin1String("Published");
}

void ScheduleForm::firstActivate()
{
    guarded("ScheduleForm", "Form_Activate", [&] {
        const QStringList parts = tagParts();
        if (!Tag.startsWith(QLatin1String("View")) && !Tag.startsWith(QLatin1String("Modify")))
            return;
        FormMode = Tag.startsWith(QLatin1String("Modify")) ? QStringLiteral("Modify") : QStringLiteral("View");
        ScheduleNumber = parts.value(1).toLongLong();
        const std::optional<ScheduleHeader> header = ScheduleRecords::load(ScheduleNumber);
        if (!header) {
            msgBox(QStringLiteral("The Schedule no longer exists"));
            reject();
            return;
        }
        FromDate = header->fromDate;
        ToDate = header->toDate;
        Status = header->status;
        // The period reads as on the schedule's printout.
        setWindowTitle(QStringLiteral("Job Schedule From: ") + Formats::toShortDate(FromDate) +
                       QStringLiteral(" To: ") + Formats::toShortDate(ToDate));
        if (storedSchedule() || FormMode == QLatin1String("View"))
            DisableSchedule();
        else
            EnableSchedule();

        // The associate filter: every associate, active or not.
        AssociateCombo->blockSignals(true);
        AssociateCombo->clear();
        AssociateIDs = {QStringLiteral("<All>")};
        AssociateCombo->addItem(QStringLiteral("<All>"));
        for (const ScheduleAssociate &a : ScheduleRecords::associates()) {
            AssociateIDs << a.id;
            AssociateCombo->addItem(a.name);
        }
        AssociateCombo->setCurrentIndex(0);
        AssociateCombo->blockSignals(false);

        const std::optional<PreferenceValues> prefs = PreferenceSettings::load();
        const bool portal = prefs && prefs->portal && CanEdit;
        if (storedSchedule()) {
            PublishButton->setVisible(true);
            UpdateButton->setVisible(true);
            PublishButton->setEnabled(portal);
            UpdateButton->setEnabled(portal && Status == QLatin1String("Published"));
            setTextColour(StatusLabel, scheduleStatusColour(Status));
            Sort1Combo->setCurrentIndex(-1);
            Sort1OrderCombo->setCurrentIndex(-1);
            PopulateSort2Combos();
        } else {
            PublishButton->setVisible(false);
            UpdateButton->setVisible(false);
            setTextColour(StatusLabel, scheduleStatusColour(QStringLiteral("Open")));
            Sort1Combo->setCurrentIndex(int(ScheduleSortKeys::captions().indexOf(QStringLiteral("Service Date"))));
            Sort1OrderCombo->setCurrentIndex(0);
            PopulateSort2Combos();
        }
        UpButton->setVisible(storedSchedule());
        DownButton->setVisible(storedSchedule());
        EmailButton->setVisible(storedSchedule());
        PrintButton->setVisible(storedSchedule());
        StatusLabel->setText(QStringLiteral("Status: ") + Status);

        // A schedule whose lock row cannot be written is not opened: another
        // associate's portal retrieval would not know that it is open here.
        if (!guarded("ScheduleForm", "Form_Activate",
                     [&] { ScheduleLocks::lock(ScheduleNumber, session().currentAssociateID); })) {
            left_ = true;   // nothing of this opening is left to store
            reject();
            return;
        }
        GoButton_Click();
    });
}

void ScheduleForm::DisableSchedule()
{
    for (QPushButton *b : {AddButton, ModifyButton, DeleteButton, ExcludeButton})
        b->setEnabled(false);
    if (!storedSchedule()) {
        CloseButton->setText(QStringLiteral("&Close"));
        CloseButton->setEnabled(false);
    } else {
        CloseButton->setText(QStringLiteral("&Save"));
        CloseButton->setEnabled(true);
    }
}

void ScheduleForm::EnableSchedule()
{
    for (QPushButton *b : {ExcludeButton, CloseButton})
        b->setEnabled(true);
    // The customer jobs are their own area's: changing them here asks what
    // the customer-job list asks.
    AddButton->setEnabled(JobAccess.add);
    ModifyButton->setEnabled(JobAccess.change);
    DeleteButton->setEnabled(JobAccess.change);
    CloseButton->setText(QStringLiteral("&Close"));
}

// ---- Sorting and the associate filter ---------------------------------------

void ScheduleForm::PopulateSort2Combos()
{
    Sort2Combo->clear();
    Sort2OrderCombo->clear();
    const QStringList captions = ScheduleSortKeys::captions();
    for (int i = 0; i < captions.size(); ++i)
        if (i != Sort1Combo->currentIndex())
            Sort2Combo->addItem(captions.at(i));
    Sort2OrderCombo->addItems({QStringLiteral("Ascending"), QStringLiteral("Descending")});
    Sort2Combo->setCurrentIndex(-1);
    Sort2OrderCombo->setCurrentIndex(-1);
}

void ScheduleForm::Sort1Combo_Click()
{
    guarded("ScheduleForm", "Sort1Combo_Click", [&] {
        if (Sort1OrderCombo->currentIndex() >= 0)
            PopulateSort2Combos();
    });
}

void ScheduleForm::Sort1OrderCombo_Click()
{
    guarded("ScheduleForm", "Sort1OrderCombo_Click", [&] {
        if (Sort1Combo->currentIndex() >= 0)
            PopulateSort2Combos();
    });
}

void ScheduleForm::SortButton_Click()
{
    guarded("ScheduleForm", "SortButton_Click", [&] {
        if (ScheduleGrid->rows() < 2)
            return;
        if (!sortChoiceMade(Sort1Combo, Sort1OrderCombo))
            return;
        ResortOnly = true;
        PopulateGrid();
        ResortOnly = false;
    });
}

void ScheduleForm::AssociateCombo_Click()
{
    guarded("ScheduleForm", "AssociateCombo_Click", [&] { ScheduleGrid->setRows(1); });
}

void ScheduleForm::GoButton_Click()
{
    guarded("ScheduleForm", "GoButton_Click", [&] { PopulateGrid(); });
}

// ---- Filling the grid ------------------------------------------------------------

void ScheduleForm::PopulateGrid()
{
    guarded("ScheduleForm", "PopulateGrid", [&] {
        const bool stored = storedSchedule();
        if (!ResortOnly) {
            const QString filter = chosenAssociate();
            ScheduleHeader header;
            header.number = ScheduleNumber;
            header.fromDate = FromDate;
            header.toDate = ToDate;
            header.status = Status;
            // While the database stages the generated rows, another thread
            // lays them out for the grid in the order chosen.
            const ScheduleSortKeys::Choice choice = sortChoice();
            const FillLayout layout = layoutOf(ScheduleGrid);
            const QString country = session().installationCountry;
            QList<int> order;
            std::future<FillData> laidOut;
            auto layOut = [&](const QList<StagedJob> &rows) {
                order = ScheduleSortKeys::order(rows, choice);
                auto work = [rows = QList<StagedJob>(rows), order, layout, stored, country]() mutable {
                    FillData data = prepare(layout, rows, order, stored, country);
                    rows = {};   // the window's copy stays the only one
                    return data;
                };
                laidOut = std::async(std::launch::async, std::move(work));
            };
            PopulateResult result;
            {
                WaitCursor wait;
                result = ScheduleGeneration::populate(header, session().currentAssociateID, filter,
                                                      AppDatabase::db(), layOut);
            }
            JobsArray = std::move(result.jobs);
            SeqNoArray = std::move(result.seqNos);
            StagedRows = std::move(result.rows);
            UpButton->setVisible(stored);
            DownButton->setVisible(stored);
            if (JobsArray.isEmpty()) {
                ScheduleGrid->setRows(1);
                msgBox(QStringLiteral("No jobs found"));
                return;
            }
            if (laidOut.valid()) {
                WaitCursor wait;
                FillData data = laidOut.get();
                showRows(order, &data);
            } else {
                showStagedRows();
            }
        } else {
            showStagedRows();
        }
        if (ScheduleGrid->rows() < 2)
            msgBox(QStringLiteral("No jobs found"));
    });
}

QString ScheduleForm::chosenAssociate() const
{
    const int index = AssociateCombo->currentIndex();
    return index >= 1 && index < AssociateIDs.size() ? AssociateIDs.at(index) : QString();
}

ScheduleSortKeys::Choice ScheduleForm::sortChoice() const
{
    auto chosen = [](const QComboBox *box) { return box->currentIndex() >= 0 ? box->currentText() : QString(); };
    return {chosen(Sort1Combo), chosen(Sort1OrderCombo), chosen(Sort2Combo), chosen(Sort2OrderCombo)};
}

void ScheduleForm::showStagedRows()
{
    WaitCursor wait;
    showRows(ScheduleSortKeys::order(StagedRows, sortChoice()), nullptr);
}

// Shows the staged rows in the given order (positions in StagedRows), from
// rows already laid out in that order when given.
void ScheduleForm::showRows(const QList<int> &order, FillData *laidOut)
{
    if (!laidOut && ResortOnly && resortShownRows(order)) {
        // A re-sort draws every row in the standard colours again.
        shade(ScheduleGrid);
    } else {
        shownRecords_.clear();
        shownRecords_.reserve(order.size());
        for (int p : order)
            shownRecords_.append(StagedRows.at(p).recordNumber);
        if (laidOut)
            apply(ScheduleGrid, std::move(*laidOut));
        else
            fill(ScheduleGrid, StagedRows, order, storedSchedule(), session().installationCountry);
    }
    repaintExclusions();
    ScheduleGrid->clearSelectedRow();
}

// The grid's rows already hold every staged row: a re-sort only puts them in
// the new order, with their done marks and heights.
bool ScheduleForm::resortShownRows(const QList<int> &order)
{
    const int shown = ScheduleGrid->rows() - 1;
    if (shown < 1 || shown != StagedRows.size() || shown != shownRecords_.size() ||
        rowRecord(1) != shownRecords_.first() || rowRecord(shown) != shownRecords_.last())
        return false;
    QList<int> rowOfRecord(StagedRows.size() + 1, 0);
    for (int r = 1; r <= shown; ++r) {
        const int record = shownRecords_.at(r - 1);
        if (record < 1 || record > StagedRows.size() || rowOfRecord.at(record) != 0)
            return false;
        rowOfRecord[record] = r;
    }
    QList<int> rowsInOrder;
    rowsInOrder.reserve(order.size());
    for (int p : order)
        rowsInOrder.append(rowOfRecord.at(p + 1));   // StagedRows holds RecordNumber p + 1 at p
    if (!ScheduleGrid->reorderRows(rowsInOrder))
        return false;
    QList<int> records;
    records.reserve(shown);
    for (int r : std::as_const(rowsInOrder))
        records.append(shownRecords_.at(r - 1));
    shownRecords_ = std::move(records);
    return true;
}

int ScheduleForm::rowRecord(int row) const { return ScheduleGrid->textMatrix(row, ColRecordNumber).toInt(); }

void ScheduleForm::setRowDone(int row, bool done)
{
    setDoneMark(ScheduleGrid, row, done);
    const int record = rowRecord(row);
    if (record >= 1 && record <= StagedRows.size())
        StagedRows[record - 1].done = done ? 0 : 1;
}

void ScheduleForm::repaintExclusions()
{
    QSet<QPair<qint64, qint64>> excluded;
    for (const ScheduleEntry &e : std::as_const(JobsArray))
        if (e.excluded)
            excluded.insert({e.jobSeqNo, e.serviceDate.toJulianDay()});
    if (excluded.isEmpty())
        return;
    for (int r = 1; r < ScheduleGrid->rows(); ++r)
        if (excluded.contains({rowJob(r), rowDate(r).toJulianDay()}))
            paintExcluded(ScheduleGrid, r, true);
}

QDate ScheduleForm::rowDate(int row) const
{
    return Formats::fromStoredDate(ScheduleGrid->textMatrix(row, ColServiceDate));
}

qint64 ScheduleForm::rowJob(int row) const { return ScheduleGrid->textMatrix(row, ColJobSeqNo).toLongLong(); }

int ScheduleForm::findEntry(int row) const
{
    const qint64 job = rowJob(row);
    const QDate date = rowDate(row);
    for (int i = 0; i < JobsArray.size(); ++i)
        if (JobsArray.at(i).jobSeqNo == job && JobsArray.at(i).serviceDate == date)
            return i;
    return -1;
}

// ---- Customer jobs from the schedule -----------------------------------------------

void ScheduleForm::openJobDialog(const QString &tag, bool asCaller)
{
    auto *dialog = new CustomerJobAddModifyForm(this);
    if (asCaller) {
        dialog->Caller = QStringLiteral("Schedule");
        dialog->Opener = this;
    }
    dialog->Tag = tag;
    showModal(dialog);
    delete dialog;
}

void ScheduleForm::AddButton_Click()
{
    guarded("ScheduleForm", "AddButton_Click", [&] {
        JobAdded = false;
        openJobDialog(QStringLiteral("Add~0~"), true);
        if (JobAdded)
            PopulateGrid();
    });
}

void ScheduleForm::ModifyButton_Click()
{
    guarded("ScheduleForm", "ModifyButton_Click", [&] {
        const int row = ScheduleGrid->selectedRow();
        if (row == 0) {
            msgBox(QStringLiteral("Please select the Job to modify"));
            return;
        }
        if (ScheduleGrid->textMatrix(row, ColDoneFlag).toInt() == 1) {
            msgBox(QStringLiteral("The selected Customer Job has been marked as done and therefore cannot be modified"));
            return;
        }
        JobModified = false;
        openJobDialog(QStringLiteral("Modify~") + ScheduleGrid->textMatrix(row, ColJobSeqNo) + QLatin1Char('~') +
                          ScheduleGrid->textMatrix(row, ColAddressKey),
                      true);
        if (JobModified)
            PopulateGrid();
    });
}

void ScheduleForm::ViewButton_Click()
{
    guarded("ScheduleForm", "ViewButton_Click", [&] {
        const int row = ScheduleGrid->selectedRow();
        if (row == 0) {
            msgBox(QStringLiteral("Please select the Job to view"));
            return;
        }
        openJobDialog(QStringLiteral("View~") + ScheduleGrid->textMatrix(row, ColJobSeqNo) + QLatin1Char('~') +
                          ScheduleGrid->textMatrix(row, ColAddressKey),
                      false);
    });
}

void ScheduleForm::DeleteButton_Click()
{
    guarded("ScheduleForm", "DeleteButton_Click", [&] {
        const int row = ScheduleGrid->selectedRow();
        if (row == 0) {
            msgBox(QStringLiteral("Please select the Job to delete"));
            return;
        }
        if (ScheduleGrid->textMatrix(row, ColDoneFlag) == QLatin1String("1")) {
            msgBox(QStringLiteral("The selected Customer Job has been marked as done and therefore cannot be deleted"));
            return;
        }
        const qint64 job = rowJob(row);
        const QString refusal = ScheduledJobUpdates::deleteJobRefusal(job);
        if (!refusal.isEmpty()) {
            msgBox(refusal);
            return;
        }
        if (!askYesNo(QStringLiteral("Are you sure you want to PERMANENTLY delete the selected Customer Job and any "
                                     "notes which may have been made?")))
            return;
        ScheduledJobUpdates::deleteJob(job);
        PopulateGrid();
        msgBox(QStringLiteral("Customer Job deleted"));
    });
}

// ---- Excluding, closing and the order ----------------------------------------------

void ScheduleForm::ExcludeButton_Click()
{
    guarded("ScheduleForm", "ExcludeButton_Click", [&] {
        const int row = ScheduleGrid->selectedRow();
        if (row == 0) {
            msgBox(QStringLiteral("Please select the Job to exclude/include"));
            return;
        }
        const bool exclude = ExcludeButton->text() == QLatin1String("E&xclude");
        const int entry = findEntry(row);
        if (entry >= 0)
            JobsArray[entry].excluded = exclude;
        paintExcluded(ScheduleGrid, row, exclude);
        // The caption now offers what a second press does.
        ExcludeButton->setText(exclude ? QStringLiteral("&Include") : QStringLiteral("E&xclude"));
    });
}

void ScheduleForm::CloseButton_Click()
{
    guarded("ScheduleForm", "CloseButton_Click", [&] {
        if (CloseButton->text() == QLatin1String("&Save")) {
            SaveOrder();
            return;
        }
        if (CloseButton->text() != QLatin1String("&Close"))
            return;
        const QString question =
            AssociateCombo->currentIndex() >= 1
                ? QStringLiteral("The Schedule for ALL jobs will now be closed, not just those for ") +
                      AssociateCombo->currentText() + QStringLiteral(".\r\nDo you wish to continue?")
                : QStringLiteral("The Schedule will now be closed - do you wish to continue?");
        if (!askYesNo(question))
            return;
        ScheduleWriteOutcome out;
        {
            WaitCursor wait;
            out = ScheduleClosing::close(ScheduleNumber, JobsArray);
        }
        if (!out.done) {
            msgBox(out.message);
            return;
        }
        JobAdded = false;
        JobModified = false;
        // The occurrences are stored: should leaving have to wait, nothing
        // here offers to change or close the schedule again.
        for (QPushButton *b : {AddButton, ModifyButton, DeleteButton, ExcludeButton, CloseButton})
            b->setEnabled(false);
        emit scheduleClosed();
        msgBox(QStringLiteral("Schedule closed"));
        ExitButton_Click();
    });
}

void ScheduleForm::SaveOrder()
{
    QList<OrderRow> rows;
    rows.reserve(ScheduleGrid->rows() - 1);
    for (int r = 1; r < ScheduleGrid->rows(); ++r)
        rows.append({rowJob(r), rowDate(r), ScheduleGrid->textMatrix(r, ColSeqNo).toInt(), rowRecord(r)});
    ScheduleWriteOutcome out;
    {
        WaitCursor wait;
        out = ScheduleClosing::saveOrder(ScheduleNumber, session().currentAssociateID, rows, SeqNoArray);
    }
    if (!out.done) {
        msgBox(out.message);
        return;
    }
    for (int r = 1; r < ScheduleGrid->rows(); ++r) {
        ScheduleGrid->setTextMatrix(r, ColSeqNo, QString::number(SeqNoArray.at(r - 1)));
        const int record = rowRecord(r);
        if (record >= 1 && record <= StagedRows.size())
            StagedRows[record - 1].scheduleSeqNo = SeqNoArray.at(r - 1);
    }
    msgBox(QStringLiteral("Schedule saved"));
}

void ScheduleForm::moveRow(int step)
{
    const int row = ScheduleGrid->selectedRow();
    const int other = row + step;
    if (ScheduleGrid->rows() < 2 || row == 0 || other < 1 || other >= ScheduleGrid->rows())
        return;
    // The row takes its text colours with it (an excluded or as-required job
    // stays marked); the stripes are then laid again by position.
    ScheduleGrid->swapRows(row, other, true);
    if (row <= shownRecords_.size() && other <= shownRecords_.size())
        shownRecords_.swapItemsAt(row - 1, other - 1);
    ScheduleGrid->stripe();
    ScheduleGrid->selectRow(other);
    ScheduleGrid->setFocus();
}

void ScheduleForm::UpButton_Click()
{
    guarded("ScheduleForm", "UpButton_Click", [&] { moveRow(-1); });
}

void ScheduleForm::DownButton_Click()
{
    guarded("ScheduleForm", "DownButton_Click", [&] { moveRow(1); });
}

// ---- The grid's mouse --------------------------------------------------------------

void ScheduleForm::ScheduleGrid_Click(int row, int col)
{
    guarded("ScheduleForm", "ScheduleGrid_Click", [&] {
        if (row < 1 || row >= ScheduleGrid->rows())
            return;
        if (col != ColDone) {
            ExcludeButton->setText(ScheduleGrid->cellForeColor(row, col) == excludedColour()
                                       ? QStringLiteral("&Include")
                                       : QStringLiteral("E&xclude"));
            return;
        }
        // Done marks belong to stored schedules and need the right to add notes.
        if (!storedSchedule() || !CanAddNotes)
            return;
        const qint64 job = rowJob(row);
        const QDate date = rowDate(row);
        const bool done = !showsDone(ScheduleGrid, row);
        const ScheduledJobUpdates::StagedRowKey staged{session().currentAssociateID, rowRecord(row)};
        const ScheduledJobUpdates::MarkOutcome out =
            done ? ScheduledJobUpdates::markDone(ScheduleNumber, job, date, ScheduleGrid->textMatrix(row, ColAssociate),
                                                 staged)
                 : ScheduledJobUpdates::markNotDone(ScheduleNumber, job, date, staged);
        if (out.marked || out.doneElsewhere)
            setRowDone(row, done);
        if (!out.marked)
            msgBox(out.message);
    });
}

void ScheduleForm::ScheduleGrid_MouseDown(Qt::MouseButton button, int row, int col)
{
    guarded("ScheduleForm", "ScheduleGrid_MouseDown", [&] {
        if (!CanAddNotes || !storedSchedule() || button != Qt::RightButton || col != ColDone || row < 1 ||
            row >= ScheduleGrid->rows())
            return;
        JobNoteResult = 0;
        const qint64 job = rowJob(row);
        const QDate date = rowDate(row);
        auto *note = new ScheduleJobNoteForm(this);
        note->Tag = QString::number(ScheduleNumber) + QLatin1Char('~') + Formats::toStoredDate(date) +
                    QLatin1Char('~') + QString::number(job);
        showModal(note);
        JobNoteResult = note->JobNoteResult;
        delete note;
        if (JobNoteResult == 1 || JobNoteResult == 2) {
            const bool done = JobNoteResult == 1;
            setRowDone(row, done);
            ScheduledJobUpdates::setStagedDone({session().currentAssociateID, rowRecord(row)}, done);
        }
    });
}

void ScheduleForm::ScheduleGrid_DblClick()
{
    guarded("ScheduleForm", "ScheduleGrid_DblClick", [&] {
        if (ModifyButton->isEnabled())
            ModifyButton_Click();
    });
}

// ---- E-mail and export ----------------------------------------------------------

void ScheduleForm::EmailButton_Click()
{
    guarded("ScheduleForm", "EmailButton_Click", [&] {
        if (ScheduleGrid->rows() < 2)
            return;
        if (!EmailDelivery::mailProgramReady())
            return;
        const QString associate = chosenAssociate();
        ScheduleEmailForm form(this);
        form.Tag = QString::number(ScheduleNumber) + QLatin1Char('~') + associate;
        showModal(&form);
    });
}

void ScheduleForm::ExportButton_Click()
{
    guarded("ScheduleForm", "ExportButton_Click", [&] {
        if (ScheduleGrid->rows() < 2)
            return;
        ExportFieldCount = ExportChoiceForm::chooseColumns(new ScheduleExportForm(this));
        if (ExportFieldCount == 0)
            return;
        const QString path = CsvExport::askFileName(this);
        if (path.isEmpty())
            return; // Cancel: no file, no message
        ExportCsvFile(path);
    });
}

void ScheduleForm::ExportCsvFile(const QString &fileName)
{
    guarded("ScheduleForm", "ExportCsvFile", [&] {
        // The rows as the grid shows them now, top to bottom.
        QList<ScheduleExportRow> rows;
        rows.reserve(ScheduleGrid->rows() - 1);
        for (int r = 1; r < ScheduleGrid->rows(); ++r) {
            ScheduleExportRow row;
            row.associate = ScheduleGrid->textMatrix(r, ColAssociate);
            row.serviceDate = ScheduleGrid->textMatrix(r, ColDate);
            row.phone = ScheduleGrid->textMatrix(r, ColPhone);
            row.jobType = ScheduleGrid->textMatrix(r, ColJobType);
            row.cost = ScheduleGrid->textMatrix(r, ColCost);
            row.comments = ScheduleGrid->textMatrix(r, ColComments);
            row.jobSeqNo = ScheduleGrid->textMatrix(r, ColJobSeqNo).toLongLong();
            rows.append(row);
        }
        if (ScheduleExport::write(fileName, rows))
            CsvExport::offerToOpen(fileName);
    });
}

// ---- Expanding and leaving ------------------------------------------------------

void ScheduleForm::ExpandImage_Click()
{
    guarded("ScheduleForm", "ExpandImage_Click", [&] {
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            // 1500 twips short of the screen's height.
            const int height = screen->availableGeometry().height() - 100;
            if (height > this->height())
                resize(width(), height);
        }
        ExpandImage->setVisible(false);
    });
}

void ScheduleForm::PrintButton_Click()
{
    guarded("ScheduleForm", "PrintButton_Click", [&] {
        if (ScheduleGrid->rows() <= 1)
            return;
        const QString associate = chosenAssociate();
        PreviewRequested = false;
        {
            SchedulePrintForm options(this);
            showModal(&options);
            PreviewRequested = options.PreviewChosen;
        }
        if (session().selectedPrinterIndex == 999)
            return;
        setCurrentPrinter(session().selectedPrinterIndex);
        if (PreviewRequested) {
            // The preview makes the default printer current again when it closes.
            PreviewScheduleForm preview(this);
            preview.Tag = QString::number(ScheduleNumber) + QLatin1Char('~') + associate;
            showModal(&preview);
            return;
        }
        struct Restore {
            ~Restore() { setCurrentPrinter(session().defaultPrinterIndex); }
        } restore;
        PrintWorkvane(ScheduleNumber, associate, this);
    });
}

void ScheduleForm::ExitButton_Click()
{
    guarded("ScheduleForm", "ExitButton_Click", [&] { reject(); });
}

void ScheduleForm::done(int result)
{
    if (!left_) {
        // The window goes only once what leaving stores is stored: while
        // another workstation keeps the database busy it stays open (the
        // message has said so) and the user leaves again later.
        if (storedSchedule() && !UpdateLastServiceDate())
            return;
        if (!guarded("ScheduleForm", "Form_Unload",
                     [&] {
                         Transaction t;
                         ScheduleLocks::releaseAll(session().currentAssociateID);
                         t.commit();
                     }))
            return;
        left_ = true;
    }
    Form::done(result);
}

bool ScheduleForm::UpdateLastServiceDate()
{
    return guarded("ScheduleForm", "UpdateLastServiceDate",
                   [&] { ScheduledJobUpdates::updateLastServiceDates(ScheduleNumber); });
}

bool ScheduleForm::RunPortalTask(const QString &refusal, const char *task)
{
    if (!refusal.isEmpty()) {
        msgBox(refusal);
        return false;
    }
    session().portalUpdateSucceeded = false;
    PortalForm portal(this);
    portal.Tag = QString::fromLatin1(task) + QLatin1Char('~') + QString::number(ScheduleNumber);
    showModal(&portal);
    // The portal window has told the user what failed, if anything.
    return session().portalUpdateSucceeded;
}

void ScheduleForm::PublishButton_Click()
{
    guarded("ScheduleForm", "PublishButton_Click", [&] {
        // The status is read afresh here, by a read of its own (no transaction
        // waits on the portal), again by the run just before the schedule's file
        // is made, and once more where the schedule is marked: another
        // workstation may re-open it meanwhile. A schedule re-opened once its
        // file has gone up stays as it is stored, and the message says that the
        // portal now holds it.
        // One workstation publishes at a time, from before the first transfer
        // until the schedule is marked: the schedule marked Published is then
        // the one the portal was given last.
        QString refusal = SchedulePublishing::publishRefusal(ScheduleNumber);
        std::optional<ScheduleLocks::Publishing> publishing;
        if (refusal.isEmpty())
            refusal = publishing.emplace(ScheduleNumber, session().currentAssociateID).refusal();
        if (!RunPortalTask(refusal, "PublishSchedule"))
            return;
        // The status line shows what is stored.
        if (const QString notMarked = SchedulePublishing::markPublishedAfterUpload(ScheduleNumber);
            !notMarked.isEmpty()) {
            msgBox(notMarked);
            return;
        }
        StatusLabel->setText(QStringLiteral("Status: Published"));
        setTextColour(StatusLabel, scheduleStatusColour(QStringLiteral("Published")));
    });
}

void ScheduleForm::UpdateButton_Click()
{
    guarded("ScheduleForm", "UpdateButton_Click", [&] {
        if (RunPortalTask(SchedulePublishing::updateRefusal(ScheduleNumber, session().currentAssociateID),
                          "RetrieveSchedule"))
            PopulateGrid();
    });
}

} // namespace wvs
