#pragma once

#include "device/DeviceTransport.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace vantrel::test {

// One scripted answer to a control request. With no count, the count equals the request's length.
struct ScriptedReply {
    bool succeeded = true;
    std::uint32_t error = 0;
    std::optional<std::uint32_t> count;
    std::vector<std::uint8_t> bytes; // copied to the start of the reply block
};

ScriptedReply failure(std::uint32_t error);
ScriptedReply shortCount(std::uint32_t count);
ScriptedReply replyWith(std::vector<std::uint8_t> bytes);

struct SentRequest {
    std::uint32_t code;
    RequestBlock block;

    std::uint16_t command() const;
    std::uint16_t address() const;
    std::uint16_t length() const;
};

// A device that answers from a script and records every request block it is sent, so that
// tests check the bytes on the wire. Once the script has run out it answers with the fallback.
class ScriptedDevice : public std::enable_shared_from_this<ScriptedDevice> {
public:
    std::unique_ptr<DeviceTransport> open();

    void script(ScriptedReply reply, int times = 1);
    void setFallback(ScriptedReply reply);
    void queueReport(const InputReport& report);
    void failReports();
    // From now on every request and report read waits until the handle is cancelled, then fails
    // as on a device that has gone: a receiver that has stopped answering.
    void wedge();

    std::vector<SentRequest> sent() const;
    int reportReads() const;
    bool closed() const;
    bool cancelled() const;

    ControlResult control(std::uint32_t code, const RequestBlock& request, ReplyBlock& reply);
    bool readReport(InputReport& report);
    void cancel();
    void close();

private:
    bool waitWhileWedged(std::unique_lock<std::mutex>& lock);

    mutable std::mutex mutex_;
    std::deque<ScriptedReply> script_;
    ScriptedReply fallback_;
    std::vector<SentRequest> sent_;
    std::deque<InputReport> reports_;
    bool reportsFail_ = false;
    int reportReads_ = 0;
    bool closed_ = false;
    bool wedged_ = false;
    bool cancelled_ = false;
    std::condition_variable cancelledChanged_;
};

} // namespace vantrel::test
