#pragma once

namespace wvs {

// Rounds a value to the given number of decimals, halves away from zero,
// working on its decimal digits rather than on its binary value, so that
// 2.345 gives 2.35 and -2.345 gives -2.35. The value is first taken to four
// decimals (halves to the even neighbour), which settles the binary noise of
// a division such as 100 / 1.15.
double RoundAdv(double value, int places);

} // namespace wvs
