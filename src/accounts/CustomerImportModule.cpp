#include "accounts/CustomerImportModule.h"
#include "accounts/AccountsFileReader.h"
#include "accounts/AccountsFileWriter.h"
#include "common/Formats.h"
#include "core/Session.h"
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/WvsError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>
#include <optional>

namespace wvs {

namespace {

constexpr long kFileNotFound = 53;
constexpr long kBadFileFormat = 3274;
constexpr long kFileAccess = 75;

// The import log: replaced at every import, lines ending in CR LF.
class ImportLog {
public:
    explicit ImportLog(const QString &path) : file_(path) {}
    bool open() { return file_.open(QIODevice::WriteOnly | QIODevice::Truncate); }
    bool isOpen() const { return file_.isOpen(); }
    void line(const QString &text) { file_.write((text + QStringLiteral("\r\n")).toUtf8()); }
    // The current date and time, written directly in front of the text.
    void stamped(const QString &text)
    {
        const QString pattern = AccountsFileRules::datePattern(session().installationCountry) + QStringLiteral(" HH:mm:ss");
        line(QDateTime::currentDateTime().toString(pattern) + text);
    }
    void close() { file_.close(); }

private:
    QFile file_;
};

const QStringList kNewCustomerTexts = {
    QStringLiteral("Title"),     QStringLiteral("Forename"),   QStringLiteral("Surname"),   QStringLiteral("CompanyName"),
    QStringLiteral("ContactName"), QStringLiteral("Phone1"),   QStringLiteral("Phone2"),    QStringLiteral("Phone3"),
    QStringLiteral("Email1"),    QStringLiteral("Email2"),     QStringLiteral("CAddress1"), QStringLiteral("CAddress2"),
    QStringLiteral("CAddress3"), QStringLiteral("CSuburb"),    QStringLiteral("CCity"),     QStringLiteral("CPostCode"),
    QStringLiteral("CustomerComment"),
};

// Where each column of the format stands in the heading; -1 when absent.
struct Positions {
    int key = -1;
    QHash<QString, int> columns;   // by field
    int highest = -1;
};

Positions findPositions(const CustomerImportFormat &f, const QStringList &heading)
{
    QStringList names;
    for (const QString &h : heading)
        names << CustomerImportFormat::normalHeading(h);
    Positions p;
    for (const QString &k : f.keyHeadings) {
        p.key = names.indexOf(k);
        if (p.key >= 0)
            break;
    }
    p.highest = p.key;
    for (const auto &c : f.columns) {
        for (const QString &h : c.headings) {
            const int at = names.indexOf(h);
            if (at >= 0) {
                p.columns.insert(c.field, at);
                p.highest = qMax(p.highest, at);
                break;
            }
        }
    }
    return p;
}

bool isBlankRecord(const AccountsFileReader::Record &r)
{
    return r.fields.size() == 1 && r.fields.first().trimmed().isEmpty();
}

void writeCustomer(const QString &key, const QVariantMap &fields, std::optional<qint64> number)
{
    QStringList names;
    QVariantList values;
    if (!number) {
        QVariantMap all;
        for (const QString &f : kNewCustomerTexts)
            all.insert(f, QString());
        all.insert(QStringLiteral("PreferredPhone"), 1);
        all.insert(QStringLiteral("CustomerStatus"), 1);
        all.insert(QStringLiteral("CommentOnSchedule"), 0);
        for (auto it = fields.begin(); it != fields.end(); ++it)
            all.insert(it.key(), it.value());
        all.insert(QStringLiteral("AccountsRef"), key);
        all.insert(QStringLiteral("DateEntered"), Formats::toStoredDate(QDate::currentDate()));
        QStringList marks;
        for (auto it = all.begin(); it != all.end(); ++it) {
            names << it.key();
            marks << QStringLiteral("?");
            values << it.value();
        }
        writeSql(QStringLiteral("INSERT INTO Customers (%1) VALUES (%2)")
                     .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                 values);
        return;
    }
    if (fields.isEmpty())
        return;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        names << it.key() + QStringLiteral(" = ?");
        values << it.value();
    }
    values << *number;
    writeSql(QStringLiteral("UPDATE Customers SET %1 WHERE CustomerNumber = ?").arg(names.join(QStringLiteral(", "))),
             values);
}

} // namespace

QString customerImportLogPath(const CustomerImportFormat &format)
{
    return QDir::toNativeSeparators(appFile(format.logFileName()));
}

