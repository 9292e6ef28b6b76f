#include "device/sim/SimTransport.h"

#include "device/sim/FrameIo.h"
#include "device/sim/UnixSocket.h"

#include <sys/socket.h>

namespace vantrel {

namespace {

constexpr ControlResult deviceGone{.succeeded = false, .count = 0, .error = ERROR_DEV_NOT_EXIST};

} // namespace

std::unique_ptr<SimTransport> SimTransport::connect(const std::filesystem::path& dataSocket,
                                                    std::chrono::milliseconds timeout) {
    UniqueFd socket = connectUnixSocket(dataSocket, timeout);
    if (!socket.valid()) {
        return nullptr;
    }
    const auto body = receiveFrameOf(socket.get(), FrameKind::Hello);
    if (!body || decodeHello(*body) != OpenOutcome::Opened) {
        return nullptr;
    }
    return std::unique_ptr<SimTransport>(new SimTransport(std::move(socket)));
}

ControlResult SimTransport::control(std::uint32_t code, const RequestBlock& request,
                                    ReplyBlock& reply) {
    if (broken_ || !socket_.valid()) {
        return deviceGone;
    }
    if (sendAll(socket_.get(), encodeControlRequest(code, request))) {
        if (const auto body = receiveFrameOf(socket_.get(), FrameKind::ControlReply)) {
            if (const auto result = decodeControlReply(*body, reply)) {
                return *result;
            }
        }
    }
    breakOff();
    return deviceGone;
}

bool SimTransport::readReport(InputReport& report) {
    if (broken_ || !socket_.valid()) {
        return false;
    }
    if (sendAll(socket_.get(), encodeReportRequest())) {
        if (const auto body = receiveFrameOf(socket_.get(), FrameKind::ReportReply)) {
            if (const auto frame = decodeReportReply(*body)) {
                report = frame->report;
                return frame->succeeded;
            }
        }
    }
    breakOff();
    return false;
}

void SimTransport::cancel() {
    // Wakes a receive under way at once, and leaves every later send and receive failing.
    ::shutdown(socket_.get(), SHUT_RDWR);
}

void SimTransport::breakOff() {
    // After a broken exchange the stream is out of step, or a late reply may still come: the
    // handle is dead for good, and the receiver learns it now.
    broken_ = true;
    ::shutdown(socket_.get(), SHUT_RDWR);
}

void SimTransport::close() {
    socket_.reset();
}

} // namespace vantrel
