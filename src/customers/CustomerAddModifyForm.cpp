#include "customers/CustomerAddModifyForm.h"
#include "customers/CustomerMapLink.h"
#include "customers/CustomerValidation.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(CustomerAddModifyForm);

namespace {

const char *const kForm = "CustomerAddModifyForm";

// A small folded map with a pin, the picture of the map search.
QPixmap mapPicture()
{
    QPixmap pm(36, 30);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF sheet({QPointF(1, 5), QPointF(12, 1), QPointF(24, 5), QPointF(35, 1), QPointF(35, 25),
                           QPointF(24, 29), QPointF(12, 25), QPointF(1, 29)});
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(214, 236, 200));
    p.drawPolygon(sheet);
    p.setPen(QPen(QColor(120, 160, 210), 3));
    p.drawLine(QPointF(3, 20), QPointF(33, 10));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawLine(QPointF(12, 1), QPointF(12, 25));
    p.drawLine(QPointF(24, 5), QPointF(24, 29));
    QPainterPath pin;
    pin.addEllipse(QPointF(19, 10), 5, 5);
    p.setPen(QPen(QColor(150, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawPath(pin);
    p.drawPolygon(QPolygonF({QPointF(15, 12), QPointF(23, 12), QPointF(19, 21)}));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(19, 10), 1.8, 1.8);
    return pm;
}

} // namespace

CustomerAddModifyForm::CustomerAddModifyForm(QWidget *parent) : Form(parent)
{
    setObjectName(QString::fromUtf8(kForm));
    setWindowTitle(QStringLiteral("Customer"));

    auto caption = [this](const char *t) { return new QLabel(QString::fromUtf8(t), this); };

    HeadingLabel = new QLabel(QStringLiteral("Customer"), this);
    HeadingLabel->setObjectName(QStringLiteral("HeadingLabel"));
    QFont headingFont = font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    HeadingLabel->setFont(headingFont);

    TitleText = makeText("TitleText", customerFieldSize(QStringLiteral("Title")));
    ForenameText = makeText("ForenameText", customerFieldSize(QStringLiteral("Forename")));
    SurnameText = makeText("SurnameText", customerFieldSize(QStringLiteral("Surname")));
    CAddress1Text = makeText("CAddress1Text", customerFieldSize(QStringLiteral("CAddress1")));
    CAddress2Text = makeText("CAddress2Text", customerFieldSize(QStringLiteral("CAddress2")));
    CAddress3Text = makeText("CAddress3Text", customerFieldSize(QStringLiteral("CAddress3")));
    CSuburbText = makeText("CSuburbText", customerFieldSize(QStringLiteral("CSuburb")));
    CCityText = makeText("CCityText", customerFieldSize(QStringLiteral("CCity")));
    CPostCodeText = makeText("CPostCodeText", customerFieldSize(QStringLiteral("CPostCode")));
    Phone1Text = makeText("Phone1Text", customerFieldSize(QStringLiteral("Phone1")));
    Phone2Text = makeText("Phone2Text", customerFieldSize(QStringLiteral("Phone2")));
    Phone3Text = makeText("Phone3Text", customerFieldSize(QStringLiteral("Phone3")));
    Email1Text = makeText("Email1Text", customerFieldSize(QStringLiteral("Email1")));
    Email2Text = makeText("Email2Text", customerFieldSize(QStringLiteral("Email2")));
    CompanyText = makeText("CompanyText", customerFieldSize(QStringLiteral("CompanyName")));
    ContactText = makeText("ContactText", customerFieldSize(QStringLiteral("ContactName")));
    AccountsRefText = makeText("AccountsRefText", customerFieldSize(QStringLiteral("AccountsRef")));
    SAddress1Text = makeText("SAddress1Text", customerFieldSize(QStringLiteral("SAddress1")));
    SAddress2Text = makeText("SAddress2Text", customerFieldSize(QStringLiteral("SAddress2")));
    SAddress3Text = makeText("SAddress3Text", customerFieldSize(QStringLiteral("SAddress3")));
    SSuburbText = makeText("SSuburbText", customerFieldSize(QStringLiteral("SSuburb")));
    SCityText = makeText("SCityText", customerFieldSize(QStringLiteral("SCity")));
    SPostCodeText = makeText("SPostCodeText", customerFieldSize(QStringLiteral("SPostCode")));
    PreviousAddressButton = makeButton("PreviousAddressButton", "&Previous");
    NextAddressButton = makeButton("NextAddressButton", "&Next");
    CommentText = makeMultiLineText("CommentText");
    CommentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CommentText->setTabChangesFocus(true);
    OKButton = makeButton("OKButton", "&Save");
    ExitButton = makeButton("ExitButton", "&Exit");
    CAddressCheck = makeCheck("CAddressCheck", QStringLiteral("Same as Correspondence Address"));
    Phone1Option = makeOption("Phone1Option", QStringLiteral("Phone 1"));
    Phone2Option = makeOption("Phone2Option", QStringLiteral("Phone 2"));
    Phone3Option = makeOption("Phone3Option", QStringLiteral("Phone 3"));
    auto *phones = new QButtonGroup(this);
    phones->addButton(Phone1Option);
    phones->addButton(Phone2Option);
    phones->addButton(Phone3Option);
    Phone1Option->setChecked(true);
    InactiveCheck = makeCheck("InactiveCheck", QStringLiteral("Customer is inactive"));
    ProspectiveCheck = makeCheck("ProspectiveCheck", QStringLiteral("Customer is prospective"));
    CommentCheck = makeCheck("CommentCheck", QStringLiteral("Include comments on Job Schedule"));
    MapImage = new QLabel(this);
    MapImage->setObjectName(QStringLiteral("MapImage"));
    MapImage->setPixmap(mapPicture());
    MapImage->setToolTip(QStringLiteral("Map"));
    MapImage->setMouseTracking(true);
    MapImage->installEventFilter(this);
    PreviousAddressButton->setEnabled(false);

    // Left: the customer; right: the shown service address, status and comments.
    auto *person = new QGridLayout;
    int row = 0;
    auto addRow = [&row](QGridLayout *g, QWidget *l, QWidget *field) {
        g->addWidget(l, row, 0);
        g->addWidget(field, row, 1);
        ++row;
    };
    addRow(person, caption("Title"), TitleText);
    addRow(person, caption("First Name"), ForenameText);
    addRow(person, caption("Last Name"), SurnameText);

    auto *corrBox = new QGroupBox(QStringLiteral("Correspondence Address"), this);
    corrBox->setObjectName(QStringLiteral("CorrespondenceFrame"));
    auto *corr = new QGridLayout(corrBox);
    row = 0;
    addRow(corr, caption("Address Line 1"), CAddress1Text);
    addRow(corr, caption("Address Line 2"), CAddress2Text);
    addRow(corr, caption("Address Line 3"), CAddress3Text);
    addRow(corr, caption("Suburb"), CSuburbText);
    addRow(corr, caption("City"), CCityText);
    addRow(corr, caption("Post Code"), CPostCodeText);

    auto *contact = new QGridLayout;
    row = 0;
    addRow(contact, Phone1Option, Phone1Text);
    addRow(contact, Phone2Option, Phone2Text);
    addRow(contact, Phone3Option, Phone3Text);
    addRow(contact, caption("Email 1"), Email1Text);
    addRow(contact, caption("Email 2"), Email2Text);
    addRow(contact, caption("Company"), CompanyText);
    addRow(contact, caption("Contact"), ContactText);
    addRow(contact, caption("Accounts Ref"), AccountsRefText);

    auto *left = new QVBoxLayout;
    left->addLayout(person);
    left->addWidget(corrBox);
    left->addLayout(contact);
    left->addStretch();

    auto *serviceBox = new QGroupBox(QStringLiteral("Service Address"), this);
    serviceBox->setObjectName(QStringLiteral("ServiceFrame"));
    auto *service = new QGridLayout(serviceBox);
    service->addWidget(CAddressCheck, 0, 0, 1, 2);
    row = 1;
    addRow(service, caption("Address Line 1"), SAddress1Text);
    addRow(service, caption("Address Line 2"), SAddress2Text);
    addRow(service, caption("Address Line 3"), SAddress3Text);
    addRow(service, caption("Location"), SSuburbText);
    addRow(service, caption("City"), SCityText);
    addRow(service, caption("Post Code"), SPostCodeText);
    auto *paging = new QHBoxLayout;
    paging->addWidget(PreviousAddressButton);
    paging->addWidget(NextAddressButton);
    paging->addStretch();
    paging->addWidget(MapImage);
    service->addLayout(paging, row, 0, 1, 2);

    auto *right = new QVBoxLayout;
    right->addWidget(serviceBox);
    right->addWidget(InactiveCheck);
    right->addWidget(ProspectiveCheck);
    right->addWidget(caption("Comments"));
    right->addWidget(CommentText, 1);
    right->addWidget(CommentCheck);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    columns->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HeadingLabel);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    resize(820, 560);

