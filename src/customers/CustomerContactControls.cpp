#include "customers/CustomerContactControls.h"

#include <QLineEdit>
#include <QRadioButton>

namespace wvs {

void CustomerContactControls::readContact(CustomerRecord &c) const
{
    c.title = TitleText->text();
    c.companyName = CompanyText->text();
    c.contactName = ContactText->text();
    c.accountsRef = AccountsRefText->text();
    c.phone1 = Phone1Text->text();
    c.phone2 = Phone2Text->text();
    c.phone3 = Phone3Text->text();
    c.preferredPhone = Phone1Option->isChecked() ? 1 : Phone2Option->isChecked() ? 2 : Phone3Option->isChecked() ? 3 : 0;
    c.email1 = Email1Text->text();
    c.email2 = Email2Text->text();
    c.cAddress1 = CAddress1Text->text();
    c.cAddress2 = CAddress2Text->text();
    c.cAddress3 = CAddress3Text->text();
    c.cSuburb = CSuburbText->text();
    c.cCity = CCityText->text();
    c.cPostCode = CPostCodeText->text();
}

} // namespace wvs
