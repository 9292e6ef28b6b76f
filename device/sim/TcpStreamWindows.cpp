#include "device/sim/TcpStream.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <cstring>

namespace vantrel {

// The socket reports its progress on an event, so that a wait can also end on the cancel event
// or at the timeout: a blocking Winsock call could be ended from another thread only by closing
// a socket the first thread is still using.
struct TcpStream::Socket {
    SOCKET socket = INVALID_SOCKET;
    WSAEVENT progress = WSA_INVALID_EVENT;
    HANDLE cancelled = nullptr;
    std::optional<std::chrono::milliseconds> ioTimeout;

    ~Socket() {
        if (socket != INVALID_SOCKET) {
            ::closesocket(socket);
        }
        if (progress != WSA_INVALID_EVENT) {
            ::WSACloseEvent(progress);
        }
        if (cancelled != nullptr) {
            ::CloseHandle(cancelled);
        }
    }

    bool isCancelled() const { return ::WaitForSingleObject(cancelled, 0) == WAIT_OBJECT_0; }

    // Waits for the socket to move, the cancel or the timeout; whether the socket moved. Takes
    // the recorded events, so that the next wait waits for new ones.
    bool awaitProgress(std::optional<std::chrono::milliseconds> limit, WSANETWORKEVENTS& events) {
        const HANDLE waited[] = {cancelled, progress};
        const DWORD millis = limit ? static_cast<DWORD>(limit->count()) : INFINITE;
        if (::WaitForMultipleObjects(2, waited, FALSE, millis) != WAIT_OBJECT_0 + 1) {
            return false;
        }
        return ::WSAEnumNetworkEvents(socket, progress, &events) == 0;
    }

    bool await(std::optional<std::chrono::milliseconds> limit) {
        WSANETWORKEVENTS events{};
        return awaitProgress(limit, events);
    }
};

namespace {

// Winsock is started once for the whole process and left running until it ends.
bool winsockStarted() {
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

sockaddr_in socketAddressOf(const LoopbackAddress& address) {
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_port = ::htons(address.port);
    std::memcpy(&socketAddress.sin_addr, address.host.data(), address.host.size());
    return socketAddress;
}

bool wouldBlock() {
    return ::WSAGetLastError() == WSAEWOULDBLOCK;
}

} // namespace

TcpStream::TcpStream(std::unique_ptr<Socket> socket) : socket_(std::move(socket)) {
}

TcpStream::~TcpStream() = default;

std::unique_ptr<TcpStream> TcpStream::connect(const LoopbackAddress& address,
                                              std::chrono::milliseconds timeout,
                                              std::optional<std::chrono::milliseconds> ioTimeout) {
    if (!winsockStarted()) {
        return nullptr;
    }
    auto socket = std::make_unique<Socket>();
    socket->ioTimeout = ioTimeout;
    socket->socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    socket->progress = ::WSACreateEvent();
    socket->cancelled = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (socket->socket == INVALID_SOCKET || socket->progress == WSA_INVALID_EVENT ||
        socket->cancelled == nullptr) {
        return nullptr;
    }
    // Also makes the socket non-blocking.
    if (::WSAEventSelect(socket->socket, socket->progress,
                         FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        return nullptr;
    }
    // Each request goes out as one small frame whose reply is awaited: nothing to gather.
    const BOOL noDelay = TRUE;
    ::setsockopt(socket->socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                 sizeof(noDelay));
    const sockaddr_in target = socketAddressOf(address);
    if (::connect(socket->socket, reinterpret_cast<const sockaddr*>(&target), sizeof(target)) !=
        0) {
        if (!wouldBlock()) {
            return nullptr;
        }
        WSANETWORKEVENTS events{};
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        // Other events may be recorded first; the connection's own outcome is the one that counts.
        while ((events.lNetworkEvents & FD_CONNECT) == 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() < 0 || !socket->awaitProgress(left, events)) {
                return nullptr;
            }
        }
        if (events.iErrorCode[FD_CONNECT_BIT] != 0) {
            return nullptr;
        }
    }
    return std::unique_ptr<TcpStream>(new TcpStream(std::move(socket)));
}

bool TcpStream::sendAll(std::span<const std::uint8_t> bytes) {
    Socket& s = *socket_;
    while (!bytes.empty()) {
        if (s.isCancelled()) {
            return false;
        }
        const int sent = ::send(s.socket, reinterpret_cast<const char*>(bytes.data()),
                                static_cast<int>(bytes.size()), 0);
        if (sent > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(sent));
        } else if (sent == SOCKET_ERROR && wouldBlock()) {
            if (!s.await(s.ioTimeout)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

bool TcpStream::receiveAll(std::span<std::uint8_t> bytes) {
    Socket& s = *socket_;
    while (!bytes.empty()) {
        if (s.isCancelled()) {
            return false;
        }
        const int got = ::recv(s.socket, reinterpret_cast<char*>(bytes.data()),
                               static_cast<int>(bytes.size()), 0);
        if (got > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(got));
        } else if (got == SOCKET_ERROR && wouldBlock()) {
            if (!s.await(s.ioTimeout)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

void TcpStream::cancel() {
    ::SetEvent(socket_->cancelled);
}

} // namespace vantrel
