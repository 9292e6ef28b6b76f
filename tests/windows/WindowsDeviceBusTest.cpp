// The SetupAPI backend against the host's real device manager and file system.
#include "device/windows/WindowsDeviceBus.h"

#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/HardwareId.h"
#include "device/windows/HandleTransport.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <numeric>
#include <random>

namespace vantrel {
namespace {

using test::RecordingMessages;

// An interface path of the usual form for a receiver that is not plugged in.
const std::u16string absentReceiver =
    u"\\\\?\\usb#vid_7b4d&pid_0018#5&2c3f0e1&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

TEST(WindowsDeviceBus, WalkWithoutAReceiverFindsNothingAndShowsNothing) {
    RecordingMessages messages;
    WindowsDeviceBus bus;
    DeviceDiscovery discovery(bus, messages);

    EXPECT_FALSE(discovery.findDevice(hardwareIdPattern));
    EXPECT_TRUE(discovery.devicePath().empty());

    DeviceLink link(messages);
    std::atomic<std::int32_t> samplingEnabled{0};
    discovery.openDevice(link, samplingEnabled);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(samplingEnabled, 0);
    EXPECT_TRUE(messages.texts().empty());
}

TEST(WindowsDeviceBus, OpeningAnAbsentPathGivesNoTransport) {
    WindowsDeviceBus bus;
    for (const std::u16string& path : {absentReceiver, std::u16string()}) {
        EXPECT_EQ(bus.open(path), nullptr);
        EXPECT_NE(bus.lastError(), 0U);
    }
}

TEST(WindowsDeviceBus, HostFacts) {
    WindowsDeviceBus bus;
    EXPECT_EQ(bus.detailFixedSize(), sizeof(void*) == 8 ? 8U : 6U);

    bus.setLastError(ERROR_DEV_NOT_EXIST);
    EXPECT_EQ(bus.lastError(), ERROR_DEV_NOT_EXIST);

    const auto known = bus.errorText(ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(known);
    EXPECT_FALSE(known->empty());
    EXPECT_EQ(bus.errorText(0x2000FFFF), std::nullopt);
}

TEST(WindowsDeviceBus, ErrorTextsKeepTheirInsertsAsTheyStand) {
    constexpr std::uint32_t badExeFormat = 193; // "%1 is not a valid Win32 application."
    WindowsDeviceBus bus;
    const auto text = bus.errorText(badExeFormat);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("%1"), std::string::npos) << *text;
}

// An ordinary file stands in for the driver: the handle's reads, shares and closing are the
// host's own, while control requests are refused as by a file.
class HandleTransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("vantrel-transport-" + std::to_string(std::random_device{}()));
        std::ofstream file(path_, std::ios::binary);
        file.write(reinterpret_cast<const char*>(report_.data()), report_.size());
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::u16string path() const {
        const std::wstring native = path_.native();
        return {native.begin(), native.end()};
    }

    std::filesystem::path path_;
    InputReport report_ = [] {
        InputReport bytes{};
        std::iota(bytes.begin(), bytes.end(), std::uint8_t{0x41});
        return bytes;
    }();
    WindowsDeviceBus bus_;
};

TEST_F(HandleTransportTest, ReadsReportsSharesOnlyReadingAndCloses) {
    auto transport = bus_.open(path());
    ASSERT_NE(transport, nullptr);

    InputReport report{};
    EXPECT_TRUE(transport->readReport(report));
    EXPECT_EQ(report, report_);

    RequestBlock request{};
    ReplyBlock reply{};
    const ControlResult result = transport->control(IOCTL_DEVICE_READ, request, reply);
    EXPECT_FALSE(result.succeeded);
    EXPECT_NE(result.error, 0U);

    // Opened for writing while this handle shares reading only: refused until it is closed.
    EXPECT_EQ(bus_.open(path()), nullptr);
    transport->close();
    EXPECT_NE(bus_.open(path()), nullptr);
}

// A pipe stands in for a driver that takes a request and does not answer until its other end
// writes: the transport's own waiting, withdrawing and cancelling are what is tested.
class SilentDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring name =
            L"\\\\.\\pipe\\vantrel-silent-" + std::to_wstring(std::random_device{}());
        server_ = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE, 1, 512, 512, 0, nullptr);
        ASSERT_NE(server_, INVALID_HANDLE_VALUE);
        client_ = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        ASSERT_NE(client_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override { CloseHandle(server_); }

    // What the other end writes reaches a read under way.
    void answer(const InputReport& report) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD written = 0;
        if (!WriteFile(server_, report.data(), REPORT_SIZE, nullptr, &overlapped)) {
            ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
        }
        ASSERT_TRUE(GetOverlappedResult(server_, &overlapped, &written, TRUE));
        CloseHandle(overlapped.hEvent);
    }

    HANDLE server_ = INVALID_HANDLE_VALUE;
    HANDLE client_ = INVALID_HANDLE_VALUE;
};

TEST_F(SilentDriverTest, AnAnswerWithinTheTimeIsTaken) {
    HandleTransport transport(client_, std::chrono::seconds(10));
    InputReport sent{};
    std::iota(sent.begin(), sent.end(), std::uint8_t{1});
    auto read = std::async(std::launch::async, [&] {
        InputReport report{};
        return std::pair(transport.readReport(report), report);
    });
    answer(sent);
    const auto [succeeded, report] = read.get();
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(report, sent);
}

TEST_F(SilentDriverTest, NoAnswerWithinTheTimeCountsAsTheDeviceGone) {
    HandleTransport transport(client_, std::chrono::milliseconds(100));
    InputReport report{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(transport.readReport(report));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // The handle is of no further use, even once the driver would answer.
    answer(report);
    EXPECT_FALSE(transport.readReport(report));
    RequestBlock request{};
    ReplyBlock reply{};
    EXPECT_EQ(transport.control(IOCTL_DEVICE_READ, request, reply).error, ERROR_DEV_NOT_EXIST);
}

TEST_F(SilentDriverTest, ACancelEndsTheCallUnderWayAndEveryLaterOne) {
    HandleTransport transport(client_, std::chrono::minutes(10));
    auto read = std::async(std::launch::async, [&] {
        InputReport report{};
        return transport.readReport(report);
    });
    EXPECT_EQ(read.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    transport.cancel();
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready)
        << "the cancel did not end the read";
    EXPECT_FALSE(read.get());

    RequestBlock request{};
    ReplyBlock reply{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(transport.control(IOCTL_DEVICE_READ, request, reply).succeeded);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
} // namespace vantrel
