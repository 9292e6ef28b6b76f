#pragma once

#include <string>

namespace vantrel {

// The program file's name without folder and extension: the title of its message boxes.
std::wstring programName();

} // namespace vantrel
