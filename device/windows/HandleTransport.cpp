#include "device/windows/HandleTransport.h"

#include <windows.h>

namespace vantrel {

HandleTransport::~HandleTransport() {
    close();
}

ControlResult HandleTransport::control(std::uint32_t code, const RequestBlock& request,
                                       ReplyBlock& reply) {
    DWORD count = 0;
    // The driver only reads the request block; the call's signature does not say so.
    const BOOL done = DeviceIoControl(handle_, code, const_cast<std::uint8_t*>(request.data()),
                                      BLOCK_SIZE, reply.data(), BLOCK_SIZE, &count, nullptr);
    return {.succeeded = done != FALSE,
            .count = count,
            .error = done != FALSE ? 0 : static_cast<std::uint32_t>(GetLastError())};
}

bool HandleTransport::readReport(InputReport& report) {
    DWORD count = 0;
    return ReadFile(handle_, report.data(), REPORT_SIZE, &count, nullptr) != FALSE;
}

void HandleTransport::close() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

} // namespace vantrel
