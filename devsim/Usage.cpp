#include "devsim/Usage.h"

#include <array>
#include <utility>

namespace vantrel::devsim {

namespace {

constexpr std::string_view nameOption =
    "  --name NAME   the receiver to talk to (default: vantrel)\n";

constexpr std::string_view folderNote =
    "Receivers serve in $VANTREL_DEVSIM_DIR, else $XDG_RUNTIME_DIR/vantrel-devsim, else\n"
    "/tmp/vantrel-devsim-<uid>.\n";

const std::array<std::pair<std::string_view, std::string_view>, 8> commands{{
    {"serve",
     "usage: vantrel-devsim serve [--name NAME] [--state FILE] [--mode aa|bb]\n"
     "                            [--quality BYTE|wave] [--trace FILE] [--trace-reports]\n"
     "                            [--hardware-id TEXT]... [--no-hardware-ids] [--tcp PORT]\n"
     "\n"
     "Runs a simulated Vantrel receiver in the foreground, plugged in, until interrupted.\n"
     "\n"
     "  --name NAME          its name, also the instance part of its interface path\n"
     "                       (default: vantrel)\n"
     "  --state FILE         keeps the settings memory in FILE across restarts; a missing\n"
     "                       file means factory content, a corrupt one is refused\n"
     "  --mode aa|bb         the answer to the mode query (default: aa, sends reports)\n"
     "  --quality BYTE|wave  the pad quality in report byte 14 (default: 200)\n"
     "  --trace FILE         writes one line per request: query, read ADDRESS LENGTH,\n"
     "                       write ADDRESS LENGTH HEX\n"
     "  --trace-reports      also writes a line 'report' per report read\n"
     "  --hardware-id TEXT   publishes this hardware ID instead of the receiver's own;\n"
     "                       repeat for a list\n"
     "  --no-hardware-ids    publishes a device without a hardware-ID list\n"
     "  --tcp PORT           also serves the data socket's frames on 127.0.0.1:PORT, for hosts\n"
     "                       without local sockets; 0 takes any free port. The port is written\n"
     "                       to NAME.tcp in the folder below (current once `status` answers),\n"
     "                       shown by `status` and on the start line. Any local user can reach\n"
     "                       a TCP port.\n"},
    {"plug", "usage: vantrel-devsim plug [--name NAME]\n\nPlugs the receiver in again.\n"},
    {"unplug",
     "usage: vantrel-devsim unplug [--name NAME]\n\n"
     "Unplugs the receiver: every open handle fails from now on, even after a new plug.\n"},
    {"quality",
     "usage: vantrel-devsim quality BYTE|wave [--name NAME]\n\n"
     "Sets the pad quality byte of the input reports, or a slow wave from 128 to 255.\n"},
    {"mode", "usage: vantrel-devsim mode aa|bb [--name NAME]\n\n"
             "Sets the answer to the mode query: aa sends input reports, bb sends none.\n"},
    {"fail", "usage: vantrel-devsim fail error CODE [--count N] [--only reads|writes|queries]\n"
             "       vantrel-devsim fail short [--count N] [--only reads|writes|queries]\n"
             "       vantrel-devsim fail readback [--count N]\n"
             "       vantrel-devsim fail vanish [--count N] [--only reads|writes|queries]\n"
             "       vantrel-devsim fail slow DELAY [--count N] [--only reads|writes|queries]\n"
             "       vantrel-devsim fail clear\n"
             "\n"
             "Makes the next N requests (default 1) go wrong:\n"
             "  error CODE   they fail with the host error CODE (decimal or 0x hex)\n"
             "  short        they are not carried out and their count falls one short\n"
             "  readback     reads of the button map return its last byte changed; the memory\n"
             "               stays right\n"
             "  vanish       the receiver is unplugged in the middle of the request\n"
             "  slow DELAY   the reply comes after DELAY (200ms, 2s; at most 60s)\n"
             "  clear        withdraws every pending fault\n"
             "A new fault replaces a pending one of its kind.\n"},
    {"status",
     "usage: vantrel-devsim status [--name NAME]\n\n"
     "Shows whether the receiver is plugged in, its mode and quality, the pending faults\n"
     "and the requests it has answered.\n"},
    {"dump", "usage: vantrel-devsim dump [--name NAME]\n\n"
             "Shows the settings memory in hex: the key map (52..115), sensitivity (116), firing\n"
             "speed (117), button map (118..131), then the whole image.\n"},
}};

} // namespace

std::string programUsage() {
    std::string text = "usage: vantrel-devsim COMMAND [OPTIONS]\n\n"
                       "A simulated Vantrel receiver that stands where the hardware would.\n\n"
                       "commands:\n";
    for (const auto& [name, help] : commands) {
        const std::string_view synopsis = help.substr(0, help.find('\n'));
        text += "  " + std::string(synopsis.substr(synopsis.find("vantrel-devsim"))) + '\n';
    }
    text += "\nEach command takes --help.\n";
    return text + std::string(folderNote);
}

std::optional<std::string> commandUsage(std::string_view command) {
    for (const auto& [name, help] : commands) {
        if (name == command) {
            const bool named = name != "serve";
            return std::string(help) + (named ? "\n" + std::string(nameOption) : "") + "\n" +
                   std::string(folderNote);
        }
    }
    return std::nullopt;
}

} // namespace vantrel::devsim
