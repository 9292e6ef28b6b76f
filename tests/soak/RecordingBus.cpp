#include "tests/soak/RecordingBus.h"

namespace vantrel::soak {

namespace {

class RecordingTransport : public DeviceTransport {
public:
    RecordingTransport(std::unique_ptr<DeviceTransport> inner, RequestLog& log,
                       std::atomic<int>& closed)
        : inner_(std::move(inner)), log_(log), closed_(closed) {}
    ~RecordingTransport() override { close(); }
    RecordingTransport(const RecordingTransport&) = delete;
    RecordingTransport& operator=(const RecordingTransport&) = delete;

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override {
        const ControlResult result = inner_->control(code, request, reply);
        log_.record(code, request, reply, result);
        return result;
    }
    bool readReport(InputReport& report) override { return inner_->readReport(report); }
    void cancel() override { inner_->cancel(); }
    void close() override {
        if (!isClosed_) {
            isClosed_ = true;
            inner_->close();
            ++closed_;
        }
    }

private:
    std::unique_ptr<DeviceTransport> inner_;
    RequestLog& log_;
    std::atomic<int>& closed_;
    bool isClosed_ = false;
};

} // namespace

RecordingBus::RecordingBus(DeviceBus& bus, RequestLog& log) : bus_(bus), log_(log) {
}

std::unique_ptr<DeviceInfoList> RecordingBus::getClassDevs() {
    ++walks_;
    return bus_.getClassDevs();
}

std::uint32_t RecordingBus::detailFixedSize() const {
    return bus_.detailFixedSize();
}

std::uint32_t RecordingBus::lastError() const {
    return bus_.lastError();
}

void RecordingBus::setLastError(std::uint32_t code) {
    bus_.setLastError(code);
}

std::optional<std::string> RecordingBus::errorText(std::uint32_t code) {
    return bus_.errorText(code);
}

std::unique_ptr<DeviceTransport> RecordingBus::open(const std::u16string& path) {
    std::unique_ptr<DeviceTransport> transport = bus_.open(path);
    if (!transport) {
        return nullptr;
    }
    ++opened_;
    return std::make_unique<RecordingTransport>(std::move(transport), log_, closed_);
}

} // namespace vantrel::soak
