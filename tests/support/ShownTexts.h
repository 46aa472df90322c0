#pragma once
#include "platform/FlexGrid.h"
#include "support/QtPrinters.h"
#include "support/Keys.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QColor &c, std::ostream *os) { *os << "RGB(" << c.red() << ", " << c.green() << ", " << c.blue() << ')'; }

namespace wvs::test {

// The window's caption followed by the captions of its buttons, tick boxes
// and options (those that have one).
inline QStringList captions(QWidget *w)
{
    QStringList out{w->windowTitle()};
    for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
        if (!b->text().isEmpty())
            out << b->text();
    return out;
}

struct Shown {
    const char *control;
    const char *text;   // a label's or button's caption, a frame's title; a picture button's tooltip
};

// Each named control of the window shows its text.
inline void expectShown(const QWidget *window, std::initializer_list<Shown> table)
{
    for (const Shown &s : table) {
        const auto *w = window->findChild<QWidget *>(QString::fromLatin1(s.control));
        ASSERT_NE(w, nullptr) << s.control;
        const auto *b = qobject_cast<const QAbstractButton *>(w);
        const auto *l = qobject_cast<const QLabel *>(w);
        const auto *g = qobject_cast<const QGroupBox *>(w);
        const QString shown = l ? l->text() : g ? g->title() : b && !b->text().isEmpty() ? b->text() : w->toolTip();
        EXPECT_EQ(shown, QString::fromUtf8(s.text)) << s.control;
    }
}

// How many characters (of fill) a user can type into the box (left empty afterwards).
inline int typingLimit(QWidget *w, const char *box, int tries = 120, QChar fill = QLatin1Char('x'))
{
    auto *e = w->findChild<QLineEdit *>(QString::fromLatin1(box));
    if (!e)
        return -1;
    e->clear();
    test::typeKeys(e, QString(tries, fill));
    const int n = int(e->text().size());
    e->clear();
    return n;
}

// The entries of the window's named list box, in order.
inline QStringList entries(const QWidget *w, const char *combo)
{
    const auto *c = w->findChild<QComboBox *>(QString::fromLatin1(combo));
    EXPECT_NE(c, nullptr) << combo;
    QStringList out;
    for (int i = 0; c && i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// The grid's column headings (its first row).
inline QStringList headings(const FlexGrid *g)
{
    QStringList out;
    for (int c = 0; c < g->cols(); ++c)
        out << g->textMatrix(0, c);
    return out;
}

// The texts of a grid column below its headings.
inline QStringList column(const FlexGrid *g, int col)
{
    QStringList out;
    for (int r = 1; r < g->rows(); ++r)
        out << g->textMatrix(r, col);
    return out;
}

} // namespace wvs::test
