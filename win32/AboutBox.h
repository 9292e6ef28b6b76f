#pragma once

#include <windows.h>

namespace vantrel {

// The About box from its template, modal over the owner; its OK button closes it.
void showAboutBox(HWND owner);

} // namespace vantrel
