#include "win32/ProgramName.h"

#include <windows.h>

#include <filesystem>

namespace vantrel {

std::wstring programName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).stem().wstring();
}

} // namespace vantrel
