#include "device/sim/SimFrame.h"

#include <algorithm>

namespace vantrel {

namespace {

std::uint32_t readLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void writeLe32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::optional<std::size_t> bodySizeOf(std::uint8_t kind) {
    switch (static_cast<FrameKind>(kind)) {
    case FrameKind::Hello:
        return HELLO_SIZE;
    case FrameKind::ControlRequest:
        return CONTROL_REQUEST_SIZE;
    case FrameKind::ControlReply:
        return CONTROL_REPLY_SIZE;
    case FrameKind::ReportRequest:
        return REPORT_REQUEST_SIZE;
    case FrameKind::ReportReply:
        return REPORT_REPLY_SIZE;
    case FrameKind::Watch:
        return WATCH_SIZE;
    case FrameKind::DeviceState:
        return DEVICE_STATE_SIZE;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> frameOf(FrameKind kind) {
    const std::size_t bodySize = *bodySizeOf(static_cast<std::uint8_t>(kind));
    std::vector<std::uint8_t> frame(FRAME_HEADER_SIZE + bodySize, 0);
    frame[FRAME_KIND_OFFSET] = static_cast<std::uint8_t>(kind);
    writeLe16(&frame[FRAME_LENGTH_OFFSET], static_cast<std::uint16_t>(bodySize));
    return frame;
}

std::optional<bool> decodeFlag(std::uint8_t byte) {
    if (byte > 1) {
        return std::nullopt;
    }
    return byte == 1;
}

} // namespace

std::optional<FrameHeader> decodeFrameHeader(std::span<const std::uint8_t> header) {
    if (header.size() != FRAME_HEADER_SIZE || header[FRAME_RESERVED_OFFSET] != 0) {
        return std::nullopt;
    }
    const auto expected = bodySizeOf(header[FRAME_KIND_OFFSET]);
    if (!expected || readLe16(&header[FRAME_LENGTH_OFFSET]) != *expected) {
        return std::nullopt;
    }
    return FrameHeader{static_cast<FrameKind>(header[FRAME_KIND_OFFSET]), *expected};
}

std::vector<std::uint8_t> encodeHello(OpenOutcome outcome) {
    auto frame = frameOf(FrameKind::Hello);
    frame[FRAME_HEADER_SIZE + HELLO_OUTCOME_OFFSET] = static_cast<std::uint8_t>(outcome);
    return frame;
}

std::vector<std::uint8_t> encodeControlRequest(std::uint32_t code, const RequestBlock& block) {
    auto frame = frameOf(FrameKind::ControlRequest);
    std::uint8_t* body = &frame[FRAME_HEADER_SIZE];
    writeLe32(body + CONTROL_CODE_OFFSET, code);
    std::copy(block.begin(), block.end(), body + CONTROL_BLOCK_OFFSET);
    return frame;
}

std::vector<std::uint8_t> encodeControlReply(const ControlResult& result, const ReplyBlock& reply) {
    auto frame = frameOf(FrameKind::ControlReply);
    std::uint8_t* body = &frame[FRAME_HEADER_SIZE];
    body[REPLY_SUCCEEDED_OFFSET] = result.succeeded ? 1 : 0;
    writeLe32(body + REPLY_COUNT_OFFSET, result.count);
    writeLe32(body + REPLY_ERROR_OFFSET, result.error);
    std::copy(reply.begin(), reply.end(), body + REPLY_BLOCK_OFFSET);
    return frame;
}

std::vector<std::uint8_t> encodeReportRequest() {
    return frameOf(FrameKind::ReportRequest);
}

std::vector<std::uint8_t> encodeReportReply(bool succeeded, const InputReport& report) {
    auto frame = frameOf(FrameKind::ReportReply);
    std::uint8_t* body = &frame[FRAME_HEADER_SIZE];
    body[REPORT_SUCCEEDED_OFFSET] = succeeded ? 1 : 0;
    std::copy(report.begin(), report.end(), body + REPORT_BYTES_OFFSET);
    return frame;
}

std::vector<std::uint8_t> encodeWatch() {
    return frameOf(FrameKind::Watch);
}

std::vector<std::uint8_t> encodeDeviceState(const DeviceStateFrame& state) {
    auto frame = frameOf(FrameKind::DeviceState);
    if (!state.device) {
        return frame;
    }
    const std::string text = encodeDescriptor(*state.device);
    std::uint8_t* body = &frame[FRAME_HEADER_SIZE];
    body[STATE_PRESENT_OFFSET] = 1;
    // A descriptor too long to publish is published as no device at all, as a file would be.
    if (text.size() <= MAX_DESCRIPTOR_SIZE) {
        writeLe16(body + STATE_LENGTH_OFFSET, static_cast<std::uint16_t>(text.size()));
        std::copy(text.begin(), text.end(), body + STATE_TEXT_OFFSET);
    } else {
        body[STATE_PRESENT_OFFSET] = 0;
    }
    return frame;
}

std::optional<OpenOutcome> decodeHello(std::span<const std::uint8_t> body) {
    if (body.size() != HELLO_SIZE) {
        return std::nullopt;
    }
    const std::uint8_t outcome = body[HELLO_OUTCOME_OFFSET];
    if (outcome != static_cast<std::uint8_t>(OpenOutcome::Opened) &&
        outcome != static_cast<std::uint8_t>(OpenOutcome::DeviceAbsent)) {
        return std::nullopt;
    }
    return static_cast<OpenOutcome>(outcome);
}

std::optional<ControlRequestFrame> decodeControlRequest(std::span<const std::uint8_t> body) {
    if (body.size() != CONTROL_REQUEST_SIZE) {
        return std::nullopt;
    }
    ControlRequestFrame frame{readLe32(&body[CONTROL_CODE_OFFSET]), {}};
    std::copy_n(body.begin() + CONTROL_BLOCK_OFFSET, BLOCK_SIZE, frame.block.begin());
    return frame;
}

std::optional<ControlResult> decodeControlReply(std::span<const std::uint8_t> body,
                                                ReplyBlock& reply) {
    if (body.size() != CONTROL_REPLY_SIZE) {
        return std::nullopt;
    }
    const auto succeeded = decodeFlag(body[REPLY_SUCCEEDED_OFFSET]);
    const std::uint32_t count = readLe32(&body[REPLY_COUNT_OFFSET]);
    if (!succeeded || count > BLOCK_SIZE) {
        return std::nullopt;
    }
    std::copy_n(body.begin() + REPLY_BLOCK_OFFSET, BLOCK_SIZE, reply.begin());
    return ControlResult{*succeeded, count, readLe32(&body[REPLY_ERROR_OFFSET])};
}

std::optional<ReportReplyFrame> decodeReportReply(std::span<const std::uint8_t> body) {
    if (body.size() != REPORT_REPLY_SIZE) {
        return std::nullopt;
    }
    const auto succeeded = decodeFlag(body[REPORT_SUCCEEDED_OFFSET]);
    if (!succeeded) {
        return std::nullopt;
    }
    ReportReplyFrame frame{*succeeded, {}};
    std::copy_n(body.begin() + REPORT_BYTES_OFFSET, REPORT_SIZE, frame.report.begin());
    return frame;
}

std::optional<DeviceStateFrame> decodeDeviceState(std::span<const std::uint8_t> body) {
    if (body.size() != DEVICE_STATE_SIZE) {
        return std::nullopt;
    }
    const auto present = decodeFlag(body[STATE_PRESENT_OFFSET]);
    const std::size_t length = readLe16(&body[STATE_LENGTH_OFFSET]);
    if (!present || length > MAX_DESCRIPTOR_SIZE || (!*present && length != 0)) {
        return std::nullopt;
    }
    if (!*present) {
        return DeviceStateFrame{};
    }
    const auto text = body.subspan(STATE_TEXT_OFFSET, length);
    auto device = decodeDescriptor(std::string(text.begin(), text.end()));
    if (!device) {
        return std::nullopt;
    }
    return DeviceStateFrame{std::move(device)};
}

} // namespace vantrel
