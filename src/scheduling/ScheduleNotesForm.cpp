#include "scheduling/ScheduleNotesForm.h"
#include "admin/AccessRights.h"
#include "common/AutoCompleteComboModule.h"
#include "common/DateSelectForm.h"
#include "common/Formats.h"
#include "common/PrinterSelectForm.h"
#include "data/AppDatabase.h"
#include "jobs/CustomerJobRecords.h"
#include "output/NotesPrintout.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "scheduling/CommentForm.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(ScheduleNotesForm);

ScheduleNotesForm::ScheduleNotesForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("ScheduleNotesForm"));
    setWindowTitle(QStringLiteral("Schedule Notes"));
    auto label = [&](const char *name, const QString &caption) {
        auto *l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto combo = [&](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumWidth(180);
        installAutoMatch(c);
        return c;
    };
    QFont bold = font();
    bold.setBold(true);
    FilterLabel = label("FilterLabel", QStringLiteral("Filter:"));
    FilterLabel->setFont(bold);
    CustomerNameLabel = label("CustomerNameLabel", QStringLiteral("Customer Name"));
    CustomerCombo = combo("CustomerCombo");
    AssociateLabel = label("AssociateLabel", QStringLiteral("Assigned Associate"));
    AssociateCombo = combo("AssociateCombo");
    NoteTypeLabel = label("NoteTypeLabel", QStringLiteral("Note Type"));
    NoteTypeCombo = combo("NoteTypeCombo");
    NoteTypeCombo->setMinimumWidth(120);
    GoButton = makeButton("GoButton", QStringLiteral("&Go"));
    CustomerLabel = label("CustomerLabel", QStringLiteral("Customer / Date"));
    CustomerList = new QListWidget(this);
    CustomerList->setObjectName(QStringLiteral("CustomerList"));
    DetailsLabel = label("DetailsLabel", QStringLiteral("Details"));
    DetailsText = makeMultiLineText("DetailsText");
    ActionCheck = new QCheckBox(QStringLiteral("Action taken"), this);
    ActionCheck->setObjectName(QStringLiteral("ActionCheck"));
    ActionCheck->setVisible(false);
    CommentButton = makeButton("CommentButton", QStringLiteral("Add &Comment"));
    CommentButton->setEnabled(false);
    PrintButton = makeButton("PrintButton", QStringLiteral("&Print"));
    ExitButton = makeButton("ExitButton", QStringLiteral("Exit"));
    for (QPushButton *b : {GoButton, CommentButton, PrintButton, ExitButton})
        b->setFont(QFont(QStringLiteral("Tahoma")));

    auto *filters = new QGridLayout;
    filters->addWidget(FilterLabel, 0, 0);
    filters->addWidget(CustomerNameLabel, 0, 1);
    filters->addWidget(AssociateLabel, 0, 2);
    filters->addWidget(NoteTypeLabel, 0, 3);
    filters->addWidget(CustomerCombo, 1, 1);
    filters->addWidget(AssociateCombo, 1, 2);
    filters->addWidget(NoteTypeCombo, 1, 3);
    filters->addWidget(GoButton, 1, 4);
    filters->setColumnStretch(5, 1);

    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(CustomerLabel);
    listColumn->addWidget(CustomerList, 1);
    auto *detailColumn = new QVBoxLayout;
    detailColumn->addWidget(DetailsLabel);
    detailColumn->addWidget(DetailsText, 1);
    auto *detailButtons = new QHBoxLayout;
    detailButtons->addWidget(ActionCheck);
    detailButtons->addStretch();
    detailButtons->addWidget(CommentButton);
    detailColumn->addLayout(detailButtons);
    auto *middle = new QHBoxLayout;
    middle->addLayout(listColumn, 2);
    middle->addLayout(detailColumn, 3);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PrintButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(760, 460);

    connect(GoButton, &QPushButton::clicked, this, &ScheduleNotesForm::GoButton_Click);
    connect(CustomerList, &QListWidget::currentRowChanged, this, [this] { CustomerList_Click(); });
    // Only the user's tick writes: showing a note's state does not.
    connect(ActionCheck, &QCheckBox::clicked, this, &ScheduleNotesForm::ActionCheck_Click);
    connect(CommentButton, &QPushButton::clicked, this, &ScheduleNotesForm::CommentButton_Click);
    connect(PrintButton, &QPushButton::clicked, this, &ScheduleNotesForm::PrintButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &ScheduleNotesForm::ExitButton_Click);
    for (QComboBox *c : {CustomerCombo, AssociateCombo, NoteTypeCombo})
        connect(c, &QComboBox::currentIndexChanged, this, &ScheduleNotesForm::Filter_Click);

    // Form_Load
    // Ticking a note's action taken and commenting on it add to the notes:
    // from wherever the window opens, they need the right to add notes.
    CanAddNotes = AccessRights::allows(session().currentAuthorityLevel, RightsArea::JobSchedules, AreaCommand::AddNotes);
    ActionCheck->setEnabled(CanAddNotes);
    NoteTypeCombo->addItems({QStringLiteral("Action"), QStringLiteral("Invoicing"), QStringLiteral("Information")});
    NoteTypeCombo->setCurrentIndex(-1);
}