    // Entry fields first, in the order of the record.
    QList<QWidget *> order;
    for (QLineEdit *e : entryFields())
        order << e;
    order << PreviousAddressButton << NextAddressButton << CommentText << OKButton << ExitButton << CAddressCheck
          << Phone1Option << Phone2Option << Phone3Option << InactiveCheck << ProspectiveCheck << CommentCheck;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(NextAddressButton, &QPushButton::clicked, this, &CustomerAddModifyForm::NextAddressButton_Click);
    connect(PreviousAddressButton, &QPushButton::clicked, this, &CustomerAddModifyForm::PreviousAddressButton_Click);
    connect(CAddressCheck, &QCheckBox::toggled, this, &CustomerAddModifyForm::CAddressCheck_Click);
    connect(InactiveCheck, &QCheckBox::toggled, this, &CustomerAddModifyForm::InactiveCheck_Click);
    connect(ProspectiveCheck, &QCheckBox::toggled, this, &CustomerAddModifyForm::ProspectiveCheck_Click);
    connect(OKButton, &QPushButton::clicked, this, &CustomerAddModifyForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this, &CustomerAddModifyForm::ExitButton_Click);
}

QList<QLineEdit *> CustomerAddModifyForm::entryFields() const
{
    return {TitleText,     ForenameText,  SurnameText,   CAddress1Text, CAddress2Text, CAddress3Text,
            CSuburbText,   CCityText,     CPostCodeText, Phone1Text,    Phone2Text,    Phone3Text,
            Email1Text,    Email2Text,    CompanyText,   ContactText,   AccountsRefText, SAddress1Text,
            SAddress2Text, SAddress3Text, SSuburbText,   SCityText,     SPostCodeText};
}

