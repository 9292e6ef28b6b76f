#pragma once

namespace vantrel::ctl {

// Whether the window program runs for this user: its single-instance mark answers. Two programs
// would interleave their requests on the one receiver, so a writing command does not go on then.
bool windowProgramRuns();

} // namespace vantrel::ctl

namespace vantrel::ctl {

// Fails, for a writing command, while the window program runs.
void refuseWhileWindowProgramRuns();

} // namespace vantrel::ctl
