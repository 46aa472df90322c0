#include "platform/FlexGrid.h"
#include "support/ShownTexts.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace wvs;
using wvs::test::column;

namespace {

// A grid of name / amount / key, filled in the given order.
void fill(FlexGrid &g, const QVector<QStringList> &rows)
{
    g.setCols(3);
    g.setHeadings({"Name", "Amount", ""});
    g.setData(rows);
}

} // namespace

// Empty first, then numbers by value (grouped by commas or not), then text
// ignoring case; things that only look like numbers are text.
TEST(FlexGridTest, SortPutsEmptyThenNumbersByValueThenTextAndIsStableBothWays)
{
    const QStringList ascending = {"", "-3", "+.5", "2", "2.5", "2.75", "9", "10", "999", "1,234.50", "12345", "999999",
        "1,234,567.5", "-", ".", "05 Mar 2024", "0x10", "1,23", "1,2345", "12abc", "1e5", "apple", "Banana", "CHERRY",
        "inf", "nan"};
    QVector<QStringList> rows;
    for (qsizetype i = ascending.size() - 1; i >= 0; --i)
        rows.append({ascending[i]});
    FlexGrid g;
    fill(g, rows);
    g.sortByColumn(0, true);
    EXPECT_EQ(column(&g, 0), ascending);
    g.sortByColumn(0, false);
    EXPECT_EQ(column(&g, 0), QStringList(ascending.rbegin(), ascending.rend()));

    // Equal keys ("A"/"a", "9"/" 9.0 ") keep the order the previous sort gave them.
    fill(g, {{"b", "10", "1"}, {"A", "9", "2"}, {"a", "100", "3"}, {"B", " 9.0 ", "4"}, {"c", "", "5"}});
    g.sortByColumn(1, true);
    EXPECT_EQ(column(&g, 2), QStringList({"5", "2", "4", "1", "3"}));
    g.sortByColumn(0, true);
    EXPECT_EQ(column(&g, 2), QStringList({"2", "3", "4", "1", "5"}));
    g.sortByColumn(0, false);
    EXPECT_EQ(column(&g, 2), QStringList({"5", "4", "1", "2", "3"}));
    g.sortByColumns({0, 1}, true);   // name first, then amount
    EXPECT_EQ(column(&g, 2), QStringList({"2", "3", "4", "1", "5"}));
}

TEST(FlexGridTest, ColoursPicturesAndHeightsTravelWithTheirRows)
{
    FlexGrid g;
    fill(g, {{"c", "", "1"}, {"a", "", "2"}, {"b", "", "3"}});
    g.stripe();
    g.setRowForeColor(1, Qt::red);
    g.setCellBackColor(3, 1, Qt::blue);
    g.setCellPicture(3, 2, QPixmap(14, 14), "tick");
    g.setRowHeight(2, 900);
    // Each row's name with R (red text), B (blue cell), P (picture), H (its height).
    auto rows = [&] {
        QStringList out;
        for (int r = 1; r < g.rows(); ++r)
            out << g.textMatrix(r, 0) + (g.cellForeColor(r, 0) == QColor(Qt::red) ? "R" : "") +
                       (g.cellBackColor(r, 1) == QColor(Qt::blue) ? "B" : "") +
                       (g.cellPictureKey(r, 2) == "tick" ? "P" : "") + (g.rowHeightTwips(r) == 900 ? "H" : "");
        return out.join("|");
    };
    g.sortByColumn(0, true);
    EXPECT_EQ(rows(), "aH|bBP|cR");
    // An order given row by row moves them the same way; a list that is not every row once changes nothing.
    EXPECT_FALSE(g.reorderRows({3, 1}) || g.reorderRows({3, 1, 1}));
    EXPECT_TRUE(g.reorderRows({3, 1, 2}));
    EXPECT_EQ(rows(), "cR|aH|bBP");
    // A swap moves the content and its pictures, and the formats only when asked to.
    g.swapRows(1, 3, false);
    EXPECT_EQ(rows(), "bRP|aH|cB");
    g.swapRows(1, 3);
    EXPECT_EQ(rows(), "cB|aH|bRP");
}

