#include "platform/FlexGrid.h"
#include "platform/FlexGridModel.h"
#include "core/Session.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace wvs;

namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
    void TearDown() override { resetSession(); }

    // A grid of name / amount / key, filled in the given order.
    static void fill(FlexGrid &g, const QVector<QStringList> &rows)
    {
        g.setCols(3);
        g.setHeadings({"Name", "Amount", ""});
        g.setData(rows);
    }
    static QStringList column(const FlexGrid &g, int col)
    {
        QStringList out;
        for (int r = 1; r < g.rows(); ++r)
            out << g.textMatrix(r, col);
        return out;
    }
};

} // namespace

TEST_F(FlexGridTest, GenericOrderPutsEmptyThenNumbersByValueThenTextIgnoringCase)
{
    const char *ascending[] = {"", "-3", "2", "2.5", "2.75", "9", "10", "999", "1,234.50", "12345", "apple", "Banana", "CHERRY"};
    for (size_t i = 1; i < std::size(ascending); ++i)
        EXPECT_LT(FlexGridModel::compareGeneric(ascending[i - 1], ascending[i]), 0) << ascending[i];
    EXPECT_EQ(FlexGridModel::compareGeneric("smith", "SMITH"), 0);
    EXPECT_EQ(FlexGridModel::compareGeneric("7", " 7.0 "), 0);

    // Things that only look like numbers are text.
    for (const char *t : {"12abc", "1,23", "1e5", "inf", "nan", "0x10", "05 Mar 2024", "-", ".", "1,2345"})
        EXPECT_FALSE(FlexGridModel::readNumber(t)) << t;
    double v = 0;
    EXPECT_TRUE(FlexGridModel::readNumber("1,234,567.5", &v));
    EXPECT_DOUBLE_EQ(v, 1234567.5);
    EXPECT_TRUE(FlexGridModel::readNumber("+.5", &v));
    EXPECT_DOUBLE_EQ(v, 0.5);
}

TEST_F(FlexGridTest, SortOrdersNumbersByValueAndIsStableBothWays)
{
    FlexGrid g;
    fill(g, {{"b", "10", "1"}, {"A", "9", "2"}, {"a", "100", "3"}, {"B", "9", "4"}, {"c", "", "5"}});
    g.sortByColumn(1, true);
    EXPECT_EQ(column(g, 1), QStringList({"", "9", "9", "10", "100"}));
    EXPECT_EQ(column(g, 2), QStringList({"5", "2", "4", "1", "3"}));   // the two 9s keep their order
    // "A"/"a" and "b"/"B" are equal keys: they keep the order the previous sort gave them.
    g.sortByColumn(0, true);
    EXPECT_EQ(column(g, 2), QStringList({"2", "3", "4", "1", "5"}));
    g.sortByColumn(0, false);
    EXPECT_EQ(column(g, 2), QStringList({"5", "4", "1", "2", "3"}));
    g.sortByColumns({0, 1}, true);   // name first, then amount
    EXPECT_EQ(column(g, 2), QStringList({"2", "3", "4", "1", "5"}));
    EXPECT_EQ(g.textMatrix(0, 0), "Name");   // the heading row never takes part
}

