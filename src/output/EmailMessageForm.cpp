#include "output/EmailMessageForm.h"
#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace wvs {

EmailMessageForm::EmailMessageForm(const char *name, const QString &recordCaption, Order order, int messageLimit,
                                   QWidget *parent)
    : Form(parent), formName_(name)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QStringLiteral("Send Email"));
    const QFont arial(QStringLiteral("Arial"), 9);
    const QFont tahoma(QStringLiteral("Tahoma"), 9);

    MessageFrame = named(new QGroupBox(QStringLiteral("Message"), this), "MessageFrame");
    MessageFrame->setFont(arial);
    auto *messageLayout = new QVBoxLayout(MessageFrame);
    // The box takes no more than the stored text holds.
    MessageText = makeMultiLineText("MessageText", messageLimit);
    MessageText->setFont(arial);
    MessageText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MessageText->setMinimumSize(420, 160);
    messageLayout->addWidget(MessageText);

    AddressFrame = named(new QGroupBox(QStringLiteral("To Address"), this), "AddressFrame");
    AddressFrame->setFont(arial);
    auto *addressLayout = new QHBoxLayout(AddressFrame);
    RecordOption = named(new QRadioButton(recordCaption, AddressFrame), "RecordOption");
    RecordOption->setChecked(true);
    SpecificOption = named(new QRadioButton(QStringLiteral("To be entered on email"), AddressFrame), "SpecificOption");

    auto *layout = new QVBoxLayout(this);
    if (order == Order::MessageFirst) {
        addressLayout->addWidget(RecordOption);
        addressLayout->addWidget(SpecificOption);
        layout->addWidget(MessageFrame);
        layout->addWidget(AddressFrame);
    } else {
        addressLayout->addWidget(SpecificOption);
        addressLayout->addWidget(RecordOption);
        layout->addWidget(AddressFrame);
        layout->addWidget(MessageFrame);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton *ok = makeButton("OKButton", QStringLiteral("&OK"));
    QPushButton *cancel = makeButton("CancelButton", QStringLiteral("&Cancel"));
    ok->setFont(tahoma);
    cancel->setFont(tahoma);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &EmailMessageForm::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &EmailMessageForm::CancelButton_Click);
}

void EmailMessageForm::startWith(const QString &storedMessage)
{
    const QVariant provider = scalarSql(QStringLiteral("SELECT EmailProvider FROM Preferences"));
    if (provider.toString() == QLatin1String("Other")) {
        RecordOption->setChecked(true);
        AddressFrame->setEnabled(false);
    }
    MessageText->setPlainText(storedMessage);
}

void EmailMessageForm::CancelButton_Click()
{
    guarded(formName_, "CancelButton_Click", [&] { reject(); });
}

void EmailMessageForm::OKButton_Click()
{
    guarded(formName_, "OKButton_Click", [&] {
        if (send())
            accept();
    });
}

} // namespace wvs
