#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel::devsim {

enum class FaultKind {
    Error,            // the request fails with a chosen error code
    ShortCount,       // the request is not carried out and its count falls one short
    ReadBackMismatch, // a read of the button map's last byte returns it changed
    Vanish,           // the receiver is unplugged in the middle of the request
    Slow,             // the reply comes after a delay
};
constexpr std::size_t FAULT_KIND_COUNT = 5;

// Which requests a fault lies in wait for.
enum class RequestScope { All, Reads, Writes, Queries };

// A fault for the next `count` requests in its scope.
struct Fault {
    FaultKind kind = FaultKind::Error;
    int count = 1;
    RequestScope scope = RequestScope::All;
    std::uint32_t error = 0;            // Error only
    std::chrono::milliseconds delay{0}; // Slow only

    bool operator==(const Fault&) const = default;
};

// In the words the command line uses, e.g. "error 31 for the next 3 writes".
std::string describeFault(const Fault& fault);

} // namespace vantrel::devsim
