#include "CustomerTestData.h"
#include "customers/CustomerListQuery.h"
#include "customers/CustomerListStyle.h"
#include "platform/FlexGrid.h"
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
    CustomerFilter company(const QString &t)
    {
        CustomerFilter f;
        f.company = t;
        return f;
    }
};

} // namespace

TEST_F(CustomerListTest, FiltersMatchTypedTextLiterallyAnywhereInTheField)
{
    addCustomer(QStringLiteral("A"), QStringLiteral("x"), 1, QStringLiteral("Mason & Sons"));
    addCustomer(QStringLiteral("B"), QStringLiteral("x"), 1, QStringLiteral("Johnson Ltd"));
    addCustomer(QStringLiteral("C"), QStringLiteral("x"), 1, QStringLiteral("100% Clean"));
    addCustomer(QStringLiteral("D"), QStringLiteral("x"), 1, QStringLiteral("100 Clean"));
    addCustomer(QStringLiteral("E"), QStringLiteral("x"), 1, QStringLiteral("Big_Co"));
    addCustomer(QStringLiteral("F"), QStringLiteral("x"), 1, QStringLiteral("BigXCo"));
    addCustomer(QStringLiteral("G"), QStringLiteral("x"), 1, QStringLiteral("O'Neil \"Best\" *Co?"));
    addCustomer(QStringLiteral("H"), QStringLiteral("x"), 1, QStringLiteral("back\\slash"));

    EXPECT_EQ(surnames(company(QStringLiteral("son"))), (QStringList{"A", "B"}));
    EXPECT_EQ(surnames(company(QStringLiteral("SON"))), (QStringList{"A", "B"}));
    EXPECT_EQ(surnames(company(QStringLiteral("100%"))), QStringList{"C"});
    EXPECT_EQ(surnames(company(QStringLiteral("g_C"))), QStringList{"E"});
    EXPECT_EQ(surnames(company(QStringLiteral("O'Neil \"Best\" *Co?"))), QStringList{"G"});
    EXPECT_EQ(surnames(company(QStringLiteral("k\\s"))), QStringList{"H"});
}

TEST_F(CustomerListTest, FiltersCombineAndStatusNeedsAnExactWord)
{
    addCustomer(QStringLiteral("Smith"), QStringLiteral("a"), 1, QStringLiteral("Acme"), QStringLiteral("Mt Eden"));
    addCustomer(QStringLiteral("Smithers"), QStringLiteral("b"), 2, QStringLiteral("Acme"), QStringLiteral("Eden Terrace"));
    addCustomer(QStringLiteral("Jones"), QStringLiteral("c"), 9, QStringLiteral("Acme"), QStringLiteral("Eden Terrace"));

    CustomerFilter f;
    f.surname = QStringLiteral("smith");
    EXPECT_EQ(surnames(f), (QStringList{"Smith", "Smithers"}));
    // A chosen suburb also lists every suburb whose name contains it.
    f = {};
    f.suburb = QStringLiteral("Eden");
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

TEST_F(CustomerListTest, RowsAreStripedAndColouredByStatusBelowFiveThousandGridRows)
{
    FlexGrid grid;
    grid.setCols(CustomerListQuery::ColumnCount);
    auto fill = [&grid](int dataRows) {
        QVector<QStringList> rows;
        for (int i = 0; i < dataRows; ++i)
            rows.append({"", QString::number(i), "", "", "", "", "", "", QString::number(i + 1), i == 1 ? "9" : "2"});
        grid.setData(rows);
        CustomerListStyle::apply(grid);
    };
    fill(4998); // 4999 grid rows: coloured
    EXPECT_EQ(grid.cellBackColor(2, 5), QColor(224, 224, 224));
    EXPECT_EQ(grid.cellForeColor(2, 0), QColor(255, 0, 0));
    EXPECT_TRUE(grid.cellBold(2, 9));
    EXPECT_EQ(grid.cellForeColor(4998, 3), QColor(0, 192, 0));

    fill(4999); // 5000 grid rows: plain
    EXPECT_EQ(grid.cellBackColor(2, 5), QColor(255, 255, 255));
    EXPECT_EQ(grid.cellForeColor(2, 0), QColor(0, 0, 0));
    EXPECT_FALSE(grid.cellBold(2, 9));
}
