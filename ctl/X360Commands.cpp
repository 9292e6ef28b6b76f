#include "ctl/X360Commands.h"

#include "ctl/CtlFailure.h"
#include "ctl/CtlReceiver.h"
#include "ctl/Json.h"
#include "ctl/Names.h"
#include "ctl/WindowProgramMark.h"
#include "x360setup/X360PageText.h"
#include "x360setup/X360Settings.h"

#include <charconv>
#include <functional>
#include <iomanip>

namespace vantrel::ctl {

namespace {

using Change = std::function<void(X360Settings&)>;

X360Settings readSettings(CtlReceiver& receiver) {
    X360Settings settings;
    if (!loadX360Settings(settings, receiver.link())) {
        receiver.check(LINK_GAVE_UP, "reading the XBox 360 settings failed");
    }
    return settings;
}

std::string buttonText(std::uint8_t code) {
    return std::string(isButtonCode(code) ? buttonLegends[code] : noButtonName);
}

std::string sensitivityText(std::int8_t sensitivity) {
    const std::optional<int> lamp = sensitivityLamp(sensitivity);
    return lamp ? std::string(sensitivityNames[*lamp])
                : "unknown (" + std::to_string(int{sensitivity}) + ")";
}

// Shots per second, or nothing for a byte outside the nine speeds.
std::optional<int> shotsPerSecond(std::int8_t speed) {
    const int step = firingStepFromSpeed(speed);
    return step == NO_FIRING_STEP ? std::nullopt : std::optional<int>(step + 2);
}

void showSettings(const X360Settings& settings, bool json, std::ostream& out) {
    const std::optional<int> shots = shotsPerSecond(settings.firingSpeed);
    if (json) {
        out << "{\"keys\":[";
        for (int key = 0; key < X360_KEY_COUNT; ++key) {
            const std::uint8_t code = settings.buttonMap[static_cast<std::size_t>(key)];
            out << (key == 0 ? "" : ",") << "{\"key\":" << key + 1
                << ",\"place\":" << jsonString(keyPlaceNames[key])
                << ",\"button\":" << (isButtonCode(code) ? jsonString(buttonLegends[code]) : "null")
                << "}";
        }
        out << "],\"sensitivity\":" << jsonString(sensitivityText(settings.sensitivity))
            << ",\"shotsPerSecond\":" << (shots ? std::to_string(*shots) : "null") << "}\n";
        return;
    }
    for (int key = 0; key < X360_KEY_COUNT; ++key) {
        out << std::right << std::setw(2) << key + 1 << "  " << std::left << std::setw(32)
            << keyPlaceNames[key] << buttonText(settings.buttonMap[static_cast<std::size_t>(key)])
            << "\n";
    }
    out << "sensitivity   " << sensitivityText(settings.sensitivity) << "\n"
        << "firing speed  "
        << (shots ? std::string(firingStepNames[*shots - 2])
                  : "unknown (" + std::to_string(int{settings.firingSpeed}) + ")")
        << "\n";
}

std::optional<int> number(std::string_view typed, int least, int most) {
    int value = 0;
    const char* end = typed.data() + typed.size();
    const auto [stop, error] = std::from_chars(typed.data(), end, value);
    if (error != std::errc{} || stop != end || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

int keyNamed(const std::string& typed) {
    if (const auto numbered = number(typed, 1, X360_KEY_COUNT)) {
        return *numbered - 1;
    }
    if (const auto found = findName(keyPlaceNames, typed)) {
        return *found;
    }
    throw usageError("no key is called " + typed + " (see vantrelctl x360 --help)");
}

std::uint8_t buttonNamed(const std::string& typed) {
    if (const auto found = findName(buttonLegends, typed)) {
        return static_cast<std::uint8_t>(*found);
    }
    throw usageError("no XBox 360 button is called " + typed + " (see vantrelctl x360 --help)");
}

// What a subcommand changes, read from its arguments before the device is touched.
Change changeOf(const std::string& sub, const std::vector<std::string>& rest) {
    if (sub == "assign") {
        if (rest.empty() || rest.size() % 2 != 0) {
            throw usageError("usage: vantrelctl x360 assign KEY BUTTON [KEY BUTTON]...");
        }
        std::vector<std::pair<int, std::uint8_t>> moves;
        for (std::size_t i = 0; i < rest.size(); i += 2) {
            moves.emplace_back(keyNamed(rest[i]), buttonNamed(rest[i + 1]));
        }
        // As a drop on the page: the button leaves the key it was on, and the key's own button
        // goes home.
        return [moves](X360Settings& settings) {
            for (const auto& [key, code] : moves) {
                settings.removeButton(code);
                settings.assignButton(key, code);
            }
        };
    }
    if (sub == "sensitivity") {
        const std::optional<int> lamp =
            rest.size() == 1 ? findName(sensitivityNames, rest[0]) : std::nullopt;
        if (!lamp) {
            throw usageError("usage: vantrelctl x360 sensitivity low|mid|high");
        }
        return [lamp](X360Settings& settings) {
            settings.setSensitivity(static_cast<std::int8_t>(SENSITIVITY_LOW + *lamp));
        };
    }
    if (sub == "speed") {
        const std::optional<int> shots =
            rest.size() == 1 ? number(rest[0], 2, FIRING_STEPS + 1) : std::nullopt;
        if (!shots) {
            throw usageError("usage: vantrelctl x360 speed 2..10 (shots per second)");
        }
        return [shots](X360Settings& settings) { settings.setFiringStep(*shots - 2); };
    }
    if (sub == "default" || sub == "clear") {
        if (!rest.empty()) {
            throw usageError("usage: vantrelctl x360 " + sub);
        }
        if (sub == "default") {
            return [](X360Settings& settings) { settings.restoreX360Defaults(); };
        }
        return [](X360Settings& settings) { settings.clearX360Settings(); };
    }
    throw usageError("unknown x360 command " + sub + " (see vantrelctl x360 --help)");
}

} // namespace

int runX360(const std::vector<std::string>& arguments, bool json, std::ostream& out) {
    CtlMessages messages;
    CtlReceiver receiver(messages);
    if (arguments.empty()) {
        receiver.openOrFail();
        showSettings(readSettings(receiver), json, out);
        return EXIT_DONE;
    }
    const Change change = changeOf(arguments.front(), {arguments.begin() + 1, arguments.end()});
    refuseWhileWindowProgramRuns();
    receiver.openOrFail();
    X360Settings settings = readSettings(receiver);
    change(settings);
    const X360SaveResult result = saveX360Settings(settings, receiver.link());
    if (result != X360SaveResult::Saved) {
        throw failure("saving the XBox 360 settings failed: " + oneLine(x360SaveText(result)));
    }
    out << x360SaveText(result) << "\n";
    return EXIT_DONE;
}

} // namespace vantrel::ctl
