#include "win32/Win32FileDialogs.h"

#include "win32/WideText.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

namespace vantrel {

namespace {

enum class DialogKind { Open, Save };

// The filter as the dialogs take it: the '|' separators become the terminating zeros.
std::wstring dialogFilter() {
    std::wstring filter = toWide(profileFileFilter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter;
}

std::optional<std::filesystem::path> choosePath(HWND owner, DialogKind kind) {
    const std::wstring filter = dialogFilter();
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags = OFN_HIDEREADONLY;
    BOOL chosen = FALSE;
    if (kind == DialogKind::Open) {
        chosen = GetOpenFileNameW(&dialog);
    } else {
        dialog.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameW(&dialog);
    }
    if (!chosen) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    return std::filesystem::path(file);
}

} // namespace

std::optional<std::filesystem::path> Win32FileDialogs::choosePathToOpen() {
    return choosePath(owner_, DialogKind::Open);
}

std::optional<std::filesystem::path> Win32FileDialogs::choosePathToSave() {
    return choosePath(owner_, DialogKind::Save);
}

} // namespace vantrel
