#pragma once
#include "platform/Form.h"

class QGroupBox;
class QPlainTextEdit;
class QRadioButton;

namespace wvs {

// The service-request e-mail to the customer of one job (Tag: the job's
// JobSeqNo): a typed message followed by the job's details, delivered through
// the desktop's mail program as a draft (provider "Outlook") or sent at once
// over SMTP.
class CustomerJobEmailForm : public Form {
    Q_OBJECT
public:
    explicit CustomerJobEmailForm(QWidget *parent = nullptr);

    void OKButton_Click();
    void CancelButton_Click();
    // Sets the frequency words from a recurrence code.
    void DetermineFrequency(qint64 code);

    qint64 jobSeqNo() const { return jobSeqNo_; }
    const QString &frequencyWords() const { return frequencyWords_; }

protected:
    void firstActivate() override;

private:
    // The words of the job, built afresh on every OK.
    qint64 jobSeqNo_ = 0;
    QString frequencyWords_;

    QGroupBox *AddressFrame;
    QRadioButton *SpecificOption;
    QRadioButton *RecordOption;
    QGroupBox *MessageFrame;
    QPlainTextEdit *MessageText;
};

} // namespace wvs
