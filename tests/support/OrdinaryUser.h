#pragma once
#include <QString>
#include <functional>

namespace wvs::test {

// Runs body in a child process as an ordinary user would meet the files, so
// that a file's permissions bind: when the tests run as the superuser, the
// child first hands folder (and all in it) to the unprivileged user "nobody"
// and becomes that user. The child ends with the body and keeps nothing:
// what the test needs to check comes back as the text body returns. A child
// that cannot become that user or ends without an answer returns a text
// saying so, which no expectation matches.
QString asOrdinaryUser(const QString &folder, const std::function<QString()> &body);

// In a process forked from a test with the database open: opens the child's
// own connection to the same file and makes it the one the program uses,
// leaving the parent's, which the child must neither use nor close. Throws
// a WvsError when the connection cannot be opened.
void reopenDatabaseInForkedChild();

} // namespace wvs::test
