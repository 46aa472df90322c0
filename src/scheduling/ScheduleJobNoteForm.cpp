#include "scheduling/ScheduleJobNoteForm.h"
#include "common/AutoCompleteComboModule.h"
#include "common/Formats.h"
#include "platform/MessageBox.h"
#include "scheduling/ScheduleJobNote.h"
#include "platform/ErrorHandlingModule.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(ScheduleJobNoteForm);

ScheduleJobNoteForm::ScheduleJobNoteForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("ScheduleJobNoteForm"));
    setWindowTitle(QStringLiteral("Schedule Job Remarks"));

    JobDoneCheck = makeCheck("JobDoneCheck", QStringLiteral("Job completed?"));
    DateCompletedLabel = named(new QLabel(QStringLiteral("Date completed"), this), "DateCompletedLabel");
    DateCompletedText = makeText("DateCompletedText", 10);
    DateCompletedText->setAlignment(Qt::AlignCenter);
    DateCompletedText->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    Label1 = named(new QLabel(QStringLiteral("DD/MM/YYYY"), this), "Label1");
    AssociateLabel = named(new QLabel(QStringLiteral("Completed by"), this), "AssociateLabel");
    AssociateCombo = named(new QComboBox(this), "AssociateCombo");
    installAutoMatch(AssociateCombo);
    AssociateCombo->setMinimumWidth(220);
    NoteLabel = named(new QLabel(QStringLiteral("Remarks"), this), "NoteLabel");
    NoteText = makeMultiLineText("NoteText");
    NoteText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NoteText->setTabChangesFocus(true);
    ActionOption = makeOption("ActionOption", QStringLiteral("Action required"));
    InvoicingOption = makeOption("InvoicingOption", QStringLiteral("Invoicing purposes"));
    InfoOption = makeOption("InfoOption", QStringLiteral("Information only"));
    InfoOption->setChecked(true);
    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));

    auto *done = new QGridLayout;
    done->addWidget(JobDoneCheck, 0, 0, 1, 3);
    done->addWidget(DateCompletedLabel, 1, 0);
    done->addWidget(DateCompletedText, 1, 1);
    done->addWidget(Label1, 1, 2);
    done->addWidget(AssociateLabel, 2, 0);
    done->addWidget(AssociateCombo, 2, 1, 1, 2);
    done->setColumnStretch(3, 1);

    auto *types = new QHBoxLayout;
    types->addWidget(ActionOption);
    types->addWidget(InvoicingOption);
    types->addWidget(InfoOption);
    types->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(done);
    layout->addSpacing(6);
    layout->addWidget(NoteLabel);
    layout->addWidget(NoteText, 1);
    layout->addLayout(types);
    layout->addLayout(buttons);
    resize(480, 360);

    connect(JobDoneCheck, &QCheckBox::toggled, this, [this] { JobDoneCheck_Click(); });
    connect(DateCompletedText, &QLineEdit::textChanged, this, [this] { DateCompletedText_Change(); });
    connect(OKButton, &QPushButton::clicked, this, &ScheduleJobNoteForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &ScheduleJobNoteForm::ExitButton_Click);

    Form_Load();
}

void ScheduleJobNoteForm::Form_Load()
{
    guarded("ScheduleJobNoteForm", "Form_Load", [&] {
        AssociateList = ScheduleRecords::associates();
        for (const ScheduleAssociate &a : AssociateList)
            AssociateCombo->addItem(a.name);
        AssociateCombo->setCurrentIndex(-1);
    });
}

void ScheduleJobNoteForm::firstActivate()
{
    guarded("ScheduleJobNoteForm", "Form_Activate", [&] {
        const QStringList parts = tagParts();
        if (parts.size() < 3)
            return;
        ScheduleNumber = parts.at(0).toLongLong();
        ServiceDate = Formats::fromStoredDate(parts.at(1));
        JobSeqNo = parts.at(2).toLongLong();

        const JobNoteState state = ScheduleJobNote::load(ScheduleNumber, ServiceDate, JobSeqNo);
        Shown = state;
        if (!state.customerName.isEmpty())
            setWindowTitle(QStringLiteral("Job Note - ") + state.customerName);
        if (!state.found)
            return;
        DoneByID = state.doneByID;
        if (state.actualServiceDate.isValid()) {
            JobDoneCheck->setChecked(true);
            DateCompletedText->setText(Formats::toShortDate(state.actualServiceDate));
            selectAssociate(DoneByID);
        }
    });
}

void ScheduleJobNoteForm::selectAssociate(const QString &id)
{
    int index = -1;
    for (int i = 0; i < AssociateList.size(); ++i)
        if (AssociateList.at(i).id.compare(id, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    AssociateCombo->setCurrentIndex(index);
}

void ScheduleJobNoteForm::JobDoneCheck_Click()
{
    guarded("ScheduleJobNoteForm", "JobDoneCheck_Click", [&] {
        Updating = true;
        if (JobDoneCheck->isChecked()) {
            DateCompletedText->setText(Formats::toShortDate(ServiceDate));
            DateCompletedText->setEnabled(true);
            selectAssociate(DoneByID);
            AssociateCombo->setEnabled(true);
        } else {
            DateCompletedText->clear();
            DateCompletedText->setEnabled(false);
            AssociateCombo->setCurrentIndex(-1);
            AssociateCombo->setEnabled(false);
        }
        Updating = false;
    });
}

void ScheduleJobNoteForm::DateCompletedText_Change()
{
    guarded("ScheduleJobNoteForm", "DateCompletedText_Change", [&] {
        // Typing a date marks the job done.
        if (!Updating && !JobDoneCheck->isChecked())
            JobDoneCheck->setChecked(true);
    });
}

void ScheduleJobNoteForm::OKButton_Click()
{
    guarded("ScheduleJobNoteForm", "OKButton_Click", [&] {
        JobNoteEntry e;
        e.done = JobDoneCheck->isChecked();
        e.dateText = DateCompletedText->text();
        const int index = AssociateCombo->currentIndex();
        if (index >= 0 && index < AssociateList.size() &&
            AssociateCombo->currentText() == AssociateCombo->itemText(index))
            e.associateID = AssociateList.at(index).id;
        e.note = NoteText->text();
        e.noteType = InfoOption->isChecked()        ? QStringLiteral("Information")
                     : InvoicingOption->isChecked() ? QStringLiteral("Invoicing")
                                                    : QStringLiteral("Action");
        const JobNoteOutcome out =
            ScheduleJobNote::save(ScheduleNumber, ServiceDate, JobSeqNo, e, session().currentAssociateName,
                                  [](const QString &question) { return askYesNo(question); }, &Shown);
        if (!out.saved) {
            if (!out.message.isEmpty())
                msgBox(out.message);
            if (out.focus == JobNoteOutcome::Field::Date)
                DateCompletedText->setFocus();
            else if (out.focus == JobNoteOutcome::Field::Associate)
                AssociateCombo->setFocus();
            return;
        }
        JobNoteResult = out.result;
        msgBox(QStringLiteral("Save completed"));
        accept();
    });
}

void ScheduleJobNoteForm::ExitButton_Click()
{
    guarded("ScheduleJobNoteForm", "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
