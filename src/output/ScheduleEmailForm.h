#pragma once
#include "output/EmailMessageForm.h"

namespace wvs {

// Sends each associate his part of a stored schedule. Tag: the schedule
// number, "~" and the one associate to send to (nothing for every associate).
// Over SMTP the messages go at once; with the desktop's mail program they are
// left there as drafts, addressed from the associates' records or not at all.
class ScheduleEmailForm : public EmailMessageForm {
    Q_OBJECT
public:
    explicit ScheduleEmailForm(QWidget *parent = nullptr);

    qint64 ScheduleNumber = 0;
    QString AssociateID;

    static constexpr int kMessageLimit = 255;

protected:
    void firstActivate() override;
    bool send() override;
};

} // namespace wvs
