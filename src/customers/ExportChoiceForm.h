#pragma once
#include "platform/Form.h"

#include <QList>
#include <QString>

class QCheckBox;

namespace wvs {

// The window in which the user ticks the columns of an export. It shows the
// stored choice of its column-choice table; OK stores the ticks for every
// user and closes it accepted. The list that opened it reads the number of
// ticked columns and writes the file itself.
class ExportChoiceForm : public Form {
    Q_OBJECT
public:
    struct Box {
        const char *field;
        const char *objectName;
        const char *caption;
    };

    void SelectAllButton_Click();
    void UnselectAllButton_Click();
    void OKButton_Click();
    void ExitButton_Click();

    // The number of ticked boxes.
    int tickedCount() const;

    // Shows a column-choice window the list has created (and deletes it) and
    // returns the number of columns ticked when OK closed it; 0 after Exit,
    // or when there is no such window.
    static int chooseColumns(QDialog *window);

protected:
    ExportChoiceForm(QWidget *parent, const char *formName, const QString &table, const QList<Box> &boxes);
    const char *formName() const { return formName_; }

private:
    void Form_Load();

    const char *formName_;
    QString table_;
    QList<Box> boxes_;
    QList<QCheckBox *> checks_;
};

} // namespace wvs
