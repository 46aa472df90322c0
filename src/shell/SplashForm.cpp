#include "shell/SplashForm.h"
#include "shell/NewDatabase.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace wvs {

SplashForm::SplashForm(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setStyleSheet(QStringLiteral("wvs--SplashForm { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, "
                                 "stop:0 #2f4f6f, stop:1 #5a8ab0); }"
                                 "QLabel { color: white; }"));
    setAttribute(Qt::WA_StyledBackground);
    auto *title = new QLabel(QStringLiteral("Workvane"), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    title->setStyleSheet(QStringLiteral("font: bold 30pt 'Liberation Sans';"));
    title->setAlignment(Qt::AlignCenter);
    auto *sub = new QLabel(QStringLiteral("Job scheduling for service businesses"), this);
    sub->setAlignment(Qt::AlignCenter);
    sub->setStyleSheet(QStringLiteral("font: 12pt 'Liberation Sans';"));
    auto *ver = new QLabel(QStringLiteral("Version ") + runningVersion(), this);
    ver->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(sub);
    layout->addStretch();
    layout->addWidget(ver);
    setFixedSize(480, 280);
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(2000);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &SplashForm::CloseForm);
    timer_->start();
}

void SplashForm::CloseForm()
{
    timer_->stop();
    hide();
    emit closed();
    deleteLater();
}

} // namespace wvs
