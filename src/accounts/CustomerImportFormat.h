#pragma once
#include "accounts/AccountsFileWriter.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace wvs {

// What a customer import file of one accounts package looks like and how its
// columns become customer fields.
struct CustomerImportFormat {
    struct Column {
        QString field;          // a Customers field, or a name of the format's own rule
        QStringList headings;   // headings that name the column
        int cut = 0;            // at most this many characters; 0: the whole value
        // The program's own export to the package writes this column. One it
        // does not write comes back empty in the package's own export, so an
        // empty value there leaves a matched customer's field alone.
        bool sent = true;
        // The field is a multi-line one (the comment): its line breaks stay.
        bool multiLine = false;
    };

    QString package;            // "MYOB" or "Xero": names the log and its lines
    AccountsPackage kind = AccountsPackage::MYOB;
    int headingLine = 0;        // the heading's line number, from 0
    bool tabsAllowed = false;   // the separator is a tab when the heading holds one
    QStringList keyHeadings;    // headings of the key, the first found wins
    int keyCut = 0;
    QStringList noKeyValues;    // key values that stand for "no key"
    QList<Column> columns;
    // The fields this package's own export writes into a column the import
    // reads back, each with the length the export cuts it to (0: whole).
    QHash<QString, int> exported;

    // Turns the values of the columns the file has (by field) into the
    // customer fields to write. current holds the matched customer's row
    // (empty for a new customer). Columns the file lacks write nothing, nor
    // do empty ones not sent (Column::sent) for a matched customer.
    using Rule = void (*)(const CustomerImportFormat &format, const QHash<QString, QString> &values,
                          const QVariantMap &current, QVariantMap &fields);
    Rule rule = nullptr;

    QString logFileName() const { return package + QStringLiteral(" Customer Import.log"); }

    // A value of the file as the field it goes to holds it, by the rule of
    // every box (TypingLimit): a one-line field as a one-line box takes a
    // paste (line breaks and tabs blanks, control characters dropped), a
    // multi-line one as a comment takes a paste (each line break of any kind
    // one "\n", tabs kept, the other control characters dropped).
    static QString asTyped(const QString &value, bool multiLine = false);

    // The key of a line from the value in its key column.
    QString key(const QString &value) const;
    // The key a line of this package's own export brings back for a
    // customer with this accounts reference.
    QString keyAsExported(const QString &accountsRef) const;
    // What the import reads back for a stored field value after this
    // package's own export wrote it; nothing when the export leaves the
    // field out.
    std::optional<QString> asExported(const QString &field, const QString &stored) const;

    // A heading as compared: trimmed, lower case, without a leading "*".
    static QString normalHeading(const QString &heading);
};

// MYOB customer cards: the heading on the second line, keyed by "Card ID".
const CustomerImportFormat &myobCustomerFormat();
// Xero contacts: the heading on the first line, keyed by the contact's name.
const CustomerImportFormat &xeroCustomerFormat();

} // namespace wvs
