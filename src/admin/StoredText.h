#pragma once
#include <QString>

namespace wvs {

// Text columns hold '' for nothing: a box never typed in gives a null string,
// which would be bound as NULL.
inline QString storedText(const QString &s) { return s.isNull() ? QStringLiteral("") : s; }

} // namespace wvs
