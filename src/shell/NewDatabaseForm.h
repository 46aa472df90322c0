#pragma once
#include "platform/Form.h"
#include "shell/NewDatabase.h"

class QComboBox;
class QLineEdit;

namespace wvs {

// Asked on the first start, when there is no WVS.db: the business and the
// first associate. OK creates the database; Cancel ends the program.
class NewDatabaseForm : public Form {
    Q_OBJECT
public:
    explicit NewDatabaseForm(QString path, QWidget *parent = nullptr);
    NewInstallation installation() const;

public slots:
    void OKButton_Click();

private:
    QString path_;
    QLineEdit *businessName_;
    QComboBox *country_;
    QLineEdit *installationID_;
    QLineEdit *associateID_;
    QLineEdit *associateName_;
    QLineEdit *password_;
    QLineEdit *password2_;
};

} // namespace wvs
