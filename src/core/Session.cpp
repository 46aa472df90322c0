#include "core/Session.h"

namespace wvs {

Session &session()
{
    static Session s;
    return s;
}

void resetSession() { session() = Session(); }

} // namespace wvs
