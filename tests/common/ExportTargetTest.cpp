#include "common/ExportTarget.h"
#include "accounts/AccountsTestData.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/MYOBSalesExportModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "accounts/XeroSalesExportModule.h"
#include "customers/CustomerExport.h"
#include "jobs/CustomerJobExport.h"
#include "output/NotesPrintout.h"
#include "platform/FileDialog.h"
#include "platform/Printers.h"
#include "scheduling/ScheduleExport.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <unistd.h>

using namespace wvs;
using wvs::test::readFileBytes;

namespace {

// Beside WVS.db: a folder, a link back to the folder, and links and a hard link to the database and its journal.
class ExportTargetTest : public test::AccountsTest {
protected:
    void SetUp() override
    {
        AccountsTest::SetUp();
        const QDir home(dir_->path());
        ASSERT_TRUE(home.mkdir("sub"));
        ASSERT_TRUE(QFile::link(home.path(), path("loop")));
        ASSERT_TRUE(QFile::link(dbPath(), path("link.csv")));
        ASSERT_TRUE(QFile::link(dbPath() + "-journal", path("dangling.csv")));
        ASSERT_EQ(::link(QFile::encodeName(dbPath()).constData(), QFile::encodeName(path("hard.csv")).constData()), 0);
    }
    static QString refusal(const QString &file)
    {
        return "Unable to open " + file + ". Please ensure that it is not in use";
    }
};

} // namespace

TEST_F(ExportTargetTest, TheDatabaseAndItsJournalsAreKnownHoweverThePathIsSpelled)
{
    const QString home = dir_->path();
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(home));
    const struct { QString path; bool database; } cases[] = {
        {dbPath(), true}, {"WVS.db", true}, {"./WVS.db", true}, {"sub/../WVS.db", true}, {home + "//WVS.db", true},
        {home + "/loop/WVS.db", true}, {home + "/loop/sub/../WVS.db-journal", true},   // does not exist yet
        {home + "/WVS.db-wal", true}, {home + "/WVS.db-shm", true}, {home + "/wvs.DB", true},
        {home + "/link.csv", true}, {home + "/dangling.csv", true}, {home + "/hard.csv", true},
        {home + "/WVS.db.csv", false}, {home + "/WVS.db-journal.csv", false}, {home + "/WVS2.db", false},
        {home + "/sub/WVS.db", false}, {"sub/WVS.db-journal", false}};
    for (const auto &c : cases)
        EXPECT_EQ(ExportTarget::isDatabaseFile(c.path), c.database) << c.path.toStdString();
    QDir::setCurrent(current);
}

TEST_F(ExportTargetTest, EveryExportRefusesTheDatabaseAndLeavesItWhole)
{
    // Printouts go to a PDF file: the workstation has no printer.
    PrinterScript noPrinter({});
    FileDialogScript files;
    writeSql("INSERT INTO CustomerNotes (CustomerNumber, NoteDateTime, NoteDetail) "
             "VALUES (1, '2026-03-02 10:00:00', 'Gate code changed')");
    const std::pair<const char *, std::function<void(const QString &)>> exports[] = {
        {"customers", [](const QString &f) { CustomerExport::ExportCsvFile(f, {1, 2}); }},
        {"customer jobs", [](const QString &f) { CustomerJobExport::ExportCsvFile(f, {{1, "Weekly"}}); }},
        {"schedule", [](const QString &f) { ScheduleExport::write(f, {}); }},
        {"MYOB cards", [](const QString &f) { MYOBCustomerExport(f); }},
        {"Xero contacts", [](const QString &f) { XeroCustomerExport(f); }},
        {"MYOB sales", [](const QString &f) { MYOBSalesExport(f, "01 Mar 2026", "31 Mar 2026"); }},
        {"Xero sales", [](const QString &f) { XeroSalesExport(f, "01 Mar 2026", "31 Mar 2026", "INV1"); }},
        {"notes printout", [&files](const QString &f) {
             files.answer(f);
             PrintCustomerNotes(1, QDate(2026, 3, 1), QDate(2026, 3, 31)); }},
    };
    const QByteArray before = readFileBytes(dbPath());
    ASSERT_FALSE(before.isEmpty());
    for (const auto &[name, run] : exports) {
        for (const QString &target : {dbPath(), path("loop/sub/../WVS.db"), path("loop/WVS.db-journal")}) {
            SCOPED_TRACE(std::string(name) + " to " + target.toStdString());
            msgs_->clear();
            run(target);
            EXPECT_EQ(msgs_->texts(), QStringList{refusal(target)});
            EXPECT_EQ(readFileBytes(dbPath()), before);
            EXPECT_FALSE(QFile::exists(dbPath() + "-journal"));
        }
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers", {}, secondConnection()).toInt(), 3);
}