void importCustomers(const CustomerImportFormat &f, const QString &fileName)
{
    if (fileName.isEmpty()) {
        msgBox(fileName + QStringLiteral(" not found - import abandoned"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const QString logPath = customerImportLogPath(f);
    ImportLog log(logPath);
    std::optional<Transaction> transaction;
    try {
        if (!log.open())
            throw WvsError(kFileAccess, QStringLiteral("The log %1 cannot be written").arg(logPath));
        log.stamped(QStringLiteral(" %1 Customer Import started").arg(f.package));

        QFile in(fileName);
        if (!in.open(QIODevice::ReadOnly))
            throw WvsError(kFileNotFound, QStringLiteral("File not found: %1").arg(fileName));
        const QByteArray bytes = in.readAll();
        in.close();
        const QString text = AccountsFileReader::decode(bytes);
        if (text.isEmpty()) {
            log.stamped(QStringLiteral(" %1 is empty. Import abandoned.").arg(fileName));
            log.close();
            return;
        }

        const QChar separator = f.tabsAllowed ? AccountsFileReader::separatorOf(text, f.headingLine)
                                              : QLatin1Char(',');
        const QList<AccountsFileReader::Record> records = AccountsFileReader::records(text, separator);
        if (records.size() <= f.headingLine)
            throw WvsError(kBadFileFormat, QStringLiteral("The file has no heading line"));
        const QStringList heading = records.at(f.headingLine).fields;
        const Positions at = findPositions(f, heading);
        if (at.key < 0)
            throw WvsError(kBadFileFormat,
                           QStringLiteral("The file has no column headed \"%1\"").arg(f.keyHeadings.first()));

        transaction.emplace();
        QSet<QString> seen;
        qint64 processed = 0;
        for (qsizetype r = f.headingLine + 1; r < records.size(); ++r) {
            const AccountsFileReader::Record &rec = records.at(r);
            if (isBlankRecord(rec))
                continue;
            const QString lineNo = QString::number(rec.line);
            bool extraValues = false;
            for (qsizetype i = heading.size(); i < rec.fields.size(); ++i)
                extraValues = extraValues || !rec.fields.at(i).isEmpty();
            if (rec.fields.size() <= at.highest || extraValues) {
                log.line(QStringLiteral("Line %1 skipped: it holds %2 values where the heading names %3")
                             .arg(lineNo)
                             .arg(rec.fields.size())
                             .arg(heading.size()));
                continue;
            }
            QString key = rec.fields.at(at.key).trimmed();
            if (f.keyCut > 0)
                key = key.left(f.keyCut).trimmed();
            if (key.isEmpty() || f.noKeyValues.contains(key.toLower())) {
                log.line(QStringLiteral("Line %1 skipped: it has no accounts reference").arg(lineNo));
                continue;
            }
            if (seen.contains(key.toLower())) {
                log.line(QStringLiteral("Line %1 skipped: %2 appears earlier in the file").arg(lineNo, key));
                continue;
            }
            seen.insert(key.toLower());

            QHash<QString, QString> values;
            for (const auto &c : f.columns) {
                const int pos = at.columns.value(c.field, -1);
                if (pos < 0)
                    continue;
                const QString v = rec.fields.at(pos);
                values.insert(c.field, c.cut > 0 ? v.left(c.cut) : v);
            }
            QSqlQuery q = execSql(QStringLiteral("SELECT CustomerNumber, CustomerStatus FROM Customers "
                                                 "WHERE AccountsRef = ? ORDER BY CustomerNumber LIMIT 1"),
                                  {key});
            std::optional<qint64> number;
            QVariantMap current;
            if (q.next()) {
                number = q.value(0).toLongLong();
                current.insert(QStringLiteral("CustomerStatus"), q.value(1));
            }
            QVariantMap fields;
            f.rule(values, current, fields);
            writeCustomer(key, fields, number);
            ++processed;
        }
        transaction->commit();
        transaction.reset();
        log.stamped(QStringLiteral(" Customer import completed - %1 records processed successfully").arg(processed));
        log.close();
        msgBox(QStringLiteral("Customer import completed  = refer to ") + logPath + QStringLiteral(" for details"),
               MsgButtons::Ok, MsgIcon::None, QStringLiteral("WVS"));
        return;
    } catch (const ProcessEnded &) {
        throw;
    } catch (const WvsError &e) {
        transaction.reset();
        if (log.isOpen()) {
            log.stamped(QStringLiteral(" The following error was encountered:\r\nError Code: %1\r\nDescription: %2"
                                       "\r\n\r\nCustomer import abandoned")
                            .arg(e.number())
                            .arg(e.description()));
            log.close();
        }
    } catch (const std::exception &e) {
        transaction.reset();
        if (log.isOpen()) {
            log.stamped(QStringLiteral(" The following error was encountered:\r\nError Code: %1\r\nDescription: %2"
                                       "\r\n\r\nCustomer import abandoned")
                            .arg(ErrorNumber::General)
                            .arg(QString::fromUtf8(e.what())));
            log.close();
        }
    }
    msgBox(QStringLiteral("Customer import failed - refer to ") + logPath + QStringLiteral(" for details"),
           MsgButtons::Ok, MsgIcon::Exclamation);
}

void MYOBCustomerImport(const QString &fileName) { importCustomers(myobCustomerFormat(), fileName); }

void XeroCustomerImport(const QString &fileName) { importCustomers(xeroCustomerFormat(), fileName); }

} // namespace wvs
