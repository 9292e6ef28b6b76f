#include "device/sim/TcpTransport.h"

#include "device/sim/FrameRead.h"

namespace vantrel {

namespace {

constexpr ControlResult deviceGone{.succeeded = false, .count = 0, .error = ERROR_DEV_NOT_EXIST};

ReceiveBytes fromStream(TcpStream& stream) {
    return [&stream](std::span<std::uint8_t> bytes) { return stream.receiveAll(bytes); };
}

} // namespace

std::unique_ptr<TcpTransport> TcpTransport::connect(const LoopbackAddress& address,
                                                    std::chrono::milliseconds timeout) {
    auto stream = TcpStream::connect(address, timeout, timeout);
    if (!stream) {
        return nullptr;
    }
    const auto body = readFrameOf(fromStream(*stream), FrameKind::Hello);
    if (!body || decodeHello(*body) != OpenOutcome::Opened) {
        return nullptr;
    }
    return std::unique_ptr<TcpTransport>(new TcpTransport(std::move(stream)));
}

std::optional<std::vector<std::uint8_t>>
TcpTransport::exchange(const std::vector<std::uint8_t>& request, FrameKind answer) {
    if (broken_ || !stream_) {
        return std::nullopt;
    }
    if (stream_->sendAll(request)) {
        if (auto body = readFrameOf(fromStream(*stream_), answer)) {
            return body;
        }
    }
    breakOff();
    return std::nullopt;
}

void TcpTransport::breakOff() {
    // After a broken exchange the stream is out of step, or a late reply may still come: the
    // handle is dead for good, and the receiver learns it now.
    broken_ = true;
    stream_->cancel();
}

ControlResult TcpTransport::control(std::uint32_t code, const RequestBlock& request,
                                    ReplyBlock& reply) {
    if (const auto body = exchange(encodeControlRequest(code, request), FrameKind::ControlReply)) {
        if (const auto result = decodeControlReply(*body, reply)) {
            return *result;
        }
        breakOff();
    }
    return deviceGone;
}

bool TcpTransport::readReport(InputReport& report) {
    if (const auto body = exchange(encodeReportRequest(), FrameKind::ReportReply)) {
        if (const auto frame = decodeReportReply(*body)) {
            report = frame->report;
            return frame->succeeded;
        }
        breakOff();
    }
    return false;
}

void TcpTransport::cancel() {
    stream_->cancel();
}

void TcpTransport::close() {
    stream_.reset();
}

} // namespace vantrel
