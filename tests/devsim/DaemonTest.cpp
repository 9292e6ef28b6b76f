#include "device/sim/SimTransport.h"
#include "devsim/StateImage.h"
#include "tests/devsim/DevsimProcess.h"
#include "tests/devsim/RequestBlocks.h"
#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

namespace vantrel {
namespace {

using test::memoryBlock;
using test::queryBlock;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

mode_t modeOf(const std::filesystem::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

class DaemonTest : public ::testing::Test {
protected:
    test::TempFolder runtime;
    test::TempFolder files;
    test::Devsim devsim{runtime.path()};

    std::unique_ptr<SimTransport> openReceiver(const std::string& name = "vantrel") {
        return SimTransport::connect(runtime.path() / (name + ".data"));
    }

    // The command's standard output; the test fails when it did not succeed.
    std::string ok(const std::vector<std::string>& args) {
        const auto result = devsim.run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
};

TEST_F(DaemonTest, EveryCommandHasHelp) {
    for (const char* command :
         {"serve", "plug", "unplug", "quality", "mode", "fail", "status", "dump"}) {
        const auto result = devsim.run({command, "--help"});
        EXPECT_EQ(result.exitCode, 0) << command;
        EXPECT_TRUE(contains(result.out, std::string("usage: vantrel-devsim ") + command));
    }
    EXPECT_EQ(devsim.run({}).exitCode, 2);
    EXPECT_EQ(devsim.run({"--help"}).exitCode, 0);
}

TEST_F(DaemonTest, CommandsWithoutDaemonSaySoClearly) {
    const auto result = devsim.run({"status"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(contains(result.err, "no receiver named 'vantrel' is serving"));
    EXPECT_TRUE(contains(result.err, "vantrel-devsim serve"));
}

TEST_F(DaemonTest, BadCommandLinesAreRefusedBeforeAnyDaemonIsAsked) {
    const auto result = devsim.run({"fail", "error", "31", "--only", "sometimes"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(contains(result.err, "--only takes"));
    EXPECT_EQ(devsim.run({"serve", "--mode", "cc"}).exitCode, 2);
    EXPECT_EQ(devsim.run({"serve", "--no-hardware-ids", "--hardware-id", "X"}).exitCode, 2);
}

TEST_F(DaemonTest, SocketsDescriptorAndFolderArePrivate) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    EXPECT_EQ(modeOf(runtime.path()), 0700u);
    EXPECT_EQ(modeOf(runtime.path() / "vantrel.control"), 0600u);
    EXPECT_EQ(modeOf(runtime.path() / "vantrel.data"), 0600u);
    EXPECT_EQ(modeOf(runtime.path() / "vantrel.device"), 0600u);
}

TEST_F(DaemonTest, RefusesAFolderOpenToOthers) {
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::group_read |
                                                     std::filesystem::perms::owner_all);
    const auto result = devsim.run({"serve"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(contains(result.err, "open to other users"));
}

TEST_F(DaemonTest, CommandLineRoundTrip) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    EXPECT_TRUE(contains(ok({"status"}), "plugged     yes"));

    EXPECT_EQ(ok({"unplug"}), "unplugged\n");
    EXPECT_FALSE(std::filesystem::exists(runtime.path() / "vantrel.device"));
    EXPECT_TRUE(contains(ok({"status"}), "plugged     no"));
    EXPECT_EQ(ok({"unplug"}), "was already unplugged\n");
    EXPECT_EQ(ok({"plug"}), "plugged in\n");
    EXPECT_TRUE(std::filesystem::exists(runtime.path() / "vantrel.device"));

    EXPECT_EQ(ok({"quality", "77"}), "quality 77\n");
    EXPECT_EQ(ok({"mode", "bb"}), "mode bb\n");
    EXPECT_EQ(ok({"fail", "error", "31", "--count", "3", "--only", "writes"}),
              "pending: error 31 for the next 3 writes\n");
    EXPECT_EQ(ok({"fail", "slow", "200ms", "--count", "5"}),
              "pending: 200 ms delay for the next 5 requests\n");
    const std::string status = ok({"status"});
    EXPECT_TRUE(contains(status, "quality     77\n"));
    EXPECT_TRUE(contains(status, "mode        bb\n"));
    EXPECT_TRUE(contains(status, "error 31 for the next 3 writes; 200 ms delay"));
    EXPECT_EQ(ok({"fail", "clear"}), "no faults pending\n");
    EXPECT_TRUE(contains(ok({"status"}), "faults      none\n"));

    const std::string dump = ok({"dump"});
    EXPECT_TRUE(contains(
        dump, "key map (52..115)\n   52: 33 32 a0 20 41 46 54 45 41 44 57 53 52 52 34 31\n"));
    EXPECT_TRUE(contains(dump, "sensitivity (116): 03\n"));
    EXPECT_TRUE(contains(dump, "firing speed (117): 14\n"));
    EXPECT_TRUE(
        contains(dump, "button map (118..131): 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d\n"));

    EXPECT_EQ(served.stop(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(runtime.path() / "vantrel.device"));
    EXPECT_FALSE(std::filesystem::exists(runtime.path() / "vantrel.control"));
}

TEST_F(DaemonTest, FaultsSetFromTheCommandLineReachRequests) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = openReceiver();
    ASSERT_TRUE(handle);
    ok({"fail", "error", "31", "--only", "queries"});
    ReplyBlock reply{};
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, 31u);
    EXPECT_TRUE(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).succeeded);

    ok({"fail", "vanish"});
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);
    EXPECT_TRUE(test::eventually(
        [&] { return !std::filesystem::exists(runtime.path() / "vantrel.device"); }));
    EXPECT_FALSE(openReceiver()) << "an unplugged receiver cannot be opened";
    ok({"plug"});
    InputReport report{};
    EXPECT_FALSE(handle->readReport(report)) << "the old handle stays dead";
    EXPECT_TRUE(openReceiver());
}

TEST_F(DaemonTest, StopsCleanlyInTheMiddleOfASlowReply) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = openReceiver();
    ok({"fail", "slow", "60s"});
    std::atomic<std::uint32_t> error{0};
    std::thread waiting([&] {
        ReplyBlock reply{};
        error = handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error;
    });
    ASSERT_TRUE(test::eventually([&] { return contains(ok({"status"}), "faults      none"); }));
    EXPECT_EQ(served.stop(SIGTERM), 0) << "the daemon ended within 5 s";
    waiting.join();
    EXPECT_EQ(error, ERROR_DEV_NOT_EXIST);
}

TEST_F(DaemonTest, AReplyThatDoesNotComeInTimeCountsAsTheDeviceGone) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    auto handle =
        SimTransport::connect(runtime.path() / "vantrel.data", std::chrono::milliseconds(200));
    ASSERT_TRUE(handle);
    ok({"fail", "slow", "60s"});
    ReplyBlock reply{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    InputReport report{};
    EXPECT_FALSE(handle->readReport(report)) << "a late reply would be out of step: dead for good";
}

TEST_F(DaemonTest, ACancelEndsTheRequestUnderWayAndEveryLaterOne) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = SimTransport::connect(runtime.path() / "vantrel.data", std::chrono::minutes(10));
    ASSERT_TRUE(handle);
    ok({"fail", "slow", "60s"});
    std::atomic<bool> ended{false};
    std::atomic<std::uint32_t> error{0};
    std::thread waiting([&] {
        ReplyBlock reply{};
        error = handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error;
        ended = true;
    });
    ASSERT_TRUE(test::eventually([&] { return contains(ok({"status"}), "faults      none"); }));
    handle->cancel();
    const bool inTime = test::eventually([&] { return ended.load(); });
    if (!inTime) {
        served.stop(SIGTERM); // so that the test ends at all
    }
    waiting.join();
    EXPECT_TRUE(inTime);
    EXPECT_EQ(error, ERROR_DEV_NOT_EXIST);
    ReplyBlock reply{};
    EXPECT_FALSE(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).succeeded);
}

// Two handles busy while a third party plugs, unplugs and injects faults: every answer is one the
// receiver can give, and the daemon still stops cleanly.
TEST_F(DaemonTest, ServesTwoHandlesWhileSteered) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    std::atomic<bool> running{true};
    std::atomic<int> unexpected{0};
    auto work = [&](std::uint16_t address) {
        while (running) {
            auto handle = openReceiver();
            ReplyBlock reply{};
            InputReport report{};
            while (handle && running) {
                const auto result =
                    handle->control(IOCTL_DEVICE_WRITE, memoryBlock(address, 1, {7}), reply);
                if (!result.succeeded && result.error != ERROR_DEV_NOT_EXIST &&
                    result.error != ERROR_GEN_FAILURE) {
                    ++unexpected;
                }
                if (!result.succeeded && result.error == ERROR_DEV_NOT_EXIST) {
                    break;
                }
                handle->readReport(report);
            }
        }
    };
    std::thread first(work, 52);
    std::thread second(work, 53);
    for (int round = 0; round < 5; ++round) {
        ok({"fail", "error", "31", "--count", "2"});
        ok({"unplug"});
        ok({"plug"});
        ok({"fail", "vanish", "--only", "writes"});
        ok({"plug"});
    }
    running = false;
    first.join();
    second.join();
    EXPECT_EQ(unexpected, 0);
    EXPECT_EQ(served.stop(SIGTERM), 0);
}

