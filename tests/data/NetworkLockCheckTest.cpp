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
    const struct {
        const char *what;
        std::function<void()> step;
    } steps[] = {
        {"web page", [&] { httpGet(QStringLiteral("http://127.0.0.1:%1/").arg(port), 2000); }},
        {"FTP transfer",
         [&] {
             FtpTransfer ftp({QStringLiteral("127.0.0.1"), port, QStringLiteral("u"), QStringLiteral("p")});
             ftp.setConnectTimeoutSecs(2);
             ftp.startDownload(QStringLiteral("f.txt"), QDir(dir_->path()).filePath(QStringLiteral("f.txt")));
             ftp.waitUntilDone(20, 100);
         }},
        {"e-mail",
         [&] {
             SmtpSettings s;
             s.server = QStringLiteral("127.0.0.1");
             s.port = port;
             s.connectTimeoutSecs = 2;
             MailMessage m;
             m.to = QStringList{QStringLiteral("a@example.com")};
             SmtpMailer(s).send(m);
         }},
    };
    const struct {
        const char *what;
        std::function<std::shared_ptr<void>()> take;
        QString held;   // what the refusal names; empty: the step goes on
    } holds[] = {
        {"nothing", [] { return std::shared_ptr<void>(); }, QString()},
        {"a query read to its end",
         [] {
             auto q = std::make_shared<QSqlQuery>(execSql("SELECT K FROM T"));
             while (q->next()) {
             }
             return std::shared_ptr<void>(q);
         },
         QString()},
        {"a query left on its first row",
         [] {
             auto q = std::make_shared<QSqlQuery>(execSql("SELECT K FROM T"));
             q->next();
             return std::shared_ptr<void>(q);
         },
         QStringLiteral("an unfinished statement: SELECT K FROM T")},
        {"an open transaction", [] { return std::shared_ptr<void>(std::make_shared<Transaction>()); },
         QStringLiteral("an open transaction")},
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
