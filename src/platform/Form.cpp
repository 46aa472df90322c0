#include "platform/Form.h"
#include "platform/TypingLimit.h"
#include "platform/Desktop.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>

namespace wvs {

Form::Form(QWidget *parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QPushButton *Form::makeButton(const char *name, const QString &caption)
{
    auto *b = named(new QPushButton(caption, this), name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *Form::makeText(const char *name, int maxLength)
{
    auto *t = named(new QLineEdit(this), name);
    if (maxLength > 0)
        TypingLimit::apply(t, maxLength);
    return t;
}

QCheckBox *Form::makeCheck(const char *name, const QString &caption)
{
    return named(new QCheckBox(caption, this), name);
}

QRadioButton *Form::makeOption(const char *name, const QString &caption)
{
    return named(new QRadioButton(caption, this), name);
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
