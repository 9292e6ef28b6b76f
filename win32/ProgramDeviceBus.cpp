#include "win32/ProgramDeviceBus.h"

#include "device/windows/WindowsDeviceBus.h"

namespace vantrel {

std::unique_ptr<DeviceBus> makeProgramDeviceBus() {
    return std::make_unique<WindowsDeviceBus>();
}

} // namespace vantrel
