#include "CustomerTestData.h"
#include "customers/CustomerAddModifyForm.h"
#include "customers/CustomerValidation.h"
#include "customers/CustomersManagementForm.h"
#include "platform/FlexGrid.h"
#include "support/DbTest.h"
#include "support/ShownTexts.h"

#include <functional>

using namespace wvs;
using namespace wvs::test;

// What the customer windows say, how the list is coloured and how much each
// box of the customer dialog takes.
namespace {

class CustomerTextsTest : public AdminDbTest {
protected:
    // Runs the checks with fresh messages, answering the questions in turn.
    CustomerValidation::Result check(const CustomerRecord &c, std::initializer_list<MsgAnswer> answers = {},
                                     const QVector<ServiceAddress> &addresses = {newAddress("1 Shore Rd")},
                                     CustomerMode mode = CustomerMode::Add)
    {
        msgs_->clear();
        for (MsgAnswer x : answers)
            msgs_->answer(x);
        return CustomerValidation::validate(mode, c, addresses);
    }
};

const QColor lightGrey(224, 224, 224), green(0, 192, 0);

} // namespace

TEST_F(CustomerTextsTest, CustomerChecksShowTheirMessageButtonsIconAndFocusAndTheAccountsReferenceNeedsAPackage)
{
    using B = MsgButtons;
    using I = MsgIcon;
    using Change = std::function<void(CustomerRecord &, QVector<ServiceAddress> &)>;
    // What the customer checks say; only the first fault is shown, and a
    // question stops on No and goes on on Yes.
    const struct { Change change; const char *message; MsgButtons buttons; MsgIcon icon; const char *focus; } cases[] = {
        {[](auto &c, auto &) { c.forename.clear(); }, "Please enter the Customer's Forename", B::Ok, I::None, "ForenameText"},
        {[](auto &c, auto &) { c.surname.clear(), c.cAddress1.clear(); }, "Please enter the Customer's Surname", B::Ok,
         I::None, "SurnameText"},
        {[](auto &c, auto &) { c.phone1.clear(), c.phone2.clear(), c.phone3.clear(); }, "No phone number has been entered - is this correct?", B::YesNo,
         I::Exclamation, "Phone1Text"},
        {[](auto &c, auto &) { c.phone1.clear(), c.phone2 = "021 2", c.preferredPhone = 1; },
         "You have indicated Phone 1 as the preferred contact but have not entered a phone number", B::Ok, I::None,
         "Phone1Text"},
        {[](auto &c, auto &) { c.preferredPhone = 2; },
         "You have indicated Phone 2 as the preferred contact but have not entered a phone number", B::Ok, I::None,
         "Phone2Text"},
        {[](auto &c, auto &) { c.preferredPhone = 3; },
         "You have indicated Phone 3 as the preferred contact but have not entered a phone number", B::Ok, I::None,
         "Phone3Text"},
        {[](auto &c, auto &) { c.companyName = "Acme"; },
         "No Contact Name has been entered for the Company. Is this correct?", B::YesNo, I::None, "ContactText"},
        {[](auto &c, auto &) { c.cAddress1.clear(); }, "Please enter the 1st line of the Customer's correspondence address",
         B::Ok, I::None, "CAddress1Text"},
        {[](auto &c, auto &) { c.cSuburb.clear(); }, "Please enter the Customer's correspondence suburb", B::Ok, I::None,
         "CSuburbText"},
        {[](auto &c, auto &) { c.cPostCode.clear(); },
         "No Post Code has been entered for the correspondence address. Is this correct?", B::YesNo, I::None,
         "CPostCodeText"},
        {[](auto &, auto &a) { a = {newAddress(QString())}; }, "Please enter a service address", B::Ok, I::None,
         "SAddress1Text"},
        {[](auto &, auto &a) { a = {newAddress("5 Hill Rd", "")}; }, "Service address 5 Hill Rd has no Suburb", B::Ok,
         I::None, ""},
        // The first of two lines that differ only in case is named.
        {[](auto &, auto &a) { a = {newAddress(""), newAddress("5 HILL rd"), newAddress("9 Bay"), newAddress("5 Hill Rd")}; },
         "Service address 5 HILL rd has been duplicated", B::Ok, I::None, ""},
    };
    for (const auto &k : cases) {
        CustomerRecord c = validCustomer();
        QVector<ServiceAddress> addresses{newAddress(QStringLiteral("1 Shore Rd"))};
        k.change(c, addresses);
        const auto result = check(c, {MsgAnswer::No}, addresses);
        EXPECT_FALSE(result.ok) << k.message;
        EXPECT_EQ(result.focus, k.focus) << k.message;
        ASSERT_EQ(msgs_->shown().size(), 1) << k.message;
        const auto &box = msgs_->shown()[0];
        EXPECT_EQ(box.text, k.message);
        EXPECT_TRUE(box.buttons == k.buttons && box.icon == k.icon && box.title.isEmpty()) << k.message;
        if (k.buttons == B::YesNo)
            EXPECT_TRUE(check(c, {}, addresses).ok) << k.message;
    }
    // The checks run in the order of the table: with every later fault present as well, each shows its own message.
    CustomerRecord c = validCustomer();
    QVector<ServiceAddress> addresses{newAddress(QStringLiteral("1 Shore Rd"))};
    for (auto k = std::rbegin(cases); k != std::rend(cases); ++k) {
        k->change(c, addresses);
        check(c, {MsgAnswer::No}, addresses);
        EXPECT_EQ(msgs_->last(), QString::fromUtf8(k->message)) << "with the later faults";
    }

    // Any one phone alone is a phone number: no question when it is the preferred one.
    for (const int phone : {1, 2, 3}) {
        CustomerRecord one = validCustomer();
        one.phone1.clear();
        (phone == 1 ? one.phone1 : phone == 2 ? one.phone2 : one.phone3) = QStringLiteral("09 555 0101");
        one.preferredPhone = phone;
        EXPECT_TRUE(check(one).ok) << phone;
        EXPECT_TRUE(msgs_->texts().isEmpty()) << phone << msgs_->texts().join(" | ").toStdString();
    }

    // The accounts reference is checked only with an accounts package.
    const qint64 other = addCustomer(QStringLiteral("Other"));
    writeSql(QStringLiteral("UPDATE Customers SET AccountsRef = 'ACC1' WHERE CustomerNumber = ?"), {other});
    c = validCustomer();
    c.accountsRef = QStringLiteral("ACC1");
    EXPECT_TRUE(check(c).ok);
    c.accountsRef.clear();
    EXPECT_TRUE(check(c).ok);
    EXPECT_TRUE(msgs_->texts().isEmpty());

    writeSql(QStringLiteral("UPDATE Preferences SET Xero = 1"));
    EXPECT_EQ(check(c, {MsgAnswer::No}).focus, "AccountsRefText");
    EXPECT_EQ(msgs_->texts(), QStringList{"No Accounts Reference has been entered. This will prevent any of this "
                                          "Customer's data being shared with your chosen accounts package. Is this correct?"});

    c.accountsRef = QStringLiteral("ACC1");
    EXPECT_EQ(check(c).focus, "AccountsRefText");
    EXPECT_EQ(msgs_->texts(), QStringList{"Accounts Reference ACC1 has been already assigned to another Customer"});
    // MYOB alone checks as Xero does.
    writeSql(QStringLiteral("UPDATE Preferences SET Xero = 0, MYOB = 1"));
    EXPECT_EQ(check(c).focus, "AccountsRefText");
    EXPECT_EQ(msgs_->texts(), QStringList{"Accounts Reference ACC1 has been already assigned to another Customer"});
    c.accountsRef.clear();
    EXPECT_EQ(check(c, {MsgAnswer::No}).focus, "AccountsRefText");
    c.accountsRef = QStringLiteral("ACC1");

    // The customer's own reference is no clash when he is changed.
    c.customerNumber = other;
    EXPECT_TRUE(check(c, {}, {newAddress("1 Shore Rd")}, CustomerMode::Modify).ok);
    // A reference with quotes is just text.
    c.accountsRef = QStringLiteral("A\"1' OR 1=1");
    EXPECT_TRUE(check(c).ok);
}

