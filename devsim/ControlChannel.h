#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The control socket: a command's words go in, one per line, and the sender closes its side; the
// answer comes back as `ok` or `error` on the first line, then the text to show.
namespace vantrel::devsim {

struct ControlAnswer {
    enum class Outcome { Done, Refused, NoReceiver };
    Outcome outcome;
    std::string text;
};

// The sender's side. NoReceiver when nothing serves at the socket.
ControlAnswer sendControlWords(const std::filesystem::path& socket,
                               const std::vector<std::string>& words);

// The serving side: the words of one command (nothing when it is too long or did not end in
// time), then the answer.
std::optional<std::vector<std::string>> receiveControlWords(int fd);
void sendControlAnswer(int fd, const ControlAnswer& answer);

} // namespace vantrel::devsim
