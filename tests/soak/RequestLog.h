#pragma once

#include "device/DeviceTransport.h"
#include "devsim/MemoryImage.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vantrel::soak {

// One request as it reached the receiver, with the answer the link saw.
struct LoggedRequest {
    bool write = false; // a memory write; else a read or a mode query
    std::uint16_t address = 0;
    std::uint16_t length = 0;
    std::vector<std::uint8_t> data;  // what a write carried
    std::vector<std::uint8_t> reply; // what a read answered, its first `length` bytes
    bool succeeded = false;
    std::uint32_t count = 0;
    std::uint32_t error = 0;
    bool fromUserInterface = false;
    bool whileSampling = false; // the monitor was free to start a report read meanwhile

    // The reply was a success with the full count: the only answer after which the receiver
    // has carried a write out.
    bool acknowledged() const { return succeeded && count == length; }
};

// Which of the program's two threads sent a request.
enum class Origin { UserInterface, Monitor };

// Every request the program sent, in the order the receiver took them, and the memory the
// device must hold if exactly the acknowledged writes changed it.
class RequestLog {
public:
    RequestLog(const devsim::MemoryImage& initial,
               const std::atomic<std::int32_t>& samplingEnabled);

    void record(std::uint32_t code, const RequestBlock& request, const ReplyBlock& reply,
                const ControlResult& result);

    std::size_t size() const;
    std::vector<LoggedRequest> since(std::size_t index, Origin origin) const;
    devsim::MemoryImage oracle() const;

    // After a reported mismatch, so that one fault is not reported again on every cycle.
    void resync(const devsim::MemoryImage& memory);

private:
    const std::thread::id userInterface_ = std::this_thread::get_id();
    const std::atomic<std::int32_t>& samplingEnabled_;
    mutable std::mutex mutex_;
    std::vector<LoggedRequest> requests_;
    devsim::MemoryImage oracle_;
};

} // namespace vantrel::soak
