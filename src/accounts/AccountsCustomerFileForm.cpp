#include "accounts/AccountsCustomerFileForm.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

QString accountsFileFilter(const QString &mode)
{
    if (mode == QLatin1String("MYOB"))
        return QStringLiteral("txt (*.txt)");
    if (mode == QLatin1String("Xero"))
        return QStringLiteral("csv (*.csv)");
    return QString();
}

AccountsCustomerFileForm::AccountsCustomerFileForm(QWidget *parent, const Design &design)
    : Form(parent), design_(design)
{
    setObjectName(QString::fromLatin1(design.windowName));
    setWindowTitle(QString::fromLatin1(design.caption));
    setFont(QFont(QStringLiteral("Arial"), font().pointSize()));

    buildFileControls(this, QString::fromLatin1(design.fileLabel));
    FileNameText->setMinimumWidth(340);

    auto *file = new QHBoxLayout;
    file->addWidget(FileLabel);
    file->addWidget(FileNameText, 1);
    file->addWidget(BrowseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addSpacing(6);
    layout->addLayout(file);
    layout->addSpacing(10);
    layout->addWidget(Line1);
    layout->addLayout(commandRow());
    setFixedSize(sizeHint());

    connect(BrowseButton, &QPushButton::clicked, this, &AccountsCustomerFileForm::BrowseButton_Click);
    connect(OKButton, &QPushButton::clicked, this, &AccountsCustomerFileForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &AccountsCustomerFileForm::ExitButton_Click);
}

void AccountsCustomerFileForm::BrowseButton_Click()
{
    guarded(design_.windowName, "BrowseButton_Click",
            [&] { chooseFile(this, QString::fromLatin1(design_.dialogTitle), Tag, design_.save); });
}

void AccountsCustomerFileForm::OKButton_Click()
{
    guarded(design_.windowName, "OKButton_Click", [&] {
        const QString fileName = FileNameText->text();
        if (fileName.isEmpty()) {
            msgBox(QString::fromLatin1(design_.noFileMessage));
            return;
        }
        if (Tag == QLatin1String("MYOB"))
            design_.myob(fileName);
        else if (Tag == QLatin1String("Xero"))
            design_.xero(fileName);
        accept();
    });
}

void AccountsCustomerFileForm::ExitButton_Click()
{
    guarded(design_.windowName, "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