void ScheduleNotesForm::Form_Activate()
{
    guarded("ScheduleNotesForm", "Form_Activate", [&] {
        loading_ = true;
        const QStringList parts = tagParts();
        FormMode = parts.value(0);
        if (FormMode == QLatin1String("History")) {
            JobSeqNo = parts.value(1).toLongLong();
            ServiceDate = parts.value(2);
            QSqlQuery q = execSql(QStringLiteral("SELECT ScheduleNumber FROM ScheduleJobs WHERE JobSeqNo = ? AND "
                                                 "ScheduleServiceDate = ?"),
                                  {JobSeqNo, ServiceDate});
            if (q.next())
                ScheduleNumber = q.value(0).toLongLong();
            q = execSql(QStringLiteral("SELECT c.Surname, c.Forename, s.AssociateName FROM CustomerJobs cj "
                                       "JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber "
                                       "JOIN Associates s ON s.AssociateID = cj.AssociateID WHERE cj.JobSeqNo = ?"),
                        {JobSeqNo});
            if (q.next()) {
                CustomerCombo->setEditText(CustomerJobRecords::displayName(q.value(0).toString(), q.value(1).toString()));
                AssociateCombo->setEditText(q.value(2).toString());
            }
            QStringList types;
            q = execSql(QStringLiteral("SELECT DISTINCT NoteType FROM ScheduleJobNotes WHERE JobSeqNo = ? AND "
                                       "ScheduleServiceDate = ? AND ScheduleNumber = ?"),
                        {JobSeqNo, ServiceDate, ScheduleNumber});
            while (q.next())
                types << q.value(0).toString();
            CustomerCombo->setEnabled(false);
            AssociateCombo->setEnabled(false);
            loading_ = false;
            if (types.size() == 1) {
                NoteTypeCombo->setCurrentIndex(NoteTypeCombo->findText(types.first(), Qt::MatchFixedString));
                GoButton_Click();
            } else if (types.size() > 1) {
                NoteTypeCombo->insertItem(0, QStringLiteral("<All>"));
                NoteTypeCombo->setCurrentIndex(-1);
            }
        } else {
            ScheduleNumber = parts.value(1).toLongLong();
            CustomerNumbers.clear();
            AssociateIDs.clear();
            QSqlQuery q = execSql(QStringLiteral(
                "SELECT DISTINCT c.CustomerNumber, c.Surname, c.Forename FROM ScheduleJobNotes n "
                "JOIN ScheduleJobs sj ON sj.ScheduleNumber = n.ScheduleNumber AND sj.JobSeqNo = n.JobSeqNo "
                "JOIN CustomerJobs cj ON cj.JobSeqNo = sj.JobSeqNo "
                "JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber "
                "WHERE sj.ScheduleNumber = ? ORDER BY c.Surname, c.Forename"), {ScheduleNumber});
            while (q.next()) {
                if (CustomerNumbers.isEmpty()) {
                    CustomerNumbers << 0;
                    CustomerCombo->addItem(QStringLiteral("<All>"));
                }
                CustomerNumbers << q.value(0).toLongLong();
                CustomerCombo->addItem(CustomerJobRecords::displayName(q.value(1).toString(), q.value(2).toString()));
            }
            q = execSql(QStringLiteral(
                "SELECT DISTINCT cj.AssociateID, s.AssociateName FROM ScheduleJobNotes n "
                "JOIN ScheduleJobs sj ON sj.ScheduleNumber = n.ScheduleNumber AND sj.JobSeqNo = n.JobSeqNo "
                "JOIN CustomerJobs cj ON cj.JobSeqNo = sj.JobSeqNo "
                "JOIN Associates s ON s.AssociateID = cj.AssociateID "
                "WHERE sj.ScheduleNumber = ? ORDER BY s.AssociateName"), {ScheduleNumber});
            while (q.next()) {
                if (AssociateIDs.isEmpty()) {
                    AssociateIDs << QStringLiteral("<All>");
                    AssociateCombo->addItem(QStringLiteral("<All>"));
                }
                AssociateIDs << q.value(0).toString();
                AssociateCombo->addItem(q.value(1).toString());
            }
            if (ScheduleNoteBrowser::hasNotes(ScheduleNumber))
                NoteTypeCombo->insertItem(0, QStringLiteral("<All>"));
            for (QComboBox *c : {CustomerCombo, AssociateCombo, NoteTypeCombo})
                c->setCurrentIndex(0);
            loading_ = false;
        }
        QSqlQuery q = execSql(QStringLiteral("SELECT FromDate, ToDate FROM Schedules WHERE ScheduleNumber = ?"),
                              {ScheduleNumber});
        // The period reads as on the schedule's printout.
        if (q.next())
            setWindowTitle(QStringLiteral("Schedule Notes From ") +
                           Formats::toShortDate(Formats::fromStoredDate(q.value(0).toString())) +
                           QStringLiteral(" to ") + Formats::toShortDate(Formats::fromStoredDate(q.value(1).toString())));
    });
}

