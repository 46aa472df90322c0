#include "platform/Form.h"
#include "platform/Desktop.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QPushButton>

namespace wvs {

Form::Form(QWidget *parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QPushButton *Form::makeButton(const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    return b;
}

void Form::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!activated_) {
        activated_ = true;
        QMetaObject::invokeMethod(this, "runFirstActivate", Qt::QueuedConnection);
    }
}

void Form::runFirstActivate() { firstActivate(); }

void Form::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1) {
        openHelp();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace wvs
