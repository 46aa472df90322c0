#include "accounts/AccountsSalesExportForm.h"
#include "accounts/AccountsCustomerFileForm.h"
#include "accounts/InvoiceNumbering.h"
#include "accounts/MYOBSalesExportModule.h"
#include "accounts/XeroSalesExportModule.h"
#include "common/CalendarForm.h"
#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "platform/MessageBox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(AccountsSalesExportForm);

namespace {
const char *const kWindow = "AccountsSalesExportForm";
}

AccountsSalesExportForm::AccountsSalesExportForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromLatin1(kWindow));
    setWindowTitle(QStringLiteral("Sales Export"));
    setFont(QFont(QStringLiteral("Arial"), font().pointSize()));

    auto label = [this](const char *name, const QString &text) { return named(new QLabel(text, this), name); };
    auto dateLabel = [this](const char *name) {
        auto *l = named(new QLabel(this), name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(110);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto dateImage = [this](const char *name, const QString &tip) { return CalendarForm::dateButton(this, name, tip); };

    HeaderLabel = label("HeaderLabel", QStringLiteral("Export details of Customer Jobs carried out"));
    QFont bold = HeaderLabel->font();
    bold.setBold(true);
    HeaderLabel->setFont(bold);
    FromLabel = label("FromLabel", QStringLiteral("from"));
    FromDateLabel = dateLabel("FromDateLabel");
    FromDateImage = dateImage("FromDateImage", QStringLiteral("Choose the From date"));
    ToLabel = label("ToLabel", QStringLiteral("to"));
    ToDateLabel = dateLabel("ToDateLabel");
    ToDateImage = dateImage("ToDateImage", QStringLiteral("Choose the To date"));
    TaxRatelabel = label("TaxRatelabel", QStringLiteral("Xero tax rate name"));
    TaxRateText = makeText("TaxRateText", 50);
    InfoImage = label("InfoImage", QString());
    InfoImage->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(18, 18));
    InfoImage->setToolTip(QStringLiteral("The tax rate name spelled EXACTLY as held in Xero. "
                                         "This will be used to determine the sales tax value"));
    StartingInvNoLabel = label("StartingInvNoLabel", QStringLiteral("Starting invoice number"));
    StartingInvNoText = makeText("StartingInvNoText", 10);
    StartingInvNoText->setMaximumWidth(130);
    buildFileControls(this, QStringLiteral("Export file"));
    FileNameText->setMinimumWidth(300);

    auto *dates = new QHBoxLayout;
    dates->addWidget(FromLabel);
    dates->addWidget(FromDateLabel);
    dates->addWidget(FromDateImage);
    dates->addSpacing(12);
    dates->addWidget(ToLabel);
    dates->addWidget(ToDateLabel);
    dates->addWidget(ToDateImage);
    dates->addStretch();
    auto *grid = new QGridLayout;
    grid->addWidget(TaxRatelabel, 0, 0);
    auto *rate = new QHBoxLayout;
    rate->addWidget(TaxRateText, 1);
    rate->addWidget(InfoImage);
    grid->addLayout(rate, 0, 1);
    grid->addWidget(StartingInvNoLabel, 1, 0);
    grid->addWidget(StartingInvNoText, 1, 1, Qt::AlignLeft);
    grid->addWidget(FileLabel, 2, 0);
    auto *file = new QHBoxLayout;
    file->addWidget(FileNameText, 1);
    file->addWidget(BrowseButton);
    grid->addLayout(file, 2, 1);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HeaderLabel);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(Line1);
    layout->addLayout(commandRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(FromDateImage, &QToolButton::clicked, this, &AccountsSalesExportForm::FromDateImage_Click);
    connect(ToDateImage, &QToolButton::clicked, this, &AccountsSalesExportForm::ToDateImage_Click);
    connect(BrowseButton, &QPushButton::clicked, this, &AccountsSalesExportForm::BrowseButton_Click);
    connect(OKButton, &QPushButton::clicked, this, &AccountsSalesExportForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &AccountsSalesExportForm::ExitButton_Click);
}

void AccountsSalesExportForm::firstActivate()
{
    guarded(kWindow, "Form_Activate", [&] {
        if (Tag != QLatin1String("MYOB")) {
            TaxRateText->setText(scalarSql(QStringLiteral("SELECT XeroTaxRateName FROM Preferences")).toString());
            return;
        }
        for (QWidget *w : {static_cast<QWidget *>(TaxRatelabel), static_cast<QWidget *>(TaxRateText),
                           static_cast<QWidget *>(InfoImage), static_cast<QWidget *>(StartingInvNoLabel),
                           static_cast<QWidget *>(StartingInvNoText)})
            w->setVisible(false);
    });
}

void AccountsSalesExportForm::FromDateImage_Click()
{
    guarded(kWindow, "FromDateImage_Click", [&] { CalendarForm::pick(this, QStringLiteral("AccountsSalesFromDate")); });
}

void AccountsSalesExportForm::ToDateImage_Click()
{
    guarded(kWindow, "ToDateImage_Click", [&] { CalendarForm::pick(this, QStringLiteral("AccountsSalesToDate")); });
}

void AccountsSalesExportForm::BrowseButton_Click()
{
    guarded(kWindow, "BrowseButton_Click",
            [&] { chooseFile(this, QStringLiteral("Enter the export file name"), Tag, true); });
}

void AccountsSalesExportForm::OKButton_Click()
{
    guarded(kWindow, "OKButton_Click", [&] {
        if (FromDateLabel->text().isEmpty()) {
            msgBox(QStringLiteral("Please enter the From date"));
            return;
        }
        if (ToDateLabel->text().isEmpty()) {
            msgBox(QStringLiteral("Please enter the To date"));
            return;
        }
        if (FileNameText->text().isEmpty()) {
            msgBox(QStringLiteral("Please enter the name of the file"));
            return;
        }
        if (Tag == QLatin1String("Xero")) {
            if (TaxRateText->text().isEmpty()
                && !askYesNo(QStringLiteral("No tax rate name has been entered. It is required by Xero to calculate "
                                            "the relevant sales tax. Omitting this will result in zero sales tax on "
                                            "the invoices.\r\nDo you wish to create the file anyway?")))
                return;
            const QString refused = InvoiceNumbering::refusal(StartingInvNoText->text());
            if (!refused.isEmpty()) {
                msgBox(refused);
                StartingInvNoText->setFocus();
                return;
            }
            writeSql(QStringLiteral("UPDATE Preferences SET XeroTaxRateName = ?"), {TaxRateText->text()});
        }
        if (Tag == QLatin1String("MYOB"))
            MYOBSalesExport(FileNameText->text(), FromDateLabel->text(), ToDateLabel->text());
        else if (Tag == QLatin1String("Xero"))
            XeroSalesExport(FileNameText->text(), FromDateLabel->text(), ToDateLabel->text(),
                            StartingInvNoText->text());
        accept();
    });
}

void AccountsSalesExportForm::ExitButton_Click()
{
    guarded(kWindow, "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