TEST_F(CustomerTextsTest, ListIsColouredOnlyBelowFiveThousandGridRows)
{
    addCustomer("Aaron", "Al", 2); // first on Last Name
    writeSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4997) "
             "INSERT INTO Customers (Surname, Forename, CAddress1, CSuburb, CustomerStatus) "
             "SELECT 'Z' || i, 'x', '1 St', 'Epsom', 1 FROM n");
    CustomersManagementForm list;
    for (const auto &[rows, coloured] : {std::pair{4999, true}, {5000, false}}) {
        if (!coloured)
            addCustomer("Zz");
        list.PopulateGrid();
        ASSERT_EQ(list.grid()->rows(), rows);
        EXPECT_EQ(list.grid()->cellForeColor(1, 1) == green, coloured) << rows;
        EXPECT_EQ(list.grid()->cellBackColor(2, 1) == lightGrey, coloured) << rows;
    }
}

TEST_F(CustomerTextsTest, DialogCaptionsAndEntryLimits)
{
    const qint64 brown = addCustomer("Brown");
    addAddress(brown, "A St");
    addAddress(brown, "B St");
    const QString n = QString::number(brown);
    QStringList captions;
    modal_->on("CustomerAddModifyForm", [&](QDialog *d) {
        captions << d->windowTitle();
        if (captions.size() == 1) { // the lone new address needs a first line (blanks are none) and a suburb
            type(d, "SAddress1Text", "   ");
            click(d, "NextAddressButton");
            type(d, "SAddress1Text", "1 Main Rd");
            click(d, "NextAddressButton");
        } else if (captions.size() == 3) { // viewing stops at the last address
            click(d, "NextAddressButton");
            EXPECT_FALSE(enabled(d, "NextAddressButton"));
        }
    });
    for (const QString &tag : {QStringLiteral("Add"), "Modify~" + n, "View~" + n}) {
        CustomerAddModifyForm dialog;
        dialog.Tag = tag;
        showModal(&dialog);
    }
    EXPECT_EQ(captions, QStringList({"Customer Add", "Customer Modify", "View Customer"}));
    EXPECT_EQ(msgs_->texts(), QStringList({"Please enter the 1st line of the Customer's service address",
                                           "Please enter the Customer's service suburb"}));

    // How much the user may type into each box.
    const std::pair<const char *, int> limits[] = {
        {"TitleText", 20},     {"ForenameText", 50},   {"SurnameText", 50},    {"CompanyText", 100},
        {"ContactText", 100},  {"Phone1Text", 30},     {"Phone2Text", 30},     {"Phone3Text", 30},
        {"Email1Text", 100},   {"Email2Text", 100},    {"CAddress1Text", 100}, {"CAddress2Text", 100},
        {"CAddress3Text", 100}, {"CSuburbText", 50},   {"CCityText", 50},      {"CPostCodeText", 20},
        {"AccountsRefText", 30}, {"SAddress1Text", 100}, {"SAddress2Text", 100}, {"SAddress3Text", 100},
        {"SSuburbText", 50},   {"SCityText", 50},      {"SPostCodeText", 20}};
    CustomerAddModifyForm dialog;
    for (const auto &[box, limit] : limits)
        EXPECT_EQ(typingLimit(&dialog, box, limit + 1), limit) << box;
}
