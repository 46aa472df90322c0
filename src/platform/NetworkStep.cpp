#include "platform/NetworkStep.h"

namespace wvs {

namespace {
void (*networkStepCheck)() = nullptr;
}

void setNetworkStepCheck(void (*check)()) { networkStepCheck = check; }

void beforeNetworkStep()
{
    if (networkStepCheck)
        networkStepCheck();
}

} // namespace wvs
