#pragma once
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/WvsError.h"

#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

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

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageScript> msgs_;
    std::unique_ptr<ModalScript> modal_;
    std::unique_ptr<DesktopScript> desktop_;
    QStringList extraConnections_;
};

} // namespace wvs::test
