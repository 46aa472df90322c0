#pragma once
#include "platform/Form.h"

class QPushButton;

namespace wvs {

// "Add Comment": appends a comment to one note on a scheduled job. Tag: the
// schedule number, "~" the occurrence's planned date, "~" the customer job and
// "~" the note's stored time, which picks the note among the occurrence's.
class CommentForm : public Form {
    Q_OBJECT
public:
    explicit CommentForm(QWidget *parent = nullptr);

    qint64 ScheduleNumber = 0;
    QString ServiceDate;
    qint64 JobSeqNo = 0;
    QString NoteDateTime;

    void Form_Activate();
    void OKButton_Click();
    void ExitButton_Click();

protected:
    void firstActivate() override { Form_Activate(); }

private:
    MultiLineText *CommentText;
    QPushButton *OKButton;
    QPushButton *ExitButton;
};

} // namespace wvs
