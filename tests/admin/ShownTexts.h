#pragma once
#include "platform/FlexGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace wvs::test {

// The texts of `expected` that the window does not show as its caption, a
// label, a button's or box's caption, a frame's title or a tool tip.
inline QStringList notShown(QWidget *w, const QStringList &expected)
{
    QStringList shown{w->windowTitle()}, missing;
    for (QWidget *c : w->findChildren<QWidget *>()) {
        shown << c->toolTip();
        if (auto *l = qobject_cast<QLabel *>(c))
            shown << l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(c))
            shown << b->text();
        if (auto *g = qobject_cast<QGroupBox *>(c))
            shown << g->title();
    }
    for (const QString &t : expected)
        if (!shown.contains(t))
            missing << t;
    return missing;
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
