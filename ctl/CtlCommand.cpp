#include "ctl/CtlCommand.h"

#include "ctl/BackupCommands.h"
#include "ctl/CtlFailure.h"
#include "ctl/KeysCommands.h"
#include "ctl/StatusCommand.h"
#include "ctl/Usage.h"
#include "ctl/X360Commands.h"

namespace vantrel::ctl {

CtlCommand parseCommandLine(const std::vector<std::string>& arguments) {
    CtlCommand command;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            command.json = true;
        } else if (argument == "--help" || argument == "-h") {
            command.help = true;
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
            throw usageError("unknown option " + argument + " (see vantrelctl --help)");
        } else {
            command.words.push_back(argument);
        }
    }
    return command;
}

int runCommand(const CtlCommand& command, std::ostream& out) {
    const std::string verb = command.words.empty() ? "" : command.words.front();
    if (command.help) {
        out << usageOf(verb);
        return EXIT_DONE;
    }
    if (verb == "help") {
        out << usageOf(command.words.size() > 1 ? command.words[1] : "");
        return EXIT_DONE;
    }
    if (verb.empty()) {
        out << usageOf("");
        return EXIT_USAGE;
    }
    const std::vector<std::string> arguments(command.words.begin() + 1, command.words.end());
    if (verb == "status") {
        return runStatus(arguments, command.json, out);
    }
    if (verb == "keys") {
        return runKeys(arguments, command.json, out);
    }
    if (verb == "x360") {
        return runX360(arguments, command.json, out);
    }
    if (verb == "backup") {
        return runBackup(arguments, command.json, out);
    }
    if (verb == "restore") {
        return runRestore(arguments, command.json, out);
    }
    throw usageError("unknown command " + verb + " (see vantrelctl --help)");
}

} // namespace vantrel::ctl