CustomerMode CustomerAddModifyForm::mode() const
{
    if (FormMode == QLatin1String("View"))
        return CustomerMode::View;
    if (FormMode == QLatin1String("Modify"))
        return CustomerMode::Modify;
    return CustomerMode::Add;
}

void CustomerAddModifyForm::firstActivate()
{
    guarded(kForm, "Form_Activate", [&] {
        const bool view = Tag.startsWith(QLatin1String("View"));
        const bool modify = Tag.startsWith(QLatin1String("Modify"));
        if (Tag.endsWith(QLatin1String("Add")) || (!view && !modify)) {
            FormMode = QStringLiteral("Add");
            setWindowTitle(QStringLiteral("Customer Add"));
            paging_.start({}, false);
            updatePagingButtons();
            return;
        }
        const int sep = Tag.indexOf(QLatin1Char('~'));
        CustomerNumber = sep < 0 ? 0 : Tag.mid(sep + 1).trimmed().toLongLong();
        paging_.start(CustomerStore::loadAddresses(CustomerNumber), view);
        // A customer that no longer exists opens with empty boxes.
        if (const auto c = CustomerStore::load(CustomerNumber)) {
            showRecord(*c);
            showAddress(paging_.shown());
        }
        // What a Modify compares against: only the fields and addresses the
        // user changes are written.
        shown_ = entry();
        shownAddresses_ = paging_.addresses();
        if (modify) {
            setWindowTitle(QStringLiteral("Customer Modify"));
            FormMode = QStringLiteral("Modify");
        } else {
            setWindowTitle(QStringLiteral("View Customer"));
            FormMode = QStringLiteral("View");
            for (QLineEdit *e : entryFields())
                e->setReadOnly(true);
            CommentText->setReadOnly(true);
            for (QCheckBox *c : {ProspectiveCheck, InactiveCheck, CAddressCheck, CommentCheck})
                c->setEnabled(false);
            OKButton->setEnabled(false);
        }
        updatePagingButtons();
    });
}

