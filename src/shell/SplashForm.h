#pragma once
#include <QWidget>

class QTimer;

namespace wvs {

// The start-up picture; after two seconds it hands over to the main window.
class SplashForm : public QWidget {
    Q_OBJECT
public:
    explicit SplashForm(QWidget *parent = nullptr);
    QTimer *Timer1() const { return timer_; }

signals:
    void closed();

public slots:
    void CloseForm();

private:
    QTimer *timer_;
};

} // namespace wvs
