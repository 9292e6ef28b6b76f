#include "device/windows/HandleTransport.h"

#include <windows.h>

namespace vantrel {

namespace {

constexpr ControlResult deviceGone{.succeeded = false, .count = 0, .error = ERROR_DEV_NOT_EXIST};

} // namespace

struct HandleTransport::Pending {
    OVERLAPPED overlapped{};
};

HandleTransport::HandleTransport(void* handle, std::chrono::milliseconds timeout)
    : handle_(handle), timeout_(timeout), answered_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      cancelled_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
}

HandleTransport::~HandleTransport() {
    close();
    for (void* event : {answered_, cancelled_}) {
        if (event != nullptr) {
            CloseHandle(event);
        }
    }
}

ControlResult HandleTransport::finish(Pending& call, bool started) {
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return {
            .succeeded = false, .count = 0, .error = static_cast<std::uint32_t>(GetLastError())};
    }
    DWORD count = 0;
    if (!started) {
        const HANDLE waits[] = {answered_, cancelled_};
        if (WaitForMultipleObjects(2, waits, FALSE, static_cast<DWORD>(timeout_.count())) !=
            WAIT_OBJECT_0) {
            // No answer in time, or the program is ending. The buffers stay the driver's until
            // it has confirmed the withdrawal, so that is waited for.
            CancelIoEx(handle_, &call.overlapped);
            GetOverlappedResult(handle_, &call.overlapped, &count, TRUE);
            broken_ = true;
            return deviceGone;
        }
    }
    const BOOL done = GetOverlappedResult(handle_, &call.overlapped, &count, FALSE);
    return {.succeeded = done != FALSE,
            .count = count,
            .error = done != FALSE ? 0 : static_cast<std::uint32_t>(GetLastError())};
}

ControlResult HandleTransport::control(std::uint32_t code, const RequestBlock& request,
                                       ReplyBlock& reply) {
    if (broken_ || answered_ == nullptr || cancelled_ == nullptr) {
        return deviceGone;
    }
    Pending call;
    call.overlapped.hEvent = answered_;
    ResetEvent(answered_);
    // The driver only reads the request block; the call's signature does not say so.
    const BOOL started =
        DeviceIoControl(handle_, code, const_cast<std::uint8_t*>(request.data()), BLOCK_SIZE,
                        reply.data(), BLOCK_SIZE, nullptr, &call.overlapped);
    return finish(call, started != FALSE);
}

bool HandleTransport::readReport(InputReport& report) {
    if (broken_ || answered_ == nullptr || cancelled_ == nullptr) {
        return false;
    }
    Pending call;
    call.overlapped.hEvent = answered_;
    ResetEvent(answered_);
    const BOOL started = ReadFile(handle_, report.data(), REPORT_SIZE, nullptr, &call.overlapped);
    return finish(call, started != FALSE).succeeded;
}

void HandleTransport::cancel() {
    SetEvent(cancelled_);
}

void HandleTransport::close() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

} // namespace vantrel
