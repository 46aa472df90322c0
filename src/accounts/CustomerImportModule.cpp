#include "accounts/CustomerImportModule.h"
#include "accounts/AccountsFileReader.h"
#include "accounts/AccountsFileWriter.h"
#include "common/Formats.h"
#include "core/Session.h"
#include "customers/CustomerRecord.h"
#include "data/AppDatabase.h"
#include "platform/Desktop.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/WvsError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlRecord>
#include <algorithm>
#include <optional>

namespace wvs {

namespace {

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
    // A skipped line of the file: the first ones are logged one by one, the
    // rest only counted, so that a file of empty lines cannot fill the disk.
    void skipped(const QString &text)
    {
        if (++skipped_ <= ListedSkips)
            line(text);
    }
    qint64 skippedCount() const { return skipped_; }
    // One line for the skipped lines not logged one by one.
    void unlistedSkips()
    {
        const qint64 rest = skipped_ - ListedSkips;
        if (rest > 0)
            line(rest == 1 ? QStringLiteral("1 more line was skipped")
                           : QStringLiteral("%1 more lines were skipped").arg(rest));
    }
    void close() { file_.close(); }

    static constexpr qint64 ListedSkips = 100;

private:
    QFile file_;
    qint64 skipped_ = 0;
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

// The headings as compared. An older MYOB heading names the later columns
// of an address only by their part (" - Line 2"); such a heading belongs to
// the address whose first column came last before it.
QStringList headingNames(const QStringList &heading)
{
    static const QRegularExpression addressPart(QStringLiteral("^(addr \\d+) - "));
    QStringList names;
    QString address;
    for (const QString &h : heading) {
        QString name = CustomerImportFormat::normalHeading(h);
        const QRegularExpressionMatch m = addressPart.match(name);
        if (m.hasMatch())
            address = m.captured(1);
        else if (!address.isEmpty() && name.startsWith(QLatin1String("- ")))
            name = address + QLatin1Char(' ') + name;
        names << name;
    }
    return names;
}

// A later column under the same heading replaces an earlier one.
Positions findPositions(const CustomerImportFormat &f, const QStringList &heading)
{
    const QStringList names = headingNames(heading);
    Positions p;
    for (const QString &k : f.keyHeadings) {
        p.key = names.lastIndexOf(k);
        if (p.key >= 0)
            break;
    }
    p.highest = p.key;
    for (const auto &c : f.columns) {
        int at = -1;
        for (const QString &h : c.headings)
            at = qMax(at, int(names.lastIndexOf(h)));
        if (at >= 0) {
            p.columns.insert(c.field, at);
            p.highest = qMax(p.highest, at);
        }
    }
    return p;
}

// An empty line, or one of separators and blanks only: nothing to import.
bool isBlankRecord(const AccountsFileReader::Record &r)
{
    for (const QString &field : r.fields)
        if (!field.trimmed().isEmpty())
            return false;
    return true;
}

// A reference as the database compares it: A to Z fold to a to z, nothing else.
QString foldedRef(QString ref)
{
    for (QChar &c : ref)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return ref;
}

// The customers stored before the import that a line's key finds: the first
// whose accounts reference is the key (A to Z in either case, as the database
// compares), else the first whose reference this package's own export
// writes as the key (cut, or with "?" for a character the file cannot
// carry). Only the references the export changes are held in memory.
class CustomerKeys {
public:
    explicit CustomerKeys(const CustomerImportFormat &f)
    {
        lastBefore_ = scalarSql(QStringLiteral("SELECT COALESCE(MAX(CustomerNumber), 0) FROM Customers")).toLongLong();
        // Read from the last, so that the first customer wins.
        QSqlQuery q = execSql(QStringLiteral("SELECT CustomerNumber, AccountsRef FROM Customers "
                                             "WHERE AccountsRef <> '' ORDER BY CustomerNumber DESC"));
        while (q.next()) {
            const QString ref = q.value(1).toString();
            const QString exported = f.keyAsExported(ref);
            if (exported != ref)
                byExportedKey_.insert(exported, q.value(0).toLongLong());
        }
    }
    std::optional<qint64> find(const QString &key) const
    {
        const QVariant number = scalarSql(QStringLiteral("SELECT CustomerNumber FROM Customers WHERE AccountsRef = ? "
                                                         "AND CustomerNumber <= ? ORDER BY CustomerNumber LIMIT 1"),
                                          {key, lastBefore_});
        if (number.isValid())
            return number.toLongLong();
        if (const auto it = byExportedKey_.constFind(key); it != byExportedKey_.cend())
            return *it;
        return std::nullopt;
    }
    // A customer this import has added under the key.
    bool added(const QString &key) const
    {
        return scalarSql(QStringLiteral("SELECT COUNT(*) FROM Customers WHERE AccountsRef = ? AND CustomerNumber > ?"),
                         {key, lastBefore_})
                   .toLongLong()
               > 0;
    }

private:
    qint64 lastBefore_ = 0;
    QHash<QString, qint64> byExportedKey_;
};

QVariantMap customerRow(qint64 number)
{
    QVariantMap row;
    QSqlQuery q = execSql(QStringLiteral("SELECT * FROM Customers WHERE CustomerNumber = ?"), {number});
    if (q.next()) {
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            row.insert(r.fieldName(i), q.value(i));
    }
    return row;
}

// The fields of a matched customer worth writing: a value the customer
// already holds is left alone, and so is the form this package's own export
// writes for the stored value, so that a round trip never replaces a whole
// value with its cut form or with "?" for letters the file cannot carry.
void dropUnchanged(const CustomerImportFormat &f, const QVariantMap &current, QVariantMap &fields)
{
    for (auto it = fields.begin(); it != fields.end();) {
        const QVariant stored = current.value(it.key());
        bool keep = true;
        if (it.value().typeId() == QMetaType::QString) {
            const QString value = it.value().toString();
            const QString old = stored.toString();
            keep = value != old && f.asExported(it.key(), old) != value;
        } else {
            keep = !stored.isValid() || stored.toLongLong() != it.value().toLongLong();
        }
        it = keep ? std::next(it) : fields.erase(it);
    }
}

// A phone holds a number when it holds a digit: "-" or "()" is none.
bool holdsNumber(const QString &phone)
{
    return std::any_of(phone.cbegin(), phone.cend(), [](QChar c) { return c.isDigit(); });
}

// A preferred phone the line leaves without a number (or one outside 1 to 3,
// as 0 or none at all) moves to the first phone that holds a number (the
// first when none does), so that the lists, the schedules and their
// printouts still show one for the customer.
void keepAPreferredPhone(const QVariantMap &current, QVariantMap &fields)
{
    auto value = [&](const QString &field) { return fields.contains(field) ? fields.value(field) : current.value(field); };
    auto phone = [&](int n) { return value(QStringLiteral("Phone%1").arg(n)).toString(); };
    const int preferred = value(QStringLiteral("PreferredPhone")).toInt();
    if (preferred >= 1 && preferred <= 3 && holdsNumber(phone(preferred)))
        return;
    int first = 1;
    while (first <= 3 && !holdsNumber(phone(first)))
        ++first;
    fields.insert(QStringLiteral("PreferredPhone"), first <= 3 ? first : 1);
}

// A value longer than its field fails the whole import.
void checkSizes(const QString &lineNo, const QVariantMap &fields)
{
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (it.value().typeId() != QMetaType::QString)
            continue;
        const int size = customerFieldSize(it.key());
        const qsizetype length = it.value().toString().size();
        if (size > 0 && length > size)
            throw WvsError(ErrorNumber::FieldTooSmall, QStringLiteral("Line %1: the value for %2 is %3 characters long; "
                                                          "the field holds at most %4")
                                               .arg(lineNo, it.key())
                                               .arg(length)
                                               .arg(size));
    }
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
    std::optional<CaughtError> failure;
    try {
        if (!log.open())
            throw WvsError(ErrorNumber::FileAccess, QStringLiteral("The log %1 cannot be written").arg(logPath));
        log.stamped(QStringLiteral(" %1 Customer Import started").arg(f.package));

        // The file is read and applied a line at a time, so that what the
        // import holds does not grow with the file.
        AccountsFileReader in({f.kind, f.headingLine, f.tabsAllowed});
        in.open(fileName);
        if (in.isEmpty()) {
            log.stamped(QStringLiteral(" %1 is empty. Import abandoned.").arg(fileName));
            log.close();
            return;
        }
        const std::optional<AccountsFileReader::Record> headingRecord = in.next();
        if (!headingRecord)
            throw WvsError(ErrorNumber::BadFileFormat, QStringLiteral("The file has no heading line"));
        const QStringList heading = headingRecord->fields;
        const Positions at = findPositions(f, heading);
        if (at.key < 0)
            throw WvsError(ErrorNumber::BadFileFormat,
                           QStringLiteral("The file has no column headed \"%1\"").arg(f.keyHeadings.first()));

        transaction.emplace();
        const CustomerKeys customers(f);
        // A key met before in the file: one that found a stored customer is
        // remembered (they are bounded by the customers stored, not by the
        // file); one that added a customer finds the customer it added.
        QSet<QString> matchedKeys;
        auto metBefore = [&](const QString &key, bool matched) {
            return matched ? matchedKeys.contains(foldedRef(key)) : customers.added(key);
        };
        qint64 processed = 0;
        while (const std::optional<AccountsFileReader::Record> rec = in.next()) {
            const QString lineNo = QString::number(rec->line);
            if (isBlankRecord(*rec)) {
                log.skipped(QStringLiteral("Line %1 skipped: it is empty").arg(lineNo));
                continue;
            }
            bool extraValues = false;
            for (qsizetype i = heading.size(); i < rec->fields.size(); ++i)
                extraValues = extraValues || !rec->fields.at(i).isEmpty();
            if (rec->fields.size() <= at.highest || extraValues)
                throw WvsError(extraValues ? ErrorNumber::BadFileFormat : ErrorNumber::TooFewFields,
                               QStringLiteral("Line %1 holds %2 values where the heading names %3")
                                   .arg(lineNo)
                                   .arg(rec->fields.size())
                                   .arg(heading.size()));
            const QString key = f.key(rec->fields.at(at.key));
            if (key.isEmpty() || f.noKeyValues.contains(key.toLower())) {
                log.skipped(QStringLiteral("Line %1 skipped: it has no accounts reference").arg(lineNo));
                continue;
            }
            const std::optional<qint64> number = customers.find(key);
            if (metBefore(key, number.has_value())) {
                log.skipped(QStringLiteral("Line %1 skipped: %2 appears earlier in the file").arg(lineNo, key));
                continue;
            }
            if (number)
                matchedKeys.insert(foldedRef(key));

            QHash<QString, QString> values;
            for (const auto &c : f.columns) {
                const int pos = at.columns.value(c.field, -1);
                if (pos < 0)
                    continue;
                const QString value =
                    AccountsFileRules::cut(CustomerImportFormat::asTyped(rec->fields.at(pos), c.multiLine), c.cut);
                // The package's own export leaves a column empty that the
                // program never sent it: a matched customer keeps its value.
                if (number && !c.sent && value.isEmpty())
                    continue;
                values.insert(c.field, value);
            }
            const QVariantMap current = number ? customerRow(*number) : QVariantMap();
            QVariantMap fields;
            f.rule(f, values, current, fields);
            keepAPreferredPhone(current, fields);
            if (number)
                dropUnchanged(f, current, fields);
            QVariantMap stored = fields;
            if (!number)
                stored.insert(QStringLiteral("AccountsRef"), key);
            checkSizes(lineNo, stored);
            writeCustomer(key, fields, number);
            ++processed;
        }
        transaction->commit();
        transaction.reset();
        log.unlistedSkips();
        log.line(QStringLiteral("The file was read as %1 text").arg(AccountsFileReader::encodingName(in.encoding())));
        log.stamped(QStringLiteral(" Customer import completed - %1 records processed successfully").arg(processed));
        log.close();
        QString message = QStringLiteral("Customer import completed  = refer to ") + logPath + QStringLiteral(" for details");
        const qint64 skipped = log.skippedCount();
        if (skipped > 0)
            message += skipped == 1 ? QStringLiteral("\r\n1 line of the file was skipped")
                                    : QStringLiteral("\r\n%1 lines of the file were skipped").arg(skipped);
        msgBox(message, MsgButtons::Ok, MsgIcon::None, QStringLiteral("WVS"));
        return;
    } catch (const ProcessEnded &) {
        throw;
    } catch (const std::exception &e) {
        failure = caughtError(e);
    }
    transaction.reset();
    if (log.isOpen()) {
        log.unlistedSkips();
        log.stamped(QStringLiteral(" The following error was encountered:\r\nError Code: %1\r\nDescription: %2"
                                   "\r\n\r\nCustomer import abandoned")
                        .arg(failure->number)
                        .arg(failure->description));
        log.close();
    }
    // Another workstation held the database past the wait: the user is told
    // so as everywhere else in the program, and may simply try again.
    if (failure->number == ErrorNumber::DatabaseBusy) {
        msgBox(failure->description);
        return;
    }
    msgBox(QStringLiteral("Customer import failed - refer to ") + logPath + QStringLiteral(" for details"),
           MsgButtons::Ok, MsgIcon::Exclamation);
}

void MYOBCustomerImport(const QString &fileName) { importCustomers(myobCustomerFormat(), fileName); }

void XeroCustomerImport(const QString &fileName) { importCustomers(xeroCustomerFormat(), fileName); }

} // namespace wvs
