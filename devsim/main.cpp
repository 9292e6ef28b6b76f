#include "device/sim/SimBusFolder.h"
#include "devsim/ControlChannel.h"
#include "devsim/ControlCommand.h"
#include "devsim/DaemonFiles.h"
#include "devsim/Serve.h"
#include "devsim/Usage.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace vantrel::devsim;

constexpr int usageError = 2;

int badUsage(const std::string& command, const std::string& problem) {
    std::cerr << "vantrel-devsim " << command << ": " << problem << "\n(see vantrel-devsim "
              << command << " --help)\n";
    return usageError;
}

// Takes `--name NAME` out of a control command's words; the name, or nothing when it is bad.
std::optional<std::string> takeName(std::vector<std::string>& words) {
    std::string name(DEFAULT_RECEIVER_NAME);
    const auto option = std::find(words.begin(), words.end(), "--name");
    if (option != words.end()) {
        if (option + 1 == words.end() || !isValidReceiverName(*(option + 1))) {
            return std::nullopt;
        }
        name = *(option + 1);
        words.erase(option, option + 2);
    }
    return name;
}

int control(std::vector<std::string> words) {
    const std::string command = words.front();
    const auto name = takeName(words);
    if (!name) {
        return badUsage(command, "--name takes up to 32 letters, digits, '-' or '_'");
    }
    if (const auto parsed = parseControlCommand(words); !parsed.command) {
        return badUsage(command, parsed.error);
    }
    const std::filesystem::path folder = vantrel::simBusFolder();
    const ControlAnswer answer = sendControlWords(controlSocketPath(folder, *name), words);
    switch (answer.outcome) {
    case ControlAnswer::Outcome::Done:
        std::cout << answer.text;
        return 0;
    case ControlAnswer::Outcome::Refused:
        std::cerr << "vantrel-devsim " << command << ": " << answer.text;
        return 1;
    case ControlAnswer::Outcome::NoReceiver:
        break;
    }
    std::cerr << "vantrel-devsim: no receiver named '" << *name << "' is serving in '"
              << folder.string() << "'.\nStart one with: vantrel-devsim serve"
              << (*name == DEFAULT_RECEIVER_NAME ? "" : " --name " + *name) << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words.front() == "--help" || words.front() == "-h") {
        (words.empty() ? std::cerr : std::cout) << programUsage();
        return words.empty() ? usageError : 0;
    }
    const std::string& command = words.front();
    const auto usage = commandUsage(command);
    if (!usage) {
        std::cerr << "vantrel-devsim: unknown command '" << command << "'\n\n" << programUsage();
        return usageError;
    }
    if (std::find(words.begin() + 1, words.end(), "--help") != words.end()) {
        std::cout << *usage;
        return 0;
    }
    if (command == "serve") {
        const auto parsed = parseServeOptions({words.begin() + 1, words.end()});
        if (!parsed.options) {
            return badUsage(command, parsed.error);
        }
        return serve(*parsed.options);
    }
    return control(std::move(words));
}
