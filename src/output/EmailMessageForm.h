#pragma once
#include "platform/Form.h"

class QGroupBox;
class QRadioButton;

namespace wvs {

// The look shared by the windows that send a typed message by e-mail: the
// "Message" box, the "To Address" choice between the address on the record
// and one entered on the e-mail, and OK/Cancel. The windows differ in the
// record the address comes from and in the order the two boxes stand.
class EmailMessageForm : public Form {
    Q_OBJECT
public:
    void OKButton_Click();
    void CancelButton_Click();

protected:
    enum class Order { MessageFirst, AddressFirst };
    // recordCaption: the option that takes the record's address. messageLimit:
    // the most characters the message holds (0: no limit).
    EmailMessageForm(const char *name, const QString &recordCaption, Order order, int messageLimit,
                     QWidget *parent);

    // Fills the message with the one last typed; over SMTP the address
    // always comes from the record, so the choice is fixed there.
    void startWith(const QString &storedMessage);
    // Sends the message; false keeps the window open.
    virtual bool send() = 0;

    const char *formName_;
    QGroupBox *MessageFrame;
    MultiLineText *MessageText;
    QGroupBox *AddressFrame;
    QRadioButton *RecordOption;
    QRadioButton *SpecificOption;
};

} // namespace wvs