TEST_F(DaemonTest, TraceFileHasOneLinePerRequest) {
    const auto trace = files.path() / "trace";
    auto served = devsim.serve({"--trace", trace.string(), "--trace-reports"});
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = openReceiver();
    ReplyBlock reply{};
    InputReport report{};
    handle->control(IOCTL_DEVICE_READ, queryBlock(), reply);
    handle->control(IOCTL_DEVICE_WRITE, memoryBlock(117, 1, {0x14}), reply);
    handle->readReport(report);
    handle->control(IOCTL_DEVICE_READ, memoryBlock(52, 16), reply);
    EXPECT_EQ(contentOf(trace), "query\nwrite 117 1 14\nreport\nread 52 16\n");
}

TEST_F(DaemonTest, ServeOptionSetsTheMode) {
    auto served = devsim.serve({"--mode", "bb"});
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = openReceiver();
    ReplyBlock reply{};
    ASSERT_TRUE(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).succeeded);
    EXPECT_EQ(reply[0], MODE_NO_REPORTS);
}

TEST_F(DaemonTest, SecondDaemonOfTheSameNameIsRefused) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    const auto second = devsim.run({"serve"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(contains(second.err, "already serving"));
}

TEST_F(DaemonTest, MemorySurvivesRestart) {
    const auto state = files.path() / "memory";
    {
        auto served = devsim.serve({"--state", state.string()});
        ASSERT_TRUE(served.waitUntilServing());
        ReplyBlock reply{};
        ASSERT_TRUE(openReceiver()
                        ->control(IOCTL_DEVICE_WRITE, memoryBlock(116, 2, {1, 9}), reply)
                        .succeeded);
    }
    auto served = devsim.serve({"--state", state.string()});
    ASSERT_TRUE(served.waitUntilServing());
    EXPECT_TRUE(contains(ok({"dump"}), "sensitivity (116): 01\nfiring speed (117): 09\n"));
}

TEST_F(DaemonTest, CorruptStateFileIsReportedAndKept) {
    const auto state = files.path() / "memory";
    std::ofstream(state) << "scribbled over";
    const auto result = devsim.run({"serve", "--state", state.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(contains(result.err, "is not usable"));
    EXPECT_TRUE(contains(result.err, "move it away"));
    EXPECT_EQ(contentOf(state), "scribbled over");
}

// The last write the receiver answered is on disk whatever moment the daemon dies at.
TEST_F(DaemonTest, StateFileStaysWholeWhenKilledInTheMiddleOfWrites) {
    const auto state = files.path() / "memory";
    auto served = devsim.serve({"--state", state.string()});
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = openReceiver();
    ASSERT_TRUE(handle);

    std::atomic<int> acknowledged{0};
    std::thread writer([&] {
        ReplyBlock reply{};
        for (int value = 1; value < 100000; ++value) {
            const auto low = static_cast<std::uint8_t>(value & 0xFF);
            const auto high = static_cast<std::uint8_t>(value >> 8);
            std::vector<std::uint8_t> block(16, low);
            block[0] = high;
            if (!handle->control(IOCTL_DEVICE_WRITE, memoryBlock(52, 16, block), reply).succeeded) {
                return;
            }
            acknowledged = value;
        }
    });
    ASSERT_TRUE(test::eventually([&] { return acknowledged >= 20; }, std::chrono::seconds(10)));
    EXPECT_EQ(served.stop(SIGKILL), 128 + SIGKILL);
    writer.join();

    std::ifstream in(state, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const auto decoded = devsim::decodeStateImage(bytes);
    ASSERT_TRUE(std::holds_alternative<devsim::MemoryImage>(decoded))
        << std::get<std::string>(decoded);
    const auto& memory = std::get<devsim::MemoryImage>(decoded);
    const int kept = (memory[52] << 8) | memory[53];
    EXPECT_TRUE(kept == acknowledged || kept == acknowledged + 1)
        << "kept " << kept << ", acknowledged " << acknowledged;

    auto restarted = devsim.serve({"--state", state.string()});
    ASSERT_TRUE(restarted.waitUntilServing()) << "the daemon starts again on the kept file";
}

} // namespace
} // namespace vantrel
