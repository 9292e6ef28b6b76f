#pragma once

#include <windows.h>

namespace vantrel {

// The program's own window messages.
// To the main window: run the work waiting in the crossing from the monitor thread.
constexpr UINT CROSSING_MESSAGE = WM_APP + 1;
// To a page window: run the work left for after its first paint.
constexpr UINT AFTER_FIRST_PAINT_MESSAGE = WM_APP + 2;

} // namespace vantrel
