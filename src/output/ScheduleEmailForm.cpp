#include "output/ScheduleEmailForm.h"
#include "data/AppDatabase.h"
#include "output/ScheduleEmail.h"
#include "platform/ErrorHandlingModule.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace wvs {

namespace {
const char *const kForm = "ScheduleEmailForm";
} // namespace

ScheduleEmailForm::ScheduleEmailForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(kForm));
    setWindowTitle(QStringLiteral("Send Email"));
    const QFont arial(QStringLiteral("Arial"), 9);
    const QFont tahoma(QStringLiteral("Tahoma"), 9);

    auto *layout = new QVBoxLayout(this);
    MessageFrame = new QGroupBox(QStringLiteral("Message"), this);
    MessageFrame->setObjectName(QStringLiteral("MessageFrame"));
    MessageFrame->setFont(arial);
    auto *messageLayout = new QVBoxLayout(MessageFrame);
    MessageText = new QPlainTextEdit(MessageFrame);
    MessageText->setObjectName(QStringLiteral("MessageText"));
    MessageText->setFont(arial);
    MessageText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MessageText->setMinimumSize(420, 160);
    messageLayout->addWidget(MessageText);
    layout->addWidget(MessageFrame);
    // The box holds at most 255 characters, as the stored text does.
    connect(MessageText, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = MessageText->toPlainText();
        if (text.size() <= kMessageLimit)
            return;
        MessageText->setPlainText(text.left(kMessageLimit));
        MessageText->moveCursor(QTextCursor::End);
    });

    AddressFrame = new QGroupBox(QStringLiteral("To Address"), this);
    AddressFrame->setObjectName(QStringLiteral("AddressFrame"));
    AddressFrame->setFont(arial);
    auto *addressLayout = new QHBoxLayout(AddressFrame);
    RecordOption = new QRadioButton(QStringLiteral("Address on Associate record"), AddressFrame);
    RecordOption->setObjectName(QStringLiteral("RecordOption"));
    RecordOption->setChecked(true);
    SpecificOption = new QRadioButton(QStringLiteral("To be entered on email"), AddressFrame);
    SpecificOption->setObjectName(QStringLiteral("SpecificOption"));
    addressLayout->addWidget(RecordOption);
    addressLayout->addWidget(SpecificOption);
    layout->addWidget(AddressFrame);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton *ok = makeButton("OKButton", QStringLiteral("&OK"));
    QPushButton *cancel = makeButton("CancelButton", QStringLiteral("&Cancel"));
    ok->setFont(tahoma);
    cancel->setFont(tahoma);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &ScheduleEmailForm::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &ScheduleEmailForm::CancelButton_Click);
}

void ScheduleEmailForm::firstActivate()
{
    guarded(kForm, "Form_Activate", [&] {
        const QStringList parts = tagParts();
        ScheduleNumber = parts.value(0).trimmed().toLongLong();
        AssociateID = parts.mid(1).join(QLatin1Char('~'));
        // Over SMTP the address always comes from the associate's record.
        const QVariant provider = scalarSql(QStringLiteral("SELECT EmailProvider FROM Preferences"));
        if (provider.toString() == QLatin1String("Other")) {
            RecordOption->setChecked(true);
            AddressFrame->setEnabled(false);
        }
        MessageText->setPlainText(ScheduleEmail::storedMessage());
    });
}

void ScheduleEmailForm::CancelButton_Click()
{
    guarded(kForm, "CancelButton_Click", [&] { reject(); });
}

void ScheduleEmailForm::OKButton_Click()
{
    guarded(kForm, "OKButton_Click", [&] {
        if (ScheduleEmail::run(ScheduleNumber, AssociateID, MessageText->toPlainText(), RecordOption->isChecked()))
            accept();
    });
}

} // namespace wvs
