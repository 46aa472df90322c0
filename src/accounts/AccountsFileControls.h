#pragma once
#include <QString>

class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace wvs {

// The controls the accounts windows share: the file name, typed or chosen
// with Browse, and OK (the default) and Cancel below a line.
struct AccountsFileControls {
    QLabel *FileLabel = nullptr;
    QLineEdit *FileNameText = nullptr;
    QPushButton *BrowseButton = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *ExitButton = nullptr;
    QFrame *Line1 = nullptr;

    // Makes the controls on window; fileLabel captions the file name.
    void buildFileControls(QWidget *window, const QString &fileLabel);
    // OK and Cancel packed to the right.
    QHBoxLayout *commandRow() const;
    // Browse: the save or open dialog with the filter of the accounts
    // package in mode; a chosen file goes into the file name.
    void chooseFile(QWidget *window, const QString &title, const QString &mode, bool save);
};

} // namespace wvs