void ScheduleNotesForm::clearList()
{
    NotesList.clear();
    CustomerList->clear();
    DetailsText->clear();
    // With no note selected there is nothing to tick or comment on.
    ActionCheck->setVisible(false);
    CommentButton->setEnabled(false);
}

void ScheduleNotesForm::Filter_Click()
{
    guarded("ScheduleNotesForm", "Filter_Click", [&] {
        if (!loading_)
            clearList();
    });
}

void ScheduleNotesForm::GoButton_Click()
{
    guarded("ScheduleNotesForm", "GoButton_Click", [&] {
        if (NoteTypeCombo->currentIndex() < 0) {
            msgBox(QStringLiteral("Please select a Note Type"));
            NoteTypeCombo->setFocus();
            return;
        }
        clearList();
        ScheduleNoteBrowser::Filter f;
        const int customer = CustomerCombo->currentIndex();
        if (FormMode != QLatin1String("History") && customer > 0 && customer < CustomerNumbers.size())
            f.customerNumber = CustomerNumbers.at(customer);
        const int associate = AssociateCombo->currentIndex();
        if (FormMode != QLatin1String("History") && associate > 0 && associate < AssociateIDs.size())
            f.associateID = AssociateIDs.at(associate);
        f.noteType = NoteTypeCombo->currentText();
        if (FormMode == QLatin1String("History"))
            f.jobSeqNo = JobSeqNo;
        const QList<ScheduleNoteBrowser::Note> found = ScheduleNoteBrowser::find(ScheduleNumber, f);
        if (found.isEmpty()) {
            msgBox(QStringLiteral("No Notes found"));
            return;
        }
        NotesList = found;
        for (const auto &n : NotesList)
            CustomerList->addItem(n.line);
        CommentButton->setEnabled(CanAddNotes);
        DetailsText->setReadOnly(true);
        CustomerList->setCurrentRow(0);
        CustomerList->setFocus();
    });
}

