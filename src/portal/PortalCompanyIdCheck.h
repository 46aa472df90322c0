#pragma once
#include <QString>

namespace wvs {

// The portal's answer about a company ID: "OK" when no other company uses
// it, any other text when it is taken, empty when no answer came (within
// timeoutMs). The company window asks it before a new or changed ID is saved.
QString portalCompanyIdReply(const QString &id, int timeoutMs = 60000);

} // namespace wvs
