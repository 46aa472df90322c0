#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/SmtpMailer.h"
#include "platform/Transfer.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"

#include <QDir>
#include <functional>
#include <memory>

using namespace wvs;

namespace {

QStringList breaches;

class NetworkLockCheckTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        writeSql("CREATE TABLE T (K INTEGER PRIMARY KEY)");
        writeSql("INSERT INTO T (K) VALUES (1), (2)");
        breaches.clear();
        AppDatabase::setLockBreachHandler([](const QString &held) { breaches << held; });
    }
};

} // namespace

TEST_F(NetworkLockCheckTest, NoNetworkStepStartsWhileTheConnectionHoldsALock)
{
    const int port = test::unusedPort();
    const struct { const char *what; std::function<void()> step; } steps[] = {
        {"web page", [&] { httpGet(QString("http://127.0.0.1:%1/").arg(port), 2000); }},
        {"FTP transfer",
         [&] {
             FtpTransfer ftp({"127.0.0.1", port, "u", "p"});
             ftp.startDownload("f.txt", QDir(dir_->path()).filePath("f.txt"));
             ftp.waitUntilDone(20, 100);
         }},
        {"e-mail", [&] { SmtpMailer({.server = "127.0.0.1", .port = port, .connectTimeoutSecs = 2}).send({.to = {"a@example.com"}}); }},
    };
    // A query of T read to its end or left on its first row.
    const auto query = [](bool toEnd) {
        return [toEnd] {
            auto q = std::make_shared<QSqlQuery>(execSql("SELECT K FROM T"));
            while (q->next() && toEnd) {
            }
            return std::shared_ptr<void>(q);
        };
    };
    // held: what the refusal names; empty: the step goes on
    const struct { const char *what; std::function<std::shared_ptr<void>()> take; QString held; } holds[] = {
        {"a query read to its end", query(true), ""},
        {"a query left on its first row", query(false), "an unfinished statement: SELECT K FROM T"},
        {"an open transaction", [] { return std::shared_ptr<void>(std::make_shared<Transaction>()); }, "an open transaction"},
    };
    for (const auto &h : holds) {
        for (const auto &s : steps) {
            SCOPED_TRACE(std::string(h.what) + " / " + s.what);
            breaches.clear();
            const std::shared_ptr<void> lock = h.take();
            EXPECT_EQ(AppDatabase::lockHeld(), h.held);
            const auto refused = trapError(s.step);
            EXPECT_EQ(breaches, h.held.isEmpty() ? QStringList() : QStringList{h.held});
            EXPECT_EQ(refused.has_value(), !h.held.isEmpty());
        }
    }
    EXPECT_EQ(AppDatabase::lockHeld(), QString());
}
