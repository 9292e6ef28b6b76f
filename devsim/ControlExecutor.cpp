#include "devsim/ControlExecutor.h"

namespace vantrel::devsim {

std::string executeControlCommand(const ControlCommand& command, Receiver& receiver,
                                  const ServingFacts& facts) {
    using Action = ControlCommand::Action;
    switch (command.action) {
    case Action::Plug:
        if (receiver.isPlugged()) {
            return "was already plugged in\n";
        }
        receiver.plug();
        return "plugged in\n";
    case Action::Unplug:
        if (!receiver.isPlugged()) {
            return "was already unplugged\n";
        }
        receiver.unplug();
        return "unplugged\n";
    case Action::SetQuality:
        receiver.setQuality(command.quality);
        return "quality " + qualityText(command.quality) + "\n";
    case Action::SetMode:
        receiver.setMode(command.mode);
        return "mode " + modeText(command.mode) + "\n";
    case Action::Inject:
        receiver.inject(command.fault);
        return "pending: " + describeFault(command.fault) + "\n";
    case Action::ClearFaults:
        receiver.clearFaults();
        return "no faults pending\n";
    case Action::Status:
        return statusText(receiver.status(), facts);
    case Action::Dump:
        return dumpText(receiver.memory());
    }
    return {};
}

} // namespace vantrel::devsim
