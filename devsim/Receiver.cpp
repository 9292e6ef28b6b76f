#include "devsim/Receiver.h"

#include "devsim/DecodedRequest.h"
#include "devsim/ReceiverTransport.h"
#include "devsim/RequestAnswer.h"

namespace vantrel::devsim {

namespace {

constexpr ControlResult deviceGone{.succeeded = false, .count = 0, .error = ERROR_DEV_NOT_EXIST};

constexpr std::uint8_t readBackFlip = 0xFF;

bool coversButtonMapEnd(const DecodedRequest& request) {
    const std::size_t last = BUTTON_MAP_ADDRESS + BUTTON_MAP_SIZE - 1;
    return request.address <= last && std::size_t{request.address} + request.length > last;
}

void countRequest(RequestCounts& counts, RequestKind kind) {
    switch (kind) {
    case RequestKind::Query:
        ++counts.queries;
        break;
    case RequestKind::Read:
        ++counts.reads;
        break;
    case RequestKind::Write:
        ++counts.writes;
        break;
    case RequestKind::Unknown:
        break;
    }
}

} // namespace

Receiver::Receiver(ReceiverSettings settings)
    : reportInterval_(settings.reportInterval), mode_(settings.mode), quality_(settings.quality),
      memory_(settings.memory) {
}

std::unique_ptr<DeviceTransport> Receiver::open() {
    std::lock_guard lock(mutex_);
    if (!plugged_) {
        return nullptr;
    }
    ++openHandles_;
    return std::make_unique<ReceiverTransport>(shared_from_this(), plugPeriod_);
}

void Receiver::plug() {
    {
        std::lock_guard lock(mutex_);
        if (plugged_) {
            return;
        }
        plugged_ = true;
        ++plugPeriod_;
    }
    notifyPlugChange();
}

void Receiver::unplug() {
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) {
            return;
        }
        unplugLocked();
    }
    notifyPlugChange();
}

void Receiver::unplugLocked() {
    plugged_ = false;
    openHandles_ = 0;
    // Wakes the report reads and slow replies that wait on the device.
    changed_.notify_all();
}

void Receiver::notifyPlugChange() {
    std::function<void()> observer;
    {
        std::lock_guard lock(mutex_);
        observer = plugObserver_;
    }
    if (observer) {
        observer();
    }
}

bool Receiver::isPlugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void Receiver::setMode(std::uint8_t mode) {
    std::lock_guard lock(mutex_);
    mode_ = mode;
}

void Receiver::setQuality(Quality quality) {
    std::lock_guard lock(mutex_);
    quality_ = quality;
}

void Receiver::inject(const Fault& fault) {
    std::lock_guard lock(mutex_);
    faults_.add(fault);
}

void Receiver::clearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

MemoryImage Receiver::memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

ReceiverStatus Receiver::status() const {
    std::lock_guard lock(mutex_);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_);
    return {plugged_,          mode_,   quality_,    qualityByteAt(quality_, elapsed),
            faults_.pending(), counts_, openHandles_};
}

void Receiver::traceTo(std::shared_ptr<TraceSink> sink, ReportTrace reports) {
    std::lock_guard lock(mutex_);
    trace_ = std::move(sink);
    reportTrace_ = reports;
}

void Receiver::persistTo(std::shared_ptr<MemoryStore> store) {
    std::lock_guard lock(mutex_);
    store_ = std::move(store);
}

void Receiver::onPlugChange(std::function<void()> observer) {
    std::lock_guard lock(mutex_);
    plugObserver_ = std::move(observer);
}

ControlResult Receiver::control(std::uint64_t period, std::uint32_t code,
                                const RequestBlock& request, ReplyBlock& reply) {
    const DecodedRequest decoded = decodeRequest(code, request);
    std::unique_lock lock(mutex_);
    if (!isLive(period)) {
        return deviceGone;
    }
    if (const auto slow = faults_.take(FaultKind::Slow, decoded.kind)) {
        // The lock is let go meanwhile, so an unplug during the delay ends the request.
        changed_.wait_for(lock, slow->delay, [&] { return !isLive(period); });
        if (!isLive(period)) {
            return deviceGone;
        }
    }
    if (trace_) {
        trace_->line(traceLine(decoded));
    }
    countRequest(counts_, decoded.kind);
    if (faults_.take(FaultKind::Vanish, decoded.kind)) {
        ++counts_.faulted;
        unplugLocked();
        lock.unlock();
        notifyPlugChange();
        return deviceGone;
    }
    if (const auto error = faults_.take(FaultKind::Error, decoded.kind)) {
        ++counts_.faulted;
        reply.fill(0);
        return {.succeeded = false, .count = 0, .error = error->error};
    }
    // The request runs on a copy, which becomes the memory only once it is kept.
    MemoryImage changed = memory_;
    ControlResult result = answerRequest(decoded, mode_, changed, reply);
    if (!result.succeeded) {
        ++counts_.rejected;
        return result;
    }
    if (faults_.take(FaultKind::ShortCount, decoded.kind)) {
        ++counts_.faulted;
        result.count = result.count > 0 ? result.count - 1 : 0;
        return result;
    }
    if (decoded.kind == RequestKind::Write) {
        if (store_ && !store_->save(changed)) {
            reply.fill(0);
            return {.succeeded = false, .count = 0, .error = ERROR_GEN_FAILURE};
        }
        memory_ = changed;
    }
    if (decoded.kind == RequestKind::Read && coversButtonMapEnd(decoded) &&
        faults_.take(FaultKind::ReadBackMismatch, decoded.kind)) {
        ++counts_.faulted;
        reply[BUTTON_MAP_ADDRESS + BUTTON_MAP_SIZE - 1 - decoded.address] ^= readBackFlip;
    }
    return result;
}

bool Receiver::readReport(std::uint64_t period, InputReport& report) {
    std::unique_lock lock(mutex_);
    if (!isLive(period)) {
        return false;
    }
    changed_.wait_for(lock, reportInterval_, [&] { return !isLive(period); });
    if (!isLive(period)) {
        return false;
    }
    if (trace_ && reportTrace_ == ReportTrace::On) {
        trace_->line("report");
    }
    ++counts_.reports;
    // A device in the other mode sends no input reports.
    if (mode_ != MODE_REPORTS) {
        return false;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_);
    report.fill(0);
    report[REPORT_QUALITY_OFFSET] = qualityByteAt(quality_, elapsed);
    return true;
}

void Receiver::release(std::uint64_t period) {
    std::lock_guard lock(mutex_);
    if (isLive(period) && openHandles_ > 0) {
        --openHandles_;
    }
}

} // namespace vantrel::devsim
