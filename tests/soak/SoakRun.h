#pragma once

#include "tests/soak/Connection.h"
#include "tests/soak/FaultInjector.h"
#include "tests/soak/Findings.h"
#include "tests/soak/PcSteps.h"
#include "tests/soak/ProfileSteps.h"
#include "tests/soak/SoakProgram.h"
#include "tests/soak/SoakRandom.h"
#include "tests/soak/SoakSettings.h"
#include "tests/soak/StepRecorder.h"
#include "tests/soak/Tally.h"
#include "tests/soak/Watchdog.h"
#include "tests/soak/X360Steps.h"

#include <string>

namespace vantrel::soak {

// The soak: cycle after cycle of plugging in, editing, saving on both pages, saving a profile
// and pulling out, with faults laid in wait before and during each, and the invariants checked
// on every cycle.
class SoakRun {
public:
    explicit SoakRun(const SoakSettings& settings);

    void run();
    int failures() const { return findings_.count(); }
    std::string summary() const;

private:
    void cycle(int number);
    void pause();
    void workOnPc();
    void workOnX360();
    void switchToPc();
    void checkMemory();
    void checkQuietMessages(std::size_t from);
    void checkMonitorRequests(std::size_t from);

    const SoakSettings settings_;
    SoakProgram program_;
    SoakRandom random_{settings_.seed};
    Tally tally_;
    Findings findings_{settings_.seed};
    StepRecorder steps_{program_.messages()};
    FaultInjector faults_{program_.receiver(), random_, tally_, findings_};
    Connection connection_{program_, tally_, findings_};
    PcSteps pc_{program_, random_, tally_, findings_, steps_};
    X360Steps x360_{program_, random_, tally_, findings_, steps_};
    ProfileSteps profile_{program_, random_, tally_, findings_, steps_};
    Watchdog watchdog_{[this] { return findings_.context(); }};
    std::chrono::milliseconds wallTime_{0};
};

} // namespace vantrel::soak
