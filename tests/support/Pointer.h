#pragma once
#include "platform/FlexGrid.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace wvs::test {

// The pointer as the window system delivers it: a left click (or a double
// click) where the user points in the window, its press and release sent to
// the widget under the pointer.
inline void pointAndClick(QWidget *window, QWidget *target, QPoint at, bool twice = false)
{
    const QPoint inWindow = target->mapTo(window, at);
    QWidget *under = window->childAt(inWindow);
    ASSERT_NE(under, nullptr);
    const QPoint local = under->mapFrom(window, inWindow);
    QTest::mouseClick(under, Qt::LeftButton, {}, local);
    if (twice)
        QTest::mouseDClick(under, Qt::LeftButton, {}, local);
    QApplication::processEvents();
    QApplication::processEvents();
}

// A click in the middle of the window's named control (a button, a tick box).
inline void pressButton(QWidget *window, const char *control)
{
    auto *c = window->findChild<QWidget *>(QString::fromLatin1(control));
    ASSERT_NE(c, nullptr) << control;
    pointAndClick(window, c, c->rect().center());
}

// A click, or a double click, on the first shown cell of the grid's data row.
inline void pointAtRow(QWidget *window, FlexGrid *g, int row, bool twice = false)
{
    int col = 1;
    while (g->columnWidth(col) == 0)
        ++col;
    pointAndClick(window, g->viewport(), g->visualRect(g->model()->index(row - 1, col)).center(), twice);
}

} // namespace wvs::test
