#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/HardwareId.h"
#include "device/sim/FrameRead.h"
#include "device/sim/TcpDeviceBus.h"
#include "device/sim/TcpNoticeWatcher.h"
#include "device/sim/TcpTransport.h"
#include "devsim/Receiver.h"
#include "devsim/ReceiverIdentity.h"
#include "tests/devsim/RequestBlocks.h"
#include "tests/support/RecordingMessages.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <list>
#include <mutex>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;

bool sendAll(SOCKET socket, const std::vector<std::uint8_t>& bytes) {
    return ::send(socket, reinterpret_cast<const char*>(bytes.data()),
                  static_cast<int>(bytes.size()), 0) == static_cast<int>(bytes.size());
}

ReceiveBytes fromSocket(SOCKET socket) {
    return [socket](std::span<std::uint8_t> bytes) {
        while (!bytes.empty()) {
            const int got = ::recv(socket, reinterpret_cast<char*>(bytes.data()),
                                   static_cast<int>(bytes.size()), 0);
            if (got <= 0) {
                return false;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(got));
        }
        return true;
    };
}

// A receiver served over a loopback listener inside this process, speaking the daemon's frames
// with blocking Winsock calls: the other side of the backend under test.
class WinsockReceiver {
public:
    WinsockReceiver() {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
        int size = sizeof(address);
        ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        ::listen(listener_, 8);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ::ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptAll(); });
    }

    ~WinsockReceiver() {
        receiver->unplug();
        ::closesocket(listener_);
        acceptor_.join();
        std::lock_guard lock(mutex_);
        for (const SOCKET socket : sockets_) {
            ::shutdown(socket, SD_BOTH);
            ::closesocket(socket);
        }
        for (auto& thread : threads_) {
            thread.join();
        }
        ::WSACleanup();
    }

    LoopbackAddress address() const { return {{127, 0, 0, 1}, port_}; }

    const std::shared_ptr<devsim::Receiver> receiver = std::make_shared<devsim::Receiver>();

private:
    void acceptAll() {
        for (;;) {
            const SOCKET connection = ::accept(listener_, nullptr, nullptr);
            if (connection == INVALID_SOCKET) {
                return;
            }
            std::lock_guard lock(mutex_);
            sockets_.push_back(connection);
            threads_.emplace_back([this, connection] { serve(connection); });
        }
    }

    void serve(SOCKET socket) {
        auto handle = receiver->open();
        if (!sendAll(socket,
                     encodeHello(handle ? OpenOutcome::Opened : OpenOutcome::DeviceAbsent))) {
            return;
        }
        while (const auto frame = readFrame(fromSocket(socket))) {
            if (frame->kind == FrameKind::Watch) {
                const auto ids = devsim::receiverHardwareIds();
                SimDeviceDescriptor device{devsim::interfacePathFor(ids, "vantrel"), "vantrel.data",
                                           ids};
                sendAll(socket, encodeDeviceState({receiver->isPlugged() ? std::optional(device)
                                                                         : std::nullopt}));
                continue;
            }
            if (!handle) {
                return;
            }
            if (frame->kind == FrameKind::ControlRequest) {
                const auto request = decodeControlRequest(frame->body);
                ReplyBlock reply{};
                const ControlResult result = handle->control(request->code, request->block, reply);
                sendAll(socket, encodeControlReply(result, reply));
            } else if (frame->kind == FrameKind::ReportRequest) {
                InputReport report{};
                const bool succeeded = handle->readReport(report);
                sendAll(socket, encodeReportReply(succeeded, report));
            }
        }
    }

    SOCKET listener_ = INVALID_SOCKET;
    std::uint16_t port_ = 0;
    std::thread acceptor_;
    std::mutex mutex_;
    std::list<SOCKET> sockets_;
    std::list<std::thread> threads_;
};

using test::queryBlock;

TEST(TcpWinsock, DiscoveryFindsTheReceiverAndItsRequestsRoundTrip) {
    WinsockReceiver served;
    TcpDeviceBus bus(served.address());
    test::RecordingMessages messages;
    DeviceDiscovery discovery(bus, messages);
    ASSERT_TRUE(discovery.findDevice(hardwareIdPattern));
    DeviceLink link(messages);
    link.attach(bus.open(discovery.devicePath()));
    ASSERT_TRUE(link.isOpen());
    std::int32_t reportMode = -1;
    EXPECT_EQ(link.queryMode(reportMode), 0u);
    EXPECT_EQ(reportMode, 1);
    InputReport report{};
    EXPECT_TRUE(link.readReport(report));

    served.receiver->unplug();
    EXPECT_FALSE(discovery.findDevice(hardwareIdPattern));
    EXPECT_EQ(link.queryMode(reportMode), ERROR_DEV_NOT_EXIST);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(TcpWinsock, NoListenerMeansNoDevice) {
    LoopbackAddress nowhere;
    {
        WinsockReceiver gone;
        nowhere = gone.address();
    }
    TcpDeviceBus bus(nowhere);
    auto list = bus.getClassDevs();
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->enumDeviceInfo(0));
    EXPECT_FALSE(TcpTransport::connect(nowhere));
}

TEST(TcpWinsock, AReplyThatDoesNotComeGivesUpWithinTheBound) {
    WinsockReceiver served;
    auto handle = TcpTransport::connect(served.address(), 300ms);
    ASSERT_TRUE(handle);
    served.receiver->inject({.kind = devsim::FaultKind::Slow, .delay = 60s});
    ReplyBlock reply{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    InputReport report{};
    EXPECT_FALSE(handle->readReport(report)) << "dead for good";
    handle->close();
}

TEST(TcpWinsock, ACancelEndsTheCallUnderWayAtOnce) {
    WinsockReceiver served;
    auto handle = TcpTransport::connect(served.address(), 10min);
    ASSERT_TRUE(handle);
    served.receiver->inject({.kind = devsim::FaultKind::Slow, .delay = 60s});
    std::atomic<bool> ended{false};
    std::thread waiting([&] {
        ReplyBlock reply{};
        EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error,
                  ERROR_DEV_NOT_EXIST);
        ended = true;
    });
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(ended);
    handle->cancel();
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(ended) << "the cancel did not end the call";
    served.receiver->clearFaults();
    served.receiver->unplug();
    waiting.join();
    handle->close();
}

} // namespace
} // namespace vantrel
