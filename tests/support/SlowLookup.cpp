#include "support/SlowLookup.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <netdb.h>
#include <thread>

namespace {
std::mutex slowMutex;
QByteArray slowName;
int slowMs = 0;
} // namespace

namespace wvs::test {

void setSlowLookup(const QByteArray &name, int ms)
{
    const std::lock_guard<std::mutex> hold(slowMutex);
    slowName = name;
    slowMs = ms;
}

} // namespace wvs::test

// Stands in for the C library's lookup for the whole test program: the
// transfer library and everything else reach this one first.
extern "C" int getaddrinfo(const char *node, const char *service, const struct addrinfo *hints,
                           struct addrinfo **res)
{
    int wait = 0;
    {
        const std::lock_guard<std::mutex> hold(slowMutex);
        if (node && !slowName.isEmpty() && slowName == node)
            wait = slowMs;
    }
    if (wait > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        return EAI_AGAIN;
    }
    using Lookup = int (*)(const char *, const char *, const struct addrinfo *, struct addrinfo **);
    static const auto real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
    return real(node, service, hints, res);
}
