#pragma once
#include <QString>
#include <QVariant>

namespace wvs {

// Refuses an entry holding a double quote or an equals sign and, unless it is
// free text, one holding a space or punctuation. On a refusal the message is
// shown and the result is 9; an accepted entry gives an empty (invalid) result.
QVariant ValidateEntry(const QString &entry, bool freeText);

// The same test without the message: the text that would be shown, or empty.
QString validateEntryMessage(const QString &entry, bool freeText);

// The refusal of an entry that is not letters, digits and underscores alone.
QString plainEntryMessage();

} // namespace wvs
