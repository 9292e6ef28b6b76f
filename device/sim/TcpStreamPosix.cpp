#include "device/sim/TcpStream.h"

#include "device/sim/UniqueFd.h"
#include "device/sim/UnixSocket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace vantrel {

struct TcpStream::Socket {
    UniqueFd fd;
    std::atomic<bool> cancelled{false};
};

namespace {

sockaddr_in socketAddressOf(const LoopbackAddress& address) {
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_port = htons(address.port);
    std::memcpy(&socketAddress.sin_addr, address.host.data(), address.host.size());
    return socketAddress;
}

// A connection started without blocking, then waited for: a listener whose daemon has stopped
// leaves the handshake waiting, and the caller's timeout must hold even then.
bool connectWithin(int fd, const sockaddr_in& address, std::chrono::milliseconds timeout) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
        return true;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        return false;
    }
    pollfd watched{fd, POLLOUT, 0};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ready =
            ::poll(&watched, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        int error = 0;
        socklen_t size = sizeof(error);
        return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
}

} // namespace

TcpStream::TcpStream(std::unique_ptr<Socket> socket) : socket_(std::move(socket)) {
}

TcpStream::~TcpStream() = default;

std::unique_ptr<TcpStream> TcpStream::connect(const LoopbackAddress& address,
                                              std::chrono::milliseconds timeout,
                                              std::optional<std::chrono::milliseconds> ioTimeout) {
    auto socket = std::make_unique<Socket>();
    socket->fd = UniqueFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const int fd = socket->fd.get();
    if (!socket->fd.valid() || !connectWithin(fd, socketAddressOf(address), timeout)) {
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    // Each request goes out as one small frame whose reply is awaited: nothing to gather.
    const int noDelay = 1;
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof(noDelay)) != 0 ||
        (ioTimeout && !setSocketTimeouts(fd, *ioTimeout))) {
        return nullptr;
    }
    return std::unique_ptr<TcpStream>(new TcpStream(std::move(socket)));
}

bool TcpStream::sendAll(std::span<const std::uint8_t> bytes) {
    return !socket_->cancelled && vantrel::sendAll(socket_->fd.get(), bytes);
}

bool TcpStream::receiveAll(std::span<std::uint8_t> bytes) {
    return !socket_->cancelled && vantrel::receiveAll(socket_->fd.get(), bytes);
}

void TcpStream::cancel() {
    // Wakes a transfer under way at once, and leaves every later one failing.
    socket_->cancelled = true;
    ::shutdown(socket_->fd.get(), SHUT_RDWR);
}

} // namespace vantrel
