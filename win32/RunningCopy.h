#pragma once

namespace vantrel {

// Looks for the main window of a copy of the program that runs already, among the top-level
// windows in the system's order, and brings the first one found to the front. False when there
// is none.
bool bringRunningCopyToFront();

} // namespace vantrel
