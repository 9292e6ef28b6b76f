#pragma once

#include "tests/soak/Findings.h"
#include "tests/soak/RequestGroups.h"
#include "tests/soak/SoakProgram.h"
#include "tests/soak/SoakRandom.h"
#include "tests/soak/StepRecorder.h"
#include "tests/soak/Tally.h"

#include <array>

namespace vantrel::soak {

// The user's work on the XBox 360 Setup page: drags and lamp clicks, then SAVE, each checked
// against the record and the device.
class X360Steps {
public:
    X360Steps(SoakProgram& program, SoakRandom& random, Tally& tally, Findings& findings,
              StepRecorder& steps)
        : program_(program), random_(random), tally_(tally), findings_(findings), steps_(steps) {}

    // Now and then DEFAULT or Reset; mostly a swap of two keys' buttons by two drags (or a
    // single drag that leaves a key empty); and a click on a lamp.
    void edit();

    // SAVE, then what it said against what reached the device.
    void save();

    // A click on the PC Setup tab.
    void switchToPc();

private:
    // One of the three items a save writes, in the order it writes them.
    struct Item {
        const char* name;
        std::uint16_t address;
        bool differed;  // before the save, the shown value was not the device copy
        bool advanced;  // after it, the device copy is the shown value
        bool unchanged; // after it, the device copy is what it was
        bool onDevice;  // the device holds the shown value
    };

    std::array<Item, 3> itemsOf(const X360Settings& before);
    void swapKeys();
    void clickLamp();
    void checkSaved(const X360Settings& before, const std::vector<RequestGroup>& groups);
    void checkFailed(const X360Settings& before, const std::vector<RequestGroup>& groups,
                     std::size_t messages);
    bool failureUnderstood(const Item& item, const X360Settings& before,
                           const std::vector<RequestGroup>& groups);

    SoakProgram& program_;
    SoakRandom& random_;
    Tally& tally_;
    Findings& findings_;
    StepRecorder& steps_;
};

} // namespace vantrel::soak
