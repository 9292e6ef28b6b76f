#include "device/DeviceBusChoice.h"

#include "device/sim/TcpDeviceBus.h"
#include "devsim/InProcessBus.h"
#include "devsim/Receiver.h"

#ifdef _WIN32
#include "device/windows/WindowsDeviceBus.h"
#else
#include "device/sim/SimDeviceBus.h"
#endif

#include <cstdlib>
#include <iostream>

namespace vantrel {

namespace {

constexpr std::string_view tcpPrefix = "tcp:";
constexpr std::string_view inProcessValue = "inprocess";

DeviceBusChoice refused(std::string_view value, const std::string& reason) {
    DeviceBusChoice choice;
    choice.problem = std::string(DEVICE_VARIABLE) + "=\"" + std::string(value) +
                     "\" is refused: " + reason +
                     ". It takes tcp:HOST:PORT (HOST localhost or 127.x.y.z), inprocess, or "
                     "nothing for the system's own device bus, which is used now.";
    return choice;
}

std::unique_ptr<DeviceBus> platformBus() {
#ifdef _WIN32
    return std::make_unique<WindowsDeviceBus>();
#else
    return std::make_unique<SimDeviceBus>();
#endif
}

} // namespace

DeviceBusChoice parseDeviceBusChoice(std::optional<std::string_view> value) {
    if (!value || value->empty()) {
        return {};
    }
    if (*value == inProcessValue) {
        return {DeviceBusChoice::Kind::InProcess, {}, {}};
    }
    if (value->starts_with(tcpPrefix)) {
        const auto parsed = parseLoopbackAddress(value->substr(tcpPrefix.size()));
        if (!parsed.address) {
            return refused(*value, parsed.error);
        }
        return {DeviceBusChoice::Kind::Tcp, *parsed.address, {}};
    }
    return refused(*value, "not a known form");
}

std::unique_ptr<DeviceBus> makeDeviceBus(const DeviceBusChoice& choice) {
    switch (choice.kind) {
    case DeviceBusChoice::Kind::Platform:
        break;
    case DeviceBusChoice::Kind::Tcp:
        return std::make_unique<TcpDeviceBus>(choice.address);
    case DeviceBusChoice::Kind::InProcess: {
        auto bus = std::make_unique<devsim::InProcessBus>();
        bus->add(devsim::receiverDevice(std::make_shared<devsim::Receiver>(), "vantrel"));
        return bus;
    }
    }
    return platformBus();
}

DeviceBusChoice deviceBusChoiceFromEnvironment() {
    const char* value = std::getenv(DEVICE_VARIABLE);
    const DeviceBusChoice choice =
        parseDeviceBusChoice(value ? std::optional<std::string_view>(value) : std::nullopt);
    if (!choice.problem.empty()) {
        std::cerr << choice.problem << std::endl;
    }
    return choice;
}

} // namespace vantrel
