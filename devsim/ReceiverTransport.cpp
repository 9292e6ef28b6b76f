#include "devsim/ReceiverTransport.h"

#include "devsim/Receiver.h"

namespace vantrel::devsim {

ReceiverTransport::ReceiverTransport(std::shared_ptr<Receiver> receiver, std::uint64_t plugPeriod)
    : receiver_(std::move(receiver)), plugPeriod_(plugPeriod) {
}

ReceiverTransport::~ReceiverTransport() {
    close();
}

ControlResult ReceiverTransport::control(std::uint32_t code, const RequestBlock& request,
                                         ReplyBlock& reply) {
    if (closed_) {
        return {.succeeded = false, .count = 0, .error = ERROR_INVALID_HANDLE};
    }
    return receiver_->control(plugPeriod_, code, request, reply);
}

bool ReceiverTransport::readReport(InputReport& report) {
    return !closed_ && receiver_->readReport(plugPeriod_, report);
}

void ReceiverTransport::close() {
    if (!closed_) {
        closed_ = true;
        receiver_->release(plugPeriod_);
    }
}

} // namespace vantrel::devsim
