#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::test {

struct CommandResult {
    int exitCode;
    std::string out;
    std::string err;
};

// One serving vantrel-devsim daemon, spawned from the built binary. Stopped with SIGTERM when
// destroyed, unless it has ended before.
class ServedReceiver {
public:
    ServedReceiver(pid_t pid, std::filesystem::path folder, std::string name);
    ~ServedReceiver();
    ServedReceiver(ServedReceiver&& other) noexcept;
    ServedReceiver(const ServedReceiver&) = delete;
    ServedReceiver& operator=(const ServedReceiver&) = delete;
    ServedReceiver& operator=(ServedReceiver&&) = delete;

    // Whether its control socket answered within the time.
    bool waitUntilServing(std::chrono::milliseconds limit = std::chrono::seconds(5)) const;
    // Stops the daemon in its tracks, as a wedged one would be, and lets it go on.
    void suspend() const;
    void resume() const;
    // Sends the signal and waits for the end; the exit code, or -1 when it did not end in time.
    int stop(int signal);

private:
    pid_t pid_;
    std::filesystem::path folder_;
    std::string name_;
};

// Runs the built vantrel-devsim with its runtime folder pointed at `folder`.
class Devsim {
public:
    explicit Devsim(std::filesystem::path folder) : folder_(std::move(folder)) {}

    CommandResult run(const std::vector<std::string>& args) const;
    // `serve` with the arguments; waits until it serves.
    ServedReceiver serve(const std::vector<std::string>& args = {},
                         const std::string& name = "vantrel") const;

    const std::filesystem::path& folder() const { return folder_; }

private:
    pid_t spawn(const std::vector<std::string>& args, const std::filesystem::path& out,
                const std::filesystem::path& err) const;

    std::filesystem::path folder_;
};

// Waits, polling, until the condition holds or the time is up; whether it held.
template <typename Condition>
bool eventually(Condition condition,
                std::chrono::milliseconds limit = std::chrono::milliseconds(2000)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace vantrel::test
