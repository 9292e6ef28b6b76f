#include "devsim/ControlChannel.h"

#include "device/sim/UnixSocket.h"

#include <sys/socket.h>
#include <sys/time.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <span>
#include <string_view>

namespace vantrel::devsim {

namespace {

constexpr std::size_t maxCommandSize = 4096;
constexpr std::string_view doneLine = "ok\n";
constexpr std::string_view refusedLine = "error\n";

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Everything until the peer closes its side, or nothing past the limit.
std::optional<std::string> receiveToEnd(int fd, std::size_t limit) {
    std::string text;
    std::array<char, 1024> buffer{};
    for (;;) {
        const ssize_t got = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return text;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
        if (text.size() > limit) {
            return std::nullopt;
        }
    }
}

} // namespace

ControlAnswer sendControlWords(const std::filesystem::path& socket,
                               const std::vector<std::string>& words) {
    const UniqueFd fd = connectUnixSocket(socket);
    if (!fd.valid()) {
        return {ControlAnswer::Outcome::NoReceiver, {}};
    }
    std::string request;
    for (const auto& word : words) {
        request += word + '\n';
    }
    if (!sendAll(fd.get(), bytesOf(request)) || ::shutdown(fd.get(), SHUT_WR) != 0) {
        return {ControlAnswer::Outcome::NoReceiver, {}};
    }
    const auto reply = receiveToEnd(fd.get(), 1 << 20);
    if (reply && reply->starts_with(doneLine)) {
        return {ControlAnswer::Outcome::Done, reply->substr(doneLine.size())};
    }
    if (reply && reply->starts_with(refusedLine)) {
        return {ControlAnswer::Outcome::Refused, reply->substr(refusedLine.size())};
    }
    return {ControlAnswer::Outcome::NoReceiver, {}};
}

std::optional<std::vector<std::string>> receiveControlWords(int fd) {
    // A sender that never finishes must not hold up the serving loop.
    const timeval limit{.tv_sec = 2, .tv_usec = 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
    const auto text = receiveToEnd(fd, maxCommandSize);
    if (!text || (!text->empty() && !text->ends_with('\n'))) {
        return std::nullopt;
    }
    std::vector<std::string> words;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        words.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    return words;
}

void sendControlAnswer(int fd, const ControlAnswer& answer) {
    const std::string_view first =
        answer.outcome == ControlAnswer::Outcome::Done ? doneLine : refusedLine;
    sendAll(fd, bytesOf(std::string(first) + answer.text));
}

} // namespace vantrel::devsim
