#pragma once
#include <QPointer>
#include <QString>

class QDialog;
class QWidget;

namespace wvs {

// The program-wide session values: who is logged on, the installation, and the
// results that common dialogs hand back to their openers.
struct Session {
    QString currentAssociateID;     // empty before log-in
    QString currentAssociateName;
    int currentAuthorityLevel = 0;  // 0: no rights
    QString initialScreen;          // window name opened after log-in; empty for none

    QString installationCountry;    // "New Zealand", "Australia", "USA" or "UK"
    QString installationName;
    QString installationID;

    double resizeFactor = 1.0;
    QString calendarRequest;
    int selectedPrinterIndex = 999; // 999: cancelled
    int defaultPrinterIndex = 0;
    bool portalUpdateSucceeded = false;
    bool shutdownFailed = false;

    QPointer<QWidget> mainForm;  // the main window, once shown
};

Session &session();

// Clears every value (tests start each case from a fresh session).
void resetSession();

} // namespace wvs
