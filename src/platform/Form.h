#pragma once
#include "platform/MultiLineText.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <initializer_list>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace wvs {

// Gives a control the name the window's design gives it (tests and the
// window's own code find it by that name) and hands it back.
template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

// A named drop-down list holding items, nothing selected.
QComboBox *listCombo(QWidget *parent, const char *name, const QStringList &items = {});
// A flat picture-like button (the map, the date pickers) with its caption and tip.
QToolButton *imageButton(QWidget *parent, const char *name, const QString &text, const QString &tip);
// A row of controls packed to the left.
QHBoxLayout *leftRow(std::initializer_list<QWidget *> widgets);

// Base of every window of the program. The opener passes its parameters in
// Tag (a mode string whose parts are separated by "~") and shows the window
// through showModal. firstActivate runs once, after the window is first shown,
// and is where a window reads its Tag; F1 opens the help page. Its labels
// show their text as plain text, never as markup.
class Form : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Tag MEMBER Tag)
public:
    explicit Form(QWidget *parent = nullptr);

    QString Tag;

    // The parts of the mode string.
    QStringList tagParts() const { return Tag.split(QLatin1Char('~')); }

    // While the window's own work runs with the window's events going (a
    // transfer waited for), Escape and the window's close leave it up: the
    // work has no cancel, and a hidden window would give the input back to
    // its opener, which could start a second run inside the first. Once the
    // work has ended they act as before.
    class WorkRunning {
    public:
        explicit WorkRunning(Form &form) : form_(form), was_(form.workRunning_) { form_.workRunning_ = true; }
        ~WorkRunning() { form_.workRunning_ = was_; }
        WorkRunning(const WorkRunning &) = delete;
        WorkRunning &operator=(const WorkRunning &) = delete;

    private:
        Form &form_;
        bool was_;
    };

    // Escape and the close come here; nothing while the window's work runs.
    void reject() override;

protected:
    // A command button named as the window's design names it; it does not
    // take Enter unless it is made the default button.
    QPushButton *makeButton(const char *name, const QString &caption);
    // A named text box holding at most maxLength characters (0: no limit of its own).
    // A pasted line break becomes a blank, since a one-line box cannot show it.
    QLineEdit *makeText(const char *name, int maxLength = 0);
    // A named multi-line text box holding at most maxLength characters (0: no
    // limit of its own); a paste or a drop puts in plain text only.
    MultiLineText *makeMultiLineText(const char *name, int maxLength = 0);
    // A named tick box and a named option button with their captions.
    QCheckBox *makeCheck(const char *name, const QString &caption = QString());
    QRadioButton *makeOption(const char *name, const QString &caption);

    virtual void firstActivate() {}
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool activated() const { return activated_; }

private slots:
    void runFirstActivate();

private:
    bool activated_ = false;
    bool workRunning_ = false;
};

} // namespace wvs
