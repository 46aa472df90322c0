#pragma once
#include "platform/Form.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace wvs {

// "About WVS": the installation's flag, name and ID, the version, the logo,
// and the licence and release notes.
class AboutForm : public Form {
    Q_OBJECT
public:
    explicit AboutForm(QWidget *parent = nullptr);

    // The flag picture file of a country in the program's folder; "" for a
    // country without one.
    static QString flagFile(const QString &country);

    void Form_Load();
    void CloseButton_Click();

private:
    QLabel *CountryImage;
    QLabel *Image1;
    QLabel *HeaderLabel;
    QLabel *RegisteredCaption;
    QLabel *RegisteredLabel;
    QLabel *SerialNoCaption;
    QLabel *SerialNoLabel;
    QTabWidget *AboutTab;
    QTextBrowser *LicenceText;
    QTextBrowser *DetailsText;
    QPushButton *CloseButton;
};

} // namespace wvs
