#include "tests/soak/SoakRun.h"

#include "tests/soak/Bounds.h"
#include "tests/soak/RequestGroups.h"
#include "tests/soak/Waits.h"

#include <QTest>

namespace vantrel::soak {

namespace {

// After this many broken invariants the rest of the run would tell nothing new.
constexpr int ENOUGH_FAILURES = 25;

// Between the user's steps the program's loop runs for a moment, so that the monitor's work
// interleaves with them in ever different ways.
constexpr int MAX_PAUSE_MS = 20;

} // namespace

SoakRun::SoakRun(const SoakSettings& settings) : settings_(settings) {
}

void SoakRun::run() {
    const auto start = std::chrono::steady_clock::now();
    program_.start();
    // Paints reach the pages only once the window is on the (offscreen) screen.
    if (!QTest::qWaitForWindowExposed(&program_.window())) {
        findings_.fail("the main window never came onto the screen");
    } else if (connection_.awaitFirstLook()) {
        for (int number = 1; number <= settings_.cycles && failures() < ENOUGH_FAILURES; ++number) {
            cycle(number);
        }
    }
    tally_.requestsFaulted = program_.receiver().status().counts.faulted;
    tally_.vanished = program_.vanished();
    wallTime_ = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
}

void SoakRun::cycle(int number) {
    findings_.beginCycle(number, program_.receiver().status().pendingFaults);
    watchdog_.arm(CYCLE_BOUND);
    const auto start = std::chrono::steady_clock::now();
    const std::size_t firstMessage = program_.messages().size();
    const std::size_t firstRequest = program_.log().size();
    ++tally_.cycles;

    faults_.maybeInject();
    if (connection_.plugAndConnect()) {
        // The user works on the page in view first, then on the other, and now and then goes
        // back before pulling the receiver out.
        if (program_.pcWidget().isVisible()) {
            pc_.checkLabels("after the connection");
            workOnPc();
            pc_.switchToX360();
            workOnX360();
        } else {
            workOnX360();
            switchToPc();
            workOnPc();
        }
        if (random_.chance(50)) {
            if (program_.pcWidget().isVisible()) {
                pc_.switchToX360();
            } else {
                switchToPc();
            }
        }
        settle(milliseconds(0));
        connection_.unplugAndRelease();
    }
    checkMemory();
    checkQuietMessages(firstMessage);
    checkMonitorRequests(firstRequest);
    if (std::chrono::steady_clock::now() - start > CYCLE_BOUND) {
        findings_.fail("the cycle did not end within its bound of " +
                       std::to_string(CYCLE_BOUND.count()) + " ms");
    }
    watchdog_.disarm();
}

void SoakRun::pause() {
    settle(milliseconds(random_.below(MAX_PAUSE_MS)));
}

void SoakRun::workOnPc() {
    pc_.edit();
    pause();
    faults_.maybeInject();
    pc_.save();
    pause();
    if (random_.chance(70)) {
        profile_.save();
    }
}

void SoakRun::workOnX360() {
    x360_.edit();
    pause();
    faults_.maybeInject();
    x360_.save();
    pause();
}

void SoakRun::switchToPc() {
    x360_.switchToPc();
    // Its paint rewrote the labels of a key map the monitor read while the page was hidden.
    pc_.checkLabels("on the PC Setup page brought into view");
}

void SoakRun::checkMemory() {
    const devsim::MemoryImage memory = program_.receiver().memory();
    const devsim::MemoryImage oracle = program_.log().oracle();
    const devsim::MemoryImage factory = devsim::factoryImage();
    for (std::size_t address = 0; address < memory.size(); ++address) {
        if (memory[address] != oracle[address]) {
            findings_.fail("the device's byte " + std::to_string(address) + " is " +
                           std::to_string(memory[address]) +
                           ", but the acknowledged writes "
                           "left " +
                           std::to_string(oracle[address]));
            program_.log().resync(memory);
            return;
        }
        const bool inImage = address >= IMAGE_FIRST_ADDRESS && address <= IMAGE_LAST_ADDRESS;
        if (!inImage && memory[address] != factory[address]) {
            findings_.fail("the device's byte " + std::to_string(address) +
                           ", outside the settings image, was written");
            program_.log().resync(memory);
            return;
        }
    }
}

void SoakRun::checkQuietMessages(std::size_t from) {
    // Beside the user's steps only a connection whose XBox 360 reads gave up says anything:
    // the link's and the page's communication error messages.
    for (const SoakMessage& message : program_.messages().since(from)) {
        if (message.step != 0) {
            continue;
        }
        if (message.text != commErrorMessage || connection_.failedPlugIns() == 0) {
            findings_.fail(
                "the monitor's work showed \"" + message.text + "\"" +
                (connection_.failedPlugIns() == 0 ? " on a connection that succeeded" : ""));
        }
    }
}

void SoakRun::checkMonitorRequests(std::size_t from) {
    const std::vector<RequestGroup> groups =
        groupRequests(program_.log().since(from, Origin::Monitor));
    if (const std::string fault = repetitionFault(groups); !fault.empty()) {
        findings_.fail("the monitor's connection: " + fault);
    }
}

std::string SoakRun::summary() const {
    return tally_.summary(settings_.seed, failures(), wallTime_);
}

} // namespace vantrel::soak
