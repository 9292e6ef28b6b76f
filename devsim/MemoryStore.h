#pragma once

#include "devsim/MemoryImage.h"

namespace vantrel::devsim {

// The receiver's non-volatile memory: it is handed the whole image after every write.
class MemoryStore {
public:
    virtual ~MemoryStore() = default;
    // False when the image could not be kept; the write then fails and the memory stays as before.
    virtual bool save(const MemoryImage& memory) = 0;
};

} // namespace vantrel::devsim
