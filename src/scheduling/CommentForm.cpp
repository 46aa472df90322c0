#include "scheduling/CommentForm.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "scheduling/ScheduleNoteBrowser.h"
#include "core/Session.h"
#include "platform/FormRegistry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(CommentForm);

CommentForm::CommentForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("CommentForm"));
    setWindowTitle(QStringLiteral("Add Comment"));
    CommentText = makeMultiLineText("CommentText");
    CommentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OKButton = makeButton("OKButton", QStringLiteral("&Save"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Exit"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CommentText, 1);
    layout->addLayout(buttons);
    resize(420, 220);
    connect(OKButton, &QPushButton::clicked, this, &CommentForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &CommentForm::ExitButton_Click);
}

void CommentForm::Form_Activate()
{
    guarded("CommentForm", "Form_Activate", [&] {
        const QStringList parts = tagParts();
        ScheduleNumber = parts.value(0).toLongLong();
        ServiceDate = parts.value(1);
        JobSeqNo = parts.value(2).toLongLong();
        NoteDateTime = parts.value(3);
        CommentText->setFocus();
    });
}

void CommentForm::OKButton_Click()
{
    guarded("CommentForm", "OKButton_Click", [&] {
        const QString comment = CommentText->text();
        if (comment.isEmpty()) {
            msgBox(QStringLiteral("No comment added!"));
            return;
        }
        // A note removed at another workstation meanwhile takes no comment:
        // the window stays open with what was typed.
        if (!ScheduleNoteBrowser::appendComment(ScheduleNumber, JobSeqNo, ServiceDate, NoteDateTime, comment,
                                                session().currentAssociateName)) {
            msgBox(QStringLiteral("Cannot find the selected message - this is a database error!"), MsgButtons::Ok,
                   MsgIcon::Exclamation);
            return;
        }
        msgBox(QStringLiteral("Comment saved"));
        ExitButton_Click();
    });
}

void CommentForm::ExitButton_Click()
{
    guarded("CommentForm", "ExitButton_Click", [&] { done(QDialog::Accepted); });
}

} // namespace wvs
