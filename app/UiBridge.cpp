#include "app/UiBridge.h"

namespace vantrel {

bool UiBridge::wake() {
    // A bridge that goes away takes the posted call with it.
    return QMetaObject::invokeMethod(
        this, [this] { runWaitingWork(); }, Qt::QueuedConnection);
}

} // namespace vantrel
