#include "tests/devsim/DevsimProcess.h"

#include "device/sim/UnixSocket.h"
#include "devsim/DaemonFiles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

extern char** environ;

namespace vantrel::test {

namespace {

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits for the process for up to the limit; its exit code, or -1.
int reap(pid_t pid, std::chrono::milliseconds limit) {
    int status = 0;
    pid_t ended = 0;
    const bool done = eventually(
        [&] {
            ended = ::waitpid(pid, &status, WNOHANG);
            return ended != 0;
        },
        limit);
    if (!done || ended != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

ServedReceiver::ServedReceiver(pid_t pid, std::filesystem::path folder, std::string name)
    : pid_(pid), folder_(std::move(folder)), name_(std::move(name)) {
}

ServedReceiver::ServedReceiver(ServedReceiver&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), folder_(std::move(other.folder_)),
      name_(std::move(other.name_)) {
}

ServedReceiver::~ServedReceiver() {
    if (pid_ > 0 && stop(SIGTERM) < 0) {
        ::kill(pid_, SIGKILL);
        reap(pid_, std::chrono::seconds(5));
    }
}

bool ServedReceiver::waitUntilServing(std::chrono::milliseconds limit) const {
    const auto socket = devsim::controlSocketPath(folder_, name_);
    return eventually([&] { return connectUnixSocket(socket).valid(); }, limit);
}

void ServedReceiver::suspend() const {
    ::kill(pid_, SIGSTOP);
    // The signal is taken when the kernel gets round to it: a request sent before then would
    // still be answered.
    int status = 0;
    ::waitpid(pid_, &status, WUNTRACED);
}

void ServedReceiver::resume() const {
    ::kill(pid_, SIGCONT);
}

int ServedReceiver::stop(int signal) {
    if (pid_ <= 0) {
        return -1;
    }
    ::kill(pid_, signal);
    const int code = reap(pid_, std::chrono::seconds(5));
    if (code >= 0) {
        pid_ = -1;
    }
    return code;
}

pid_t Devsim::spawn(const std::vector<std::string>& args, const std::filesystem::path& out,
                    const std::filesystem::path& err) const {
    std::vector<std::string> words{VANTREL_DEVSIM_BINARY};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> variables{"VANTREL_DEVSIM_DIR=" + folder_.string()};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with("VANTREL_DEVSIM_DIR=")) {
            variables.emplace_back(*variable);
        }
    }
    std::vector<char*> envp;
    for (auto& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + words[0]);
    }
    return pid;
}

CommandResult Devsim::run(const std::vector<std::string>& args) const {
    // Files whose names start with a dot are none of the bus's business.
    const std::filesystem::path out = folder_ / ".command.out";
    const std::filesystem::path err = folder_ / ".command.err";
    const int code = reap(spawn(args, out, err), std::chrono::seconds(10));
    CommandResult result{code, contentOf(out), contentOf(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

ServedReceiver Devsim::serve(const std::vector<std::string>& args, const std::string& name) const {
    std::vector<std::string> words{"serve", "--name", name};
    words.insert(words.end(), args.begin(), args.end());
    ServedReceiver served(
        spawn(words, folder_ / ("." + name + ".out"), folder_ / ("." + name + ".err")), folder_,
        name);
    served.waitUntilServing();
    return served;
}

} // namespace vantrel::test
