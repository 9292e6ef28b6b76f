#include "device/sim/UnixSocket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {

bool addressOf(const std::filesystem::path& path, sockaddr_un& address) {
    const std::string& text = path.native();
    if (text.size() >= sizeof(address.sun_path)) {
        errno = ENAMETOOLONG;
        return false;
    }
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

} // namespace

bool setSocketTimeouts(int fd, std::chrono::milliseconds timeout) {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(timeout).count();
    const timeval limit{.tv_sec = static_cast<time_t>(micros / 1000000),
                        .tv_usec = static_cast<suseconds_t>(micros % 1000000)};
    return ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit)) == 0 &&
           ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit)) == 0;
}

UniqueFd connectUnixSocket(const std::filesystem::path& path,
                           std::optional<std::chrono::milliseconds> timeout) {
    sockaddr_un address{};
    if (!addressOf(path, address)) {
        return {};
    }
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.valid()) {
        return {};
    }
    // Set before connecting: a peer that has stopped leaves even the connection waiting.
    if (timeout && !setSocketTimeouts(fd.get(), *timeout)) {
        return {};
    }
    int result = 0;
    do {
        result = ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        return {};
    }
    return fd;
}

UniqueFd listenUnixSocket(const std::filesystem::path& path) {
    sockaddr_un address{};
    if (!addressOf(path, address)) {
        return {};
    }
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.valid()) {
        return {};
    }
    // The socket is born private: no moment exists in which another user could connect.
    const mode_t previous = ::umask(0177);
    const int bound =
        ::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    ::umask(previous);
    if (bound != 0 || ::chmod(path.c_str(), 0600) != 0 || ::listen(fd.get(), 16) != 0) {
        return {};
    }
    return fd;
}

bool sendAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(sent));
    }
    return true;
}

bool receiveAll(int fd, std::span<std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t got = ::recv(fd, bytes.data(), bytes.size(), 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
    return true;
}

} // namespace vantrel
