#include "platform/Form.h"
#include "platform/Desktop.h"

#include <QKeyEvent>
#include <QMetaObject>

namespace wvs {

Form::Form(QWidget *parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
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
