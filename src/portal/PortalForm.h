#pragma once
#include "platform/Form.h"

class QLabel;
class QStatusBar;

namespace wvs {

// The window of one synchronisation run with the web portal. The opener sets
// Tag to the mode string and shows it; the run takes place at the first
// activation, then the window closes itself. The outcome is left in
// session().portalUpdateSucceeded. An import of customer-job requests also
// sets the opener's CustomerJobsImported property.
class PortalForm : public Form {
    Q_OBJECT
public:
    explicit PortalForm(QWidget *parent = nullptr);

    QLabel *InfoLabel;
    QStatusBar *StatusBar1;

protected:
    void firstActivate() override;

private:
    void showState(const QString &text);
    QLabel *statusPanel_;
};

} // namespace wvs
