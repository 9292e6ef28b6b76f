#include "devsim/StatusText.h"

#include "devsim/ControlCommand.h"

#include <cstdio>

namespace vantrel::devsim {

namespace {

constexpr std::size_t bytesPerLine = 16;

std::string hexBytes(const MemoryImage& memory, std::size_t first, std::size_t count) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(byte, sizeof(byte), i == 0 ? "%02x" : " %02x", memory[first + i]);
        text += byte;
    }
    return text;
}

std::string rows(const MemoryImage& memory, std::size_t first, std::size_t count) {
    std::string text;
    char address[32];
    for (std::size_t at = first; at < first + count; at += bytesPerLine) {
        std::snprintf(address, sizeof(address), "  %3zu: ", at);
        text += address;
        text += hexBytes(memory, at, std::min(bytesPerLine, first + count - at));
        text += '\n';
    }
    return text;
}

std::string line(std::string_view label, const std::string& value) {
    std::string text(label);
    text.resize(12, ' ');
    return text + value + '\n';
}

} // namespace

std::string statusText(const ReceiverStatus& status, const ServingFacts& facts) {
    std::string quality = qualityText(status.quality);
    if (status.quality.kind == Quality::Kind::Wave) {
        quality += " (now " + std::to_string(status.qualityNow) + ")";
    }
    std::string faults;
    for (const auto& fault : status.pendingFaults) {
        faults += (faults.empty() ? "" : "; ") + describeFault(fault);
    }
    const RequestCounts& counts = status.counts;
    const std::string requests =
        std::to_string(counts.queries) + " queries, " + std::to_string(counts.reads) + " reads, " +
        std::to_string(counts.writes) + " writes, " + std::to_string(counts.rejected) +
        " rejected, " + std::to_string(counts.faulted) + " faulted, " +
        std::to_string(counts.reports) + " reports";
    return line("receiver", facts.name + " in " + facts.folder) +
           (facts.tcp.empty() ? "" : line("tcp", facts.tcp)) +
           line("plugged", status.plugged ? "yes" : "no") + line("mode", modeText(status.mode)) +
           line("quality", quality) +
           line("state file",
                facts.stateFile.empty() ? "none (memory is lost at exit)" : facts.stateFile) +
           line("handles", std::to_string(status.openHandles) + " open") +
           line("faults", faults.empty() ? "none" : faults) + line("requests", requests);
}

std::string dumpText(const MemoryImage& memory) {
    return "key map (52..115)\n" + rows(memory, KEY_MAP_ADDRESS, KEY_MAP_SIZE) +
           "sensitivity (116): " + hexBytes(memory, SENSITIVITY_ADDRESS, 1) + '\n' +
           "firing speed (117): " + hexBytes(memory, FIRING_SPEED_ADDRESS, 1) + '\n' +
           "button map (118..131): " + hexBytes(memory, BUTTON_MAP_ADDRESS, BUTTON_MAP_SIZE) +
           '\n' + "whole image (0..255)\n" + rows(memory, 0, MEMORY_SIZE);
}

} // namespace vantrel::devsim
