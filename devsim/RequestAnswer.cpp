#include "devsim/RequestAnswer.h"

#include <algorithm>

namespace vantrel::devsim {

namespace {

ControlResult refuse(std::uint32_t code) {
    return {.succeeded = false, .count = 0, .error = code};
}

ControlResult done(std::uint32_t count) {
    return {.succeeded = true, .count = count, .error = 0};
}

bool fitsMemory(const DecodedRequest& request) {
    return request.length > 0 && std::size_t{request.address} + request.length <= MEMORY_SIZE;
}

} // namespace

ControlResult answerRequest(const DecodedRequest& request, std::uint8_t mode, MemoryImage& memory,
                            ReplyBlock& reply) {
    reply.fill(0);
    switch (request.kind) {
    case RequestKind::Query:
        reply[0] = mode;
        return done(1);
    case RequestKind::Read:
        if (request.length > MAX_READ_LENGTH || !fitsMemory(request)) {
            return refuse(REJECT_BAD_RANGE);
        }
        std::copy_n(memory.begin() + request.address, request.length, reply.begin());
        return done(request.length);
    case RequestKind::Write:
        if (request.length > MAX_WRITE_LENGTH || !fitsMemory(request)) {
            return refuse(REJECT_BAD_RANGE);
        }
        std::copy_n(request.data.begin(), request.length, memory.begin() + request.address);
        return done(request.length);
    case RequestKind::Unknown:
        break;
    }
    return refuse(REJECT_UNKNOWN_REQUEST);
}

} // namespace vantrel::devsim
