#pragma once

#include "window/QueuedUiCrossing.h"

#include <QObject>

namespace vantrel {

// Carries work from the device monitor thread to the user-interface thread, through Qt's event
// queue, and waits for it.
class UiBridge : public QObject, public QueuedUiCrossing {
private:
    bool wake() override;
};

} // namespace vantrel
