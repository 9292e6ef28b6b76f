#pragma once

#include "platform/Messages.h"

#include <windows.h>

#include <thread>

namespace vantrel {

// Message boxes titled with the program file's name without its extension. On the user-interface
// thread a box belongs to the main window; the monitor thread's boxes stand on their own, so
// that they never wait for the user-interface thread.
class Win32Messages : public Messages {
public:
    // Made on the user-interface thread.
    Win32Messages();

    // Set on the user-interface thread once the main window exists; null when it has gone.
    void setOwner(HWND owner) { owner_ = owner; }

    MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon icon) override;

private:
    std::thread::id uiThread_;
    HWND owner_ = nullptr;
    std::wstring title_;
};

} // namespace vantrel
