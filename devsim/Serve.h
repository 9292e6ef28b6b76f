#pragma once

#include "devsim/ServeOptions.h"

namespace vantrel::devsim {

// Runs a receiver in the foreground until SIGINT, SIGTERM or SIGHUP; the process exit code.
int serve(const ServeOptions& options);

} // namespace vantrel::devsim
