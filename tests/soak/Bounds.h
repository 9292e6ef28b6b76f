#pragma once

#include "device/DeviceMonitor.h"

#include <chrono>

// How long things may take before the soak calls them hung. Every bound follows from the
// link's: a device request gives up after its sends or its time, whichever comes first.
namespace vantrel::soak {

using std::chrono::milliseconds;

// The bound the soak holds the link to, whatever the link's own settings say.
inline constexpr int LINK_MAX_SENDS = 100;
inline constexpr milliseconds LINK_MAX_TIME{2000};

// The longest reply delay the soak injects.
inline constexpr milliseconds MAX_SLOW_DELAY{50};

// One request with its repetitions: the link's time, one more send that may start just before
// it runs out, and room for a loaded host.
inline constexpr milliseconds REQUEST_BOUND = LINK_MAX_TIME + MAX_SLOW_DELAY + milliseconds(500);

// A connection reads the mode, the key map in four blocks and the three XBox 360 items.
inline constexpr int CONNECTION_REQUESTS = 8;
// The monitor may be just inside its wait for a device when the arrival comes.
inline constexpr milliseconds CONNECT_BOUND = RECONNECT_WAIT + CONNECTION_REQUESTS * REQUEST_BOUND;
// After a removal the monitor ends its sampling at its next wait and then tries the handle it
// still holds once more.
inline constexpr milliseconds RELEASE_BOUND = SAMPLE_WAIT + CONNECTION_REQUESTS * REQUEST_BOUND;

// WrEELong sends four blocks; the XBox 360 save a map, its read-back and two bytes.
inline constexpr int PC_SAVE_REQUESTS = 4;
inline constexpr int X360_SAVE_REQUESTS = 4;
inline constexpr milliseconds PC_SAVE_BOUND = PC_SAVE_REQUESTS * REQUEST_BOUND;
inline constexpr milliseconds X360_SAVE_BOUND = X360_SAVE_REQUESTS * REQUEST_BOUND;

// A cycle plugs the receiver in as often as it takes, each time waiting for the connection and
// for its end, and saves once on each page; the waits between steps add little.
inline constexpr int MAX_PLUG_INS = 8;
inline constexpr milliseconds CYCLE_BOUND = MAX_PLUG_INS * (CONNECT_BOUND + RELEASE_BOUND) +
                                            PC_SAVE_BOUND + X360_SAVE_BOUND + milliseconds(5000);

} // namespace vantrel::soak
