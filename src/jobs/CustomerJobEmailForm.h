#pragma once
#include "output/EmailMessageForm.h"

namespace wvs {

// The service-request e-mail to the customer of one job (Tag: the job's
// JobSeqNo): a typed message followed by the job's details, delivered through
// the desktop's mail program as a draft (provider "Outlook") or sent at once
// over SMTP.
class CustomerJobEmailForm : public EmailMessageForm {
    Q_OBJECT
public:
    explicit CustomerJobEmailForm(QWidget *parent = nullptr);

    // Sets the frequency words from a recurrence code.
    void DetermineFrequency(qint64 code);

    qint64 jobSeqNo() const { return jobSeqNo_; }
    const QString &frequencyWords() const { return frequencyWords_; }

protected:
    void firstActivate() override;
    bool send() override;

private:
    // The words of the job, built afresh on every OK.
    qint64 jobSeqNo_ = 0;
    QString frequencyWords_;
};

} // namespace wvs
