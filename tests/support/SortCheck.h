#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>

namespace wvs::test {

// Sorts a list window on each choice of its SortCombo, ascending and then descending (SortOrderCombo,
// SortButton), and checks what `listed` reads against the ascending order given, reversed for descending.
inline void expectEachSortChoice(QWidget *list, std::initializer_list<std::pair<const char *, QStringList>> sorts,
                                 const std::function<QStringList()> &listed)
{
    auto *column = list->findChild<QComboBox *>(QStringLiteral("SortCombo"));
    auto *order = list->findChild<QComboBox *>(QStringLiteral("SortOrderCombo"));
    auto *sort = list->findChild<QAbstractButton *>(QStringLiteral("SortButton"));
    ASSERT_TRUE(column && order && sort);
    for (const auto &[choice, ascending] : sorts)
        for (const char *direction : {"Ascending", "Descending"}) {
            column->setCurrentIndex(column->findText(QString::fromLatin1(choice)));
            order->setCurrentIndex(order->findText(QString::fromLatin1(direction)));
            ASSERT_GE(column->currentIndex(), 0) << choice;
            sort->click();
            QApplication::processEvents();
            QStringList expected = ascending;
            if (QLatin1String(direction) == QLatin1String("Descending"))
                std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(listed(), expected) << choice << " " << direction;
        }
}

} // namespace wvs::test
