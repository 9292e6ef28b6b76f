#include "ctl/CtlCommand.h"
#include "ctl/CtlFailure.h"
#include "tests/devsim/DevsimProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TempRuntimeFolder.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vantrel::ctl {
namespace {

using test::Devsim;
using test::ServedReceiver;
using test::TempFolder;

struct Outcome {
    int status;
    std::string out;
    std::string error;
};

// vantrelctl's commands against a simulated receiver's daemon, with its trace of every request.
class CtlDaemonTest : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("VANTREL_DEVICE");
        setenv("VANTREL_DEVSIM_DIR", devsim.folder().c_str(), 1);
        receiver.emplace(devsim.serve({"--trace", trace.string()}));
        ASSERT_TRUE(receiver->waitUntilServing());
    }

    Outcome run(std::vector<std::string> words) {
        std::ostringstream out;
        try {
            const int status = runCommand(parseCommandLine(words), out);
            return {status, out.str(), {}};
        } catch (const CtlFailure& failed) {
            return {failed.status, out.str(), failed.message};
        }
    }

    // The requests since the last call.
    std::vector<std::string> takeTrace() {
        std::ifstream file(trace);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        std::vector<std::string> fresh(lines.begin() + static_cast<std::ptrdiff_t>(seen_),
                                       lines.end());
        seen_ = lines.size();
        return fresh;
    }

    static std::vector<std::string> writesOf(const std::vector<std::string>& lines) {
        std::vector<std::string> writes;
        for (const std::string& line : lines) {
            if (line.starts_with("write")) {
                writes.push_back(line);
            }
        }
        return writes;
    }

    TempFolder folder;
    test::TempRuntimeFolder runtime;
    Devsim devsim{folder.path()};
    std::filesystem::path trace = folder / "trace";
    std::optional<ServedReceiver> receiver;

private:
    std::size_t seen_ = 0;
};

const std::vector<std::string> keyMapReads = {"read 52 16", "read 68 16", "read 84 16",
                                              "read 100 16"};

TEST_F(CtlDaemonTest, KeysSetWritesWhatSaveWritesAndOnlyWhenSomethingChanged) {
    const Outcome set = run({"keys", "set", "LB", "A", "Ctrl(left)"});
    ASSERT_EQ(set.status, EXIT_DONE) << set.error;
    EXPECT_EQ(set.out, "The new PC settings have been saved in your Vantrel sucessfully!\n");
    const std::vector<std::string> lines = takeTrace();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), keyMapReads);
    // The page's SAVE: the four blocks, with LB's key A at 55 and its held Ctrl(left) at 87.
    EXPECT_EQ(writesOf(lines),
              (std::vector<std::string>{"write 52 16 3332a041414654454144575352523431",
                                        "write 68 16 484b4f4342414e5252475a434c585146",
                                        "write 84 16 000000a2000000000000000000000000",
                                        "write 100 16 00000000000000000000000000000000"}));

    const Outcome again = run({"keys", "set", "lb", "a", "ctrl(left)"});
    EXPECT_EQ(again.status, EXIT_DONE);
    EXPECT_EQ(again.out, "No Change has been made!\n");
    EXPECT_EQ(takeTrace(), keyMapReads);

    const Outcome shown = run({"keys"});
    EXPECT_NE(shown.out.find("LB                    Ctrl(left) + A\n"), std::string::npos)
        << shown.out;
}

TEST_F(CtlDaemonTest, X360ChangesAreSavedAsTheXBoxPageSavesThem) {
    const std::vector<std::string> load = {"read 118 14", "read 116 1", "read 117 1"};
    ASSERT_EQ(run({"x360", "speed", "10"}).status, EXIT_DONE);
    std::vector<std::string> lines = takeTrace();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), load);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()),
              std::vector<std::string>{"write 117 1 0a"});

    // A swap in one command; the map is read back after it is written.
    const Outcome swap = run({"x360", "assign", "1", "RS", "mouse-wheel-press", "LS"});
    ASSERT_EQ(swap.status, EXIT_DONE) << swap.error;
    lines = takeTrace();
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + 3, lines.end()),
        (std::vector<std::string>{"write 118 14 0d0102030405060708090a0b0c00", "read 118 14"}));

    // A button left on no key is refused with the page's message, and nothing is written.
    const Outcome half = run({"x360", "assign", "1", "LB"});
    EXPECT_EQ(half.status, EXIT_FAILED);
    EXPECT_NE(half.error.find("Button mapping hasn't Completed!"), std::string::npos);
    EXPECT_TRUE(writesOf(takeTrace()).empty());
}

