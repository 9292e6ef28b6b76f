#include "device/DeviceLink.h"

#include <algorithm>

namespace vantrel {

namespace {

using Clock = std::chrono::steady_clock;

// Counts the sends of one operation against the link's bound.
class RepeatBudget {
public:
    RepeatBudget(const RetryBound& bound, const std::atomic<bool>& cancelled)
        : cancelled_(cancelled), sendsLeft_(bound.maxSends),
          deadline_(Clock::now() + bound.maxDuration) {}

    // Called after a send that must be repeated; false once the operation should give up.
    bool allowsAnother() { return !cancelled_ && --sendsLeft_ > 0 && Clock::now() < deadline_; }

private:
    const std::atomic<bool>& cancelled_;
    int sendsLeft_;
    Clock::time_point deadline_;
};

} // namespace

DeviceLink::DeviceLink(Messages& messages, RetryBound bound) : messages_(messages), bound_(bound) {
}

DeviceLink::~DeviceLink() {
    close();
}

void DeviceLink::attach(std::unique_ptr<DeviceTransport> transport) {
    std::lock_guard lock(mutex_);
    std::lock_guard transportLock(transportMutex_);
    if (transport_) {
        transport_->close();
    }
    transport_ = std::move(transport);
}

bool DeviceLink::isOpen() const {
    std::lock_guard lock(mutex_);
    return transport_ != nullptr;
}

void DeviceLink::close() {
    std::lock_guard lock(mutex_);
    std::lock_guard transportLock(transportMutex_);
    if (transport_) {
        transport_->close();
        transport_.reset();
    }
}

void DeviceLink::cancel() {
    cancelled_ = true;
    // A request that tested the flag just before it was set is woken here; one that comes later
    // finds the flag set.
    std::lock_guard transportLock(transportMutex_);
    if (transport_) {
        transport_->cancel();
    }
}

void DeviceLink::prepare(std::uint16_t command, std::uint16_t address, std::uint16_t length) {
    writeLe16(&request_[COMMAND_OFFSET], command);
    writeLe16(&request_[ADDRESS_OFFSET], address);
    writeLe16(&request_[LENGTH_OFFSET], length);
}

ControlResult DeviceLink::sendLocked(std::uint32_t code) {
    if (!transport_ || cancelled_) {
        return {.succeeded = false, .count = 0, .error = ERROR_INVALID_HANDLE};
    }
    ControlResult result = transport_->control(code, request_, reply_);
    replyCount_ = result.count;
    if (result.succeeded) {
        result.error = 0;
    }
    return result;
}

std::uint32_t DeviceLink::queryMode(std::int32_t& reportMode) {
    std::lock_guard lock(mutex_);
    prepare(CMD_QUERY_MODE, 0, 1);
    RepeatBudget budget(bound_, cancelled_);
    for (;;) {
        const ControlResult result = sendLocked(IOCTL_DEVICE_READ);
        // A failure that carries no error code counts as an answer.
        if (result.error == 0) {
            break;
        }
        if (isEndingCode(result.error)) {
            return result.error;
        }
        if (!budget.allowsAnother()) {
            return LINK_GAVE_UP;
        }
    }
    if (reply_[0] == MODE_REPORTS) {
        reportMode = 1;
        return 0;
    }
    if (reply_[0] == MODE_NO_REPORTS) {
        reportMode = 0;
        return 0;
    }
    return 1;
}

DeviceLink::Exchange DeviceLink::readLocked(std::uint16_t address,
                                            std::span<std::uint8_t> destination) {
    const auto length = static_cast<std::uint16_t>(destination.size());
    prepare(CMD_MEMORY, address, length);
    RepeatBudget budget(bound_, cancelled_);
    for (;;) {
        const ControlResult result = sendLocked(IOCTL_DEVICE_READ);
        if (result.error == 0 && result.count == length) {
            std::copy_n(reply_.begin(), length, destination.begin());
            return {Outcome::Done, 0};
        }
        if (!budget.allowsAnother()) {
            return {Outcome::GaveUp, LINK_GAVE_UP};
        }
    }
}

DeviceLink::Exchange DeviceLink::writeLocked(std::uint16_t address,
                                             std::span<const std::uint8_t> source) {
    const auto length = static_cast<std::uint16_t>(source.size());
    prepare(CMD_MEMORY, address, length);
    std::copy(source.begin(), source.end(), request_.begin() + DATA_OFFSET);
    RepeatBudget budget(bound_, cancelled_);
    for (;;) {
        const ControlResult result = sendLocked(IOCTL_DEVICE_WRITE);
        if (isEndingCode(result.error)) {
            return {Outcome::Ended, result.error};
        }
        if (result.error == 0 && result.count == length) {
            return {Outcome::Done, 0};
        }
        if (!budget.allowsAnother()) {
            return {Outcome::GaveUp, LINK_GAVE_UP};
        }
    }
}

std::uint32_t DeviceLink::readBytes(std::uint16_t address, std::span<std::uint8_t> destination) {
    if (destination.size() > MAX_READ_LENGTH) {
        return 2;
    }
    std::lock_guard lock(mutex_);
    return readLocked(address, destination).error;
}

std::uint32_t DeviceLink::writeBytes(std::uint16_t address, std::span<const std::uint8_t> source) {
    if (source.size() > MAX_WRITE_LENGTH) {
        return 2;
    }
    std::lock_guard lock(mutex_);
    return writeLocked(address, source).error;
}

std::uint32_t DeviceLink::RdEELong(KeyMapBytes& keyMap) {
    for (std::size_t block = 0; block < KEY_MAP_BLOCKS; ++block) {
        const std::span<std::uint8_t> destination(keyMap.data() + block * KEY_MAP_BLOCK_SIZE,
                                                  KEY_MAP_BLOCK_SIZE);
        std::lock_guard lock(mutex_);
        if (const Exchange read = readLocked(keyMapBlockAddress(block), destination);
            read.outcome != Outcome::Done) {
            return read.error;
        }
    }
    return 0;
}

std::uint32_t DeviceLink::WrEELong(const KeyMapBytes& keyMap) {
    for (std::size_t block = 0; block < KEY_MAP_BLOCKS; ++block) {
        const std::span<const std::uint8_t> source(keyMap.data() + block * KEY_MAP_BLOCK_SIZE,
                                                   KEY_MAP_BLOCK_SIZE);
        Exchange write{};
        {
            std::lock_guard lock(mutex_);
            write = writeLocked(keyMapBlockAddress(block), source);
        }
        // The blocks before this one stay written; the later ones are not sent.
        if (write.outcome != Outcome::Done) {
            showOk(messages_, writeKeyMapFailedMessage);
            return 1;
        }
    }
    return 0;
}

std::uint32_t DeviceLink::readButtonMap(ButtonMapBytes& destination) {
    Exchange read{};
    {
        std::lock_guard lock(mutex_);
        read = readLocked(BUTTON_MAP_ADDRESS, destination);
    }
    if (read.outcome != Outcome::Done) {
        showOk(messages_, commErrorMessage);
        return 1;
    }
    return 0;
}

std::uint32_t DeviceLink::writeButtonMap(const ButtonMapBytes& source) {
    Exchange write{};
    {
        std::lock_guard lock(mutex_);
        write = writeLocked(BUTTON_MAP_ADDRESS, source);
    }
    if (write.outcome != Outcome::Done) {
        showOk(messages_, commErrorMessage);
        return write.error;
    }
    ButtonMapBytes readBack{};
    Exchange read{};
    {
        std::lock_guard lock(mutex_);
        read = readLocked(BUTTON_MAP_ADDRESS, readBack);
    }
    if (read.outcome != Outcome::Done) {
        showOk(messages_, commErrorMessage);
        return read.error;
    }
    if (readBack != source) {
        showOk(messages_, commErrorMessage);
        return 2;
    }
    return 0;
}

bool DeviceLink::readReport(InputReport& report) {
    std::lock_guard lock(mutex_);
    return transport_ && !cancelled_ && transport_->readReport(report);
}

} // namespace vantrel
