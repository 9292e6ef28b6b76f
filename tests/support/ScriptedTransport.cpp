#include "tests/support/ScriptedTransport.h"

#include <algorithm>

namespace vantrel::test {

ScriptedReply failure(std::uint32_t error) {
    return {.succeeded = false, .error = error, .count = 0, .bytes = {}};
}

ScriptedReply shortCount(std::uint32_t count) {
    return {.succeeded = true, .error = 0, .count = count, .bytes = {}};
}

ScriptedReply replyWith(std::vector<std::uint8_t> bytes) {
    return {.succeeded = true, .error = 0, .count = std::nullopt, .bytes = std::move(bytes)};
}

std::uint16_t SentRequest::command() const {
    return readLe16(&block[COMMAND_OFFSET]);
}
std::uint16_t SentRequest::address() const {
    return readLe16(&block[ADDRESS_OFFSET]);
}
std::uint16_t SentRequest::length() const {
    return readLe16(&block[LENGTH_OFFSET]);
}

namespace {

class ScriptedTransport : public DeviceTransport {
public:
    explicit ScriptedTransport(std::shared_ptr<ScriptedDevice> device)
        : device_(std::move(device)) {}

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override {
        return device_->control(code, request, reply);
    }
    bool readReport(InputReport& report) override { return device_->readReport(report); }
    void cancel() override { device_->cancel(); }
    void close() override { device_->close(); }

private:
    std::shared_ptr<ScriptedDevice> device_;
};

} // namespace

std::unique_ptr<DeviceTransport> ScriptedDevice::open() {
    return std::make_unique<ScriptedTransport>(shared_from_this());
}

void ScriptedDevice::script(ScriptedReply reply, int times) {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < times; ++i) {
        script_.push_back(reply);
    }
}

void ScriptedDevice::setFallback(ScriptedReply reply) {
    std::lock_guard lock(mutex_);
    fallback_ = std::move(reply);
}

void ScriptedDevice::queueReport(const InputReport& report) {
    std::lock_guard lock(mutex_);
    reports_.push_back(report);
}

void ScriptedDevice::failReports() {
    std::lock_guard lock(mutex_);
    reportsFail_ = true;
}

std::vector<SentRequest> ScriptedDevice::sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

int ScriptedDevice::reportReads() const {
    std::lock_guard lock(mutex_);
    return reportReads_;
}

bool ScriptedDevice::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

void ScriptedDevice::wedge() {
    std::lock_guard lock(mutex_);
    wedged_ = true;
}

bool ScriptedDevice::cancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool ScriptedDevice::waitWhileWedged(std::unique_lock<std::mutex>& lock) {
    cancelledChanged_.wait(lock, [this] { return !wedged_ || cancelled_; });
    return !cancelled_;
}

ControlResult ScriptedDevice::control(std::uint32_t code, const RequestBlock& request,
                                      ReplyBlock& reply) {
    std::unique_lock lock(mutex_);
    sent_.push_back({code, request});
    if (!waitWhileWedged(lock)) {
        return {.succeeded = false, .count = 0, .error = ERROR_DEV_NOT_EXIST};
    }
    ScriptedReply answer = fallback_;
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
    }
    reply.fill(0);
    std::copy_n(answer.bytes.begin(), std::min(answer.bytes.size(), reply.size()), reply.begin());
    const std::uint32_t count = answer.count.value_or(readLe16(&request[LENGTH_OFFSET]));
    return {answer.succeeded, count, answer.error};
}

bool ScriptedDevice::readReport(InputReport& report) {
    std::unique_lock lock(mutex_);
    ++reportReads_;
    if (!waitWhileWedged(lock) || reportsFail_) {
        return false;
    }
    if (reports_.empty()) {
        report.fill(0);
        return true;
    }
    report = reports_.front();
    if (reports_.size() > 1) {
        reports_.pop_front();
    }
    return true;
}

void ScriptedDevice::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    cancelledChanged_.notify_all();
}

void ScriptedDevice::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
}

} // namespace vantrel::test
