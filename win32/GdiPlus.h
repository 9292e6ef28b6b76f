#pragma once

// GDI+ wants the min and max of the Windows headers, which the rest of the program keeps out.
#include <windows.h>

#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus

#include <gdiplus.h>
