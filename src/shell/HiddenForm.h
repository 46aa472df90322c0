#pragma once
#include <QWidget>

namespace wvs {

// Loaded at start-up and never shown: unloading it is the way out of the
// program, through the question "Exit WVS?".
class HiddenForm : public QWidget {
    Q_OBJECT
public:
    explicit HiddenForm(QWidget *mainWindow = nullptr);
    // Asks "Exit WVS?": Yes shuts down (does not return); No sets cancel.
    void Form_Unload(bool &cancel);
};

} // namespace wvs
