#include "ctl/WindowProgramMark.h"

#include "ctl/CtlFailure.h"

namespace vantrel::ctl {

void refuseWhileWindowProgramRuns() {
    if (windowProgramRuns()) {
        throw failure("the Vantrel Setup Utility is running: close it first, or make the change "
                      "there (both would talk to the one receiver at once)");
    }
}

} // namespace vantrel::ctl
