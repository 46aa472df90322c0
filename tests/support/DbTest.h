#pragma once
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/WvsError.h"

#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace wvs::test {

// A fresh program folder with a new WVS.db, the administrator "ADM" (password
// "secret", level 1 with every right), an empty session and scripted message
// boxes, windows and desktop. Tests that play a second workstation open
// another connection with secondConnection().
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString dbPath() const;
    QSqlDatabase secondConnection(const QString &name = QStringLiteral("second"));

    // Log the administrator (or another associate) into the session without the window.
    void loginAs(const QString &id, int level);

    void addAssociate(const QString &id, const QString &name, const QString &password, int level,
                      bool active = true, double status = 46000);
    void setAccess(int level, int customers, int customerJobs, int jobTypes, int associates, int company,
                   int preferences, int jobSchedules, int accounts, int security);
    static void addJobType(const QString &code, const QString &description, const QString &accountsRef = QString());
    static qint64 addSchedule(const QString &from, const QString &to, const QString &status = QStringLiteral("Open"));
    // An occurrence of the job stored on the schedule.
    static void storeJob(qint64 schedule, qint64 job, const QString &date, int seqNo = 0, const QString &actual = QString(),
                         const QString &associate = QStringLiteral("ADM"));
    // What a query returns: values joined by "|", rows by ";".
    static QString rowsOf(const QString &sql, const QVariantList &params = {});
    // The rows of a CSV file as Python's csv module reads them.
    static QList<QStringList> csv(const QString &path);

    // Driving a shown window by its controls' names.
    static void settle()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // A window shown with its Tag set, as its opener would.
    template <class W, class As = W>
    static std::unique_ptr<As> shown(const QString &tag = QString())
    {
        auto w = std::make_unique<W>();
        w->Tag = tag;
        w->show();
        settle();
        return w;
    }
    template <class T = QWidget>
    static T *child(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(QWidget *w, const char *name)
    {
        child<QAbstractButton>(w, name)->click();
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

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageScript> msgs_;
    std::unique_ptr<ModalScript> modal_;
    std::unique_ptr<DesktopScript> desktop_;
    QStringList extraConnections_;
};

// Another workstation: body runs on a connection of its own in a thread of
// its own until stop is set.
class OtherWorkstation {
public:
    using Body = std::function<void(QSqlDatabase &, const std::atomic<bool> &stop)>;
    OtherWorkstation(const QString &path, Body body)
        : thread_([this, path, body] {
              const QString name = QStringLiteral("other workstation");
              {
                  QSqlDatabase db = AppDatabase::openConnection(name, path);
                  body(db, stop_);
                  db.close();
              }
              QSqlDatabase::removeDatabase(name);
          })
    {
    }
    ~OtherWorkstation() { stop(); }
    void stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The same with the administrator logged on.
class AdminDbTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs(QStringLiteral("ADM"), 1);
    }
};

} // namespace wvs::test