TEST_F(FlexGridTest, ColoursPicturesAndHeightsTravelWithTheirRows)
{
    FlexGrid g;
    fill(g, {{"c", "", "1"}, {"a", "", "2"}, {"b", "", "3"}});
    g.stripe();
    g.setRowForeColor(1, QColor(255, 0, 0));
    g.setCellBackColor(3, 1, QColor(0, 0, 255));
    QPixmap tick(14, 14);
    tick.fill(Qt::green);
    g.setCellPicture(3, 2, tick, "tick");
    g.setRowHeight(2, 900);

    g.sortByColumn(0, true);   // a, b, c
    EXPECT_EQ(column(g, 2), QStringList({"2", "3", "1"}));
    EXPECT_EQ(g.cellForeColor(3, 0), QColor(255, 0, 0));
    EXPECT_EQ(g.cellBackColor(2, 1), QColor(0, 0, 255));
    EXPECT_EQ(g.cellPictureKey(2, 2), "tick");
    EXPECT_EQ(g.rowHeightTwips(1), 900);

    // An order given row by row moves them the same way; a list that is not
    // every row once changes nothing.
    EXPECT_FALSE(g.reorderRows({3, 1}));
    EXPECT_FALSE(g.reorderRows({3, 1, 1}));
    EXPECT_TRUE(g.reorderRows({3, 1, 2}));   // c, a, b
    EXPECT_EQ(column(g, 2), QStringList({"1", "2", "3"}));
    EXPECT_EQ(g.rowHeightTwips(2), 900);
    EXPECT_EQ(g.cellPictureKey(3, 2), "tick");

    // A swap moves the content and its pictures, and the formats only when asked to.
    g.swapRows(1, 3, false);   // b, a, c
    EXPECT_EQ(column(g, 0), QStringList({"b", "a", "c"}));
    EXPECT_EQ(g.cellPictureKey(1, 2), "tick");
    EXPECT_EQ(g.cellForeColor(1, 0), QColor(255, 0, 0));   // c's red stayed on row 1
    g.swapRows(1, 3);
    EXPECT_EQ(g.cellForeColor(3, 0), QColor(255, 0, 0));
}

TEST_F(FlexGridTest, NoRowIsSelectedAfterAnyFillOrSort)
{
    FlexGrid g;
    fill(g, {{"a", "1", "1"}, {"b", "2", "2"}, {"c", "3", "3"}});
    g.selectRow(2);
    g.sortByColumn(0, false);
    EXPECT_EQ(g.selectedRow(), 0);

    g.selectRow(3);
    fill(g, {{"x", "1", "1"}, {"y", "2", "2"}, {"z", "3", "3"}});   // same number of rows
    EXPECT_EQ(g.selectedRow(), 0);
    EXPECT_FALSE(g.currentIndex().isValid());   // no focus frame left on a row
    g.selectRow(1);
    g.setRows(4);   // an unchanged count still counts as a refill
    EXPECT_EQ(g.selectedRow(), 0);

    g.selectRow(1);
    {
        FlexGrid::FillScope scope(&g);
        g.setRows(1);
        g.addRow({"p"});
        g.addRow({"q"});
    }
    EXPECT_EQ(g.model()->rowCount(), 2);
    EXPECT_EQ(g.selectedRow(), 0);
}

TEST_F(FlexGridTest, WidthZeroHidesAKeyColumnThatStaysReadableThroughRefillsAndSorts)
{
    session().resizeFactor = 1.125;
    FlexGrid g;
    g.setCols(4);
    g.setColWidth(1, 1000);          // 1125 twips = 75 px
    g.setColWidth(3, 0);
    EXPECT_EQ(g.columnWidth(1), 75);
    g.setData({{"", "a", "b", "42"}, {"", "c", "d", "7"}});
    g.sortByColumn(3);
    g.setCols(5);
    EXPECT_TRUE(g.isColumnHidden(3));
    EXPECT_EQ(g.textMatrix(2, 3), "42");
}

TEST_F(FlexGridTest, FillHidesTheGridWithTheHourglassAndRestoresBoth)
{
    QWidget window;
    auto *g = new FlexGrid(&window);
    window.show();
    g->beginFill();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    g->beginFill();   // nested: the inner end changes nothing
    g->endFill();
    EXPECT_FALSE(g->isVisible());
    g->endFill();
    EXPECT_TRUE(g->isVisible());
    g->endFill();   // an unbalanced end is harmless
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FlexGridTest, ClicksReportTheGridRowAndRightClickKeepsTheSelection)
{
    FlexGrid g;
    g.resize(400, 300);
    fill(g, {{"a", "1", "k1"}, {"b", "2", "k2"}, {"c", "3", "k3"}});
    g.setColWidth(2, 0);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QSignalSpy clicked(&g, &FlexGrid::rowClicked);
    QSignalSpy dbl(&g, &FlexGrid::rowDoubleClicked);
    QSignalSpy right(&g, &FlexGrid::rowRightClicked);
    const QPoint row2 = g.visualRect(g.model()->index(1, 1)).center();
    const QPoint row3 = g.visualRect(g.model()->index(2, 0)).center();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, row2);
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, row3);
    EXPECT_EQ(g.selectedRow(), 2);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, row3);
    ASSERT_TRUE(clicked.size() == 1 && right.size() == 1 && dbl.size() == 1);
    EXPECT_EQ(clicked.at(0), QVariantList({2, 1}));
    EXPECT_EQ(right.at(0).mid(0, 2), QVariantList({3, 0}));
    EXPECT_EQ(dbl.at(0).at(0).toInt(), 3);

    // With several rows chosen, the run is listed and the first is the selected row.
    g.setMultiRowSelect(true);
    g.selectRow(1);
    g.selectionModel()->select(QItemSelection(g.model()->index(0, 0), g.model()->index(2, 2)),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(g.selectedRows(), QList<int>({1, 2, 3}));
    EXPECT_EQ(g.selectedRow(), 1);
}