TEST(FlexGridTest, NoRowIsSelectedAfterAnyFillOrSort)
{
    FlexGrid g;
    const QVector<QStringList> three = {{"a", "1", "1"}, {"b", "2", "2"}, {"c", "3", "3"}};
    fill(g, three);
    // A sort, a refill with as many rows, an unchanged row count, a fill in a scope.
    const std::function<void()> refills[] = {
        [&] { g.sortByColumn(0, false); }, [&] { fill(g, three); }, [&] { g.setRows(4); },
        [&] {
            FlexGrid::FillScope scope(&g);
            g.setRows(1);
            g.addRow({"p"});
            g.addRow({"q"});
        }};
    for (const auto &refill : refills) {
        g.selectRow(2);
        refill();
        EXPECT_EQ(g.selectedRow(), 0);
        EXPECT_FALSE(g.currentIndex().isValid());   // no focus frame left on a row
    }
}

TEST(FlexGridTest, FillHidesTheGridWithTheHourglassAndRestoresBoth)
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

// Clicks report the grid row; a right click keeps the selection; a key column of width 0
// stays hidden, and readable, through sorts and a change of columns.
TEST(FlexGridTest, ClicksReportTheGridRowAndRightClickKeepsTheSelection)
{
    FlexGrid g;
    g.resize(400, 300);
    fill(g, {{"a", "1", "k1"}, {"b", "2", "k2"}, {"c", "3", "k3"}});
    g.setColWidth(2, 0);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QSignalSpy clicked(&g, &FlexGrid::rowClicked), dbl(&g, &FlexGrid::rowDoubleClicked), right(&g, &FlexGrid::rowRightClicked);
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

    g.sortByColumn(2, false);
    g.setCols(4);
    EXPECT_TRUE(g.isColumnHidden(2));
    EXPECT_EQ(g.textMatrix(1, 2), "k3");
}

TEST(FlexGridTest, RowHeightsFitTheirWrappedText)
{
    FlexGrid g;
    g.setCols(3);
    g.setColWidth(1, 1500);
    g.setColWidth(2, 1500);
    g.setData({{"", "one line", "first\nsecond\nthird"}, {"", "one line", ""}, {"", QString("word ").repeated(40), ""}});
    const int oneLine = g.fitRowHeight(2, 1, 2, 50) - 50;
    EXPECT_GT(g.fitRowHeight(1, 1, 2, 50) - 50, 2 * oneLine);
    EXPECT_GT(g.fitRowHeight(3, 1, 2, 50) - 50, 3 * oneLine);   // wraps at the column's width
    EXPECT_EQ(g.rowHeightTwips(3), g.fitRowHeight(3, 1, 2, 50));
}

// A letter the grid's font lacks (an emoji, a mathematical letter) is drawn from a
// fallback font, often taller; the cell's text still sits where the cell's own font
// puts it, inside its row, for every vertical alignment.
TEST(FlexGridTest, TextWithALetterOfAFallbackFontStaysOnItsCellsLine)
{
    const QString tall[] = {QString::fromUtf8("Acme \xF0\x9F\x98\x80 Ltd"), QString::fromUtf8("Acme \xF0\x9D\x92\x9C Ltd")};
    FlexGrid g;
    // A common desktop font without emoji, then colour emoji; families not installed are passed over.
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
        // The highest and lowest dark ink of "Acme" (no descenders) in and around a row, from its cell's top.
        auto acme = [&](int row) {
            const QRect cell = g.visualRect(g.model()->index(row - 1, 0));
            int top = -1, bottom = -1;
            for (int y = std::max(0, cell.top() - cell.height()); y <= cell.bottom() + cell.height() && y < image.height(); ++y)
                for (int x = cell.left(); x < cell.left() + 30; ++x)
                    if (qGray(image.pixel(x, y)) < 128) {
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
