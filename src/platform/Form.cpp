#include "platform/Form.h"
#include "platform/MultiLineText.h"
#include "platform/TypingLimit.h"
#include "platform/Desktop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace wvs {

QComboBox *listCombo(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = named(new QComboBox(parent), name);
    c->addItems(items);
    c->setCurrentIndex(-1);
    return c;
}

QToolButton *imageButton(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *b = named(new QToolButton(parent), name);
    b->setText(text);
    b->setToolTip(tip);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoRaise(true);
    return b;
}

QHBoxLayout *leftRow(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    for (QWidget *w : widgets)
        row->addWidget(w);
    row->addStretch();
    return row;
}

Form::Form(QWidget *parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Combo boxes, which no other maker reaches, take no command key either.
    TypingLimit::guardCommandKeys();
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
    TypingLimit::apply(t, maxLength);
    return t;
}

MultiLineText *Form::makeMultiLineText(const char *name, int maxLength)
{
    return named(new MultiLineText(this, maxLength), name);
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
    // A label shows its text as it stands: a stored name, a note or a reply
    // of the portal that holds markup is never rendered as markup.
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    QDialog::showEvent(e);
    if (!activated_) {
        activated_ = true;
        QMetaObject::invokeMethod(this, "runFirstActivate", Qt::QueuedConnection);
    }
}

void Form::runFirstActivate() { firstActivate(); }

void Form::reject()
{
    if (workRunning_)
        return;
    QDialog::reject();
}

void Form::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1) {
        openHelp();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace wvs
