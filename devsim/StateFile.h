#pragma once

#include "devsim/MemoryImage.h"
#include "devsim/MemoryStore.h"

#include <filesystem>
#include <string>

namespace vantrel::devsim {

// The receiver's memory on disk. Each save writes a temporary file, flushes it to the disk and
// renames it over the old one, so the file is whole at every moment, even after a crash.
class StateFile : public MemoryStore {
public:
    struct Loaded {
        enum class Outcome { Missing, Loaded, Corrupt };
        Outcome outcome;
        MemoryImage memory; // factory content when missing
        std::string problem;
    };

    explicit StateFile(std::filesystem::path file);

    Loaded load() const;
    bool save(const MemoryImage& memory) override;
    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
};

} // namespace vantrel::devsim
