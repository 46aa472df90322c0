#include "common/ExportTarget.h"
#include "accounts/AccountsTestData.h"
#include "common/CsvExport.h"
#include "accounts/MYOBCustomerExportModule.h"
#include "accounts/MYOBSalesExportModule.h"
#include "accounts/XeroCustomerExportModule.h"
#include "accounts/XeroSalesExportModule.h"
#include "customers/CustomerExport.h"
#include "jobs/CustomerJobExport.h"
#include "output/NotesPrintout.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FileDialog.h"
#include "platform/Printers.h"
#include "platform/WvsError.h"
#include "scheduling/ScheduleExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace wvs;
using wvs::test::readFileBytes;

namespace {

// Files of this process may grow to no more than limit bytes while it lives: a write beyond fails as on a
// full disk, with no signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &was_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit now{limit, was_.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &now), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &was_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit was_{};
    void (*oldHandler_)(int) = nullptr;
};

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
    // The lists run their exports inside their error handling, the accounts exports hold their own.
    static void asWindow(const std::function<void()> &body) { guarded("Export", "ExportCsvFile", body); }
    // Every export that writes a file of its own through the export file rules, run as its window runs it.
    static const std::vector<std::pair<const char *, std::function<void(const QString &)>>> &fileExports()
    {
        static const std::vector<std::pair<const char *, std::function<void(const QString &)>>> exports = {
            {"customers", [](const QString &f) { asWindow([&] { CustomerExport::ExportCsvFile(f, {1, 2}); }); }},
            {"customer jobs",
             [](const QString &f) { asWindow([&] { CustomerJobExport::ExportCsvFile(f, {{1, "Weekly"}}); }); }},
            {"schedule", [](const QString &f) { asWindow([&] { ScheduleExport::write(f, {}); }); }},
            {"MYOB cards", [](const QString &f) { MYOBCustomerExport(f); }},
            {"Xero contacts", [](const QString &f) { XeroCustomerExport(f); }},
            {"MYOB sales", [](const QString &f) { MYOBSalesExport(f, "01 Mar 2026", "31 Mar 2026"); }},
            {"Xero sales", [](const QString &f) { XeroSalesExport(f, "01 Mar 2026", "31 Mar 2026", "INV1"); }},
        };
        return exports;
    }
    // Runs an export to name, which writes file (the name itself, or the file a link leads to) in place of an
    // older "older\r\n", and expects no failure; gives what it wrote.
    QByteArray replaced(const std::function<void(const QString &)> &run, const QString &name, const QString &file)
    {
        msgs_->clear();
        run(name);
        EXPECT_EQ(msgs_->texts().filter("Cannot write").join(""), "");
        EXPECT_EQ(msgs_->texts().filter("encountered").join(""), "");
        const QByteArray written = readFileBytes(file);
        EXPECT_NE(written, "older\r\n");
        EXPECT_TRUE(written.endsWith("\r\n")) << written.toStdString();
        return written;
    }
    // Everything in a folder, hidden files too.
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
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
    auto exports = fileExports();
    exports.emplace_back("notes printout", [&files](const QString &f) {
        files.answer(f);
        PrintCustomerNotes(1, QDate(2026, 3, 1), QDate(2026, 3, 31));
    });
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

// A name longer than the file system takes (134 characters, 264 bytes) fails at the open with the open's own
// message and error number; the program goes on and the folder holds no file and no temporary file.
TEST_F(ExportTargetTest, EveryExportToANameTheDiskRefusesFailsAtTheOpen)
{
    const QString folder = path("sub");
    const QString name = QDir(folder).filePath(QString(130, QChar(0xE9)) + ".csv");
    ASSERT_EQ(QFileInfo(name).fileName().toUtf8().size(), 264);
    for (const auto &[what, run] : fileExports()) {
        SCOPED_TRACE(what);
        msgs_->clear();
        run(name);
        EXPECT_EQ(msgs_->texts(), QStringList{"Error 75 encountered when trying to open " + name});
        EXPECT_EQ(msgs_->shown().value(0).icon, MsgIcon::Exclamation);
        EXPECT_EQ(entries(folder), QStringList{});
    }
}

// A disk that stops taking the file on the way (here a file size limit of one byte) is told with the file's name
// and the reason; the export ends, no file of its own is left, an older file of that name stays, and the program
// goes on.
TEST_F(ExportTargetTest, EveryExportTheDiskStopsTakingIsToldAndLeavesNothing)
{
    const QString folder = path("sub");
    const QString name = QDir(folder).filePath("export.csv");
    const QString older = QDir(folder).filePath("older.csv");
    ASSERT_TRUE(test::writeFileBytes(older, "older\r\n"));
    for (const auto &[what, run] : fileExports()) {
        for (const QString &target : {name, older}) {
            SCOPED_TRACE(std::string(what) + " to " + target.toStdString());
            msgs_->clear();
            {
                FileSizeLimit full(1);
                run(target);
            }
            EXPECT_EQ(msgs_->texts(),
                      QStringList{"Cannot write " + target + ": " + QString::fromLocal8Bit(strerror(EFBIG))});
            EXPECT_EQ(entries(folder), QStringList{"older.csv"});
            EXPECT_EQ(readFileBytes(older), "older\r\n");
        }
    }
}

