// Reads what a running Windows program shows, from beside it under the same Wine server, for the
// black-box tests: its main window's caption, client size and single-instance mark, and the
// caption and text of a message box it has open.
//
//   window-probe main       caption, client size and origin on the screen, and the
//                           "Vantrel Pro" value of the main window
//   window-probe box        caption and text of the open message box, if any
//   window-probe count      how many main windows there are
//   window-probe button T   where on the screen the centre of the open message box's button
//                           captioned T is, as "X Y"
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* mainCaption = L"Vantrel Setup Utility V104a";
constexpr const wchar_t* dialogClass = L"#32770";
// The control id every message box gives its text.
constexpr int MESSAGE_TEXT_ID = 0xFFFF;

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> mainWindows() {
    std::vector<HWND> found;
    for (HWND window : topLevelWindows()) {
        if (IsWindowVisible(window) && textOf(window) == mainCaption) {
            found.push_back(window);
        }
    }
    return found;
}

int showMain() {
    const std::vector<HWND> windows = mainWindows();
    if (windows.empty()) {
        std::puts("no main window");
        return 1;
    }
    RECT client{};
    GetClientRect(windows.front(), &client);
    POINT origin{0, 0};
    ClientToScreen(windows.front(), &origin);
    std::printf("caption=%s\nclient=%ldx%ld\norigin=%ld,%ld\nproperty=%lld\n",
                utf8(textOf(windows.front())).c_str(), client.right - client.left,
                client.bottom - client.top, origin.x, origin.y,
                static_cast<long long>(
                    reinterpret_cast<INT_PTR>(GetPropW(windows.front(), L"Vantrel Pro"))));
    return 0;
}

HWND openBox() {
    for (HWND window : topLevelWindows()) {
        if (IsWindowVisible(window) && classOf(window) == dialogClass &&
            textOf(window) != mainCaption && GetDlgItem(window, MESSAGE_TEXT_ID)) {
            return window;
        }
    }
    return nullptr;
}

int showBox() {
    HWND box = openBox();
    if (!box) {
        std::puts("no message box");
        return 1;
    }
    std::printf("caption=%s\ntext=%s\n", utf8(textOf(box)).c_str(),
                utf8(textOf(GetDlgItem(box, MESSAGE_TEXT_ID))).c_str());
    return 0;
}

// Boxes under a display without a window manager get no keyboard focus, so a script clicks
// their buttons as a person would.
int showButton(const std::string& caption) {
    HWND box = openBox();
    HWND button = nullptr;
    while (box && (button = FindWindowExW(box, button, L"Button", nullptr))) {
        if (utf8(textOf(button)) == caption) {
            RECT rect{};
            GetWindowRect(button, &rect);
            std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
            return 0;
        }
    }
    std::printf("no button %s\n", caption.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "main") {
        return showMain();
    }
    if (command == "box") {
        return showBox();
    }
    if (command == "count") {
        std::printf("%zu\n", mainWindows().size());
        return 0;
    }
    if (command == "button" && argc > 2) {
        return showButton(argv[2]);
    }
    std::fputs("usage: window-probe main|box|count|button CAPTION\n", stderr);
    return 2;
}
