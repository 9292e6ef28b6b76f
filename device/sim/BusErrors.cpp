#include "device/sim/BusErrors.h"

#include "device/DeviceBus.h"
#include "device/DeviceProtocol.h"

namespace vantrel {

namespace {

thread_local std::uint32_t lastErrorOfThread = ERROR_SUCCESS;

} // namespace

std::uint32_t busLastError() {
    return lastErrorOfThread;
}

void setBusLastError(std::uint32_t code) {
    lastErrorOfThread = code;
}

std::optional<std::string> busErrorText(std::uint32_t code) {
    switch (code) {
    case ERROR_SUCCESS:
        return "The operation completed.";
    case ERROR_INVALID_FUNCTION:
        return "The device does not know this request.";
    case ERROR_FILE_NOT_FOUND:
        return "No device answers at this path.";
    case ERROR_PATH_NOT_FOUND:
        return "The device path does not exist.";
    case ERROR_ACCESS_DENIED:
        return "The device refused to be opened.";
    case ERROR_INVALID_HANDLE:
        return "The device handle is not open.";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "There is not enough memory for this operation.";
    case ERROR_INVALID_DATA:
        return "The device has no such property.";
    case ERROR_GEN_FAILURE:
        return "The device did not carry out the request.";
    case ERROR_DEV_NOT_EXIST:
        return "The device is no longer present.";
    case ERROR_INVALID_PARAMETER:
        return "A value passed to the device is out of range.";
    case ERROR_INSUFFICIENT_BUFFER:
        return "The buffer is too small for the data.";
    case ERROR_NO_MORE_ITEMS:
        return "There are no more devices.";
    case ERROR_TIMEOUT:
        return "The device did not answer in time.";
    case ERROR_INVALID_USER_BUFFER:
        return "The record's size field does not match the record.";
    default:
        return std::nullopt;
    }
}

} // namespace vantrel
