#include "common/ValidateEntryModule.h"
#include "platform/MessageBox.h"

namespace wvs {

QString validateEntryMessage(const QString &entry, bool freeText)
{
    if (entry.contains(QLatin1Char('"')) || entry.contains(QLatin1Char('=')))
        return QStringLiteral("Equal sign (=) and Quote sign (\") are invalid characters");
    if (freeText)
        return QString();
    if (entry.contains(QLatin1Char(' ')))
        return QStringLiteral("Spaces not allowed in this field");
    static const QString punctuation = QStringLiteral("[]`!\u00A3$%^&*()+}{~@:?><|\u00AC#';/.,\\-");
    for (QChar c : entry)
        if (punctuation.contains(c))
            return plainEntryMessage();
    return QString();
}

QString plainEntryMessage()
{
    return QStringLiteral("Entry can only be combinations of alphabetic,numeric and underscore (_) characters");
}

QVariant ValidateEntry(const QString &entry, bool freeText)
{
    const QString message = validateEntryMessage(entry, freeText);
    if (message.isEmpty())
        return QVariant();
    msgBox(message);
    return 9;
}

} // namespace wvs
