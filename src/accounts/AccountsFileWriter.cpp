#include "accounts/AccountsFileWriter.h"
#include "common/Windows1252.h"
#include "core/Session.h"
#include "platform/MessageBox.h"
#include "platform/TypingLimit.h"

namespace wvs {

namespace AccountsFileRules {

namespace {

QString withoutLineBreaks(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

QString quoted(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

} // namespace

QString value(AccountsPackage package, const QString &text)
{
    if (package == AccountsPackage::MYOB) {
        const QString t = withoutLineBreaks(text);
        if (t.contains(QLatin1Char(',')) || t.startsWith(QLatin1Char('"')))
            return quoted(t);
        return t;
    }
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\r'))
        || text.contains(QLatin1Char('\n')))
        return quoted(text);
    return text;
}

QByteArray line(AccountsPackage package, const QStringList &values)
{
    QStringList items;
    items.reserve(values.size());
    for (const QString &v : values)
        items << value(package, v);
    const QString text = items.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    return package == AccountsPackage::MYOB ? Windows1252::encode(text) : text.toUtf8();
}

QString asWritten(AccountsPackage package, const QString &text)
{
    return package == AccountsPackage::MYOB ? Windows1252::asWritten(withoutLineBreaks(text)) : text;
}

QString cut(const QString &text, int n)
{
    return n > 0 ? TypingLimit::cutToLimit(text, n) : text;
}

QString amount(Money m)
{
    QString t = m.plain();
    if (t.endsWith(QLatin1String(".00")))
        t.chop(3);
    else if (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    return t;
}

QString datePattern(const QString &country)
{
    return country == QLatin1String("USA") ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy");
}

QString date(const QDate &d)
{
    return d.isValid() ? d.toString(datePattern(session().installationCountry)) : QString();
}

} // namespace AccountsFileRules

bool AccountsFileWriter::open(const QString &path) { return file_.open(path); }

void AccountsFileWriter::writeLine(const QStringList &values)
{
    file_.writeBytes(AccountsFileRules::line(package_, values));
}

void AccountsFileWriter::writeEmptyLine() { file_.writeBytes(QByteArrayLiteral("\r\n")); }

void AccountsFileWriter::commit(qint64 rows, qint64 importLimit, const QString &rowKind)
{
    file_.commit();
    QString text = QStringLiteral("File created with %1 records").arg(rows);
    if (importLimit > 0 && rows > importLimit)
        text += QStringLiteral("\r\n\r\n%1 takes at most %2 %3 in one import: please split the file "
                               "into parts of %2 %3 or fewer before importing it.")
                    .arg(package_ == AccountsPackage::MYOB ? QStringLiteral("MYOB") : QStringLiteral("Xero"))
                    .arg(importLimit)
                    .arg(rowKind);
    msgBox(text);
}

} // namespace wvs
