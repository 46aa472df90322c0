#pragma once

namespace wvs {

// Every step that waits on the network (an FTP command, a web page, an
// e-mail send) calls beforeNetworkStep() first. It runs the check installed
// here: the data layer installs one that refuses the step while the
// program's database connection holds a lock, so that no other workstation
// waits on this one's network. The check reports a breach by throwing.
void setNetworkStepCheck(void (*check)());
void beforeNetworkStep();

} // namespace wvs
