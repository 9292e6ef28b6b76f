#include "tests/soak/Tally.h"

#include <cstdio>

namespace vantrel::soak {

namespace {

constexpr std::array<const char*, devsim::FAULT_KIND_COUNT> faultNames = {
    "error codes", "short counts", "read-back mismatches", "vanish mid-request", "slow replies"};

std::string line(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string saves(const char* what, const SaveTally& tally) {
    return line("  %-16s attempted %5d  succeeded %5d  failed %5d  refused %5d  no device %5d\n",
                what, tally.attempted, tally.succeeded, tally.failed, tally.refused,
                tally.noDevice);
}

} // namespace

std::string Tally::summary(std::uint64_t seed, int invariantFailures,
                           std::chrono::milliseconds wallTime) const {
    std::string text = "soak summary\n";
    text +=
        line("  cycles           %d (seed %llu)\n", cycles, static_cast<unsigned long long>(seed));
    int injected = 0;
    for (int count : faultsInjected) {
        injected += count;
    }
    text += line("  faults injected  %d\n", injected);
    for (std::size_t kind = 0; kind < faultsInjected.size(); ++kind) {
        text += line("    %-22s %d\n", faultNames[kind], faultsInjected[kind]);
    }
    text += line("  requests faulted %llu (as the receiver counts them)\n",
                 static_cast<unsigned long long>(requestsFaulted));
    text += line("  plug-ins         %d, of which %d failed to connect; %d vanished mid-request\n",
                 plugIns, failedConnections, vanished);
    text += saves("PC saves", pcSaves);
    text += saves("XBox 360 saves", x360Saves);
    text += saves("profile saves", profileSaves);
    text += line("  provoked file failures %d\n", provokedFileFailures);
    text += line("  invariant failures %d\n", invariantFailures);
    text += line("  wall time        %.1f s\n", static_cast<double>(wallTime.count()) / 1000.0);
    return text;
}

} // namespace vantrel::soak
