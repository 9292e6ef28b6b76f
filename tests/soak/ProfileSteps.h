#pragma once

#include "tests/soak/Findings.h"
#include "tests/soak/SoakProgram.h"
#include "tests/soak/SoakRandom.h"
#include "tests/soak/StepRecorder.h"
#include "tests/soak/Tally.h"

#include <filesystem>
#include <set>
#include <string>

namespace vantrel::soak {

// Save As Profile into a folder of the soak's own, now and then with the file system made to
// refuse: no room for the bytes, or a folder standing where the file should go.
class ProfileSteps {
public:
    ProfileSteps(SoakProgram& program, SoakRandom& random, Tally& tally, Findings& findings,
                 StepRecorder& steps);
    ~ProfileSteps();
    ProfileSteps(const ProfileSteps&) = delete;
    ProfileSteps& operator=(const ProfileSteps&) = delete;

    void save();

private:
    enum class Refusal { None, DiskFull, FolderInTheWay };

    void checkWritten(const std::vector<SoakMessage>& shown);
    void checkRefused(Refusal refusal, const std::vector<SoakMessage>& shown,
                      const std::string& oldContent);
    std::set<std::string> folderNames() const;

    SoakProgram& program_;
    SoakRandom& random_;
    Tally& tally_;
    Findings& findings_;
    StepRecorder& steps_;
    std::filesystem::path folder_;
    std::filesystem::path profile_;
    std::filesystem::path inTheWay_;
    std::set<std::string> names_;
};

} // namespace vantrel::soak
