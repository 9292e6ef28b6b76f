#pragma once

#include "device/sim/LoopbackAddress.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace vantrel {

// One TCP connection to a simulated receiver on this machine, with one backend per platform
// (POSIX sockets, Winsock).
//
// A send and a receive may run on one thread while cancel() comes from another.
class TcpStream {
public:
    // Null when nothing accepts at the address within the timeout. With an I/O timeout, every
    // later send and receive gives up after that long without progress; without one, it waits
    // until the peer moves, hangs up or cancel() is called.
    static std::unique_ptr<TcpStream> connect(const LoopbackAddress& address,
                                              std::chrono::milliseconds timeout,
                                              std::optional<std::chrono::milliseconds> ioTimeout);
    ~TcpStream();
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    // Whole transfers; false when the peer has gone, has not moved within the I/O timeout, or the
    // stream was cancelled.
    bool sendAll(std::span<const std::uint8_t> bytes);
    bool receiveAll(std::span<std::uint8_t> bytes);

    // Ends a transfer under way at once and makes every later one fail at once. Safe from any
    // thread while the stream lives.
    void cancel();

private:
    struct Socket;

    explicit TcpStream(std::unique_ptr<Socket> socket);

    std::unique_ptr<Socket> socket_;
};

} // namespace vantrel
