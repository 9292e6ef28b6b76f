#include "tests/soak/SoakRun.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vantrel::soak {
namespace {

TEST(Soak, TheWholeProgramKeepsItsInvariantsUnderFaults) {
    const SoakSettings settings = SoakSettings::fromEnvironment();
    SoakRun run(settings);
    run.run();
    std::printf("%s", run.summary().c_str());
    std::fflush(stdout);
    EXPECT_EQ(run.failures(), 0);
}

} // namespace
} // namespace vantrel::soak
