#pragma once

#include "device/sim/BusCall.h"

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace vantrel::devsim {

// The failures a test has asked a bus to give, per call, in order; and how often each call was
// made. Shared between a bus and the device lists it hands out.
class BusFaultBook {
public:
    void failNext(BusCall call, std::uint32_t error, int times);

    // Counts the call and gives the code it must fail with, if any.
    std::optional<std::uint32_t> onCall(BusCall call);
    int calls(BusCall call) const;

private:
    static constexpr std::size_t callKinds = 6;
    static_assert(static_cast<std::size_t>(BusCall::Open) + 1 == callKinds);

    mutable std::mutex mutex_;
    std::array<std::deque<std::uint32_t>, callKinds> failures_;
    std::array<int, callKinds> calls_{};
};

} // namespace vantrel::devsim
