#include "portal/PortalForm.h"

#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "portal/PortalSync.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(PortalForm);

PortalForm::PortalForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("PortalForm"));
    setWindowTitle(QStringLiteral("Portal"));

    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    InfoLabel->setAlignment(Qt::AlignCenter);
    QFont f = InfoLabel->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    InfoLabel->setFont(f);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(StatusBar1);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(statusPanel_, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(InfoLabel);
    layout->addStretch();
    layout->addWidget(StatusBar1);
    layout->setContentsMargins(12, 12, 12, 0);
    resize(520, 160);
}

void PortalForm::showState(const QString &text)
{
    guarded("PortalForm", "Inet_StateChanged", [&] {
        statusPanel_->setText(text);
        StatusBar1->setProperty("panelText", text);
    });
}

void PortalForm::firstActivate()
{
    guarded("PortalForm", "Form_Activate", [&] {
        const WorkRunning running(*this);
        PortalSync::Mode mode = PortalSync::parseMode(Tag);
        if (mode.known) {
            setWindowTitle(mode.caption);
            PortalSync sync(mode);
            sync.onInfo = [this](const QString &text) {
                InfoLabel->setText(text);
                QApplication::processEvents();
            };
            sync.onState = [this](const QString &text) { showState(text); };
            sync.run();
            if (sync.customerJobsImported() && parentWidget())
                parentWidget()->setProperty("CustomerJobsImported", true);
        }
    });
    accept();
}

} // namespace wvs
