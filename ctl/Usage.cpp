#include "ctl/Usage.h"

#include "x360setup/X360PageText.h"

namespace vantrel::ctl {

namespace {

constexpr std::string_view overview =
    R"usage(usage: vantrelctl [--json] COMMAND [ARGUMENTS]

Reads and changes the settings of the Vantrel through its receiver, as the
Vantrel Setup Utility does.

  status              whether the receiver is there, its path, its mode and
                      the mouse pad quality now
  keys ...            the key or two-key combination each PC button sends
  x360 ...            the XBox 360 button on each key, the key sensitivity and
                      the firing speed
  backup FILE         saves the whole settings memory into FILE
  restore FILE        writes a backup back onto the device

  --json              shows what a command shows as JSON
  --help              the help of a command: vantrelctl keys --help

The device bus is the window program's: VANTREL_DEVICE picks another
(tcp:HOST:PORT, inprocess). While the window program runs, commands that
write refuse, since both would talk to the one receiver at once.

Exit status: 0 done, 1 a device or file failure, 2 a command line that was
not understood.
)usage";

constexpr std::string_view statusUsage =
    R"usage(usage: vantrelctl [--json] status

Finds the receiver and shows its interface path, whether the mode query says
it sends input reports and, when it does, the mouse pad quality of one
report, with the page's three-digit text. Exits 1 when there is no receiver.
)usage";

constexpr std::string_view keysUsage =
    R"usage(usage: vantrelctl [--json] keys
       vantrelctl keys set BUTTON KEY [HELD]
       vantrelctl keys clear BUTTON
       vantrelctl keys reset
       vantrelctl keys load FILE.map
       vantrelctl keys save FILE.map

Without a subcommand, shows the 18 buttons of the PC Setup page with what
each sends, as the page writes it ("Ctrl(left) + A", "???" for none).

BUTTON is a caption of the page, in any case, blanks optional or written as
dashes: LB, LT, Back, Guide, Start, A, B, X, Y, "Dpad UP", dpad-down,
dpad-left, dpad-right, "Left Joystick, Up" (left-joystick-up), ...-down,
...-left, ...-right, ...-press.

KEY and HELD are key names as the page shows them ("A", "F12", "Space",
"Ctrl(left)", "Shift(right)") or codes written 0x41. HELD is the key held
down with KEY.

set, clear, reset and load write the key map to the device as the page's
SAVE does, and only when it changed; save writes the device's key map into a
64-byte profile file.
)usage";

constexpr std::string_view backupUsage =
    R"usage(usage: vantrelctl [--json] backup FILE

Reads the whole settings memory the tool uses (addresses 52 to 131: the key
map, the key sensitivity, the firing speed and the button map) and saves it
into FILE with a check sum. The file is replaced in one step.
)usage";

constexpr std::string_view restoreUsage =
    R"usage(usage: vantrelctl [--json] restore FILE

Checks the backup FILE first: a file that is short, corrupt or not a backup
is refused and nothing is written. Then writes each item that differs from
the device, reads the device back and reports each item.
)usage";

std::string x360Usage() {
    std::string usage =
        R"usage(usage: vantrelctl [--json] x360
       vantrelctl x360 assign KEY BUTTON [KEY BUTTON]...
       vantrelctl x360 sensitivity low|mid|high
       vantrelctl x360 speed 2..10
       vantrelctl x360 default
       vantrelctl x360 clear

Without a subcommand, shows the XBox 360 button on each of the 14 keys, the
key sensitivity and the firing speed in shots per second.

Each subcommand changes the settings as the XBox 360 Setup page would, then
saves them as its SAVE does: a map where a button is on no key is refused,
and only what differs is written. assign moves a button onto a key (the key's
button is then on no key until it is assigned too: give pairs to swap).
default is the factory settings; clear takes every button off (and so is
refused on its own, as the page's SAVE refuses it).

Keys (names in any case, blanks optional or written as dashes, or 1 to 14):
)usage";
    int number = 1;
    for (const std::string_view place : keyPlaceNames) {
        usage += "  " + std::to_string(number++) + "  " + std::string(place) + "\n";
    }
    usage += "\nButtons:";
    for (const std::string_view legend : buttonLegends) {
        usage += " \"" + std::string(legend) + "\"";
    }
    return usage + "\n";
}

} // namespace

std::string usageOf(std::string_view command) {
    if (command == "status") {
        return std::string(statusUsage);
    }
    if (command == "keys") {
        return std::string(keysUsage);
    }
    if (command == "x360") {
        return x360Usage();
    }
    if (command == "backup") {
        return std::string(backupUsage);
    }
    if (command == "restore") {
        return std::string(restoreUsage);
    }
    return std::string(overview);
}

} // namespace vantrel::ctl
