#pragma once

#include "tests/soak/Findings.h"
#include "tests/soak/SoakProgram.h"
#include "tests/soak/SoakRandom.h"
#include "tests/soak/StepRecorder.h"
#include "tests/soak/Tally.h"

namespace vantrel::soak {

// The user's work on the PC Setup page: a key definition, then SAVE, each checked against the
// page and the device.
class PcSteps {
public:
    PcSteps(SoakProgram& program, SoakRandom& random, Tally& tally, Findings& findings,
            StepRecorder& steps)
        : program_(program), random_(random), tally_(tally), findings_(findings), steps_(steps) {}

    // A definition by a real capture on a label, or straight into the page's key map; now and
    // then RESET.
    void edit();

    // SAVE, then what it said against what reached the device.
    void save();

    // A click on the XBox 360 Setup tab.
    void switchToX360();

    // Every label shows its slot's definition, as the page in view must.
    void checkLabels(const std::string& when);

private:
    struct Before {
        KeyMapBytes current;
        KeyMapBytes baseline;
        bool changed;
        KeyMapBytes onDevice;
    };

    void capture();
    void defineThroughKeyMap();
    void checkSaved(const Before& before, const std::vector<LoggedRequest>& requests);
    void checkFailed(const Before& before, const std::vector<LoggedRequest>& requests);

    SoakProgram& program_;
    SoakRandom& random_;
    Tally& tally_;
    Findings& findings_;
    StepRecorder& steps_;
};

} // namespace vantrel::soak
