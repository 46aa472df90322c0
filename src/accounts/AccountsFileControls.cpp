#include "accounts/AccountsFileControls.h"
#include "accounts/AccountsCustomerFileForm.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "platform/TypingLimit.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace wvs {

void AccountsFileControls::buildFileControls(QWidget *window, const QString &fileLabel)
{
    FileLabel = named(new QLabel(fileLabel, window), "FileLabel");
    // A path chosen with Browse is kept whole, however long.
    FileNameText = named(new QLineEdit(window), "FileNameText");
    TypingLimit::apply(FileNameText, 255);
    auto button = [window](const char *name, const QString &caption) {
        auto *b = named(new QPushButton(caption, window), name);
        b->setAutoDefault(false);
        return b;
    };
    BrowseButton = button("BrowseButton", QStringLiteral("&Browse"));
    OKButton = button("OKButton", QStringLiteral("&OK"));
    ExitButton = button("ExitButton", QStringLiteral("&Cancel"));
    Line1 = named(new QFrame(window), "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
}

QHBoxLayout *AccountsFileControls::commandRow() const
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    return buttons;
}

void AccountsFileControls::chooseFile(QWidget *window, const QString &title, const QString &mode, bool save)
{
    const QString filter = accountsFileFilter(mode);
    const QString chosen = save ? saveFileDialog(window, title, filter) : openFileDialog(window, title, filter);
    if (!chosen.isEmpty())
        FileNameText->setText(chosen);
}

} // namespace wvs
