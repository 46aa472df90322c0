#pragma once
#include "platform/Form.h"

#include <QList>
#include <QString>

class QCheckBox;

namespace wvs {

// The window in which the user ticks the columns of an export. It shows the
// stored choice of its column-choice table; OK stores the ticks for every
// user and hands the number of ticked columns to the list that opened it.
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

protected:
    ExportChoiceForm(QWidget *parent, const char *formName, const QString &table, const QList<Box> &boxes);
    // Hands the count to the opening list (0 when nothing is to be exported).
    virtual void setFieldCount(int count) = 0;
    // Runs after OK has closed the window with at least one column ticked.
    virtual void exportChosen() = 0;
    const char *formName() const { return formName_; }

private:
    void Form_Load();

    const char *formName_;
    QString table_;
    QList<Box> boxes_;
    QList<QCheckBox *> checks_;
};

} // namespace wvs
