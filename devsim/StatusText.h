#pragma once

#include "devsim/MemoryImage.h"
#include "devsim/Receiver.h"

#include <string>

namespace vantrel::devsim {

// What `status` prints about a serving receiver.
struct ServingFacts {
    std::string name;
    std::string folder;
    std::string stateFile; // empty when the memory is not kept
    std::string tcp;       // the loopback address of its data port; empty when it has none
};

std::string statusText(const ReceiverStatus& status, const ServingFacts& facts);

// What `dump` prints: the items the tool uses by name, then the whole image, all in hex.
std::string dumpText(const MemoryImage& memory);

} // namespace vantrel::devsim
