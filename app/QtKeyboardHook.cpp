#include "app/QtKeyboardHook.h"

#include "pcsetup/KeyboardFilter.h"
#include "platform/RuntimeFolder.h"

#include <QLockFile>

namespace vantrel {

namespace {

// Held for the whole run: a second copy that meets it takes no keyboard.
constexpr const char* hookLockName = "KbdHook";

} // namespace

QtKeyboardHook::QtKeyboardHook() = default;

QtKeyboardHook::~QtKeyboardHook() = default;

bool QtKeyboardHook::claim() {
    lock_ = std::make_unique<QLockFile>(
        QString::fromStdString((runtimeFolder() / hookLockName).string()));
    // Only a lock whose process has gone is stale, however old it is.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock()) {
        lock_.reset();
        return false;
    }
    return true;
}

void QtKeyboardHook::install(KeyCapture& capture) {
    filter_ = std::make_unique<KeyboardFilter>(capture, scope_);
    filter_->install();
}

void QtKeyboardHook::remove() {
    filter_.reset();
}

} // namespace vantrel
