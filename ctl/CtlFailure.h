#pragma once

#include <string>

namespace vantrel::ctl {

// The exit statuses: done, a device or file failure, a command line that was not understood.
constexpr int EXIT_DONE = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

// Ends a command: main prints the message on standard error, in one line, and exits with the
// status.
struct CtlFailure {
    int status;
    std::string message;
};

inline CtlFailure usageError(std::string message) {
    return {EXIT_USAGE, std::move(message)};
}

inline CtlFailure failure(std::string message) {
    return {EXIT_FAILED, std::move(message)};
}

// The system's texts are written for a box and may hold line breaks: on one line they read as
// one sentence.
std::string oneLine(std::string_view text);

} // namespace vantrel::ctl
