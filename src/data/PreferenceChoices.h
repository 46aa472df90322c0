#pragma once
#include <QString>

namespace wvs {

// The accounts package chosen in the preferences: "MYOB" (checked first), "Xero", or empty for none.
QString accountsPackage();

// True when MYOB or Xero is chosen.
bool accountsPackageInUse();

// True when the web portal is switched on in the preferences.
bool portalInUse();

} // namespace wvs