// A name the disk takes is written whether or not a file of that name is there: an older file of the longest
// names (249 and 255 bytes) is replaced by the export, and the folder holds nothing else afterwards.
TEST_F(ExportTargetTest, EveryExportReplacesAnOlderFileOfTheLongestNames)
{
    const QString folder = path("sub");
    for (const QString &stem : {QString(122, QChar(0xE9)), QString(125, QChar(0xE9))}) {
        const QString name = QDir(folder).filePath(stem + "x.csv");
        for (const auto &[what, run] : fileExports()) {
            SCOPED_TRACE(std::string(what) + ", " + std::to_string(QFileInfo(name).fileName().toUtf8().size()) + " bytes");
            ASSERT_TRUE(test::writeFileBytes(name, "older\r\n"));
            replaced(run, name, name);
            EXPECT_EQ(entries(folder), QStringList{QFileInfo(name).fileName()});
        }
        QFile::remove(name);
    }
}

// An export to a name that is a link (to a file in another folder, through a
// second link, or to a file not there yet) writes the file the link leads to,
// with that file's permissions, and the links stay as they were; neither
// folder keeps a temporary file.
TEST_F(ExportTargetTest, EveryExportToALinkWritesTheFileItLeadsToAndKeepsTheLink)
{
    const QString links = path("sub"), files = path("files");
    ASSERT_TRUE(QDir(files).exists() || QDir().mkdir(files));
    const QFile::Permissions ownerWritesGroupReads =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
    const struct {
        const char *link, *leadsTo; // the link's own text, as ln -s was given it
        const char *file;           // the file it comes to, in files
    } cases[] = {
        {"export.csv", "../files/real.csv", "real.csv"},
        {"second.csv", "export.csv", "real.csv"},
        {"new.csv", "../files/new.csv", "new.csv"},
    };
    for (const auto &c : cases)
        ASSERT_TRUE(QFile::link(c.leadsTo, QDir(links).filePath(c.link))) << c.link;
    for (const auto &[what, run] : fileExports()) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(what) + " to " + c.link);
            const QString link = QDir(links).filePath(c.link), file = QDir(files).filePath(c.file);
            QFile::remove(QDir(files).filePath("new.csv"));
            ASSERT_TRUE(test::writeFileBytes(QDir(files).filePath("real.csv"), "older\r\n"));
            ASSERT_TRUE(QFile::setPermissions(QDir(files).filePath("real.csv"), ownerWritesGroupReads));
            EXPECT_EQ(readFileBytes(link), replaced(run, link, file));
            for (const auto &each : cases)
                EXPECT_EQ(QFile::symLinkTarget(QDir(links).filePath(each.link)),
                          QDir::cleanPath(QDir(links).absoluteFilePath(each.leadsTo))) << each.link;
            if (QLatin1String(c.file) == QLatin1String("real.csv"))
                EXPECT_EQ(QFile::permissions(file), ownerWritesGroupReads);
            EXPECT_EQ(entries(links), QStringList({"export.csv", "new.csv", "second.csv"}));
            EXPECT_EQ(entries(files), QLatin1String(c.file) == QLatin1String("new.csv")
                                          ? QStringList({"new.csv", "real.csv"})
                                          : QStringList{"real.csv"});
        }
    }
}

// An export stopped on the way leaves no temporary file: by a failure of the
// export's own after the file was opened, and by a name that became a folder
// before the file could take it.
TEST_F(ExportTargetTest, AnExportStoppedByAFailureLeavesNoTemporaryFile)
{
    const QString folder = path("sub");
    const QString name = QDir(folder).filePath("export.csv");
    {
        CsvFile file;
        ASSERT_TRUE(file.open(name));
        file.writeLine({"A", "B"});
        EXPECT_EQ(entries(folder).size(), 1) << "the temporary file is written";
    }
    EXPECT_EQ(entries(folder), QStringList{});

    CsvFile file;
    ASSERT_TRUE(file.open(name));
    file.writeLine({"A", "B"});
    ASSERT_TRUE(QDir(folder).mkpath("export.csv/inside"));
    const std::optional<CaughtError> failure = trapError([&] { file.commit(); });
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, ErrorNumber::Recoverable);
    EXPECT_EQ(failure->description, "Cannot write " + name + ": " + QString::fromLocal8Bit(strerror(EISDIR)));
    EXPECT_EQ(entries(folder), QStringList{"export.csv"});
    EXPECT_EQ(entries(name), QStringList{"inside"});
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(" / ").toStdString();
}
