#include "common/DateSelectForm.h"
#include "common/CalendarForm.h"
#include "common/DateRangeCheck.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(DateSelectForm);

DateSelectForm::DateSelectForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("DateSelectForm"));
    setWindowTitle(QStringLiteral("Select Dates"));

    auto makeLabel = [this](const char *name, const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(QString::fromUtf8(name));
        return l;
    };
    auto makeDateLabel = [this](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromUtf8(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(110);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto makeImage = [this](const char *name) { return CalendarForm::dateButton(this, name); };

    FromLabel = makeLabel("FromLabel", "From date");
    FromDateLabel = makeDateLabel("FromDateLabel");
    FromDateImage = makeImage("FromDateImage");
    ToLabel = makeLabel("ToLabel", "To date");
    ToDateLabel = makeDateLabel("ToDateLabel");
    ToDateImage = makeImage("ToDateImage");
    OKButton = makeButton("OKButton", "&OK");
    OKButton->setDefault(true);
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *dates = new QGridLayout;
    dates->addWidget(FromLabel, 0, 0);
    dates->addWidget(FromDateLabel, 0, 1);
    dates->addWidget(FromDateImage, 0, 2);
    dates->addWidget(ToLabel, 1, 0);
    dates->addWidget(ToDateLabel, 1, 1);
    dates->addWidget(ToDateImage, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));

    connect(FromDateImage, &QToolButton::clicked, this, &DateSelectForm::FromDateImage_Click);
    connect(ToDateImage, &QToolButton::clicked, this, &DateSelectForm::ToDateImage_Click);
    connect(OKButton, &QPushButton::clicked, this, &DateSelectForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &DateSelectForm::ExitButton_Click);
}

QObject *DateSelectForm::opener() const { return Opener ? Opener.data() : parent(); }

void DateSelectForm::FromDateImage_Click()
{
    guarded("DateSelectForm", "FromDateImage_Click", [&] { CalendarForm::pick(this, QStringLiteral("SelectFromDate")); });
}

void DateSelectForm::ToDateImage_Click()
{
    guarded("DateSelectForm", "ToDateImage_Click", [&] { CalendarForm::pick(this, QStringLiteral("SelectToDate")); });
}

void DateSelectForm::OKButton_Click()
{
    guarded("DateSelectForm", "OKButton_Click", [&] {
        const QString from = FromDateLabel->text();
        const QString to = ToDateLabel->text();
        const QString refused = DateRangeCheck::refusal(Tag, from, to);
        if (!refused.isEmpty()) {
            msgBox(refused);
            return;
        }
        const char *fromMember = nullptr;
        const char *toMember = nullptr;
        if (Tag == QLatin1String("Customer Notes") || Tag == QLatin1String("Schedule Notes")) {
            fromMember = "PrintFromDate";
            toMember = "PrintToDate";
        } else if (Tag == QLatin1String("Schedule")) {
            fromMember = "FromDate";
            toMember = "ToDate";
        }
        if (!fromMember) {
            reject();
            return;
        }
        SelectedFromDate = from;
        SelectedToDate = to;
        if (QObject *o = opener()) {
            o->setProperty(fromMember, from);
            o->setProperty(toMember, to);
        }
        accept();
    });
}

void DateSelectForm::ExitButton_Click()
{
    guarded("DateSelectForm", "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
