#pragma once

#include "device/DeviceProtocol.h"
#include "device/DeviceTransport.h"
#include "device/sim/SimDeviceDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The frames on a simulated receiver's data socket. Each connection is one open handle: the
// receiver greets it with a hello, then answers each request frame with one reply frame.
//
// A client may instead ask to watch the device: its first frame is a watch, whatever the hello
// said, and the receiver answers with the device as it is now, then once more at every change.
//
// Every frame is a 4-byte header (kind, a zero byte, body length little-endian) and a body whose
// length is fixed by its kind.
namespace vantrel {

enum class FrameKind : std::uint8_t {
    Hello = 1,
    ControlRequest = 2,
    ControlReply = 3,
    ReportRequest = 4,
    ReportReply = 5,
    Watch = 6,
    DeviceState = 7,
};

constexpr std::size_t FRAME_KIND_OFFSET = 0;
constexpr std::size_t FRAME_RESERVED_OFFSET = 1;
constexpr std::size_t FRAME_LENGTH_OFFSET = 2;
constexpr std::size_t FRAME_HEADER_SIZE = 4;

// Hello: whether the open found the device present.
constexpr std::size_t HELLO_OUTCOME_OFFSET = 0;
constexpr std::size_t HELLO_SIZE = 1;

// Control request: the control code, then the whole request block.
constexpr std::size_t CONTROL_CODE_OFFSET = 0;
constexpr std::size_t CONTROL_BLOCK_OFFSET = 4;
constexpr std::size_t CONTROL_REQUEST_SIZE = CONTROL_BLOCK_OFFSET + BLOCK_SIZE;
static_assert(CONTROL_REQUEST_SIZE == 516);

// Control reply: succeeded, count, error, then the whole reply block.
constexpr std::size_t REPLY_SUCCEEDED_OFFSET = 0;
constexpr std::size_t REPLY_COUNT_OFFSET = 1;
constexpr std::size_t REPLY_ERROR_OFFSET = 5;
constexpr std::size_t REPLY_BLOCK_OFFSET = 9;
constexpr std::size_t CONTROL_REPLY_SIZE = REPLY_BLOCK_OFFSET + BLOCK_SIZE;
static_assert(CONTROL_REPLY_SIZE == 521);

constexpr std::size_t REPORT_REQUEST_SIZE = 0;

// Report reply: succeeded, then the 20-byte report.
constexpr std::size_t REPORT_SUCCEEDED_OFFSET = 0;
constexpr std::size_t REPORT_BYTES_OFFSET = 1;
constexpr std::size_t REPORT_REPLY_SIZE = REPORT_BYTES_OFFSET + REPORT_SIZE;
static_assert(REPORT_REPLY_SIZE == 21);

constexpr std::size_t WATCH_SIZE = 0;

// Device state: whether the device is present, the length of its descriptor text (absent: 0),
// then the text with zeros after it.
constexpr std::size_t STATE_PRESENT_OFFSET = 0;
constexpr std::size_t STATE_LENGTH_OFFSET = 1;
constexpr std::size_t STATE_TEXT_OFFSET = 3;
constexpr std::size_t DEVICE_STATE_SIZE = STATE_TEXT_OFFSET + MAX_DESCRIPTOR_SIZE;
static_assert(DEVICE_STATE_SIZE == 4099);

constexpr std::size_t MAX_FRAME_BODY_SIZE = DEVICE_STATE_SIZE;

enum class OpenOutcome : std::uint8_t { Opened = 0, DeviceAbsent = 1 };

struct FrameHeader {
    FrameKind kind;
    std::size_t bodySize;
};

struct ControlRequestFrame {
    std::uint32_t code;
    RequestBlock block;
};

struct ReportReplyFrame {
    bool succeeded;
    InputReport report;
};

struct DeviceStateFrame {
    // Absent while the receiver is unplugged.
    std::optional<SimDeviceDescriptor> device;
};

// Nothing for an unknown kind, a non-zero reserved byte or a length its kind does not have.
std::optional<FrameHeader> decodeFrameHeader(std::span<const std::uint8_t> header);

std::vector<std::uint8_t> encodeHello(OpenOutcome outcome);
std::vector<std::uint8_t> encodeControlRequest(std::uint32_t code, const RequestBlock& block);
std::vector<std::uint8_t> encodeControlReply(const ControlResult& result, const ReplyBlock& reply);
std::vector<std::uint8_t> encodeReportRequest();
std::vector<std::uint8_t> encodeReportReply(bool succeeded, const InputReport& report);
std::vector<std::uint8_t> encodeWatch();
std::vector<std::uint8_t> encodeDeviceState(const DeviceStateFrame& state);

// Each decoder takes a body of its kind and gives nothing when its size or values are wrong.
std::optional<OpenOutcome> decodeHello(std::span<const std::uint8_t> body);
std::optional<ControlRequestFrame> decodeControlRequest(std::span<const std::uint8_t> body);
std::optional<ControlResult> decodeControlReply(std::span<const std::uint8_t> body,
                                                ReplyBlock& reply);
std::optional<ReportReplyFrame> decodeReportReply(std::span<const std::uint8_t> body);
std::optional<DeviceStateFrame> decodeDeviceState(std::span<const std::uint8_t> body);

} // namespace vantrel
