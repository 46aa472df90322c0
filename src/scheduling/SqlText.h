#pragma once
#include <QString>

namespace wvs {

// Text columns are NOT NULL: an empty text is written as '', never as NULL.
inline QString sqlText(const QString &s) { return s.isNull() ? QStringLiteral("") : s; }

} // namespace wvs
