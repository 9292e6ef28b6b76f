#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel::ctl {

// A command line: the words of the command and its arguments, and the options, which may stand
// anywhere.
struct CtlCommand {
    std::vector<std::string> words;
    bool json = false;
    bool help = false;
};

// Reads the command line; an option that is not known fails as a usage error.
CtlCommand parseCommandLine(const std::vector<std::string>& arguments);

// Runs the command, showing what it shows on out; returns the exit status. Failures are thrown
// as CtlFailure.
int runCommand(const CtlCommand& command, std::ostream& out);

} // namespace vantrel::ctl