int ScheduleNotesForm::selectedNote() const
{
    const int i = CustomerList->currentRow();
    return i >= 0 && i < NotesList.size() ? i : -1;
}

void ScheduleNotesForm::CustomerList_Click()
{
    guarded("ScheduleNotesForm", "CustomerList_Click", [&] {
        const int i = selectedNote();
        if (i < 0)
            return;
        const ScheduleNoteBrowser::Note &n = NotesList.at(i);
        const QDateTime t = Formats::fromStoredDateTime(n.noteDateTime);
        DetailsText->setPlainText(t.time().toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + n.author +
                                  QStringLiteral("\n") + QString(n.detail).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        JobSeqNo = n.jobSeqNo;
        const bool actionable = n.type == QLatin1String("Action") || n.type == QLatin1String("Invoicing");
        ActionCheck->setChecked(n.actionTaken);
        ActionCheck->setVisible(actionable);
    });
}

void ScheduleNotesForm::ActionCheck_Click()
{
    guarded("ScheduleNotesForm", "ActionCheck_Click", [&] {
        const int i = selectedNote();
        if (i < 0)
            return;
        const bool taken = ActionCheck->isChecked();
        bool stored = false;
        if (guarded("ScheduleNotesForm", "ActionCheck_Click",
                    [&] { stored = ScheduleNoteBrowser::setActionTaken(ScheduleNumber, NotesList.at(i), taken); }) &&
            !stored)
            msgBox(QStringLiteral("Cannot find the selected message - this is a database error!"), MsgButtons::Ok,
                   MsgIcon::Exclamation);
        if (!stored) {
            // Removed at another workstation: the box shows what it showed before.
            ActionCheck->setChecked(!taken);
            return;
        }
        NotesList[i].actionTaken = taken;
    });
}

void ScheduleNotesForm::CommentButton_Click()
{
    guarded("ScheduleNotesForm", "CommentButton_Click", [&] {
        const int i = selectedNote();
        if (i < 0)
            return;
        const ScheduleNoteBrowser::Note n = NotesList.at(i);
        {
            CommentForm comment(this);
            comment.Tag = QString::number(ScheduleNumber) + QLatin1Char('~') + n.serviceDate + QLatin1Char('~') +
                          QString::number(n.jobSeqNo) + QLatin1Char('~') + n.noteDateTime;
            showModal(&comment);
        }
        clearList();
        GoButton_Click();
    });
}

void ScheduleNotesForm::PrintButton_Click()
{
    guarded("ScheduleNotesForm", "PrintButton_Click", [&] {
        if (CustomerList->count() == 0)
            return;
        FromDate.clear();
        {
            DateSelectForm dates(this);
            dates.Tag = QStringLiteral("Schedule Notes");
            showModal(&dates);
        }
        if (FromDate.isEmpty())
            return;
        PreviewRequested = false;
        {
            PrinterSelectForm printers(this);
            printers.Tag = QStringLiteral("ScheduleNotes");
            showModal(&printers);
        }
        if (session().selectedPrinterIndex == 999)
            return;
        PrintOrPreviewNotes(NotesPrintout::Kind::Schedule, ScheduleNumber, Formats::fromDisplayDate(FromDate),
                            Formats::fromDisplayDate(ToDate), session().selectedPrinterIndex, PreviewRequested, this);
    });
}

void ScheduleNotesForm::ExitButton_Click()
{
    guarded("ScheduleNotesForm", "ExitButton_Click", [&] { done(QDialog::Accepted); });
}

} // namespace wvs