TEST_F(FlexGridTest, RowHeightsFitTheirWrappedText)
{
    FlexGrid g;
    g.setCols(3);
    g.setColWidth(1, 1500);
    g.setColWidth(2, 1500);
    g.setData({{"", "one line", "first\nsecond\nthird"}, {"", "one line", ""}});
    const int oneLine = g.textHeightTwips(2, 1);
    const int threeLines = g.textHeightTwips(1, 2);
    EXPECT_GT(threeLines, 2 * oneLine);
    EXPECT_EQ(g.fitRowHeight(1, 1, 2, 50), threeLines + 50);
    EXPECT_EQ(g.fitRowHeight(2, 1, 2, 50), oneLine + 50);
    g.setTextMatrix(2, 1, QString("word ").repeated(40));   // wraps at the column's width
    EXPECT_GT(g.textHeightTwips(2, 1), 3 * oneLine);
}

// A letter the grid's font lacks (an emoji, a mathematical letter) is drawn
// from a fallback font, often taller; the cell's text still sits where the
// cell's own font puts it, inside its row, for every vertical alignment.
TEST_F(FlexGridTest, TextWithALetterOfAFallbackFontStaysOnItsCellsLine)
{
    const QString tall[] = {QString::fromUtf8("Acme \xF0\x9F\x98\x80 Ltd"), QString::fromUtf8("Acme \xF0\x9D\x92\x9C Ltd")};
    FlexGrid g;
    // A common desktop font without emoji, then colour emoji: families not
    // installed are passed over.
    QFont font = g.font();
    font.setFamilies({"Liberation Sans", "Arial", "Noto Color Emoji", font.family()});
    g.setFont(font);
    g.resize(400, 200);
    g.setCols(2);
    g.setHeadings({"Name", ""});
    g.setColWidth(0, 3000, false);
    // Empty rows between them, so that ink outside a row is seen as its own.
    g.setData({{"Acme Ltd", ""}, {"", ""}, {tall[0], ""}, {"", ""}, {tall[1], ""}, {"", ""}});
    g.show();
    QApplication::processEvents();
    for (const int code : {0, 1, 2}) { // left top, left centre, left bottom
        SCOPED_TRACE(code);
        g.setColAlignment(0, FlexGrid::alignmentFromCode(code));
        const QImage image = g.viewport()->grab().toImage();
        // The highest and lowest ink of "Acme" (no descenders) in and around
        // a row, from the top of its cell; rows are white with dark letters.
        auto acme = [&](int row) {
            const QRect cell = g.visualRect(g.model()->index(row - 1, 0));
            int top = -1, bottom = -1;
            for (int y = cell.top() - cell.height(); y <= cell.bottom() + cell.height(); ++y)
                for (int x = cell.left(); x < cell.left() + 30; ++x)
                    if (y >= 0 && y < image.height() && qGray(image.pixel(x, y)) < 128) {
                        top = top < 0 ? y - cell.top() : top;
                        bottom = y - cell.top();
                    }
            return std::make_pair(top, bottom);
        };
        const auto plain = acme(1);
        ASSERT_GE(plain.first, 0);
        ASSERT_LT(plain.second, g.rowHeight(0));
        for (int i : {0, 1})
            EXPECT_EQ(acme(3 + 2 * i), plain) << tall[i].toStdString();
    }
}
