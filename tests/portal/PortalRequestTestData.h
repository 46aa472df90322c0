#pragma once
#include "jobs/JobsDbTest.h"
#include "portal/PortalCustomerJobAddForm.h"

#include <QComboBox>
#include <QVariantMap>
#include <functional>

namespace wvs::test {

// A request stored as the portal import leaves it: a weekly Monday job for a
// new private customer unless the test says otherwise.
class PortalRequestDbTest : public JobsDbTest {
protected:
    void SetUp() override
    {
        JobsDbTest::SetUp();
        addJobType(QStringLiteral("CLEAN"), QStringLiteral("Window cleaning"));
        addJobType(QStringLiteral("MOW"), QStringLiteral("Lawn mowing"));
    }

    qint64 addRequest(qint64 id, const QVariantMap &changes = {})
    {
        QVariantMap row = {{"UniqueId", id},          {"UserID", "web1"},        {"FirstName", "Ann"},
                           {"LastName", "Lee"},       {"CAddress1", "1 Main St"}, {"CSuburb", "Ponsonby"},
                           {"CPostCode", "1011"},     {"Phone1", "555 1234"},    {"PreferredPhone", 1},
                           {"DateEntered", "2031-06-01"}, {"JobTypeCode", "CLEAN"}, {"StartDate", "2031-07-07"},
                           {"EndDateOption", 0},      {"DWMYOption", 1},         {"WeeklyNoOfWeeks", 1},
                           {"WeeklyMon", 1},          {"Cost", 2500},            {"SAddress1", "1 Main St"},
                           {"SSuburb", "Ponsonby"}};
        for (auto it = changes.begin(); it != changes.end(); ++it)
            row[it.key()] = it.value();
        QStringList marks(row.size(), QStringLiteral("?"));
        writeSql(QStringLiteral("INSERT INTO PortalCustomerJobs (%1) VALUES (%2)")
                     .arg(row.keys().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                 row.values());
        return id;
    }

    // Opens the request dialog as the list does; handle drives it.
    void openRequest(qint64 id, const std::function<void(QDialog *)> &handle)
    {
        modal_->once(QStringLiteral("PortalCustomerJobAddForm"), handle);
        PortalCustomerJobAddForm dialog;
        dialog.Tag = QString::number(id);
        showModal(&dialog);
    }
    // Opens the request dialog, lets the test edit it, assigns the job to the
    // first associate and presses Save.
    void save(qint64 id, const std::function<void(QDialog *)> &edit = {})
    {
        openRequest(id, [&](QDialog *d) {
            child<QComboBox>(d, "AssociateCombo")->setCurrentIndex(0);
            if (edit)
                edit(d);
            click(d, "OKButton");
        });
    }

    int count(const char *table) { return scalarSql(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(); }
    QVariant lastJob(const char *field)
    {
        return scalarSql(QStringLiteral("SELECT %1 FROM CustomerJobs ORDER BY JobSeqNo DESC").arg(field));
    }
};

} // namespace wvs::test
