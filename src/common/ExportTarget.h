#pragma once
#include <QString>

namespace wvs {

// Where an export may not write: the program's database and its journal
// files. However the chosen path is spelled (a relative name, "." or "..",
// a linked folder, a link to the file itself, another letter case), a path
// that lands on one of them is recognised, also when the journal does not
// exist yet.
namespace ExportTarget {

// True when writing to path would write over the open database (or the
// database of the program folder) or one of its journal files.
bool isDatabaseFile(const QString &path);

} // namespace ExportTarget
} // namespace wvs
