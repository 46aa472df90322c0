#pragma once
#include <QDialog>
#include <QString>

class QPushButton;

namespace wvs {

// Base of every window of the program. The opener passes its parameters in
// Tag (a mode string whose parts are separated by "~") and shows the window
// through showModal. firstActivate runs once, after the window is first shown,
// and is where a window reads its Tag; F1 opens the help page.
class Form : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Tag MEMBER Tag)
public:
    explicit Form(QWidget *parent = nullptr);

    QString Tag;

    // The parts of the mode string.
    QStringList tagParts() const { return Tag.split(QLatin1Char('~')); }

protected:
    // A command button named as the window's design names it; it does not
    // take Enter unless it is made the default button.
    QPushButton *makeButton(const char *name, const QString &caption);

    virtual void firstActivate() {}
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool activated() const { return activated_; }

private slots:
    void runFirstActivate();

private:
    bool activated_ = false;
};

} // namespace wvs
