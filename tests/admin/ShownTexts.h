#pragma once
#include "platform/FlexGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

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

// How many characters a user can type into the box (left empty afterwards).
inline int typingLimit(QWidget *w, const char *box, int tries = 120)
{
    auto *e = w->findChild<QLineEdit *>(QString::fromLatin1(box));
    if (!e)
        return -1;
    e->clear();
    QTest::keyClicks(e, QString(tries, QLatin1Char('x')));
    const int n = int(e->text().size());
    e->clear();
    return n;
}

inline QStringList entries(QWidget *w, const char *combo)
{
    QStringList out;
    if (auto *c = w->findChild<QComboBox *>(QString::fromLatin1(combo)))
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    return out;
}

inline QStringList headings(FlexGrid *g)
{
    QStringList out;
    for (int c = 0; c < g->cols(); ++c)
        out << g->textMatrix(0, c);
    return out;
}

} // namespace wvs::test
