#include "win32/MessageBoxStyle.h"

#include <windows.h>

namespace vantrel {

namespace {

std::uint32_t buttonsStyle(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return MB_OK;
    case MessageButtons::YesNo:
        return MB_YESNO;
    case MessageButtons::YesNoCancel:
        break;
    }
    return MB_YESNOCANCEL;
}

std::uint32_t iconStyle(MessageButtons buttons, MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return MB_ICONSTOP;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::FromButtons:
        break;
    }
    return buttons == MessageButtons::Ok ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
}

} // namespace

std::uint32_t messageBoxStyle(MessageButtons buttons, MessageIcon icon) {
    return buttonsStyle(buttons) | iconStyle(buttons, icon);
}

MessageAnswer messageBoxAnswer(int result, MessageButtons buttons) {
    switch (result) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    default:
        return dismissedAnswer(buttons);
    }
}

} // namespace vantrel
