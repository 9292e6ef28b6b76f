#pragma once

namespace vantrel {

// The calls a device bus answers, named so that a bus standing in for the host can make one of
// them fail on purpose.
enum class BusCall {
    GetClassDevs,
    EnumDeviceInfo,
    GetHardwareIdProperty,
    EnumDeviceInterface,
    GetDeviceInterfaceDetail,
    Open,
};

} // namespace vantrel
