#include "CustomerTestData.h"
#include "customers/CustomerValidation.h"
#include "support/DbTest.h"

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomerValidationTest : public DbTest {
protected:
    // Runs the checks with fresh messages, answering the questions in turn.
    CustomerValidation::Result check(const CustomerRecord &c, const QVector<ServiceAddress> &a,
                                     std::initializer_list<MsgAnswer> answers = {},
                                     CustomerMode mode = CustomerMode::Add)
    {
        msgs_->clear();
        for (MsgAnswer x : answers)
            msgs_->answer(x);
        return CustomerValidation::validate(mode, c, a);
    }
    QVector<ServiceAddress> oneAddress{newAddress(QStringLiteral("1 Shore Rd"))};
};

} // namespace

TEST_F(CustomerValidationTest, AccountsReferenceIsCheckedOnlyWithAnAccountsPackage)
{
    const qint64 other = addCustomer(QStringLiteral("Other"));
    writeSql(QStringLiteral("UPDATE Customers SET AccountsRef = 'ACC1' WHERE CustomerNumber = ?"), {other});

    CustomerRecord c = validCustomer();
    c.accountsRef = QStringLiteral("ACC1");
    EXPECT_TRUE(check(c, oneAddress).ok);
    c.accountsRef.clear();
    EXPECT_TRUE(check(c, oneAddress).ok);
    EXPECT_TRUE(msgs_->texts().isEmpty());

    writeSql(QStringLiteral("UPDATE Preferences SET Xero = 1"));
    auto r = check(c, oneAddress, {MsgAnswer::No});
    EXPECT_EQ(r.focus, "AccountsRefText");
    EXPECT_EQ(msgs_->texts(), QStringList{"No Accounts Reference has been entered. This will prevent any of this "
                                          "Customer's data being shared with your chosen accounts package. Is this correct?"});

    c.accountsRef = QStringLiteral("ACC1");
    r = check(c, oneAddress);
    EXPECT_EQ(r.focus, "AccountsRefText");
    EXPECT_EQ(msgs_->texts(), QStringList{"Accounts Reference ACC1 has been already assigned to another Customer"});

    // The customer's own reference is no clash when he is changed.
    c.customerNumber = other;
    EXPECT_TRUE(check(c, oneAddress, {}, CustomerMode::Modify).ok);
    // A reference with quotes is just text.
    c.accountsRef = QStringLiteral("A\"1' OR 1=1");
    EXPECT_TRUE(check(c, oneAddress).ok);
}