TEST_F(CtlDaemonTest, RestoreGivesBackTheImageOfTheBackup) {
    const std::filesystem::path backup = folder / "device.vbk";
    ASSERT_EQ(run({"backup", backup.string()}).status, EXIT_DONE);
    ASSERT_EQ(run({"keys", "set", "Start", "F12"}).status, EXIT_DONE);
    ASSERT_EQ(run({"x360", "sensitivity", "high"}).status, EXIT_DONE);
    takeTrace();

    const Outcome restored = run({"restore", backup.string()});
    ASSERT_EQ(restored.status, EXIT_DONE) << restored.error;
    EXPECT_EQ(restored.out, "key map: written, as in the backup\n"
                            "key sensitivity: written, as in the backup\n"
                            "firing speed: unchanged, as in the backup\n"
                            "button map: unchanged, as in the backup\n");
    const std::vector<std::string> writes = writesOf(takeTrace());
    ASSERT_EQ(writes.size(), 5u) << "the four key map blocks and the sensitivity";
    EXPECT_EQ(writes.back(), "write 116 1 03");

    const std::filesystem::path again = folder / "again.vbk";
    ASSERT_EQ(run({"backup", again.string()}).status, EXIT_DONE);
    EXPECT_EQ(test::readBytes(again), test::readBytes(backup));
}

TEST_F(CtlDaemonTest, ABadBackupIsRefusedBeforeTheDeviceIsTouched) {
    const std::filesystem::path backup = folder / "device.vbk";
    ASSERT_EQ(run({"backup", backup.string()}).status, EXIT_DONE);
    std::vector<std::uint8_t> bytes = test::readBytes(backup);
    bytes[30] ^= 0xFF;
    test::writeBytes(folder / "corrupt.vbk", bytes);
    test::writeBytes(folder / "short.vbk", {bytes.begin(), bytes.begin() + 20});
    takeTrace();
    for (const char* name : {"corrupt.vbk", "short.vbk", "missing.vbk"}) {
        SCOPED_TRACE(name);
        const Outcome refused = run({"restore", (folder / name).string()});
        EXPECT_EQ(refused.status, EXIT_FAILED);
        EXPECT_FALSE(refused.error.empty());
        EXPECT_TRUE(takeTrace().empty()) << "nothing is asked of the device";
    }
}

// The window program's single-instance mark, answering as the running program does.
class WindowProgramMark {
public:
    explicit WindowProgramMark(const std::filesystem::path& path)
        : socket_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        listening_ = ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(socket_, 4) == 0;
    }
    ~WindowProgramMark() { ::close(socket_); }
    bool listening() const { return listening_; }

private:
    int socket_;
    bool listening_ = false;
};

TEST_F(CtlDaemonTest, WritingWaitsForTheWindowProgramToEndWhileReadingGoesOn) {
    const WindowProgramMark mark(runtime.path() / "Vantrel Pro");
    ASSERT_TRUE(mark.listening());
    const Outcome set = run({"keys", "set", "LB", "B"});
    EXPECT_EQ(set.status, EXIT_FAILED);
    EXPECT_NE(set.error.find("is running"), std::string::npos) << set.error;
    EXPECT_EQ(run({"x360", "default"}).status, EXIT_FAILED);
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_EQ(run({"keys"}).status, EXIT_DONE);
    EXPECT_EQ(takeTrace(), keyMapReads);
}

TEST_F(CtlDaemonTest, WithoutAReceiverEveryCommandSaysSo) {
    ASSERT_EQ(devsim.run({"unplug"}).exitCode, 0);
    const Outcome status = run({"status"});
    EXPECT_EQ(status.status, EXIT_FAILED);
    EXPECT_EQ(status.out, "receiver  not found\n");
    const Outcome keys = run({"keys"});
    EXPECT_EQ(keys.status, EXIT_FAILED);
    EXPECT_NE(keys.error.find("Vantrel device not found."), std::string::npos) << keys.error;
}

} // namespace
} // namespace vantrel::ctl
