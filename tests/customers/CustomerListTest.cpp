#include "CustomerTestData.h"
#include "customers/CustomerListQuery.h"
#include "support/DbTest.h"

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomerListTest : public DbTest {
protected:
    QStringList surnames(const CustomerFilter &f)
    {
        QStringList out;
        for (const QStringList &r : CustomerListQuery::rows(f))
            out << r[CustomerListQuery::ColSurname];
        out.sort();
        return out;
    }
    QStringList companies(const QString &t) { return surnames({.company = t}); }
};

} // namespace

TEST_F(CustomerListTest, FiltersMatchTypedTextLiterallyAnywhereInTheField)
{
    const char *names[] = {"Mason & Sons", "Johnson Ltd", "100% Clean", "100 Clean", "Big_Co", "BigXCo",
                           "O'Neil \"Best\" *Co?", "back\\slash"};
    for (int i = 0; i < 8; ++i)
        addCustomer(QString(QChar('A' + i)), "x", 1, names[i]);

    EXPECT_EQ(companies("SON"), (QStringList{"A", "B"}));
    EXPECT_EQ(companies("100%"), QStringList{"C"});
    EXPECT_EQ(companies("g_C"), QStringList{"E"});
    EXPECT_EQ(companies("O'Neil \"Best\" *Co?"), QStringList{"G"});
    EXPECT_EQ(companies("k\\s"), QStringList{"H"});
}

TEST_F(CustomerListTest, FiltersCombineAndStatusNeedsAnExactWord)
{
    addCustomer("Smith", "a", 1, "Acme", "Mt Eden");
    addCustomer("Smithers", "b", 2, "Acme", "Eden Terrace");
    addCustomer("Jones", "c", 9, "Acme", "Eden Terrace");

    EXPECT_EQ(surnames({.surname = "smith"}), (QStringList{"Smith", "Smithers"}));
    // A chosen suburb also lists every suburb whose name contains it.
    CustomerFilter f{.suburb = "Eden"};
    EXPECT_EQ(surnames(f).size(), 3);
    f.status = QStringLiteral("Inactive");
    EXPECT_EQ(surnames(f), QStringList{"Jones"});
    f.status = QStringLiteral("Prospective");
    f.surname = QStringLiteral("Smith");
    EXPECT_EQ(surnames(f), QStringList{"Smithers"});
    f.status = QStringLiteral("prospective");
    EXPECT_EQ(surnames(f), (QStringList{"Smith", "Smithers"}));

    EXPECT_EQ(CustomerListQuery::suburbs(), (QStringList{"Eden Terrace", "Mt Eden"}));
}
