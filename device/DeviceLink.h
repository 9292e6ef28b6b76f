#pragma once

#include "device/DeviceProtocol.h"
#include "device/DeviceTransport.h"
#include "device/SettingsImage.h"
#include "platform/Messages.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

namespace vantrel {

// The one communication error text of the whole tool. Two blanks stand before its line break.
inline constexpr std::string_view commErrorMessage =
    "An error occurred during communicate with the device,  \r\nre-plug in the device and "
    "re-start the software, if you still have the same error, please contact our technical "
    "support.";

inline constexpr std::string_view writeKeyMapFailedMessage = "Error occurred in WrEELong.";

// A request to a device that has gone away would repeat for ever; each operation gives up after
// this many sends or this much time, whichever comes first. One send alone is bounded by the
// transport's REPLY_TIMEOUT.
struct RetryBound {
    int maxSends = 100;
    std::chrono::milliseconds maxDuration{REPLY_TIMEOUT};
};

// What an operation returns when it succeeded.
constexpr std::uint32_t LINK_OK = 0;

// What an operation returns when it gave up repeating: the host's time-out code.
constexpr std::uint32_t LINK_GAVE_UP = ERROR_TIMEOUT;

// The one link to the receiver: the open device, the request and reply blocks and the count of
// the latest reply. Every operation blocks until done and returns 0 for success.
//
// Both threads use it. One lock is held around each request with its repetitions, so requests of
// the two threads never interleave on the shared blocks; it is never held while a message shows.
class DeviceLink {
public:
    explicit DeviceLink(Messages& messages, RetryBound bound = {});
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Takes over a freshly opened device; a null transport leaves the link without a device.
    void attach(std::unique_ptr<DeviceTransport> transport);
    bool isOpen() const;
    void close();

    // For the end of the program, from any thread: the request under way on another thread ends
    // at once, its repetitions stop, and every later operation fails without being sent.
    void cancel();

    std::uint32_t queryMode(std::int32_t& reportMode);
    std::uint32_t readBytes(std::uint16_t address, std::span<std::uint8_t> destination);
    std::uint32_t writeBytes(std::uint16_t address, std::span<const std::uint8_t> source);
    std::uint32_t RdEELong(KeyMapBytes& keyMap);
    std::uint32_t WrEELong(const KeyMapBytes& keyMap);
    std::uint32_t readButtonMap(ButtonMapBytes& destination);
    std::uint32_t writeButtonMap(const ButtonMapBytes& source);

    // One input report from the open device; false when there is none or the read failed.
    bool readReport(InputReport& report);

private:
    enum class Outcome { Done, Ended, GaveUp };
    struct Exchange {
        Outcome outcome;
        std::uint32_t error;
    };

    void prepare(std::uint16_t command, std::uint16_t address, std::uint16_t length);
    Exchange readLocked(std::uint16_t address, std::span<std::uint8_t> destination);
    Exchange writeLocked(std::uint16_t address, std::span<const std::uint8_t> source);
    ControlResult sendLocked(std::uint32_t code);

    Messages& messages_;
    const RetryBound bound_;
    mutable std::mutex mutex_;
    // Held, after mutex_, wherever transport_ changes, so that cancel() needs only this one while
    // a request holds mutex_.
    std::mutex transportMutex_;
    std::atomic<bool> cancelled_{false};
    std::unique_ptr<DeviceTransport> transport_;
    RequestBlock request_{};
    ReplyBlock reply_{};
    std::uint32_t replyCount_ = 0;
};

} // namespace vantrel
