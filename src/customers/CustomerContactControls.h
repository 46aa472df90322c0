#pragma once
#include "customers/CustomerRecord.h"

class QLineEdit;
class QRadioButton;

namespace wvs {

// The boxes of a customer's title, company, contact, accounts reference,
// phones (with the preferred one), e-mails and correspondence address, as
// the customer dialog and the portal request dialog both show them.
struct CustomerContactControls {
    QLineEdit *TitleText = nullptr, *CompanyText = nullptr, *ContactText = nullptr, *AccountsRefText = nullptr;
    QLineEdit *CAddress1Text = nullptr, *CAddress2Text = nullptr, *CAddress3Text = nullptr;
    QLineEdit *CSuburbText = nullptr, *CCityText = nullptr, *CPostCodeText = nullptr;
    QRadioButton *Phone1Option = nullptr, *Phone2Option = nullptr, *Phone3Option = nullptr;
    QLineEdit *Phone1Text = nullptr, *Phone2Text = nullptr, *Phone3Text = nullptr;
    QLineEdit *Email1Text = nullptr, *Email2Text = nullptr;

    // Those fields of c as the boxes hold them; no phone option chosen
    // leaves preferredPhone 0.
    void readContact(CustomerRecord &c) const;
};

} // namespace wvs
