#pragma once

namespace wvs {

// The shut-down: frees the associate's schedule locks, marks him logged off
// (today's date serial in AssociateStatus), closes the database and ends the
// process. Does not return.
[[noreturn]] void ExitSystem();

} // namespace wvs
