#pragma once

namespace wvs {

// The start-up data repair, run once per program run before the log-in: last
// service dates whose year was cut to "201" are completed to 2016 and stored
// as dates. Reports its own errors and never stops the start-up.
void UpdateDB();

// The repair itself; throws on a date it cannot read (rows already repaired
// stay repaired).
void RepairLastServiceDates();

} // namespace wvs
