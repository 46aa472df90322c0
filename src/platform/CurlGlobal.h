#pragma once
#include <curl/curl.h>

namespace wvs {

// libcurl is set up once for the life of the process, before its first use.
inline void ensureCurl()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

} // namespace wvs
