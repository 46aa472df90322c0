#pragma once
#include "support/DbTest.h"
#include "support/LocalServers.h"

#include <QDir>
#include <QFile>

namespace wvs::test {

// A small business: a person and a company with accounts references, one
// customer without, two job types (one without an account code), and jobs
// done in March and April 2026.
class AccountsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        auto customer = [](const QVariantList &v) {
            writeSql("INSERT INTO Customers (Title, Forename, Surname, CompanyName, ContactName, Phone1, Phone2, "
                     "Phone3, PreferredPhone, Email1, Email2, CAddress1, CAddress2, CAddress3, CSuburb, CCity, "
                     "CPostCode, CustomerStatus, AccountsRef, CustomerComment, CommentOnSchedule, DateEntered) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     v);
        };
        customer({"Mrs", "Anna", "Smith", "", "", "09 555 1234", "021 555 999", "09 555 0000", 2,
                  "anna@example.com", "a2@example.com", "12 Oak Street", "Flat 2", "", "Ponsonby", "Auckland",
                  "1011", 2, "SMITH01", "Gate code 1234", 1, "2025-01-10"});
        customer({"", "Bob", "Brown", "Brown, Sons & Co", "Bob Brown", "09 444 4444", "", "", 1,
                  "accounts@brownsons.example", "", "1 Quay St", "", "", "Central", "Wellington", "6011", 9,
                  "BROWN", "First line\r\nSecond \"quoted\" line", 0, "2025-02-11"});
        customer({"", "Carl", "Cash", "", "", "", "", "", 1, "", "", "5 Elm Rd", "", "", "Remuera", "Auckland",
                  "1050", 1, "", "", 0, "2025-03-12"});
        writeSql("INSERT INTO JobTypes VALUES ('WIN', 'Window cleaning', '4-1100'), ('GUT', 'Gutters', '')");
        writeSql("INSERT INTO CustomerJobs (CustomerNumber, JobTypeCode, Cost) VALUES "
                 "(1, 'WIN', 11500), (2, 'WIN', 12345678), (1, 'GUT', 5000), (3, 'WIN', 4000)");
        writeSql("INSERT INTO ScheduleJobs (ScheduleNumber, JobSeqNo, ScheduleServiceDate, ActualServiceDate) "
                 "VALUES (1, 1, '2026-03-02', '2026-03-02'), (1, 2, '2026-03-05', '2026-03-31'), "
                 "(1, 3, '2026-03-03', '2026-03-03'), (1, 4, '2026-03-03', '2026-03-03'), "
                 "(1, 1, '2026-03-09', ''), (2, 1, '2026-04-01', '2026-04-01'), (0, 1, '2026-02-28', '2026-02-28')");
    }

    void setTax(bool inclusive, double rate, const QString &name = QString())
    {
        writeSql("UPDATE Preferences SET GSTInclusive = ?, TaxRate = ?, XeroTaxRateName = ?",
                 {inclusive ? 1 : 0, rate, name});
    }
    QString path(const QString &name) const { return QDir(dir_->path()).filePath(name); }
    static void write(const QString &file, const QByteArray &content)
    {
        ASSERT_TRUE(writeFileBytes(file, content));
    }
    // Every value of Customers with its storage type, as bytes: a round trip
    // must leave this exactly as it was.
    static QStringList customersDump()
    {
        QStringList columns;
        QSqlQuery info = execSql("SELECT name FROM pragma_table_info('Customers')");
        while (info.next())
            columns << QString("typeof(%1) || ':' || hex(%1)").arg(info.value(0).toString());
        QStringList out;
        QSqlQuery q = execSql(QString("SELECT %1 FROM Customers ORDER BY CustomerNumber").arg(columns.join(", ")));
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < columns.size(); ++i)
                row << q.value(i).toString();
            out << row.join('|');
        }
        return out;
    }
    // The customer's fields by name ("Surname, CCity"), joined by "|".
    static QString field(const QString &accountsRef, const char *names)
    {
        const QString joined = QString::fromUtf8(names).replace(QLatin1String(", "), QLatin1String(" || '|' || "));
        return scalarSql(QStringLiteral("SELECT %1 FROM Customers WHERE AccountsRef = ?").arg(joined), {accountsRef})
            .toString();
    }
};

} // namespace wvs::test
