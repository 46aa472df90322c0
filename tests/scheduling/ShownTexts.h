#pragma once
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

inline void PrintTo(const QColor &c, std::ostream *os) { *os << "RGB(" << c.red() << ", " << c.green() << ", " << c.blue() << ')'; }

namespace wvs::test {

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

inline QStringList entries(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

} // namespace wvs::test
