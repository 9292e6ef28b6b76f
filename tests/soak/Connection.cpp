#include "tests/soak/Connection.h"

#include "tests/soak/Bounds.h"
#include "tests/soak/Waits.h"

#include <algorithm>

namespace vantrel::soak {

namespace {

// The receiver's changed read-back turns the last byte of the button map.
constexpr std::uint8_t READ_BACK_FLIP = 0xFF;

template <typename Bytes>
bool sameBytes(const Bytes& bytes, const devsim::MemoryImage& memory, std::size_t address) {
    return std::equal(bytes.begin(), bytes.end(), memory.begin() + static_cast<long>(address));
}

} // namespace

bool Connection::awaitFirstLook() {
    if (!waitUntil([&] { return program_.bus().walks() > 0 && isWaitingForDevice(); },
                   CONNECT_BOUND)) {
        findings_.fail("the monitor did not look for a receiver at its start");
        return false;
    }
    return true;
}

bool Connection::isWaitingForDevice() {
    const RecordingBus& bus = program_.bus();
    return program_.state().deviceConnected == 0 && !program_.link().isOpen() &&
           bus.opened() == bus.closed();
}

bool Connection::plugAndConnect() {
    failedPlugIns_ = 0;
    for (int plugIn = 1; plugIn <= MAX_PLUG_INS; ++plugIn) {
        ++tally_.plugIns;
        const std::size_t replugsBefore = program_.messages().count(replugMessage);
        const int openedBefore = program_.bus().opened();
        program_.plug();
        switch (awaitOutcome(openedBefore, replugsBefore)) {
        case Outcome::Connected:
            checkWhatTheConnectionRead();
            return true;
        case Outcome::Hung:
            findings_.fail("plug-in " + std::to_string(plugIn) +
                           ": the monitor neither connected nor let the device go within " +
                           std::to_string(CONNECT_BOUND.count()) + " ms of the arrival");
            return false;
        case Outcome::Failed:
            break;
        }
        if (program_.messages().count(replugMessage) != replugsBefore) {
            findings_.fail("the monitor could not open a receiver that is plugged in");
        }
        ++failedPlugIns_;
        ++tally_.failedConnections;
        // A connection's reads failed on a fault: the user pulls the receiver out and tries
        // again, as the program's silence leaves them to.
        if (!unplugAndRelease()) {
            return false;
        }
    }
    findings_.fail("no connection after " + std::to_string(MAX_PLUG_INS) + " plug-ins");
    return false;
}

Connection::Outcome Connection::awaitOutcome(int openedBefore, std::size_t replugsBefore) {
    const RecordingBus& bus = program_.bus();
    const SoakMessages& messages = program_.messages();
    Outcome outcome = Outcome::Hung;
    waitUntil(
        [&] {
            if (program_.state().deviceConnected == 1) {
                outcome = Outcome::Connected;
            } else if ((bus.opened() > openedBefore && bus.closed() == bus.opened()) ||
                       messages.count(replugMessage) != replugsBefore) {
                outcome = Outcome::Failed;
            }
            return outcome != Outcome::Hung;
        },
        CONNECT_BOUND);
    // The host's notice of a receiver that vanished meanwhile comes before anything else.
    settle(milliseconds(0));
    return outcome;
}

bool Connection::unplugAndRelease() {
    program_.unplug();
    return awaitWaiting("the receiver was pulled out");
}

bool Connection::awaitWaiting(const std::string& after) {
    if (!waitUntil([&] { return isWaitingForDevice(); }, RELEASE_BOUND)) {
        findings_.fail("the monitor was not waiting for a device within " +
                       std::to_string(RELEASE_BOUND.count()) + " ms after " + after +
                       " (connected " + std::to_string(program_.state().deviceConnected) +
                       ", device open " + (program_.link().isOpen() ? "yes" : "no") + ")");
        return false;
    }
    return true;
}

void Connection::checkWhatTheConnectionRead() {
    const devsim::MemoryImage memory = program_.receiver().memory();
    const KeyMap& keyMap = program_.pcPage().keyMap();
    if (!sameBytes(keyMap.currentKeyMap(), memory, KEY_MAP_ADDRESS) ||
        keyMap.baselineKeyMap() != keyMap.currentKeyMap()) {
        findings_.fail("after the connection the PC page's key map and its baseline are not the "
                       "device's 52 to 115");
    }
    const X360Settings& x360 = program_.x360Page().settings();
    ButtonMapBytes flipped{};
    std::copy_n(memory.begin() + BUTTON_MAP_ADDRESS, BUTTON_MAP_SIZE, flipped.begin());
    flipped.back() ^= READ_BACK_FLIP;
    const bool mapRead = sameBytes(x360.deviceButtonMap, memory, BUTTON_MAP_ADDRESS) ||
                         x360.deviceButtonMap == flipped;
    if (!mapRead ||
        x360.deviceSensitivity != static_cast<std::int8_t>(memory[SENSITIVITY_ADDRESS]) ||
        x360.deviceFiringSpeed != static_cast<std::int8_t>(memory[FIRING_SPEED_ADDRESS])) {
        findings_.fail("after the connection the XBox 360 record's device copies are not the "
                       "device's 116 to 131");
    }
    if (x360.buttonMap != x360.deviceButtonMap || x360.sensitivity != x360.deviceSensitivity ||
        x360.firingSpeed != x360.deviceFiringSpeed) {
        findings_.fail("after the connection the XBox 360 record shows other values than it read");
    }
}

} // namespace vantrel::soak