void CustomerAddModifyForm::showRecord(const CustomerRecord &c)
{
    TitleText->setText(c.title);
    ForenameText->setText(c.forename);
    SurnameText->setText(c.surname);
    CompanyText->setText(c.companyName);
    Phone1Text->setText(c.phone1);
    Phone2Text->setText(c.phone2);
    Phone3Text->setText(c.phone3);
    // Any stored value other than 2 or 3 shows Phone 1 as preferred.
    (c.preferredPhone == 2 ? Phone2Option : c.preferredPhone == 3 ? Phone3Option : Phone1Option)->setChecked(true);
    Email1Text->setText(c.email1);
    Email2Text->setText(c.email2);
    ProspectiveCheck->setChecked(c.customerStatus == CustomerStatus::Prospective);
    InactiveCheck->setChecked(c.customerStatus == CustomerStatus::Inactive);
    ContactText->setText(c.contactName);
    AccountsRefText->setText(c.accountsRef);
    CAddress1Text->setText(c.cAddress1);
    CAddress2Text->setText(c.cAddress2);
    CAddress3Text->setText(c.cAddress3);
    CSuburbText->setText(c.cSuburb);
    CCityText->setText(c.cCity);
    CPostCodeText->setText(c.cPostCode);
    CommentText->setPlainText(c.customerComment);
    CommentCheck->setChecked(c.commentOnSchedule);
}

CustomerRecord CustomerAddModifyForm::entry() const
{
    CustomerRecord c;
    c.customerNumber = CustomerNumber;
    readContact(c);
    c.forename = ForenameText->text();
    c.surname = SurnameText->text();
    c.customerStatus = ProspectiveCheck->isChecked() ? CustomerStatus::Prospective
                       : InactiveCheck->isChecked()  ? CustomerStatus::Inactive
                                                     : CustomerStatus::Active;
    c.customerComment = CommentText->text();
    c.commentOnSchedule = CommentCheck->isChecked();
    return c;
}

AddressFields CustomerAddModifyForm::shownAddress() const
{
    return {SAddress1Text->text(), SAddress2Text->text(), SAddress3Text->text(),
            SSuburbText->text(),   SCityText->text(),     SPostCodeText->text()};
}

void CustomerAddModifyForm::showAddress(const AddressFields &a)
{
    SAddress1Text->setText(a.sAddress1);
    SAddress2Text->setText(a.sAddress2);
    SAddress3Text->setText(a.sAddress3);
    SSuburbText->setText(a.sSuburb);
    SCityText->setText(a.sCity);
    SPostCodeText->setText(a.sPostCode);
}

void CustomerAddModifyForm::showPagedAddress()
{
    showAddress(paging_.shown());
    // The tick described the address the copy went into; another address is
    // shown now, so it is cleared (without copying) and can be ticked again.
    CAddressCheck->setChecked(false);
    updatePagingButtons();
}

void CustomerAddModifyForm::updatePagingButtons()
{
    PreviousAddressButton->setEnabled(paging_.previousEnabled());
    NextAddressButton->setEnabled(paging_.nextEnabled());
}

void CustomerAddModifyForm::focusByName(const QString &name)
{
    if (name.isEmpty())
        return;
    if (auto *w = findChild<QWidget *>(name))
        w->setFocus();
}

void CustomerAddModifyForm::UpdateCustomerAddressArray()
{
    guarded(kForm, "UpdateCustomerAddressArray", [&] { paging_.store(shownAddress()); });
}

void CustomerAddModifyForm::NextAddressButton_Click()
{
    guarded(kForm, "NextAddressButton_Click", [&] {
        const AddressPaging::Step step = paging_.next(shownAddress());
        if (!step.moved) {
            if (!step.message.isEmpty())
                msgBox(step.message);
            focusByName(step.focus == AddressPaging::Focus::SSuburb ? QStringLiteral("SSuburbText")
                        : step.focus == AddressPaging::Focus::SAddress1 ? QStringLiteral("SAddress1Text")
                                                                        : QString());
            return;
        }
        showPagedAddress();
        SAddress1Text->setFocus();
    });
}

