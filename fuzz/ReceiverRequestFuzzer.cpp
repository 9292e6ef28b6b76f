// The simulated receiver fed arbitrary control codes and request blocks, between plugs, unplugs,
// handles opened and closed, injected faults and mode changes. Every answer is held against what
// the request block says: memory changes only inside a write's range and only by a kept write,
// counts never exceed what was asked, well-formed requests succeed unless a fault waits, and
// every request that reaches the receiver leaves its one trace line.
#include "devsim/DecodedRequest.h"
#include "devsim/Receiver.h"
#include "devsim/RequestAnswer.h"
#include "devsim/TraceSink.h"
#include "fuzz/ByteReader.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <string>
#include <sys/prctl.h>
#include <vector>

namespace vantrel::fuzz {
namespace {

using devsim::DecodedRequest;
using devsim::Fault;
using devsim::FaultKind;
using devsim::MemoryImage;
using devsim::Receiver;
using devsim::RequestKind;

class TraceLines : public devsim::TraceSink {
public:
    void line(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

enum class Handle { Live, Closed, Gone };

bool faultWaits(const std::vector<Fault>& faults, FaultKind kind) {
    return std::any_of(faults.begin(), faults.end(),
                       [kind](const Fault& fault) { return fault.kind == kind; });
}

// The request's fields read straight from the block, as the protocol lays them out.
void checkDecoding(std::uint32_t code, const RequestBlock& block, const DecodedRequest& request) {
    require(request.code == code && request.command == (block[0] | block[1] << 8) &&
                request.address == (block[2] | block[3] << 8) &&
                request.length == (block[4] | block[5] << 8) &&
                std::equal(request.data.begin(), request.data.end(), block.begin() + 6),
            "the fields are the block's little-endian words and its 16 data bytes");
    RequestKind kind = RequestKind::Unknown;
    if (code == IOCTL_DEVICE_READ && request.command == CMD_QUERY_MODE) {
        kind = RequestKind::Query;
    } else if (code == IOCTL_DEVICE_READ && request.command == CMD_MEMORY) {
        kind = RequestKind::Read;
    } else if (code == IOCTL_DEVICE_WRITE && request.command == CMD_MEMORY) {
        kind = RequestKind::Write;
    }
    require(request.kind == kind, "code and command together name the request");
}

bool wellFormed(const DecodedRequest& request) {
    const std::size_t limit =
        request.kind == RequestKind::Write ? MAX_WRITE_LENGTH : MAX_READ_LENGTH;
    switch (request.kind) {
    case RequestKind::Query:
        return true;
    case RequestKind::Read:
    case RequestKind::Write:
        return request.length > 0 && request.length <= limit &&
               std::size_t{request.address} + request.length <= devsim::MEMORY_SIZE;
    case RequestKind::Unknown:
        break;
    }
    return false;
}

// What a request asks for at most.
std::uint32_t askedCount(const DecodedRequest& request) {
    return request.kind == RequestKind::Query ? 1 : request.length;
}

void checkSuccess(const DecodedRequest& request, const ControlResult& result,
                  const ReplyBlock& reply, const MemoryImage& before, const MemoryImage& after,
                  const std::vector<Fault>& faults) {
    const std::uint32_t asked = askedCount(request);
    require(result.count == asked ||
                (result.count + 1 == asked && faultWaits(faults, FaultKind::ShortCount)),
            "a success counts what was asked, or one less when a short count waits");
    const bool kept = result.count == asked;
    const std::size_t filled = request.kind == RequestKind::Write ? 0 : asked;
    require(std::all_of(reply.begin() + static_cast<long>(filled), reply.end(),
                        [](std::uint8_t byte) { return byte == 0; }),
            "the reply holds nothing past what was read");
    if (request.kind == RequestKind::Query) {
        require(after == before, "a mode query leaves the memory alone");
        return;
    }
    const auto first = static_cast<long>(request.address);
    const auto last = first + static_cast<long>(request.length);
    if (request.kind == RequestKind::Read) {
        require(after == before, "a read leaves the memory alone");
        std::size_t differing = 0;
        for (std::size_t i = 0; i < request.length; ++i) {
            differing += reply[i] != before[request.address + i] ? 1 : 0;
        }
        const std::size_t buttonMapEnd = BUTTON_MAP_ADDRESS + BUTTON_MAP_SIZE - 1;
        const bool mayFlip = faultWaits(faults, FaultKind::ReadBackMismatch) && kept &&
                             first <= static_cast<long>(buttonMapEnd) &&
                             last > static_cast<long>(buttonMapEnd);
        require(differing == 0 ||
                    (differing == 1 && mayFlip &&
                     reply[buttonMapEnd - request.address] == (before[buttonMapEnd] ^ 0xFF)),
                "a read returns the memory of its range");
        return;
    }
    MemoryImage written = before;
    std::copy_n(request.data.begin(), request.length, written.begin() + first);
    require(after == (kept ? written : before),
            "a kept write puts its data into its range and nowhere else; a short one nothing");
}

class Session {
public:
    explicit Session(ByteReader& input) : input_(input) {
        devsim::ReceiverSettings settings;
        settings.mode = input_.byte();
        settings.reportInterval = std::chrono::milliseconds(0);
        receiver_ = std::make_shared<Receiver>(settings);
        receiver_->traceTo(trace_);
        transport_ = receiver_->open();
    }

    void step() {
        switch (input_.below(12)) {
        case 0:
            unplug();
            return;
        case 1:
            receiver_->plug();
            return;
        case 2:
            reopen();
            return;
        case 3:
            close();
            return;
        case 4:
            inject();
            return;
        case 5:
            receiver_->setMode(input_.byte());
            return;
        case 6:
            readReport();
            return;
        default:
            request();
            return;
        }
    }

private:
    void unplug() {
        receiver_->unplug();
        if (handle_ == Handle::Live) {
            handle_ = Handle::Gone;
        }
    }

    void reopen() {
        transport_ = receiver_->open();
        require((transport_ != nullptr) == receiver_->isPlugged(),
                "a handle opens exactly while the receiver is plugged in");
        handle_ = Handle::Live;
    }

    void close() {
        if (transport_) {
            transport_->close();
            handle_ = Handle::Closed;
        }
    }

    void inject() {
        Fault fault;
        fault.kind =
            static_cast<FaultKind>(input_.below(static_cast<int>(devsim::FAULT_KIND_COUNT)));
        fault.count = input_.below(5) - 1;
        fault.scope = static_cast<devsim::RequestScope>(input_.below(4));
        fault.error = input_.le32();
        receiver_->inject(fault);
    }

    void readReport() {
        if (!transport_) {
            return;
        }
        InputReport report{};
        report.fill(0x5A);
        const devsim::ReceiverStatus status = receiver_->status();
        const bool read = transport_->readReport(report);
        require(read == (handle_ == Handle::Live && status.mode == MODE_REPORTS),
                "reports come only over a live handle in the reporting mode");
        if (read) {
            for (std::size_t i = 0; i < report.size(); ++i) {
                require(i == REPORT_QUALITY_OFFSET || report[i] == 0,
                        "a report carries nothing but the quality");
            }
        }
    }

    void request() {
        const std::uint32_t code = input_.le32();
        RequestBlock block{};
        input_.fill(block.begin(), block.begin() + DATA_OFFSET + DATA_SIZE);
        std::fill(block.begin() + DATA_OFFSET + DATA_SIZE, block.end(), input_.byte());
        const DecodedRequest decoded = devsim::decodeRequest(code, block);
        checkDecoding(code, block, decoded);
        if (!transport_) {
            return;
        }

        const MemoryImage before = receiver_->memory();
        const devsim::ReceiverStatus status = receiver_->status();
        const std::size_t traced = trace_->lines.size();
        ReplyBlock reply{};
        reply.fill(0xA5);
        const ControlResult result = transport_->control(code, block, reply);
        const MemoryImage after = receiver_->memory();

        require(result.count <= askedCount(decoded) && result.count <= BLOCK_SIZE,
                "no count exceeds what the request asked for");
        require(result.succeeded || result.count == 0, "a failure counts nothing");
        if (handle_ != Handle::Live) {
            const std::uint32_t expected =
                handle_ == Handle::Closed ? ERROR_INVALID_HANDLE : ERROR_DEV_NOT_EXIST;
            require(!result.succeeded && result.error == expected && after == before &&
                        trace_->lines.size() == traced,
                    "a closed or stale handle reaches nothing");
            return;
        }
        const devsim::RequestCounts counts = receiver_->status().counts;
        require(counts.queries + counts.reads + counts.writes ==
                    status.counts.queries + status.counts.reads + status.counts.writes +
                        (decoded.kind == RequestKind::Unknown ? 0 : 1),
                "every request of a known kind that reaches the receiver is counted once");
        require(trace_->lines.size() == traced + 1 &&
                    trace_->lines.back() == devsim::traceLine(decoded),
                "every request that reaches the receiver leaves its trace line");
        if (!receiver_->isPlugged()) {
            handle_ = Handle::Gone;
        }
        if (!result.succeeded) {
            require(after == before, "a failed request leaves the memory alone");
            require(!status.pendingFaults.empty() ||
                        result.error == (decoded.kind == RequestKind::Unknown
                                             ? devsim::REJECT_UNKNOWN_REQUEST
                                             : devsim::REJECT_BAD_RANGE),
                    "without a fault, only a malformed request is refused, by its reason");
            require(!status.pendingFaults.empty() || !wellFormed(decoded),
                    "without a fault, a well-formed request succeeds");
            return;
        }
        require(wellFormed(decoded), "a malformed request never succeeds");
        if (decoded.kind == RequestKind::Query) {
            require(reply[0] == status.mode, "the mode query answers the mode");
        }
        checkSuccess(decoded, result, reply, before, after, status.pendingFaults);
    }

    ByteReader& input_;
    std::shared_ptr<TraceLines> trace_ = std::make_shared<TraceLines>();
    std::shared_ptr<Receiver> receiver_;
    std::unique_ptr<DeviceTransport> transport_;
    Handle handle_ = Handle::Live;
};

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A report read and a slow reply wait out their time even when it is 0; the host's usual
    // timer slack would stretch each such wait to 50 microseconds.
    prctl(PR_SET_TIMERSLACK, 1UL);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantrel::fuzz::ByteReader input(data, size);
    vantrel::fuzz::Session session(input);
    while (!input.empty()) {
        session.step();
    }
    return 0;
}
