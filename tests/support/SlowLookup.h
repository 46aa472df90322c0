#pragma once
#include <QByteArray>

namespace wvs::test {

// In this process the system's name lookup of `name` takes `ms` milliseconds
// and then finds nothing: name servers that do not answer. Other names are
// looked up as ever. A lookup already under way keeps the time it was given.
void setSlowLookup(const QByteArray &name, int ms);

} // namespace wvs::test
