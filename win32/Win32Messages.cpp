#include "win32/Win32Messages.h"

#include "win32/MessageBoxStyle.h"
#include "win32/ProgramName.h"
#include "win32/WideText.h"

namespace vantrel {

Win32Messages::Win32Messages() : uiThread_(std::this_thread::get_id()), title_(programName()) {
}

MessageAnswer Win32Messages::show(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    HWND owner = std::this_thread::get_id() == uiThread_ ? owner_ : nullptr;
    const int result = MessageBoxW(owner, toWide(text).c_str(), title_.c_str(),
                                   static_cast<UINT>(messageBoxStyle(buttons, icon)));
    return messageBoxAnswer(result, buttons);
}

} // namespace vantrel
