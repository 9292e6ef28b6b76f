#pragma once

#include "device/DeviceTransport.h"
#include "devsim/Fault.h"
#include "devsim/FaultPlan.h"
#include "devsim/MemoryImage.h"
#include "devsim/MemoryStore.h"
#include "devsim/Quality.h"
#include "devsim/TraceSink.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace vantrel::devsim {

enum class ReportTrace { Off, On };

struct ReceiverSettings {
    std::uint8_t mode = MODE_REPORTS;
    Quality quality{};
    MemoryImage memory = factoryImage();
    // How long a report read blocks, as the device's report rate makes it.
    std::chrono::milliseconds reportInterval{8};
};

struct RequestCounts {
    std::uint64_t queries = 0;
    std::uint64_t reads = 0;
    std::uint64_t writes = 0;
    std::uint64_t rejected = 0; // refused as malformed
    std::uint64_t faulted = 0;  // failed, short or vanished on purpose
    std::uint64_t reports = 0;
};

struct ReceiverStatus {
    bool plugged;
    std::uint8_t mode;
    Quality quality;
    std::uint8_t qualityNow;
    std::vector<Fault> pendingFaults;
    RequestCounts counts;
    int openHandles;
};

class ReceiverTransport;

// The simulated Vantrel receiver with its driver and the device's firmware: the settings memory,
// the mode, the input reports, plug and unplug, injected faults and the request trace.
//
// It lives in a shared_ptr, which the transports that open() hands out share. Every member is
// safe to call from any thread: the tool's two threads send requests while a third steers it.
class Receiver : public std::enable_shared_from_this<Receiver> {
public:
    explicit Receiver(ReceiverSettings settings = {});

    // A handle on the plugged-in receiver, like opening the device; null while it is unplugged.
    // A handle stays dead once the receiver has been unplugged, even after it is plugged again.
    std::unique_ptr<DeviceTransport> open();

    void plug();
    void unplug();
    bool isPlugged() const;

    void setMode(std::uint8_t mode);
    void setQuality(Quality quality);
    void inject(const Fault& fault);
    void clearFaults();

    MemoryImage memory() const;
    ReceiverStatus status() const;

    // Where each request that reaches the receiver is traced; report reads only when asked for.
    void traceTo(std::shared_ptr<TraceSink> sink, ReportTrace reports = ReportTrace::Off);
    // Where the memory goes after each write.
    void persistTo(std::shared_ptr<MemoryStore> store);
    // Told, outside the receiver's lock, whenever it may have been plugged in or unplugged.
    void onPlugChange(std::function<void()> observer);

private:
    friend class ReceiverTransport;
    using Clock = std::chrono::steady_clock;

    // Each plug-in starts a new period; a handle belongs to the period it was opened in.
    bool isLive(std::uint64_t period) const { return plugged_ && period == plugPeriod_; }
    ControlResult control(std::uint64_t period, std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply);
    bool readReport(std::uint64_t period, InputReport& report);
    void release(std::uint64_t period);
    void unplugLocked();
    void notifyPlugChange();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const Clock::time_point start_ = Clock::now();
    const std::chrono::milliseconds reportInterval_;
    std::uint8_t mode_;
    Quality quality_;
    MemoryImage memory_;
    FaultPlan faults_;
    RequestCounts counts_;
    bool plugged_ = true;
    std::uint64_t plugPeriod_ = 1;
    int openHandles_ = 0;
    std::shared_ptr<TraceSink> trace_;
    ReportTrace reportTrace_ = ReportTrace::Off;
    std::shared_ptr<MemoryStore> store_;
    std::function<void()> plugObserver_;
};

} // namespace vantrel::devsim
