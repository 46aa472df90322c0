#pragma once
#include <QString>

namespace wvs {

// What a message shows of a text another program sent (a page's reply, an FTP
// server's error, a line of a portal file): a reply of at most 20 lines and
// 1,000 characters whole and exact; a longer one up to the first of those
// limits, ending on a whole character, then "…", so that the message box stays
// within the screen whatever the server sent.
QString replyExcerpt(const QString &reply);

} // namespace wvs