void CustomerAddModifyForm::PreviousAddressButton_Click()
{
    guarded(kForm, "PreviousAddressButton_Click", [&] {
        if (!paging_.previous(shownAddress()).moved)
            return;
        showPagedAddress();
    });
}

void CustomerAddModifyForm::CAddressCheck_Click()
{
    guarded(kForm, "CAddressCheck_Click", [&] {
        if (!CAddressCheck->isChecked())
            return;
        showAddress({CAddress1Text->text(), CAddress2Text->text(), CAddress3Text->text(), CSuburbText->text(),
                     CCityText->text(), CPostCodeText->text()});
    });
}

void CustomerAddModifyForm::InactiveCheck_Click()
{
    guarded(kForm, "InactiveCheck_Click", [&] {
        if (InactiveCheck->isChecked())
            ProspectiveCheck->setChecked(false);
    });
}

void CustomerAddModifyForm::ProspectiveCheck_Click()
{
    guarded(kForm, "ProspectiveCheck_Click", [&] {
        if (ProspectiveCheck->isChecked())
            InactiveCheck->setChecked(false);
    });
}

void CustomerAddModifyForm::MapImage_Click()
{
    guarded(kForm, "MapImage_Click", [&] {
        if (SAddress1Text->text().isEmpty())
            return;
        openLink(CustomerMapLink::url(shownAddress()), LinkKind::WebPage);
    });
}

void CustomerAddModifyForm::MapImage_MouseMove()
{
    guarded(kForm, "MapImage_MouseMove", [&] {
        if (SAddress1Text->text().isEmpty())
            MapImage->unsetCursor();
        else
            MapImage->setCursor(Qt::PointingHandCursor);
    });
}

bool CustomerAddModifyForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MapImage) {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            MapImage_MouseMove();
        else if (event->type() == QEvent::MouseButtonRelease)
            MapImage_Click();
    }
    return Form::eventFilter(watched, event);
}

void CustomerAddModifyForm::ExitButton_Click()
{
    guarded(kForm, "ExitButton_Click", [&] { reject(); });
}

bool CustomerAddModifyForm::ValidateCustomer()
{
    bool ok = false;
    guarded(kForm, "ValidateCustomer", [&] {
        const CustomerValidation::Result r = CustomerValidation::validate(mode(), entry(), paging_.addresses());
        focusByName(r.focus);
        ok = r.ok;
    });
    return ok;
}

bool CustomerAddModifyForm::SaveCustomer()
{
    bool ok = false;
    guarded(kForm, "SaveCustomer", [&] {
        const CustomerRecord c = entry();
        if (mode() == CustomerMode::Add && CustomerStore::similarCustomerExists(c)
            && !askYesNo(QStringLiteral("A Customer with the same forename, surname and address already exists. ")
                         + QStringLiteral("Do you still want to create a new Customer with these details?")))
            return;
        const bool modify = mode() == CustomerMode::Modify;
        CustomerNumber = CustomerStore::save(mode(), c, paging_.addresses(), modify ? &shown_ : nullptr,
                                             modify ? &shownAddresses_ : nullptr);
        ok = true;
    });
    return ok;
}

void CustomerAddModifyForm::startNewCustomer()
{
    for (QLineEdit *e : entryFields())
        e->clear();
    CommentText->clear();
    for (QCheckBox *c : {ProspectiveCheck, InactiveCheck, CAddressCheck, CommentCheck})
        c->setChecked(false);
    CustomerNumber = 0;
    ForenameText->setFocus();
    paging_.reset();
    updatePagingButtons();
}

void CustomerAddModifyForm::OKButton_Click()
{
    guarded(kForm, "OKButton_Click", [&] {
        if (mode() == CustomerMode::View)
            return;
        UpdateCustomerAddressArray();
        if (!ValidateCustomer())
            return;
        if (!SaveCustomer())
            return;
        emit saved();
        if (mode() == CustomerMode::Add && askYesNo(QStringLiteral("Customer saved. Do you wish to add another?"))) {
            startNewCustomer();
            return;
        }
        ExitButton_Click();
    });
}

} // namespace wvs
