#include "tests/soak/RequestLog.h"

#include <algorithm>

namespace vantrel::soak {

RequestLog::RequestLog(const devsim::MemoryImage& initial,
                       const std::atomic<std::int32_t>& samplingEnabled)
    : samplingEnabled_(samplingEnabled), oracle_(initial) {
}

void RequestLog::record(std::uint32_t code, const RequestBlock& request, const ReplyBlock& reply,
                        const ControlResult& result) {
    const bool memory = readLe16(&request[COMMAND_OFFSET]) == CMD_MEMORY;
    LoggedRequest logged;
    logged.write = memory && code == IOCTL_DEVICE_WRITE;
    logged.address = readLe16(&request[ADDRESS_OFFSET]);
    logged.length = readLe16(&request[LENGTH_OFFSET]);
    logged.succeeded = result.succeeded;
    logged.count = result.count;
    logged.error = result.error;
    logged.fromUserInterface = std::this_thread::get_id() == userInterface_;
    logged.whileSampling = samplingEnabled_ != 0;
    const std::size_t shown =
        std::min<std::size_t>(logged.length, logged.write ? DATA_SIZE : BLOCK_SIZE);
    if (logged.write) {
        logged.data.assign(request.begin() + DATA_OFFSET,
                           request.begin() + DATA_OFFSET + static_cast<long>(shown));
    } else if (memory) {
        logged.reply.assign(reply.begin(), reply.begin() + static_cast<long>(shown));
    }
    std::lock_guard lock(mutex_);
    if (logged.write && logged.acknowledged() &&
        std::size_t{logged.address} + logged.data.size() <= oracle_.size()) {
        std::copy(logged.data.begin(), logged.data.end(), oracle_.begin() + logged.address);
    }
    requests_.push_back(std::move(logged));
}

std::size_t RequestLog::size() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

std::vector<LoggedRequest> RequestLog::since(std::size_t index, Origin origin) const {
    std::lock_guard lock(mutex_);
    std::vector<LoggedRequest> found;
    for (std::size_t i = index; i < requests_.size(); ++i) {
        if (requests_[i].fromUserInterface == (origin == Origin::UserInterface)) {
            found.push_back(requests_[i]);
        }
    }
    return found;
}

devsim::MemoryImage RequestLog::oracle() const {
    std::lock_guard lock(mutex_);
    return oracle_;
}

void RequestLog::resync(const devsim::MemoryImage& memory) {
    std::lock_guard lock(mutex_);
    oracle_ = memory;
}

} // namespace vantrel::soak
