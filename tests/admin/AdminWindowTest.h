#pragma once
#include "shell/FormRegistry.h"
#include "shell/Session.h"
#include "support/DbTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace wvs::test {

// Windows of the administration area shown as the user sees them, with the
// administrator logged on.
class AdminWindowTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs(QStringLiteral("ADM"), 1);
    }

    // A stand-in for the portal window: tests drive it through modal_ by its
    // name "PortalForm" and read the mode it was given.
    static void registerPortalStandIn()
    {
        FormRegistry::add(QStringLiteral("PortalForm"), [](QWidget *parent) -> QDialog * {
            auto *d = new QDialog(parent);
            d->setObjectName(QStringLiteral("PortalForm"));
            return d;
        });
    }

    template <class W>
    std::unique_ptr<W> show()
    {
        auto w = std::make_unique<W>();
        w->show();
        QApplication::processEvents();
        QApplication::processEvents();
        return w;
    }

    template <class T>
    static T *child(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(QWidget *w, const char *button)
    {
        child<QPushButton>(w, button)->click();
        QApplication::processEvents();
    }
    static void type(QWidget *w, const char *box, const QString &text) { child<QLineEdit>(w, box)->setText(text); }
    static QString text(QWidget *w, const char *box) { return child<QLineEdit>(w, box)->text(); }
    static void tick(QWidget *w, const char *box, bool on) { child<QCheckBox>(w, box)->setChecked(on); }
    static bool ticked(QWidget *w, const char *box) { return child<QCheckBox>(w, box)->isChecked(); }
    static bool enabled(QWidget *w, const char *name) { return child<QWidget>(w, name)->isEnabled(); }
    static void choose(QWidget *w, const char *combo, const QString &entry)
    {
        QComboBox *c = child<QComboBox>(w, combo);
        c->setCurrentIndex(c->findText(entry));
        EXPECT_GE(c->currentIndex(), 0) << entry.toStdString();
    }
};

} // namespace wvs::test
